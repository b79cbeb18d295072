#pragma once

#include "data/character.h"
#include "data/gamerules.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace ludra {

namespace RefFile {
inline const QString Symbiants = QStringLiteral("symbiants.csv");
} // namespace RefFile

// The fourteen professions of the game, in the game's order.
inline constexpr int ProfessionCount = 14;
const QStringList &ProfessionNames();
// The profession of a name as ProfessionNames spells it, any case; -1 for
// any other text.
int ProfessionIndex(QStringView name);

// The highest character level of the game.
inline constexpr int CharacterLevelMax = 220;

// What a symbiant adds to one skill: the skill by the catalogue's skill name
// (the name the skill lists and the skill table show) and the amount.
struct SymbiantBonus
{
    QString skill;
    qint64 amount = 0;

    bool operator==(const SymbiantBonus &) const = default;
};

// An item that sits in a body slot in place of an implant: one fixed quality
// level, no clusters, bonuses to many skills, and requirements of Treatment,
// character level, abilities and profession.
struct Symbiant
{
    QString name;
    // The body slot, 0 to 12 in the planner's body order (HEAD first).
    int slot = 0;
    int level = 1;
    // The unit its professions belong to; empty for the few special ones.
    QString unit;
    qint64 treatment = 0;
    int characterLevel = 1;
    // The ability each needs, in the order of Abilities (Strength, Agility,
    // Stamina, Intelligence, Psychic, Sense); 0 where it asks none.
    Abilities abilities{};
    // The professions allowed to wear it, as ProfessionNames spells them;
    // empty when any profession may.
    QStringList professions;
    // In the order of the file.
    QList<SymbiantBonus> bonuses;

    // The name with the level, "NAME (QL 250)": what tells two symbiants of
    // one name apart, and what a project and the command line name one by.
    QString title() const;
    // What it adds to a skill named as the catalogue names it; 0 when
    // nothing.
    qint64 bonus(QStringView skill) const;
    // Whether a profession (a ProfessionNames index; -1 for none entered)
    // may wear it: always when it names none, never for -1 when it does.
    bool allows(int profession) const;

    bool operator==(const Symbiant &) const = default;
};

// The symbiants of "symbiants.csv". The file has a header line, then one line
// per symbiant, its fields apart by commas (a field holding a comma is in
// double quotes, "" standing for a quote inside):
//   Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,
//   Psychic,Sense,Professions,Bonuses
// Slot as the body slots are spelt (HEAD, LEFT ARM, ...), the professions
// apart by ";", the bonuses as "SKILL=AMOUNT" apart by ";". A line that cannot
// be read (a field missing, a number out of its range, an unknown slot or
// profession, two symbiants of one title) is skipped and counted; a blank line
// is passed over, and a first line whose first field is "Name" is the header.
// Numbers: QL 1 to 300, Level 1 to CharacterLevelMax, Treatment and abilities
// 0 to 100000, bonus amounts -100000 to 100000 and not 0.
class SymbiantTable
{
public:
    // bodySlots: the thirteen slot names in body order.
    static SymbiantTable parse(const QStringList &lines, const QStringList &bodySlots);
    // The table of "symbiants.csv" (the user's own copy first); nothing when
    // the file is missing or cannot be read.
    static std::optional<SymbiantTable> load(const QStringList &bodySlots);

    const QList<Symbiant> &all() const { return m_symbiants; }
    // The symbiants of one body slot, in the order of the file.
    QList<const Symbiant *> forSlot(int slot) const;
    // The symbiant of a title (Symbiant::title), or of a name only one
    // symbiant has; any case. nullptr when none or more than one.
    const Symbiant *find(QStringView nameOrTitle) const;
    // How many lines were skipped.
    int skipped() const { return m_skipped; }

    // The file's lines for this table, header first; parse gives the table
    // back.
    QStringList lines(const QStringList &bodySlots) const;

private:
    QList<Symbiant> m_symbiants;
    QHash<QString, qsizetype> m_byTitle;
    QHash<QString, QList<qsizetype>> m_byName;
    int m_skipped = 0;
};

// The header line of "symbiants.csv", and the line of one symbiant, as the
// table's lines() writes them and parse reads them back.
const QString &SymbiantHeader();
QString SymbiantLine(const Symbiant &symbiant, const QStringList &bodySlots);

// What keeps a character from wearing a symbiant with these stats
// available (the character's, the bonuses of what else is worn and its
// trickle-down into Treatment): "level 125", "profession", "Treatment 1011",
// "Agility 383", in that order; none when it can be worn.
QStringList SymbiantUnmet(const Symbiant &symbiant, const Character &character, const Stats &available);

// What a symbiant needs of the abilities, "Agility 383, Sense 383"; empty
// when none.
QString SymbiantAbilityNeeds(const Symbiant &symbiant);

} // namespace ludra
