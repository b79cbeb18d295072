#pragma once

#include "layout/layoutstate.h"

#include <QString>

#include <any>

namespace ludra {

// A document's history of plan edits, as the window keeps it (over the
// toolkit's undo stack): each step holds the plan, as it was shown, before
// and after an edit; going a step back or forth puts one of them back through
// LayoutDocument::showStep. The history also keeps whether the plan is as last
// saved ("clean"). A document without one (the command-line tool's) keeps no
// steps and only that.
// One side of a step: the layout as shown and, for an edit that changed more
// of the document than its plan (a setting with it), what the document keeps
// of that besides; empty for a plan edit alone.
struct DocumentStep
{
    LayoutSnapshot layout;
    std::any more;
};

class PlanHistory
{
public:
    virtual ~PlanHistory() = default;

    // Adds a step made already; the history does not redo it now.
    virtual void push(const QString &name, const DocumentStep &before, const DocumentStep &after) = 0;
    // No steps, and the plan as saved: a new or opened plan.
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual bool isClean() const = 0;
    // The plan was saved as it stands.
    virtual void setClean() = 0;
    // The plan changed without a step of its own (a setting, a build): no
    // step is the saved one any more.
    virtual void resetClean() = 0;
};

} // namespace ludra
