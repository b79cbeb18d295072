#include "build/buildrunner.h"

#include "build/buildformulas.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/ladder.h"
#include "build/suggestions.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/text.h"
#include "data/referencedata.h"
#include "stock/stockfile.h"
#include "stock/stocksourcing.h"
#include "text/messages.h"

#include <QDir>

#include <algorithm>

namespace ludra {

BuildRunner::BuildRunner(const ReferenceData &reference, const LayoutState &layout, const BuildSettings &settings,
                         BuildResults &results, StockState &stock, Prompter &prompter)
    : m_reference(reference), m_layout(layout), m_settings(settings), m_results(results), m_stock(stock),
      m_prompter(prompter)
{
    stockPath = StockPath();
}

bool BuildRunner::removing() const
{
    return m_settings.removeStock && options.removeStock;
}

bool BuildRunner::run()
{
    if (m_settings.target() == BuildSettings::Target::OneLevel && StrToInt(m_settings.implantQLText) == 0) {
        m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::NoTargetTitle),
                           LangMsg(Msg::NoTargetText));
        return false;
    }
    // A level the game does not have gives numbers nobody can use: the
    // build asks before it goes on.
    // A level that is no number is left to the build, which stops at it.
    int highest = 0;
    const auto consider = [&highest](const QString &text) {
        int level = 0;
        if (TryStrToInt(text, level))
            highest = std::max(highest, level);
    };
    switch (m_settings.target()) {
    case BuildSettings::Target::OneLevel:
        consider(m_settings.implantQLText);
        break;
    case BuildSettings::Target::Individual:
        for (const ImplantSelection &selection : m_settings.implantSelections())
            if (selection.selected)
                consider(selection.qualityLevel);
        break;
    case BuildSettings::Target::Highest:
        break;
    }
    if (highest > TopQualityLevel &&
        m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::OkCancel, LangMsg(Msg::LevelAboveTopTitle),
                           LangMsg(Msg::LevelAboveTopText).arg(highest)) != Prompter::Answer::Ok)
        return false;
    if (removing() &&
        m_prompter.message(Prompter::Icon::Stop, Prompter::Buttons::OkCancel, LangMsg(Msg::RemoveStockTitle),
                           LangMsg(Msg::RemoveStockText)) != Prompter::Answer::Ok)
        return false;

    m_results.clearSortColumns();
    readStock();
    m_stock.resetUse();
    m_results.clearBuildLog();
    ClearResultTable(m_results.reqTable());
    ClearResultTable(m_results.skillIncTable());

    // While duplicate marks stand, which record gets a slot is still the
    // player's to decide: a build would read a choice nobody made.
    if (m_layout.duplicatesHoldPlan())
        throw Exception(LangMsg(Msg::DuplicatesLabel));
    compute();

    if (hooks.showResults)
        hooks.showResults();

    if (removing()) {
        removeUsedImplants();
        const QString text = QString::number(m_stock.ImplantsDeleted) + LangMsg(Msg::RemovedCountMiddle) +
                             QString::number(m_stock.ClustersDeleted) + LangMsg(Msg::RemovedCountEnd);
        if (m_prompter.message(Prompter::Icon::Stop, Prompter::Buttons::YesNo, LangMsg(Msg::RemovedCountTitle),
                               text) == Prompter::Answer::Yes)
            m_stock.save(stockPath);
        else
            m_stock.reload(stockPath, m_prompter);
    }
    return true;
}

void BuildRunner::readStock()
{
    // The register starts every build as the file has it, undoing whatever
    // an earlier build removed without keeping it.
    if (!options.requireStockFile) {
        m_stock.reload(stockPath, m_prompter);
        return;
    }
    if (m_settings.useStock && !m_stock.reload(stockPath, m_prompter))
        throw EStreamError(
            QStringLiteral("Cannot read the stock file \"%1\".").arg(QDir::toNativeSeparators(stockPath)));
}

namespace {

// The settings at the ladder's final levels: each implant the character can
// wear as an individual level, the others left out.
BuildSettings atLadderLevels(const BuildSettings &settings, const Ladder &ladder, const QStringList &bodySlots)
{
    BuildSettings levels = settings;
    levels.setTarget(BuildSettings::Target::Individual);
    QList<ImplantSelection> selections;
    for (const QString &slot : bodySlots) {
        const int ql = ladder.finalLevel(slot);
        selections.append(ImplantSelection{ql > 0, ql > 0 ? QString::number(ql) : QString()});
    }
    levels.setImplantSelections(selections);
    return levels;
}

} // namespace

