#include "build/buildrunner.h"

#include "build/buildformulas.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/implantrules.h"
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
#include <QSet>

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
    if (m_settings.target == BuildSettings::Target::OneLevel && m_settings.implantQL.value() == 0) {
        m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::NoTargetTitle),
                           LangMsg(Msg::NoTargetText));
        return false;
    }
    // A level the game does not have gives numbers nobody can use: the
    // build asks before it goes on.
    // A level that is no number is left to the build, which stops at it.
    int highest = 0;
    const auto consider = [&highest](const EnteredNumber &level) {
        if (const std::optional<int> number = level.number())
            highest = std::max(highest, *number);
    };
    switch (m_settings.target) {
    case BuildSettings::Target::OneLevel:
        consider(m_settings.implantQL);
        break;
    case BuildSettings::Target::Individual:
        for (const ImplantSelection &selection : m_layout.plan().implantSelections)
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
    m_results.setRequirementRows({});
    m_results.setSkillTotalRows({});

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

// The implant selection at the ladder's final levels: each implant the
// character can wear selected at its level, the others left out.
QList<ImplantSelection> atLadderLevels(const Ladder &ladder, const QStringList &bodySlots)
{
    QList<ImplantSelection> selections;
    for (const QString &slot : bodySlots) {
        const int ql = ladder.finalLevel(slot);
        selections.append(ImplantSelection{ql > 0, EnteredNumber(ql > 0 ? QString::number(ql) : QString())});
    }
    return selections;
}

} // namespace

void BuildRunner::compute()
{
    m_results.setRequirementRows({});
    m_results.setSkillTotalRows({});
    // "Highest I Can Wear" builds each implant at the ladder's final level,
    // as individual levels of the plan's selection would.
    QStringList unknown;
    const QList<Symbiant> symbiants = PlannedSymbiants(m_layout.plan(), m_reference, &unknown);
    for (const QString &slot : unknown)
        m_results.addLogLine(QStringLiteral("Unknown symbiant - ") + slot);
    if (!symbiants.isEmpty() || !unknown.isEmpty())
        if (const QString notice = m_reference.takeSymbiantNotice(); !notice.isEmpty())
            m_results.addLogLine(notice);
    QList<ImplantSelection> selections;
    std::optional<Ladder> ladder;
    if (m_settings.target == BuildSettings::Target::Highest) {
        ladder = PlanLadder(PlannedImplants(m_layout.plan(), m_layout.catalogueNames()), m_settings.character,
                            m_settings.ladderTopLevel, m_reference, LadderOptions{options.trickleDown, symbiants});
        selections = atLadderLevels(*ladder, m_reference.bodySlots());
        for (const LadderUnwearable &implant : ladder->unwearable)
            m_results.addLogLine(QStringLiteral("Left out - ") + implant.slot + QStringLiteral(": ") + implant.reason);
        m_results.setLadder(*ladder);
    } else {
        selections = m_layout.plan().implantSelections;
        m_results.clearLadder();
    }
    m_results.setDrewOnStock(m_settings.stockUse().onlyOwned);
    // The skill totals start with their one blank row, which the first skill
    // counted takes over.
    m_rows.clear();
    m_symbiantRows.clear();
    m_tallies = SkillTallies();
    // The cells of selected implants that hold a cluster.
    int placed = 0;
    try {
        for (int slot = 0; slot < BodySlotCount; ++slot) {
            for (int type = 0; type < ClusterTypeCount; ++type)
                placed += buildCell(selections, slot, type);
        }
    } catch (...) {
        // The tables keep what was made before the stop.
        writeRows();
        throw;
    }
    countSymbiants(symbiants, ladder ? &*ladder : nullptr);
    // A build that made no requirement row leaves every table empty and says
    // why, rather than showing the blank row as an implant of its own.
    if (m_rows.isEmpty() && m_symbiantRows.isEmpty()) {
        writeRows();
        m_results.setSuggestionRows({});
        m_results.setOutcome(placed == 0 ? BuildOutcome::NothingPlaced : BuildOutcome::NothingSourced);
        return;
    }
    fillCheaperLevels();
    Suggestions suggestions = BuildSuggestions(m_rows, m_reference.secSkills(), m_settings);
    for (RequirementRow &row : m_rows)
        row.attribute = suggestions.attributeOf(row.slot);
    writeRows();
    m_results.setSuggestionRows(std::move(suggestions.rows));
    m_results.setOutcome(BuildOutcome::Built);
}

