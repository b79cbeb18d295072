#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

namespace ludra {

// The stats an implant can require or raise that a player's character has:
// Treatment and the six abilities, in this order.
enum class Stat { Treatment, Strength, Agility, Stamina, Intelligence, Psychic, Sense };
inline constexpr int StatCount = 7;
using Stats = std::array<qint64, StatCount>;
// The highest Treatment or ability the character dialog takes: four digits,
// well beyond what a character shows with no implant worn.
inline constexpr int StatMax = 9999;

// "Treatment", then the six ability names as the recipes spell them.
const QStringList &StatNames();
// The stat of a name spelled as StatNames spells it; -1 for any other text.
int StatIndex(QStringView name);

// A player's character as the game shows it with no implant worn.
struct Character
{
    Stats stats{};
    // The character level, 1 to 220; 0 when not entered (no level
    // requirement is then met).
    int level = 0;
    // The profession, an index of ProfessionNames (data/symbiants.h); -1 when
    // none is entered (only symbiants open to every profession can be worn).
    int profession = -1;

    qint64 stat(Stat s) const { return stats[std::size_t(s)]; }
    void setStat(Stat s, qint64 value) { stats[std::size_t(s)] = value; }
    // Whether the player has entered a character: any stat above 0 (a real
    // character has every one).
    bool entered() const;
    // "Treatment 700, Strength 250, ..." in StatNames order, then
    // ", level 150" and ", Doctor" when they are entered.
    QString summary() const;

    bool operator==(const Character &) const = default;
};

} // namespace ludra