void BuildRunner::compute()
{
    ClearResultTable(m_results.reqTable());
    ClearResultTable(m_results.skillIncTable());
    // "Highest I Can Wear" builds each implant at the ladder's final level,
    // as individual levels would.
    BuildSettings levels;
    if (m_settings.target() == BuildSettings::Target::Highest) {
        const Ladder ladder = PlanLadder(PlannedImplants(m_layout.plan(), m_layout.catalogueNames()),
                                         m_settings.character, m_settings.ladderTopLevel, m_reference);
        levels = atLadderLevels(m_settings, ladder, m_reference.bodySlots());
        for (const LadderUnwearable &implant : ladder.unwearable)
            m_results.addLogLine(QStringLiteral("Left out - ") + implant.slot + QStringLiteral(": ") + implant.reason);
        m_results.setLadder(ladder);
    } else {
        levels = m_settings;
        m_results.clearLadder();
    }
    // The skill table starts with its one blank row, which the first skill
    // counted takes over.
    m_tallies = SkillTallies();
    int outRow = 1;
    // The cells of selected implants that hold a cluster.
    int placed = 0;
    try {
        for (int slot = 0; slot < BodySlotCount; ++slot) {
            for (int type = 0; type < ClusterTypeCount; ++type)
                placed += buildCell(levels, slot, type, outRow);
        }
    } catch (...) {
        // The tables keep what was counted before the stop.
        writeSkillTallies();
        throw;
    }
    writeSkillTallies();
    ClearResultTable(m_results.suggestTable());
    // A build that made no requirement row leaves every table empty and says
    // why, rather than showing the blank row as an implant of its own.
    if (outRow == 1)
        m_results.setOutcome(placed == 0 ? BuildOutcome::NothingPlaced : BuildOutcome::NothingSourced);
    else {
        BuildSuggestions(m_results.reqTable(), m_results.suggestTable(), m_reference.secSkills(), levels);
        m_results.setOutcome(BuildOutcome::Built);
    }
}

bool BuildRunner::buildCell(const BuildSettings &settings, int slotIndex, int typeIndex, int &outRow)
{
    const QStringList &bodySlots = m_reference.bodySlots();
    const QString &slot = bodySlots.at(slotIndex);
    // Everything about a cluster is looked up by its cluster name.
    const QString cluster =
        m_layout.plan().cell(slotIndex, typeIndex).shown(LayoutNames::ClusterNames, m_layout.catalogueNames());

    if (!settings.oneLevel && IndividualQL(settings, bodySlots, slot) < 0)
        return false;
    if (TrimCtl(QStringView(cluster)).isEmpty())
        return false;
    const std::optional<StockCell> cell = StockCell{slot, cluster, ClusterTypeNames().at(typeIndex)};
    const int q = ImplantQL(settings, bodySlots, slot);
    const StockUse use = settings.stockUse();
    // During a build the implant counts only when stock is used.
    const StockVerdict verdict = CheckStock(m_stock.stock(), use, *cell, q, use.onlyOwned);
    if (verdict != StockVerdict::InStock) {
        m_results.addLogLine(StockFailureLine(verdict, *cell, q, use));
        return true;
    }
    m_stock.useImplant(cell->slot, q);

    TextTable &req = m_results.reqTable();
    if (outRow > 1)
        req.setRowCount(outRow + 1);
    req.setCell(ReqCol::Type, outRow, ClusterTypeNames().at(typeIndex));
    const QString type = req.cell(ReqCol::Type, outRow);
    const QString sec = ClusterSecSkill(m_reference.secSkills(), cluster, type);
    const int clusterQL = SourceCluster(m_stock, use, cluster, type, q, false);
    req.setCell(ReqCol::Cluster, outRow, cluster + QStringLiteral(" (QL ") + QString::number(clusterQL) +
                                             QLatin1Char(')'));
    req.setCell(ReqCol::Implant, outRow, slot + QStringLiteral(" (QL ") + QString::number(q) + QLatin1Char(')'));
    req.setCell(ReqCol::SkillReq, outRow,
                QString::number(ClusterSkillReq(m_reference.requirements(), cluster, type, q)));
    req.setCell(ReqCol::Credits, outRow,
                QString::number(StockCost(m_stock.stock(), use, cluster, type, clusterQL)));
    req.setCell(ReqCol::Treatment, outRow, QString::number(TreatmentReq(q)));
    req.setCell(ReqCol::SecondarySkill, outRow, QString::number(SecondarySkillReq(q)) + QLatin1Char(' ') + sec);
    const QString skill = ClusterToSkill(m_reference.nanoList(), cluster);
    if (removing())
        SourceCluster(m_stock, use, cluster, type, q, true);
    m_tallies.add(skill, SkillIncrease(m_reference.nanoList(), m_reference.skillReq(), cluster, type, q));
    ++outRow;
    return true;
}

void BuildRunner::writeSkillTallies()
{
    TextTable &table = m_results.skillIncTable();
    const QList<SkillTallies::Tally> &tallies = m_tallies.tallies();
    table.setRowCount(int(tallies.size()) + 1);
    for (int i = 0; i < int(tallies.size()); ++i) {
        const SkillTallies::Tally &tally = tallies.at(i);
        if (tally.blank())
            table.setRow(i + 1, {QString(), QString(), QString()});
        else
            table.setRow(i + 1, {tally.skill, QString::number(tally.increase), QString::number(tally.clusters)});
    }
}

void BuildRunner::removeUsedImplants()
{
    for (const UsedImplant &used : m_stock.ImplantsUsed)
        ImplantAvailable(m_stock, m_settings.stockUse(), used.slot, used.ql, true);
}

} // namespace ludra