bool BuildRunner::buildCell(const QList<ImplantSelection> &selections, int slotIndex, int typeIndex)
{
    const QStringList &bodySlots = m_reference.bodySlots();
    const QString &slot = bodySlots.at(slotIndex);
    // Everything about a cluster is looked up by its cluster name.
    const QString cluster =
        m_layout.plan().cell(slotIndex, typeIndex).shown(LayoutNames::ClusterNames, m_layout.catalogueNames());

    // A symbiant's slot keeps its clusters for later; none is built.
    if (m_layout.plan().bodySlots.at(std::size_t(slotIndex)).holdsSymbiant())
        return false;
    if (m_settings.target != BuildSettings::Target::OneLevel && IndividualQL(selections, bodySlots, slot) < 0)
        return false;
    if (TrimCtl(QStringView(cluster)).isEmpty())
        return false;
    const QString &type = ClusterTypeNames().at(typeIndex);
    const StockCell cell{slot, cluster, type};
    const int q = ImplantQL(m_settings, selections, bodySlots, slot);
    const StockUse use = m_settings.stockUse();
    // During a build the implant counts only when stock is used.
    const StockVerdict verdict = CheckStock(m_stock.stock(), use, cell, q, use.onlyOwned);
    if (verdict != StockVerdict::InStock) {
        m_results.addLogLine(StockFailureLine(verdict, cell, q, use));
        return true;
    }
    m_stock.useImplant(slot, q);

    RequirementRow row;
    row.cluster = cluster;
    row.slot = slot;
    row.type = typeIndex;
    row.implantQL = q;
    row.recipeText = ClusterSecSkill(m_reference.secSkills(), cluster, type);
    row.reached = RequirementRow::Reached::Type;
    try {
        row.clusterQL = SourceCluster(m_stock, use, cluster, type, q, false);
        row.reached = RequirementRow::Reached::Implant;
        row.skillReq = ClusterSkillReq(m_reference.requirements(), cluster, type, q);
        row.reached = RequirementRow::Reached::SkillReq;
        row.credits = StockCost(m_stock.stock(), use, cluster, type, row.clusterQL);
    } catch (...) {
        m_rows.append(row);
        throw;
    }
    const ImplantNeeds needs = NeedsAt(profileOf(slotIndex), q);
    row.treatment = needs.treatment;
    row.abilityReq = needs.ability;
    row.lowestClusterQL = LowestClusterQL(typeIndex, q);
    row.reached = RequirementRow::Reached::Whole;
    if (const TNano *record = FindCluster(m_reference.nanoList(), cluster))
        row.record = *record;
    m_rows.append(row);
    if (removing())
        SourceCluster(m_stock, use, cluster, type, q, true);
    const QString skill = row.record ? row.record->SkillName : QString();
    m_tallies.add(skill, SkillIncreaseOf(row.record ? &*row.record : nullptr, m_reference.skillReq(), type, q));
    return true;
}

const RequirementProfile *BuildRunner::profileOf(int slot) const
{
    std::array<QString, 3> clusters;
    for (int type = 0; type < ClusterTypeCount; ++type)
        clusters[std::size_t(type)] =
            TrimCtl(m_layout.plan().cell(slot, type).shown(LayoutNames::ClusterNames, m_layout.catalogueNames()));
    return ImplantProfile(m_reference, clusters);
}

