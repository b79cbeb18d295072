#pragma once

#include "data/character.h"
#include "build/resultrows.h"

#include <QList>
#include <QString>

#include <optional>

namespace ludra {

class BuildSettings;
class LayoutState;
class ReferenceData;
class StockState;
class TextTable;

// What a plan comes to when it is built with its own settings: the total of
// every skill it raises, its highest treatment, ability and nano-programming
// requirement, its credits, its clusters and implants, and with a character
// how many of its implants the character can wear at the levels built.
struct PlanFigures
{
    // The skill totals in the build's order; the blank first row of a build
    // without a skill is left out.
    QList<SkillTotalRow> skills;
    qint64 highestTreatment = 0;
    qint64 highestAbility = 0;
    qint64 highestNanoProg = 0;
    qint64 credits = 0;
    int clusters = 0;
    int implants = 0;
    // With a character: the implants it can wear at the levels built, the
    // others' bonuses counting as the ladder counts them; none without one.
    std::optional<int> wearable;
};

// Builds a plan as "&Build >>" would, with its settings, on a copy of the
// stock (nothing is removed, nothing asked), and sums what it came to. With
// a character entered, counts the implants it can wear at the levels built.
// Throws what ends a build: the duplicate warning while duplicates hold the
// plan, the integer message for a value that is no whole number.
PlanFigures FigurePlan(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                       const StockState &stock, const Character &character);

// The two plans side by side: a row per skill either raises (those of the
// first plan in its order, then the second's others), the total of each and
// the difference (second less first), then a row each for the highest
// treatment, ability and nano-programming requirement, the credits, the
// clusters and, when both have it, the implants the character can wear.
void FillComparisonTable(const QString &firstName, const PlanFigures &first, const QString &secondName,
                         const PlanFigures &second, TextTable &table);

} // namespace ludra
