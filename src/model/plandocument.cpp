#include "model/plandocument.h"

#include "common/errors.h"
#include "common/wholefile.h"
#include "model/program.h"
#include "storage/projectfile.h"
#include "build/stockstatus.h"

namespace ludra {

PlanDocument::PlanDocument(LudraProgram &program, QObject *parent) : QObject(parent), m_program(program)
{
    m_layout.setCatalogue(program.reference().nanoList());
    m_layout.defaultSelections() = program.defaultSelections();
    m_layout.skills().assignAvailable(program.reference().skillEntries());
}

PlanDocument::~PlanDocument() = default;

const ReferenceData &PlanDocument::reference() const
{
    return m_program.reference();
}

StockState &PlanDocument::stock() const
{
    return m_program.stock();
}

bool PlanDocument::isModified() const
{
    return m_history ? !m_history->isClean() : m_unsaved;
}

void PlanDocument::setHistory(std::unique_ptr<PlanHistory> history)
{
    m_history = std::move(history);
    if (m_history) {
        m_history->clear();
        if (m_unsaved)
            m_history->resetClean();
    }
    cleanChanged();
}

void PlanDocument::setModified(bool modified)
{
    if (modified == m_modifiedTold)
        return;
    m_modifiedTold = modified;
    Q_EMIT modifiedChanged(modified);
}

void PlanDocument::cleanChanged()
{
    setModified(isModified());
}

void PlanDocument::changedWithoutStep()
{
    m_unsaved = true;
    if (m_history)
        m_history->resetClean();
    cleanChanged();
}

void PlanDocument::outdate()
{
    const bool wasStale = m_results.stale();
    m_results.markStale();
    if (m_results.stale() != wasStale)
        Q_EMIT staleChanged(m_results.stale());
}

bool PlanDocument::editPlan(const QString &name, const std::function<void(LayoutState &)> &edit)
{
    const LayoutSnapshot before = m_layout.snapshot();
    bool changed = false;
    const auto record = [&] {
        LayoutSnapshot after = m_layout.snapshot();
        if (after == before)
            return;
        changed = true;
        if (m_history) {
            m_history->push(name, before, after);
        } else {
            m_unsaved = true;
            cleanChanged();
        }
        outdate();
        Q_EMIT planChanged();
    };
    try {
        edit(m_layout);
    } catch (...) {
        record();
        throw;
    }
    record();
    return changed;
}

void PlanDocument::showStep(const LayoutSnapshot &snapshot)
{
    m_layout.restore(snapshot);
    Q_EMIT planChanged();
}

void PlanDocument::historyMoved()
{
    // Only clearing the history leaves it without a step: a new or opened
    // plan's results (none, or the project's own) stand for it.
    if (m_history && m_history->count() > 0)
        outdate();
}

void PlanDocument::setSettings(const BuildSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    outdate();
    changedWithoutStep();
    Q_EMIT settingsChanged();
}

void PlanDocument::setRules(const AllocationRules &rules)
{
    if (rules == m_layout.rules())
        return;
    m_layout.setRules(rules);
    changedWithoutStep();
}

void PlanDocument::applyStockControl(bool on, const QString &targetText, bool targetChanged)
{
    outdate();
    BuildSettings settings = m_settings;
    ApplyStockControl(on, targetText, targetChanged, m_layout, settings, stock(), reference().nanoList());
    const bool settingsDiffer = !(settings == m_settings);
    m_settings = settings;
    changedWithoutStep();
    if (settingsDiffer)
        Q_EMIT settingsChanged();
}

bool PlanDocument::build(Prompter &prompter, const BuildOptions &options, const BuildHooks &hooks)
{
    BuildRunner runner(reference(), m_layout, m_settings, m_results, stock(), prompter);
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

void PlanDocument::startHistory()
{
    m_unsaved = false;
    if (m_history)
        m_history->clear();
    cleanChanged();
}

ProjectShown PlanDocument::open(const QString &path)
{
    // The file is read whole before anything changes: a file that cannot be
    // read costs the user nothing but the message.
    ProjectShown shown;
    try {
        shown = ApplyProject(ReadProjectFile(path), reference().nanoList(), m_layout, m_settings, m_results);
    } catch (const EStreamError &e) {
        // A file that cannot be opened says so, with its name, once.
        throw Exception(e.message().startsWith(CannotOpenFileMessage(path, QString()).trimmed())
                            ? e.message()
                            : CannotOpenDocumentMessage(path, e.message()));
    } catch (const Exception &e) {
        throw Exception(CannotOpenDocumentMessage(path, e.message()));
    }
    m_fileName = path;
    startHistory();
    Q_EMIT fileNameChanged(m_fileName);
    Q_EMIT planChanged();
    Q_EMIT settingsChanged();
    Q_EMIT resultsChanged();
    Q_EMIT staleChanged(m_results.stale());
    return shown;
}

ProjectImage PlanDocument::projectImage(const ProjectShown &shown) const
{
    return CaptureProject(m_layout, m_settings, m_results, shown);
}

void PlanDocument::save(const QString &path, const ProjectShown &shown)
{
    WriteProjectFile(path, projectImage(shown));
    const bool renamed = path != m_fileName;
    m_fileName = path;
    m_unsaved = false;
    if (m_history)
        m_history->setClean();
    cleanChanged();
    if (renamed)
        Q_EMIT fileNameChanged(m_fileName);
}

} // namespace ludra
