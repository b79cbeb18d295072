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
