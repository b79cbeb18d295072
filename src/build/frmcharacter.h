#pragma once

#include "data/character.h"

#include <QDialog>

#include <array>

class QComboBox;
class QSpinBox;

namespace ludra {

class NumberBox;
class Prompter;

// "Character": the player's Treatment and six abilities as the game shows
// them with no implant worn, the character level and profession (each may be
// "none"), and the top quality level the ladder aims for. The boxes take no
// more digits than their range has; OK keeps them only when every stat is
// from 0 to StatMax (an emptied box counts as 0) and the top level is from 1
// to 300; otherwise it names the box and its range, stays open and puts the
// focus in that box.
class TfrmCharacter : public QDialog
{
    Q_OBJECT

public:
    TfrmCharacter(Prompter &prompter, const Character &character, int topLevel, QWidget *parent = nullptr);

    // What OK kept.
    const Character &character() const { return m_character; }
    int topLevel() const { return m_topLevel; }

public Q_SLOTS:
    void accept() override;

private:
    Prompter &m_prompter;
    Character m_character;
    int m_topLevel;
    std::array<NumberBox *, StatCount> m_stats{};
    QSpinBox *edtLevel = nullptr;
    QComboBox *cboProfession = nullptr;
    NumberBox *edtTopLevel = nullptr;
};

} // namespace ludra
