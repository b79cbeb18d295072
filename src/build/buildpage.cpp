#include "build/buildpage.h"

#include "build/buildsettings.h"
#include "build/builddocument.h"
#include "build/frmcharacter.h"
#include "build/frmimplantselections.h"
#include "common/command.h"
#include "common/prompter.h"
#include "text/messages.h"
#include "views/numberbox.h"
#include "views/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

namespace ludra {

BuildPage::BuildPage(Prompter &prompter, QWidget *parent) : QWidget(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("tabBuild"));
    createControls();
    connectControls();
    showSettings();
}

void BuildPage::createControls()
{
    QWidget *page = this;

    // Stock handling.
    auto *grpStock = Named(new QGroupBox(QStringLiteral(" Stock Handling "), page), QStringLiteral("grpStock"));
    chkAvaStock = Named(new QCheckBox(QStringLiteral("Use only available stock"), grpStock),
                        QStringLiteral("chkAvaStock"));
    chkQLRange = Named(new QCheckBox(QStringLiteral("Quality Level Range"), grpStock), QStringLiteral("chkQLRange"));
    chkQLRange->setToolTip(QStringLiteral("Only In Stock clusters NO GREATER than the selected number will be used "
                                          "to build your implant"));
    edtQLRange = Named(new NumberBox(0, 200, QStringLiteral("35"), grpStock), QStringLiteral("edtQLRange"),
                       QStringLiteral("Quality level range"));
    chkAgeStock = Named(new QCheckBox(QStringLiteral("Remove build stock"), grpStock), QStringLiteral("chkAgeStock"));
    lblRemoveStockWarning =
        MakeStateLabel(QStringLiteral("WARNING! If you leave this item checked any Cluster or Implant will be removed "
                                      "from available stock if it is used in this build!"),
                       QStringLiteral("lblRemoveStockWarning"), QStringLiteral("Stock removal warning"), grpStock);
    lblRemoveStockWarning->setWordWrap(true);
    lblRemoveStockWarning->setStyleSheet(QStringLiteral("QLabel { font-style: italic; }"));
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(chkQLRange);
    rangeRow->addWidget(edtQLRange);
    rangeRow->addStretch(1);
    auto *stockLayout = new QVBoxLayout(grpStock);
    stockLayout->addWidget(chkAvaStock);
    stockLayout->addLayout(rangeRow);
    stockLayout->addWidget(chkAgeStock);
    stockLayout->addWidget(lblRemoveStockWarning);
    stockLayout->addStretch(1);

    // Quality level targets.
    auto *grpTargets = Named(new QGroupBox(QStringLiteral(" Quality Level Targets "), page),
                             QStringLiteral("grpTargets"));
    rdoOneQL = Named(new QRadioButton(QStringLiteral("Use One Quality Level"), grpTargets), QStringLiteral("rdoOneQL"));
    edtImplantQL = Named(new NumberBox(1, 200, QStringLiteral("1"), grpTargets), QStringLiteral("edtImplantQL"),
                         QStringLiteral("Implant quality level"));
    rdoIndiQL = Named(new QRadioButton(QStringLiteral("Individual Implant Levels"), grpTargets),
                      QStringLiteral("rdoIndiQL"));
    btnSelIndiImplants = Named(new QToolButton(grpTargets), QStringLiteral("btnSelIndiImplants"),
                               QStringLiteral("Select implants"));
    btnSelIndiImplants->setText(QStringLiteral("..."));
    btnSelIndiImplants->setToolTip(QStringLiteral("Choose the implants and their quality levels"));
    lblIndiSelected = MakeStateLabel(QStringLiteral("<no implants selected>"), QStringLiteral("lblIndiSelected"),
                                     QStringLiteral("The implants chosen for individual quality levels"), grpTargets);
    rdoHighestQL =
        Named(new QRadioButton(QStringLiteral("Highest I Can Wear"), grpTargets), QStringLiteral("rdoHighestQL"));
    rdoHighestQL->setToolTip(QStringLiteral("Build every implant at the highest level your character can wear it, "
                                            "with the help of the other implants"));
    btnCharacter = Named(new QPushButton(QStringLiteral("Character..."), grpTargets), QStringLiteral("btnCharacter"));
    lblCharacter = MakeStateLabel(NoCharacterCaption(), QStringLiteral("lblCharacter"),
                                  QStringLiteral("The character the ladder and the requirements are judged by"),
                                  grpTargets);
    lblCharacter->setWordWrap(true);
    auto *targetLayout = new QGridLayout(grpTargets);
    targetLayout->addWidget(rdoOneQL, 0, 0);
    targetLayout->addWidget(edtImplantQL, 0, 1);
    targetLayout->addWidget(rdoIndiQL, 1, 0);
    targetLayout->addWidget(btnSelIndiImplants, 1, 1, Qt::AlignLeft);
    targetLayout->addWidget(lblIndiSelected, 2, 0, 1, 3);
    targetLayout->addWidget(rdoHighestQL, 3, 0);
    targetLayout->addWidget(btnCharacter, 3, 1, 1, 2, Qt::AlignLeft);
    targetLayout->addWidget(lblCharacter, 4, 0, 1, 3);
    targetLayout->setRowStretch(5, 1);
    targetLayout->setColumnStretch(2, 1);

    // Nano programming.
    auto *grpNanoProg = Named(new QGroupBox(QStringLiteral(" Nano Programming Skill "), page),
                              QStringLiteral("grpNanoProg"));
    chkUseNanoProg = Named(new QCheckBox(QStringLiteral("Warning over this max Nano Programming skill"), grpNanoProg),
                           QStringLiteral("chkUseNanoProg"));
    edtMaxNanoProg = Named(new NumberBox(0, 1500, QStringLiteral("0"), grpNanoProg), QStringLiteral("edtMaxNanoProg"),
                           QStringLiteral("Maximum nano programming skill"));
    auto *nanoLayout = new QVBoxLayout(grpNanoProg);
    nanoLayout->addWidget(chkUseNanoProg);
    auto *maxRow = new QHBoxLayout;
    maxRow->addWidget(edtMaxNanoProg);
    maxRow->addStretch(1);
    nanoLayout->addLayout(maxRow);
    nanoLayout->addStretch(1);

    // Important attributes.
    auto *grpAttributes = Named(new QGroupBox(QStringLiteral(" Important Attributes "), page),
                                QStringLiteral("grpAttributes"));
    auto attribute = [grpAttributes](const QString &name, const QString &caption) {
        return Named(new QCheckBox(caption, grpAttributes), name);
    };
    chkStr = attribute(QStringLiteral("chkStr"), QStringLiteral("Strength"));
    chkAgi = attribute(QStringLiteral("chkAgi"), QStringLiteral("Agility"));
    chkSta = attribute(QStringLiteral("chkSta"), QStringLiteral("Stamina"));
    chkInt = attribute(QStringLiteral("chkInt"), QStringLiteral("Intelligence"));
    chkPsy = attribute(QStringLiteral("chkPsy"), QStringLiteral("Psychic"));
    chkSen = attribute(QStringLiteral("chkSen"), QStringLiteral("Sense"));
    auto *attributeLayout = new QGridLayout(grpAttributes);
    const QList<QCheckBox *> attributes{chkStr, chkAgi, chkSta, chkInt, chkPsy, chkSen};
    for (int i = 0; i < int(attributes.size()); ++i)
        attributeLayout->addWidget(attributes.at(i), i % 3, i / 3);

    btnBuild = Named(new QPushButton(QStringLiteral("&Build >>"), page), QStringLiteral("btnBuild"));

    auto *layout = new QGridLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(grpStock, 0, 0);
    layout->addWidget(grpTargets, 0, 1);
    layout->addWidget(grpNanoProg, 1, 0);
    layout->addWidget(grpAttributes, 1, 1);
    layout->addWidget(btnBuild, 2, 1, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

QList<QCheckBox *> BuildPage::attributeBoxes() const
{
    return {chkStr, chkAgi, chkSta, chkInt, chkPsy, chkSen};
}

void BuildPage::connectControls()
{
    auto flag = [this](QAbstractButton *box, bool BuildSettings::*setting) {
        connect(box, &QAbstractButton::toggled, this,
                [this, setting](bool on) { changeSettings([setting, on](BuildSettings &s) { s.*setting = on; }); });
    };
    auto number = [this](NumberBox *box, EnteredNumber BuildSettings::*setting) {
        connect(box, &NumberBox::textChanged, this, [this, setting](const QString &typed) {
            changeSettings([setting, &typed](BuildSettings &s) { s.*setting = EnteredNumber(typed); });
        });
    };
    flag(chkAvaStock, &BuildSettings::useStock);
    flag(chkQLRange, &BuildSettings::useRange);
    number(edtQLRange, &BuildSettings::range);
    flag(chkAgeStock, &BuildSettings::removeStock);
    // The three radio buttons switch together: the one turned on is the
    // target.
    const auto target = [this](QRadioButton *button, BuildSettings::Target chosen) {
        connect(button, &QRadioButton::toggled, this, [this, chosen](bool on) {
            if (on)
                changeSettings([chosen](BuildSettings &s) { s.target = chosen; });
        });
    };
    target(rdoOneQL, BuildSettings::Target::OneLevel);
    target(rdoIndiQL, BuildSettings::Target::Individual);
    target(rdoHighestQL, BuildSettings::Target::Highest);
    number(edtImplantQL, &BuildSettings::implantQL);
    flag(chkUseNanoProg, &BuildSettings::warnNanoProg);
    number(edtMaxNanoProg, &BuildSettings::maxNanoProg);
    const QList<QCheckBox *> attributes = attributeBoxes();
    for (int i = 0; i < int(attributes.size()); ++i) {
        const auto attribute = Attribute(i);
        connect(attributes.at(i), &QCheckBox::toggled, this, [this, attribute](bool on) {
            changeSettings([attribute, on](BuildSettings &s) { s.setAttribute(attribute, on); });
        });
    }
    connect(btnSelIndiImplants, &QToolButton::clicked, this, &BuildPage::btnSelIndiImplantsClick);
    connect(btnCharacter, &QPushButton::clicked, this, &BuildPage::btnCharacterClick);
}

const BuildSettings &BuildPage::settings() const
{
    // Before a document is given, the settings of a new plan.
    static const BuildSettings none;
    return m_document ? m_document->buildSettings() : none;
}

void BuildPage::setDocument(BuildDocument *document)
{
    // The caption for no selection as the window's texts have it (the
    // language file's, once it was applied).
    if (m_noSelectionCaption.isNull()) {
        m_noSelectionCaption = lblIndiSelected->text();
        m_noCharacterCaption = lblCharacter->text();
    }
    disconnect(m_settingsChanged);
    disconnect(m_planChanged);
    m_document = document;
    m_settingsChanged = connect(document, &BuildDocument::settingsChanged, this, [this] {
        if (!m_changing)
            showSettings();
    });
    // The implant selection is the plan's: an undo, a redo or an opened
    // project changes what the caption tells.
    m_planChanged = connect(document, &BuildDocument::planChanged, this, &BuildPage::showSelectionCaption);
    showSettings();
}

void BuildPage::showSettings()
{
    const QScopedValueRollback showing(m_showing, true);
    const BuildSettings &s = settings();
    chkAvaStock->setChecked(s.useStock);
    chkQLRange->setChecked(s.useRange);
    edtQLRange->setText(s.range.text());
    chkAgeStock->setChecked(s.removeStock);
    switch (s.target) {
    case BuildSettings::Target::OneLevel: rdoOneQL->setChecked(true); break;
    case BuildSettings::Target::Individual: rdoIndiQL->setChecked(true); break;
    case BuildSettings::Target::Highest: rdoHighestQL->setChecked(true); break;
    }
    edtImplantQL->setText(s.implantQL.text());
    showSelectionCaption();
    showCharacterCaption();
    chkUseNanoProg->setChecked(s.warnNanoProg);
    edtMaxNanoProg->setText(s.maxNanoProg.text());
    const QList<QCheckBox *> attributes = attributeBoxes();
    for (int i = 0; i < int(attributes.size()); ++i)
        attributes.at(i)->setChecked(s.attribute(Attribute(i)));
    showEnablement();
}

const QList<ImplantSelection> &BuildPage::implantSelections() const
{
    // Before a document is given, the selection of a new plan: none.
    static const QList<ImplantSelection> none;
    return m_document ? m_document->layout().plan().implantSelections : none;
}

void BuildPage::showSelectionCaption()
{
    const int selected = m_document ? m_document->layout().plan().selectedImplants() : 0;
    // No selection is told as the window's texts tell it.
    lblIndiSelected->setText(selected == 0 && !m_noSelectionCaption.isNull() ? m_noSelectionCaption
                                                                             : IndiSelectedCaption(selected));
}

void BuildPage::showCharacterCaption()
{
    const BuildSettings &s = settings();
    lblCharacter->setText(!s.character.entered() && !m_noCharacterCaption.isNull()
                              ? m_noCharacterCaption
                              : CharacterCaption(s.character, s.ladderTopLevel));
}

void BuildPage::showEnablement()
{
    const BuildSettings &s = settings();
    // The range and the removal of stock only mean something when building
    // from stock. Turning stock off greys them and leaves them checked.
    chkQLRange->setEnabled(s.useStock);
    edtQLRange->setEnabled(s.useStock && s.useRange);
    chkAgeStock->setEnabled(s.useStock);
    // The warning goes with the removal box alone, so it still stands out
    // while that box is greyed but checked.
    lblRemoveStockWarning->setEnabled(s.removeStock);
    const BuildSettings::Target target = s.target;
    edtImplantQL->setEnabled(target == BuildSettings::Target::OneLevel);
    btnSelIndiImplants->setEnabled(target == BuildSettings::Target::Individual);
    lblIndiSelected->setEnabled(target == BuildSettings::Target::Individual);
    lblCharacter->setEnabled(s.character.entered());
    edtMaxNanoProg->setEnabled(s.warnNanoProg);
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void BuildPage::changeSettings(const std::function<void(BuildSettings &)> &change)
{
    if (m_showing)
        return;
    RunCommand(m_prompter, [this, &change] {
        BuildSettings changed = settings();
        change(changed);
        {
            const QScopedValueRollback changing(m_changing, true);
            m_document->setSettings(changed);
        }
        showEnablement();
        Q_EMIT settingsChanged();
    });
}

void BuildPage::btnSelIndiImplantsClick()
{
    RunCommand(m_prompter, [this] {
        TfrmImplantSelections dialog(m_prompter, implantSelections(), this);
        if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
            return;
        // The selection is part of the plan: one step of its history.
        const QList<ImplantSelection> chosen = dialog.selections();
        m_document->editPlan(LangMsg(Msg::EditImplantSelection),
                             [&chosen](LayoutState &layout) { layout.setImplantSelections(chosen); });
        showSelectionCaption();
        Q_EMIT settingsChanged();
    });
}

void BuildPage::btnCharacterClick()
{
    RunCommand(m_prompter, [this] {
        TfrmCharacter dialog(m_prompter, settings().character, settings().ladderTopLevel, this);
        if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
            return;
        changeSettings([&dialog](BuildSettings &s) {
            s.character = dialog.character();
            s.ladderTopLevel = dialog.topLevel();
        });
        showCharacterCaption();
    });
}

} // namespace ludra
