#include "app/frmoptions.h"

#include "text/langapply.h"

#include "views/widgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra {

TfrmOptions::TfrmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Ludra Options"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *group = Named(new QGroupBox(this), QStringLiteral("grpStartup"), QStringLiteral("Start-up"));
    chkAutoLoad = Named(new QCheckBox(QStringLiteral("Automatically load the last opened file on startup?"), group),
                        QStringLiteral("chkAutoLoad"));
    chkAskToSave = Named(new QCheckBox(QStringLiteral("Ask to save changes"), group), QStringLiteral("chkAskToSave"));
    chkAskToSave->setChecked(true);
    chkAskToSave->setToolTip(QStringLiteral("Before a plan with unsaved changes is closed or replaced, ask whether "
                                            "to save it"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(chkAutoLoad);
    groupLayout->addWidget(chkAskToSave);

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOk"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LangApplyProgram(*this);
}

bool TfrmOptions::autoLoad() const
{
    return chkAutoLoad->isChecked();
}

void TfrmOptions::setAutoLoad(bool on)
{
    chkAutoLoad->setChecked(on);
}

bool TfrmOptions::askToSave() const
{
    return chkAskToSave->isChecked();
}

void TfrmOptions::setAskToSave(bool on)
{
    chkAskToSave->setChecked(on);
}

} // namespace ludra