void BuildRunner::fillCheaperLevels()
{
    // An implant is the run of rows of one slot; its bonuses are those of
    // the clusters built into it.
    for (qsizetype first = 0; first < m_rows.size();) {
        qsizetype end = first;
        QList<BonusCluster> clusters;
        while (end < m_rows.size() && m_rows.at(end).slot == m_rows.at(first).slot) {
            const RequirementRow &row = m_rows.at(end);
            clusters.append(BonusCluster{row.record ? &*row.record : nullptr, row.type});
            ++end;
        }
        const int q = m_rows.at(first).implantQL;
        const int level = SameBonusLevel(clusters, m_reference.skillReq(), q);
        const ImplantNeeds needs = NeedsAt(profileOf(int(m_reference.bodySlots().indexOf(m_rows.at(first).slot))), level);
        for (qsizetype i = first; i < end; ++i) {
            RequirementRow &row = m_rows[i];
            row.sameBonusQL = level;
            row.treatmentSaved = row.treatment - needs.treatment;
            row.abilitySaved = row.abilityReq - needs.ability;
        }
        first = end;
    }
}

void BuildRunner::countSymbiants(const QList<Symbiant> &symbiants, const Ladder *ladder)
{
    const Character &character = m_settings.character;
    for (const Symbiant &symbiant : symbiants) {
        const QString &slot = BodySlotNames().at(symbiant.slot);
        // What the character cannot wear, the ladder leaves out (and said so).
        if (ladder && ladder->finalLevel(slot) == 0)
            continue;
        m_symbiantRows.append(SymbiantRow{slot, symbiant, !character.entered() || symbiant.allows(character.profession)});
        for (const SymbiantBonus &bonus : symbiant.bonuses)
            m_tallies.addSymbiant(bonus.skill, bonus.amount, symbiant.title());
    }
}

void BuildRunner::writeRows()
{
    m_results.setRequirementRows(m_rows, m_symbiantRows);
    // What the abilities the build adds give every skill through
    // trickle-down: over the character's own abilities, or none entered.
    const QList<SkillTallies::Tally> &tallies = m_tallies.tallies();
    Stats added{};
    for (const SkillTallies::Tally &tally : tallies) {
        const int stat = StatIndex(TrimCtl(QStringView(tally.skill)));
        if (stat > int(Stat::Treatment))
            added[std::size_t(stat)] += tally.increase;
    }
    const Stats base = m_settings.character.entered() ? m_settings.character.stats : Stats{};
    const TrickleTable *trickle = options.trickleDown ? &m_reference.trickle() : nullptr;
    QList<SkillTotalRow> rows;
    QSet<QString> tallied;
    for (const SkillTallies::Tally &tally : tallies) {
        SkillTotalRow row{tally, std::nullopt};
        if (trickle && !tally.blank())
            row.trickle = TrickleInto(*trickle, tally.skill, base, added);
        tallied.insert(TrimCtl(tally.skill));
        rows.append(row);
    }
    m_results.setSkillTotalRows(std::move(rows));
    if (!trickle) {
        m_results.setTrickle(0, {});
        return;
    }
    QList<TrickleOnlySkill> only;
    for (const SkillEntry &entry : m_layout.plan().skills.selected()) {
        const QString skill = TrimCtl(entry.name);
        if (tallied.contains(skill))
            continue;
        tallied.insert(skill);
        if (const qint64 gain = TrickleInto(*trickle, skill, base, added); gain > 0)
            only.append(TrickleOnlySkill{skill, gain});
    }
    m_results.setTrickle(TrickleInto(*trickle, TreatmentSkill(), base, added), std::move(only));
}

void BuildRunner::removeUsedImplants()
{
    for (const UsedImplant &used : m_stock.ImplantsUsed)
        ImplantAvailable(m_stock, m_settings.stockUse(), used.slot, used.ql, true);
}

} // namespace ludra
