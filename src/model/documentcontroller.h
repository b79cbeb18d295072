#pragma once

#include "model/projectstate.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace ludra {

struct MessageDef;
class LudraProgram;
class PlanDocument;
class Prompter;
class RecoveryCopy;
struct LeftCopy;

// The life of the document a window shows: "&New", "&Open", "&Save", "Save
// &As...", the recent projects, the question before unsaved changes are
// thrown away, and the last project reopened at start-up. A new or opened
// plan is a new document: it is read whole into a document of its own first,
// so a file that cannot be read leaves the one shown as it was, and it
// replaces that one only then (documentChanged).
class DocumentController : public QObject
{
    Q_OBJECT

public:
    DocumentController(LudraProgram &program, Prompter &prompter, QObject *parent = nullptr);
    ~DocumentController() override;

    PlanDocument &document() const { return *m_document; }

    // How long after a change its recovery copy is written, the timer
    // started again by each change, and the longest a change waits.
    static constexpr int RecoveryDelay = 2000;
    static constexpr int RecoveryLongestWait = 10000;
    // The document's recovery copy (for the tests and the benchmarks).
    RecoveryCopy &recoveryCopy() const { return *m_recovery; }
    // Writes the recovery copy now, when there is anything unsaved; what the
    // timer runs.
    void writeRecoveryCopy();
    // Why the last recovery copy could not be written; empty while the copy
    // keeps up with the plan or nothing is unsaved.
    const QString &recoveryProblem() const { return m_recoveryProblem; }

    // What the window stores of a project besides the document (the grids'
    // column widths, the view selector), asked for at every save.
    std::function<ProjectShown()> shownState;
    // Readies a document the controller has just made (its history).
    std::function<void(PlanDocument &)> prepareDocument;
    // Brings forward another window that shows the project and answers true;
    // false when none does. Asked before a project is opened.
    std::function<bool(const QString &path)> showElsewhere;
    // Opens the project in a window of its own (the question before Open
    // offers it); without it the question does not.
    std::function<void(const QString &path)> openInNewWindow;

    // Commands. They throw what ends them, for the caller's error boundary.

    // "&New": an empty plan with the default settings, after the question.
    void newPlan();
    // "&Open": the question (which may send the project to a new window),
    // the file dialog, then the project.
    void open();
    // A project of "Recent &Projects": one that is gone is taken off the
    // list and said so.
    void openRecent(const QString &path);
    // Opens a project into this window without asking first; brings forward
    // the window that shows it already instead, when another does.
    void openPath(const QString &path);
    // "&Save": to the document's file, or as a new one; false when the
    // player cancelled.
    bool save();
    // "Save &As...": false when the player cancelled.
    bool saveAs();
    // Before the document is closed or replaced: when it has unsaved changes
    // and the options ask for it, asks whether to save them. True to go on
    // (saved or discarded), false to keep everything as it was. A failed
    // save throws and keeps the document.
    bool maybeSave();
    // Start-up: the project the options file names, when it asks for one;
    // a file that cannot be read is told and start-up goes on.
    void reopenLastProject();
    // Start-up after a run that did not end normally: the plan kept in a
    // recovery copy, as the project it belongs to with its changes unsaved;
    // the copy becomes this document's. Throws when the plan cannot be put
    // into a document, and the copy is left as it was.
    void restore(LeftCopy &&copy);
    // The window closed after the question before unsaved changes go: the
    // plan was saved or given up, so its recovery copy goes too.
    void closed();

Q_SIGNALS:
    // A new or opened plan replaced the document shown; the old one goes
    // once this returns.
    void documentChanged(PlanDocument *document);
    // A project was opened: what the window is to show of it besides the
    // document.
    void projectOpened(const ProjectShown &shown);
    // The recovery copy stopped being written (the reason), or is written
    // again or no longer needed (empty).
    void recoveryProblemChanged(const QString &problem);

private:
    std::unique_ptr<PlanDocument> makeDocument();
    void replace(std::unique_ptr<PlanDocument> document);
    void openProject(const QString &path);
    bool saveProjectAs(const MessageDef &title, const MessageDef &filter);
    void saveProject(const QString &path);
    // Line 2 of the options file and the recent projects.
    void rememberProject(const QString &path);
    // The recovery copy following the document shown.
    void followForRecovery();
    void noteChange();
    // The timer ran out: writes the copy once the plan has been still for
    // RecoveryDelay, or the first change has waited RecoveryLongestWait.
    void recoveryDue();
    // Nothing unsaved: no copy, and no problem with one.
    void dropRecoveryCopy();
    void setRecoveryProblem(const QString &problem);


    LudraProgram &m_program;
    Prompter &m_prompter;
    std::unique_ptr<PlanDocument> m_document;
    std::unique_ptr<RecoveryCopy> m_recovery;
    QTimer m_recoveryTimer;
    QString m_recoveryProblem;
    // Since the first change not yet in the copy, and since the last one:
    // a change costs the reading of a clock, never the making of a date.
    QElapsedTimer m_pendingSince;
    QElapsedTimer m_sinceChange;
};

} // namespace ludra
