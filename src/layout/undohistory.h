#pragma once

#include "layout/planhistory.h"

#include <QUndoStack>

#include <memory>

namespace ludra {

class LayoutDocument;

// A document's history over the toolkit's undo stack: each step goes back and
// forth between the two layouts it holds, and the stack's clean state is the
// document's unsaved state. The window's "&Undo" and "&Redo" work on the
// stack of the document it shows.
class UndoHistory : public PlanHistory
{
public:
    explicit UndoHistory(LayoutDocument &document);
    ~UndoHistory() override;

    QUndoStack &stack() const { return *m_stack; }

    void push(const QString &name, const DocumentStep &before, const DocumentStep &after) override;
    void clear() override;
    int count() const override { return m_stack->count(); }
    bool isClean() const override { return m_stack->isClean(); }
    void setClean() override { m_stack->setClean(); }
    void resetClean() override { m_stack->resetClean(); }

    // The stack of a document's history, when it is one of these.
    static QUndoStack *stackOf(const LayoutDocument &document);

private:
    LayoutDocument &m_document;
    std::unique_ptr<QUndoStack> m_stack;
};

} // namespace ludra
