#include "layout/undohistory.h"

#include "layout/layoutdocument.h"

#include <QUndoCommand>

namespace ludra {

namespace {

// One step of the plan's history: the layout before and after an edit. The
// edit is made first; the command only goes back and forth between the two.
class PlanEdit : public QUndoCommand
{
public:
    PlanEdit(const QString &text, DocumentStep before, DocumentStep after, LayoutDocument &document)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)), m_document(document)
    {
    }

    void undo() override { m_document.showStep(m_before); }
    void redo() override
    {
        // Pushing the step redoes it; the edit itself was made already.
        if (m_done) {
            m_done = false;
            return;
        }
        m_document.showStep(m_after);
    }

private:
    DocumentStep m_before;
    DocumentStep m_after;
    LayoutDocument &m_document;
    bool m_done = true;
};

} // namespace

UndoHistory::UndoHistory(LayoutDocument &document) : m_document(document), m_stack(std::make_unique<QUndoStack>())
{
    QObject::connect(m_stack.get(), &QUndoStack::cleanChanged, &document, [&document] { document.cleanChanged(); });
    QObject::connect(m_stack.get(), &QUndoStack::indexChanged, &document, [&document] { document.historyMoved(); });
}

UndoHistory::~UndoHistory()
{
    // The stack says it is cleared as it goes; the document is going too.
    QObject::disconnect(m_stack.get(), nullptr, nullptr, nullptr);
}

void UndoHistory::push(const QString &name, const DocumentStep &before, const DocumentStep &after)
{
    m_stack->push(new PlanEdit(name, before, after, m_document));
}

void UndoHistory::clear()
{
    m_stack->clear();
    // An empty history that was marked changed stays so through clear().
    m_stack->setClean();
}

QUndoStack *UndoHistory::stackOf(const LayoutDocument &document)
{
    auto *history = dynamic_cast<UndoHistory *>(document.history());
    return history ? &history->stack() : nullptr;
}

} // namespace ludra
