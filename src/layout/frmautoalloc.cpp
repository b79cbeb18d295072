#include "layout/frmautoalloc.h"

#include "text/langapply.h"

#include "views/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ludra {

TfrmAutoAlloc::TfrmAutoAlloc(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAutoAlloc"));
    setWindowTitle(QStringLiteral("Auto Allocation Rules"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *include = new QGroupBox(QStringLiteral(" Include "), this);
    include->setObjectName(QStringLiteral("grpInclude"));
    chkShining = Named(new QCheckBox(QStringLiteral("Shining"), include), QStringLiteral("chkShining"));
    chkBright = Named(new QCheckBox(QStringLiteral("Bright"), include), QStringLiteral("chkBright"));
    chkFaded = Named(new QCheckBox(QStringLiteral("Faded"), include), QStringLiteral("chkFaded"));
    auto *includeLayout = new QVBoxLayout(include);
    includeLayout->addWidget(chkShining);
    includeLayout->addWidget(chkBright);
    includeLayout->addWidget(chkFaded);

    // A radio group: one of two items, by index.
    rdoOverwrite = Named(new QGroupBox(QStringLiteral(" Overwrite Options "), this), QStringLiteral("rdoOverwrite"));
    m_overwrite = new QButtonGroup(rdoOverwrite);
    auto *overwriteLayout = new QVBoxLayout(rdoOverwrite);
    const QStringList items{QStringLiteral("Clear before Allocation"), QStringLiteral("Do not Clear")};
    for (int i = 0; i < int(items.size()); ++i) {
        auto *button = Named(new QRadioButton(items.at(i), rdoOverwrite), QStringLiteral("rdoOverwrite%1").arg(i));
        m_overwrite->addButton(button, i);
        overwriteLayout->addWidget(button);
    }
    overwriteLayout->addStretch(1);

    auto *note = MakeLabel(QStringLiteral("These rules are used when you Auto Allocate nanos. "), this);
    note->setObjectName(QStringLiteral("lblNote"));

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOK"), QStringLiteral("btnsAutoAlloc"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(include);
    groups->addWidget(rdoOverwrite);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(note);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LangApplyProgram(*this);
    setRules(AllocationRules());
}

void TfrmAutoAlloc::setRules(const AllocationRules &rules)
{
    chkShining->setChecked(rules.IncludeShining);
    chkBright->setChecked(rules.IncludeBright);
    chkFaded->setChecked(rules.IncludeFaded);
    m_overwrite->button(int(rules.OverwriteOption))->setChecked(true);
}

AllocationRules TfrmAutoAlloc::rules() const
{
    AllocationRules rules;
    rules.IncludeShining = chkShining->isChecked();
    rules.IncludeBright = chkBright->isChecked();
    rules.IncludeFaded = chkFaded->isChecked();
    rules.OverwriteOption = m_overwrite->checkedId() == AllocationRules::DoNotClear ? AllocationRules::DoNotClear
                                                                                     : AllocationRules::ClearBeforeAllocation;
    return rules;
}

} // namespace ludra
