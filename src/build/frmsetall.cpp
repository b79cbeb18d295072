#include "build/frmsetall.h"

#include "text/langapply.h"

#include "data/nano.h"
#include "views/numberbox.h"
#include "views/widgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra {

TfrmSetAll::TfrmSetAll(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetAll"));
    setWindowTitle(QStringLiteral("Set all Quality Level to..."));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *label = MakeLabel(QStringLiteral("Enter Quality Level"), this);
    label->setObjectName(QStringLiteral("lblQL"));
    edtQL = Named(new NumberBox(0, EnteredQualityLevelMax, QStringLiteral("0"), this), QStringLiteral("edtQL"),
                  QStringLiteral("Quality level"));
    // What a quality cell takes; the selection's OK checks the levels.
    edtQL->limitDigits();
    label->setBuddy(edtQL);

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOK"), QStringLiteral("btnsSetAll"));

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edtQL);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LangApplyProgram(*this);
    edtQL->setFocus();
}

QString TfrmSetAll::text() const
{
    return edtQL->text();
}

} // namespace ludra
