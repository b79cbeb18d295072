#pragma once

#include "data/character.h"
#include "common/numbers.h"
#include "data/nano.h"
#include "stock/stockuse.h"

#include <QString>
#include <QStringList>

#include <array>

namespace ludra {

// The six attributes of "Important Attributes", in the order of their boxes.
enum class Attribute { Strength, Agility, Stamina, Intelligence, Psychic, Sense };
inline constexpr int AttributeCount = 6;

// The attribute names as the recipes spell them, in Attribute order.
const QStringList &AttributeNames();

// The caption of lblIndiSelected for a number of selected implants (see
// Plan::selectedImplants).
QString IndiSelectedCaption(int selected);
// The caption of lblCharacter: the character's values and the top level, or
// NoCharacterCaption() when none is entered.
QString CharacterCaption(const Character &character, int topLevel);
QString NoCharacterCaption();

// Every setting of the Build tab. Numbers are held as they were typed
// (EnteredNumber): nothing is validated when entered, and a text that is no
// whole number ends the build where the build reads its value.
class BuildSettings
{
public:
    // " Stock Handling ".
    bool useStock = false;        // chkAvaStock
    bool useRange = false;        // chkQLRange
    EnteredNumber range{QStringLiteral("35")}; // edtQLRange
    bool removeStock = false;     // chkAgeStock
    // The stock handling as the stock rules read it.
    StockUse stockUse() const { return StockUse{useStock, useRange, range}; }

    // " Quality Level Targets ": one level for all (rdoOneQL), a level per
    // selected implant of the plan's implant selection (rdoIndiQL), or each
    // implant at the highest level the character can wear it (rdoHighestQL),
    // which the build reaches as individual levels of its own.
    enum class Target { OneLevel, Individual, Highest };
    Target target = Target::OneLevel;
    EnteredNumber implantQL{QStringLiteral("1")}; // edtImplantQL

    // The player's character and the top level a ladder aims for.
    Character character;
    int ladderTopLevel = TopQualityLevel;

    // " Nano Programming Skill ".
    bool warnNanoProg = false;    // chkUseNanoProg
    EnteredNumber maxNanoProg{QStringLiteral("0")}; // edtMaxNanoProg

    // " Important Attributes ".
    std::array<bool, AttributeCount> attributes{};

    bool attribute(Attribute a) const { return attributes[std::size_t(a)]; }
    void setAttribute(Attribute a, bool on) { attributes[std::size_t(a)] = on; }
    bool anyAttribute() const;

    // Back to the state of a new window.
    void reset() { *this = BuildSettings(); }

    bool operator==(const BuildSettings &) const = default;
};

} // namespace ludra
