#include "layout/layoutdocument.h"

namespace ludra {

LayoutDocument::LayoutDocument(const TNanoList &catalogue, const QList<SkillEntry> &skills,
                               const DefaultSelections &defaultSelections, QObject *parent)
    : QObject(parent)
{
    m_layout.setCatalogue(catalogue);
    m_layout.defaultSelections() = defaultSelections;
    m_layout.skills().assignAvailable(skills);
}

LayoutDocument::~LayoutDocument() = default;

bool LayoutDocument::isModified() const
{
    return m_history ? !m_history->isClean() : m_unsaved;
}

void LayoutDocument::setHistory(std::unique_ptr<PlanHistory> history)
{
    m_history = std::move(history);
    if (m_history) {
        m_history->clear();
        if (m_unsaved)
            m_history->resetClean();
    }
    cleanChanged();
}

void LayoutDocument::setModified(bool modified)
{
    if (modified == m_modifiedTold)
        return;
    m_modifiedTold = modified;
    Q_EMIT modifiedChanged(modified);
}

void LayoutDocument::cleanChanged()
{
    setModified(isModified());
}

void LayoutDocument::changedWithoutStep()
{
    m_unsaved = true;
    if (m_history)
        m_history->resetClean();
    cleanChanged();
}

void LayoutDocument::startHistory()
{
    m_unsaved = false;
    if (m_history)
        m_history->clear();
    cleanChanged();
}

void LayoutDocument::markSaved()
{
    m_unsaved = false;
    if (m_history)
        m_history->setClean();
    cleanChanged();
}

bool LayoutDocument::editPlan(const QString &name, const std::function<void(LayoutState &)> &edit)
{
    return editPlanWith(name, edit, {}, {}, false);
}

bool LayoutDocument::editPlanWith(const QString &name, const std::function<void(LayoutState &)> &edit,
                                  std::any moreBefore, std::any moreAfter, bool moreChanged)
{
    const LayoutSnapshot before = m_layout.snapshot();
    bool changed = false;
    const auto record = [&] {
        LayoutSnapshot after = m_layout.snapshot();
        if (after == before && !moreChanged)
            return;
        changed = true;
        if (m_history) {
            m_history->push(name, DocumentStep{before, std::move(moreBefore)},
                            DocumentStep{std::move(after), std::move(moreAfter)});
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

void LayoutDocument::showStep(const DocumentStep &step)
{
    m_layout.restore(step.layout);
    if (step.more.has_value())
        restoreMore(step.more);
    Q_EMIT planChanged();
}

void LayoutDocument::historyMoved()
{
    // Only clearing the history leaves it without a step: a new or opened
    // plan's results (none, or the project's own) stand for it.
    if (m_history && m_history->count() > 0)
        outdate();
}

void LayoutDocument::setRules(const AllocationRules &rules)
{
    if (rules == m_layout.rules())
        return;
    m_layout.setRules(rules);
    changedWithoutStep();
}

} // namespace ludra
