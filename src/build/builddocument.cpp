#include "build/builddocument.h"

#include "build/stockstatus.h"
#include "data/referencedata.h"

namespace ludra {

BuildDocument::BuildDocument(const ReferenceData &reference, StockState &stock,
                             const DefaultSelections &defaultSelections, QObject *parent)
    : LayoutDocument(reference.nanoList(), reference.skillEntries(), defaultSelections, parent),
      m_reference(reference), m_stock(stock)
{
}

void BuildDocument::outdate()
{
    const bool wasStale = m_results.stale();
    m_results.markStale();
    if (m_results.stale() != wasStale)
        Q_EMIT staleChanged(m_results.stale());
}

void BuildDocument::setSettings(const BuildSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    outdate();
    changedWithoutStep();
    Q_EMIT settingsChanged();
}

void BuildDocument::applyStockControl(bool on, const QString &targetText, bool targetChanged)
{
    outdate();
    BuildSettings settings = m_settings;
    ApplyStockControl(on, targetText, targetChanged, layout(), settings, m_stock, m_reference.nanoList());
    const bool settingsDiffer = !(settings == m_settings);
    m_settings = settings;
    changedWithoutStep();
    if (settingsDiffer)
        Q_EMIT settingsChanged();
}

std::optional<QList<ImplantSelection>> BuildDocument::cheaperLevels() const
{
    const QList<RequirementRow> &rows = m_results.requirementRows();
    if (rows.isEmpty())
        return std::nullopt;
    QList<ImplantSelection> selections = layout().plan().implantSelections;
    const QStringList &bodySlots = m_reference.bodySlots();
    while (selections.size() < bodySlots.size())
        selections.append(ImplantSelection{});
    for (ImplantSelection &selection : selections)
        selection.selected = false;
    bool cheaper = false;
    for (const RequirementRow &row : rows) {
        const qsizetype slot = bodySlots.indexOf(row.slot);
        if (slot < 0 || row.reached != RequirementRow::Reached::Whole)
            continue;
        selections[slot] = ImplantSelection{true, EnteredNumber(QString::number(row.sameBonusQL))};
        cheaper = cheaper || row.sameBonusQL < row.implantQL;
    }
    if (!cheaper)
        return std::nullopt;
    return selections;
}

bool BuildDocument::useCheaperLevels(const QString &name)
{
    const std::optional<QList<ImplantSelection>> levels = cheaperLevels();
    if (!levels)
        return false;
    BuildSettings after = m_settings;
    after.target = BuildSettings::Target::Individual;
    const bool settingsChange = !(after == m_settings);
    const BuildSettings before = m_settings;
    // The settings change with the plan, so that whoever follows the plan
    // finds them changed already.
    editPlanWith(
        name,
        [&](LayoutState &layout) {
            layout.setImplantSelections(*levels);
            m_settings = after;
        },
        before, after, settingsChange);
    if (settingsChange)
        Q_EMIT settingsChanged();
    return true;
}

void BuildDocument::pastePlan(const QString &name, const PlanReading &reading, const PlanLabels &labels)
{
    const BuildSettings before = m_settings;
    const BuildSettings after = PlanLabelSettings(labels, m_settings);
    const bool settingsChange = !(after == before);
    editPlanWith(
        name,
        [&](LayoutState &layout) {
            PlaceLabelledPlan(layout, reading, labels);
            m_settings = after;
        },
        before, after, settingsChange);
    if (settingsChange)
        Q_EMIT settingsChanged();
}

void BuildDocument::restoreMore(const std::any &more)
{
    if (const auto *settings = std::any_cast<BuildSettings>(&more); settings && !(*settings == m_settings)) {
        m_settings = *settings;
        Q_EMIT settingsChanged();
    }
}

bool BuildDocument::build(Prompter &prompter, const BuildOptions &options, const BuildHooks &hooks)
{
    BuildRunner runner(m_reference, layout(), m_settings, m_results, m_stock, prompter);
    runner.options = options;
    runner.hooks = hooks;
    const bool wasStale = m_results.stale();
    bool ran = false;
    try {
        ran = runner.run();
    } catch (...) {
        Q_EMIT resultsChanged();
        throw;
    }
    if (ran)
        changedWithoutStep();
    Q_EMIT resultsChanged();
    if (m_results.stale() != wasStale)
        Q_EMIT staleChanged(m_results.stale());
    return ran;
}

void BuildDocument::tellOpened()
{
    Q_EMIT planChanged();
    Q_EMIT settingsChanged();
    Q_EMIT resultsChanged();
    Q_EMIT staleChanged(m_results.stale());
}

} // namespace ludra
