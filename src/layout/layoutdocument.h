#pragma once

#include "layout/layoutstate.h"
#include "layout/planhistory.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ludra {

// An open plan as the Layout tab knows it: the plan with how it is shown (the
// layout), its history of edits, and whether it has unsaved changes. Every
// change of the plan goes through here and is told by planChanged; the page
// that shows the layout follows it. It is the first layer of a document: the
// build adds the settings and results (BuildDocument), the program the file
// (PlanDocument).
class LayoutDocument : public QObject
{
    Q_OBJECT

public:
    // An empty plan over the catalogue, by body placement with skill names,
    // every skill of the catalogue available, the default selections given.
    LayoutDocument(const TNanoList &catalogue, const QList<SkillEntry> &skills,
                   const DefaultSelections &defaultSelections, QObject *parent = nullptr);
    ~LayoutDocument() override;

    // The layout is read through here; what changes the plan goes through
    // editPlan. The stock status over the grid (markers) is the layout's own
    // and may be set directly.
    LayoutState &layout() { return m_layout; }
    const LayoutState &layout() const { return m_layout; }

    // Whether the document differs from its file.
    bool isModified() const;

    // The history of plan edits; the document owns it. Without one, edits
    // are made and no step is kept.
    void setHistory(std::unique_ptr<PlanHistory> history);
    PlanHistory *history() const { return m_history.get(); }

    // Makes an edit of the layout and, when it changed the plan or how it is
    // shown, puts it onto the history under its name and tells planChanged.
    // What an edit changed before an error ended it is kept as a step too;
    // the error goes on. Returns whether anything changed.
    bool editPlan(const QString &name, const std::function<void(LayoutState &)> &edit);
    // A step of the history back or forth: the layout as the step holds it,
    // and what else of the document it holds.
    void showStep(const DocumentStep &step);
    // The history moved or its clean state changed (its owner tells).
    void historyMoved();
    void cleanChanged();

    // The allocation rules (not a step of the history).
    void setRules(const AllocationRules &rules);

Q_SIGNALS:
    // The plan, or how it is shown, changed: an edit, a step of the history,
    // an opened project.
    void planChanged();
    void modifiedChanged(bool modified);

protected:
    // The plan changed after a build: the layers that hold results mark
    // them stale.
    virtual void outdate() {}
    // An edit of the plan that changes more of the document with it: one
    // step holding, besides the layouts, what an upper layer keeps of the
    // document before and after (moreChanged: whether they differ), which a
    // step back or forth gives to restoreMore.
    bool editPlanWith(const QString &name, const std::function<void(LayoutState &)> &edit, std::any moreBefore,
                      std::any moreAfter, bool moreChanged);
    virtual void restoreMore(const std::any &) {}
    // A change that is no step of the history.
    void changedWithoutStep();
    // As the file has it: no steps, nothing unsaved (a project opened).
    void startHistory();
    // Saved as it stands.
    void markSaved();

private:
    void setModified(bool modified);

    LayoutState m_layout;
    std::unique_ptr<PlanHistory> m_history;
    // Without a history: whether the document differs from its file.
    bool m_unsaved = false;
    // The last modified state told.
    bool m_modifiedTold = false;
};

} // namespace ludra
