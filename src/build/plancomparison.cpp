#include "build/plancomparison.h"

#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "build/ladder.h"
#include "common/errors.h"
#include "common/prompter.h"
#include "common/texttable.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "stock/stockstate.h"
#include "text/messages.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace ludra {

PlanFigures FigurePlan(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                       const StockState &stock, const Character &character)
{
    if (layout.duplicatesHoldPlan())
        throw Exception(LangMsg(Msg::DuplicatesLabel));
    StockState drawnOn = stock;
    BuildResults results;
    SilentPrompter nobody;
    BuildRunner runner(reference, layout, settings, results, drawnOn, nobody);
    runner.options.removeStock = false;
    runner.compute();

    PlanFigures figures;
    for (const SkillTotalRow &row : results.skillTotalRows())
        if (!row.blank())
            figures.skills.append(row);
    QHash<QString, int> implantLevels;
    for (const RequirementRow &row : results.requirementRows()) {
        figures.highestTreatment = std::max(figures.highestTreatment, row.treatment);
        figures.highestAbility = std::max(figures.highestAbility, row.abilityReq);
        figures.highestNanoProg = std::max(figures.highestNanoProg, row.skillReq);
        figures.credits += row.credits;
        ++figures.clusters;
        implantLevels.insert(row.slot, row.implantQL);
    }
    figures.implants = int(implantLevels.size());
    if (character.entered()) {
        const Ladder ladder = PlanLadder(PlannedImplants(layout.plan(), layout.catalogueNames()), character,
                                         TopQualityLevel, reference,
                                         LadderOptions{true, PlannedSymbiants(layout.plan(), reference)});
        int wearable = 0;
        for (auto at = implantLevels.cbegin(); at != implantLevels.cend(); ++at)
            if (ladder.finalLevel(at.key()) >= at.value())
                ++wearable;
        figures.wearable = wearable;
    }
    return figures;
}

namespace {

QString number(qint64 value)
{
    return QString::number(value);
}

QString difference(qint64 first, qint64 second)
{
    const qint64 by = second - first;
    return by > 0 ? u'+' + number(by) : number(by);
}

} // namespace

void FillComparisonTable(const QString &firstName, const PlanFigures &first, const QString &secondName,
                         const PlanFigures &second, TextTable &table)
{
    QList<QStringList> rows;
    QStringList skills;
    QHash<QString, qint64> firstTotals;
    QHash<QString, qint64> secondTotals;
    for (const SkillTotalRow &row : first.skills) {
        if (!firstTotals.contains(row.skill))
            skills.append(row.skill);
        firstTotals[row.skill] += row.increase;
    }
    for (const SkillTotalRow &row : second.skills) {
        if (!firstTotals.contains(row.skill) && !secondTotals.contains(row.skill))
            skills.append(row.skill);
        secondTotals[row.skill] += row.increase;
    }
    for (const QString &skill : skills) {
        const qint64 a = firstTotals.value(skill);
        const qint64 b = secondTotals.value(skill);
        rows.append({skill, number(a), number(b), difference(a, b)});
    }
    const auto figure = [&rows](const QString &name, qint64 a, qint64 b) {
        rows.append({name, number(a), number(b), difference(a, b)});
    };
    figure(QStringLiteral("Highest Treatment"), first.highestTreatment, second.highestTreatment);
    figure(QStringLiteral("Highest Ability"), first.highestAbility, second.highestAbility);
    figure(QStringLiteral("Highest Nano Programming"), first.highestNanoProg, second.highestNanoProg);
    figure(QStringLiteral("Total Credits"), first.credits, second.credits);
    figure(QStringLiteral("Clusters"), first.clusters, second.clusters);
    figure(QStringLiteral("Implants"), first.implants, second.implants);
    if (first.wearable && second.wearable)
        figure(QStringLiteral("Implants Wearable at Target"), *first.wearable, *second.wearable);

    table.setColumnCount(4);
    table.setRowCount(1);
    table.setRow(0, {QStringLiteral("Skill or Requirement"), firstName, secondName, QStringLiteral("Difference")});
    table.replaceRowsFrom(1, rows);
}

} // namespace ludra
