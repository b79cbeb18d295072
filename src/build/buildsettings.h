#pragma once

#include "build/character.h"
#include "data/nano.h"
#include "stock/stockuse.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace ludra {

// The individual implant choice of one body slot (an entry of SelImp-Bool and
// SelImp-QL). The quality level stays as the user typed it: the build
// converts it with the strict integer rule, and a failing conversion ends the
// build with its message.
struct ImplantSelection
{
    bool selected = false;
    QString qualityLevel;

    bool operator==(const ImplantSelection &) const = default;
};

// The six attributes of "Important Attributes", in the order of their boxes.
enum class Attribute { Strength, Agility, Stamina, Intelligence, Psychic, Sense };
inline constexpr int AttributeCount = 6;

// The attribute names as the recipes spell them, in Attribute order.
const QStringList &AttributeNames();

// The caption of lblIndiSelected for a number of selected implants.
QString IndiSelectedCaption(int selected);
// The caption of lblCharacter: the character's values and the top level, or
// NoCharacterCaption() when none is entered.
QString CharacterCaption(const Character &character, int topLevel);
QString NoCharacterCaption();

// Every setting of the Build tab. Numbers stay as the text in their boxes:
// nothing is validated when entered, and the build converts what it reads
// with the strict integer rule.
class BuildSettings
{
public:
    // " Stock Handling ".
    bool useStock = false;        // chkAvaStock
    bool useRange = false;        // chkQLRange
    QString rangeText = QStringLiteral("35"); // edtQLRange
    bool removeStock = false;     // chkAgeStock
    // The stock handling as the stock rules read it.
    StockUse stockUse() const { return StockUse{useStock, useRange, rangeText}; }

    // " Quality Level Targets ": one level for all (rdoOneQL), a level per
    // selected implant (rdoIndiQL), or each implant at the highest level the
    // character can wear it (rdoHighestQL), which the build reaches as
    // individual levels of its own.
    bool oneLevel = true;
    bool highestLevels = false;
    QString implantQLText = QStringLiteral("1"); // edtImplantQL
    enum class Target { OneLevel, Individual, Highest };
    Target target() const { return oneLevel ? Target::OneLevel : highestLevels ? Target::Highest : Target::Individual; }
    void setTarget(Target target)
    {
        oneLevel = target == Target::OneLevel;
        highestLevels = target == Target::Highest;
    }

    // The player's character and the top level a ladder aims for.
    Character character;
    int ladderTopLevel = TopQualityLevel;

    // " Nano Programming Skill ".
    bool warnNanoProg = false;    // chkUseNanoProg
    QString maxNanoProgText = QStringLiteral("0"); // edtMaxNanoProg

    // " Important Attributes ".
    std::array<bool, AttributeCount> attributes{};

    bool attribute(Attribute a) const { return attributes[std::size_t(a)]; }
    void setAttribute(Attribute a, bool on) { attributes[std::size_t(a)] = on; }
    bool anyAttribute() const;

    // SelImp-Bool and SelImp-QL: one entry per body slot once the user has
    // made a selection, none before (which counts as no slot selected).
    const QList<ImplantSelection> &implantSelections() const { return m_implantSelections; }
    void setImplantSelections(QList<ImplantSelection> selections) { m_implantSelections = std::move(selections); }
    // How many slots the selection ticks.
    int selectedImplants() const;
    // The caption that tells the selection (lblIndiSelected). The selection
    // dialog sets it from the count; a project restores it as stored.
    QString indiSelectedCaption = IndiSelectedCaption(0);

    // Back to the state of a new window.
    void reset() { *this = BuildSettings(); }

    bool operator==(const BuildSettings &) const = default;

private:
    QList<ImplantSelection> m_implantSelections;
};

} // namespace ludra
