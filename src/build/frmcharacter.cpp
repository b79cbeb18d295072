#include "build/frmcharacter.h"

#include "common/command.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "data/nano.h"
#include "data/symbiants.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "views/numberbox.h"
#include "views/fittingcombobox.h"
#include "views/widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ludra {

TfrmCharacter::TfrmCharacter(Prompter &prompter, const Character &character, int topLevel, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_character(character), m_topLevel(topLevel)
{
    setObjectName(QStringLiteral("frmCharacter"));
    setWindowTitle(QStringLiteral("Character"));

    auto *grpStats = Named(new QGroupBox(QStringLiteral(" Without Implants "), this), QStringLiteral("grpStats"));
    auto *statsLayout = new QGridLayout(grpStats);
    for (int i = 0; i < StatCount; ++i) {
        const QString &name = StatNames().at(i);
        // Each stat's label and box are named after it: lblTreatment and
        // edtTreatment, and so on.
        auto *label = MakeLabel(name, grpStats);
        label->setObjectName(QStringLiteral("lbl") + name);
        auto *box = Named(new NumberBox(0, StatMax, QString::number(character.stats[std::size_t(i)]), grpStats),
                          QStringLiteral("edt") + name, name);
        box->limitDigits();
        label->setBuddy(box);
        statsLayout->addWidget(label, i, 0);
        statsLayout->addWidget(box, i, 1);
        m_stats[std::size_t(i)] = box;
    }

    // The character level and the profession, below the stats and in the
    // same column as the top level: 0 in the level box is "none", no level
    // entered.
    auto *lblLevel = MakeLabel(QStringLiteral("Level"), this);
    lblLevel->setObjectName(QStringLiteral("lblLevel"));
    edtLevel = Named(new QSpinBox(this), QStringLiteral("edtLevel"), QStringLiteral("Level"));
    edtLevel->setRange(0, CharacterLevelMax);
    edtLevel->setSpecialValueText(QStringLiteral("none"));
    edtLevel->setValue(character.level >= 1 && character.level <= CharacterLevelMax ? character.level : 0);
    lblLevel->setBuddy(edtLevel);
    auto *lblProfession = MakeLabel(QStringLiteral("Profession"), this);
    lblProfession->setObjectName(QStringLiteral("lblProfession"));
    cboProfession = Named(new FittingComboBox(this), QStringLiteral("cboProfession"), QStringLiteral("Profession"));
    cboProfession->addItem(QStringLiteral("none"));
    cboProfession->addItems(ProfessionNames());
    cboProfession->setCurrentIndex(
        character.profession >= 0 && character.profession < ProfessionCount ? character.profession + 1 : 0);
    lblProfession->setBuddy(cboProfession);

    auto *lblTopLevel = MakeLabel(QStringLiteral("Top quality level"), this);
    lblTopLevel->setObjectName(QStringLiteral("lblTopLevel"));
    edtTopLevel = Named(new NumberBox(1, TopQualityLevel, QString::number(topLevel), this),
                        QStringLiteral("edtTopLevel"), QStringLiteral("Top quality level"));
    edtTopLevel->limitDigits();
    lblTopLevel->setBuddy(edtTopLevel);
    auto *note = MakeLabel(QStringLiteral("Enter the values the game shows with no implant worn. \"Highest I Can "
                                          "Wear\" builds every implant at the highest level up to the top level "
                                          "that these values and the other implants allow."),
                           this);
    note->setObjectName(QStringLiteral("lblCharacterNote"));
    note->setWordWrap(true);

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOK"), QStringLiteral("btnsCharacter"));

    auto *levels = new QGridLayout;
    levels->addWidget(lblLevel, 0, 0);
    levels->addWidget(edtLevel, 0, 1);
    levels->addWidget(lblProfession, 1, 0);
    levels->addWidget(cboProfession, 1, 1);
    levels->addWidget(lblTopLevel, 2, 0);
    levels->addWidget(edtTopLevel, 2, 1);
    levels->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grpStats);
    layout->addLayout(levels);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setFixedWidth(sizeHint().width() + 80);

    LangApplyProgram(*this);
    m_stats[0]->setFocus();
}

void TfrmCharacter::accept()
{
    RunCommand(m_prompter, [this] {
        Character character;
        // An emptied box counts as 0; anything else must be a whole number in
        // the stats' range. The box is named as the language file names it.
        for (int i = 0; i < StatCount; ++i) {
            NumberBox *box = m_stats[std::size_t(i)];
            const QString text = box->text();
            int value = 0;
            if (!text.isEmpty() && (!TryStrToInt(text, value) || value < 0 || value > StatMax)) {
                m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::StatRangeTitle),
                                   LangMsg(Msg::StatRangeText).arg(box->accessibleName()).arg(StatMax));
                box->setFocus();
                return;
            }
            character.stats[std::size_t(i)] = value;
        }
        int top = 0;
        if (!TryStrToInt(edtTopLevel->text(), top) || top < 1 || top > TopQualityLevel) {
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::TopLevelRangeTitle),
                               LangMsg(Msg::TopLevelRangeText));
            edtTopLevel->setFocus();
            return;
        }
        character.level = edtLevel->value();
        character.profession = cboProfession->currentIndex() - 1;
        m_character = character;
        m_topLevel = top;
        QDialog::accept();
    });
}

} // namespace ludra
