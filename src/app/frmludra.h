#pragma once

#include "model/projectstate.h"

#include <QList>
#include <QMainWindow>
#include <QMetaObject>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QUndoStack;

namespace ludra {

class BuildPage;
class DocumentController;
class LadderResultPage;
class LayoutPage;
class LudraSession;
class PageHolder;
class PlanDocument;
class Prompter;
class Reports;
enum class ReportGrid;
class RequirementResultPage;
class ResultPage;
class SkillResultPage;
class SuggestionPage;
class GraphsWindow;

// A main window: it shows one document (a plan with its settings and
// results) in one page per tab, with the menus, and follows the document
// through its signals. What a command does belongs to the part that owns it:
// the document's life (new, open, save, the question before unsaved changes
// go) to its controller, a plan edit to the page and the document. Several
// windows may be open, each with its document; they share the program's
// reference data and stock (their session). Closing a window asks about its
// own unsaved changes; closing the last ends the program.
class TfrmLudra : public QMainWindow
{
    Q_OBJECT

public:
    // The size of the window's client area below the menu bar when it opens
    // the first time, and the least it takes.
    static constexpr int ClientWidth = 766;
    static constexpr int ClientHeight = 412;

    // The first window: it starts the program (a session of its own) and
    // opens the first of the projects given, or with none reopens the last
    // project when the options ask for it.
    explicit TfrmLudra(Prompter &prompter, QWidget *parent = nullptr, const QStringList &projects = {});
    // Another window of a running session, with an empty plan.
    TfrmLudra(std::shared_ptr<LudraSession> session, Prompter &prompter);
    ~TfrmLudra() override;

    LudraSession &session() const { return *m_session; }
    DocumentController &controller() const { return *m_controller; }
    // The document shown.
    PlanDocument &document() const;
    // The history of the document shown.
    QUndoStack &undoStack() const;
    Reports &reports() { return *m_reports; }
    // The tabs but Layout are made when first shown; this makes every one now,
    // for what needs their controls without showing them (the example
    // language file, a test that looks for a control).
    void makeEveryPage();

    // Whether the tab shown allows the print commands: the Build tab does
    // not, the Layout tab and the first two result tabs do, and the
    // suggestions tab leaves them as the tab before it did.
    bool printCommandsAllowedByTab() const { return m_printAllowedByTab; }

public Q_SLOTS:
    void Exit1Click();
    // File: "&New", "New &Window", "&Open", "&Save", "Save &As...", a recent
    // project.
    void New1Click();
    void NewWindow1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void openRecent(const QString &path);
    // "&Undo", "&Redo": a step back or forth in the plan's history.
    void Undo1Click();
    void Redo1Click();
    // "&Copy Plan", "&Paste Plan": the layout as text on the clipboard, and
    // such text put back as one undoable edit.
    void CopyPlan1Click();
    void PastePlan1Click();
    // Shows the rules of automatic allocation and keeps them on OK.
    void AutoAllocateRules1Click();
    // Opens the stock control window; its stock file is read again after.
    void StockControl1Click();
    // Shows the Graphs window, made on first use; it stays open beside this
    // one and follows the plan.
    void Graphs1Click();
    // "Compare &Plans...": this plan beside another open one or a project.
    void ComparePlans1Click();
    void FindSymbiants1Click();
    // "&Options": whether the last project opens at start-up, whether to ask
    // about unsaved changes.
    void Options1Click();
    // "&Ludra Help" (F1): the help at the topic of the tab shown.
    void Help2Click();
    void AboutClick();
    // Another tab is shown.
    void pgcMainChange();
    // "Activate Stock Control" clicked or its target changed.
    void ApplyStockControl(bool targetChanged);
    // "&Build >>": builds the plan and shows the results.
    void btnBuildClick();
    // Reports: "&Print Report", "Print Pre&view", "Print S&ettings" and the
    // three exports, each taking the grid of the tab shown.
    void Print1Click();
    void PrintPreview1Click();
    void PrintSetup1Click();
    void CSV1Click();
    void HTML1Click();
    void WordDoc1Click();

protected:
    void showEvent(QShowEvent *event) override;
    // F1 in a dialog of the window opens the help at the dialog's topic.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The making of the window, shared by both constructors: its pages, its
    // menus, the language file's texts, the program started (first window),
    // and its first document.
    void compose();
    void createPages();
    void createMenus();
    // Start-up: asks about the plans a run that did not end normally kept
    // and restores them, the first into this window and each further one
    // into a window of its own. True when any was restored.
    bool restoreLeftPlans();
    void fillRecentMenu();
    // Turns every page, the graphs, the reports, the title and the history's
    // commands to a document, and follows it from then on.
    void showDocument(PlanDocument *document);
    // A project was opened: what the window shows of it besides the document.
    void showOpened(const ProjectShown &shown);
    // On the status bar, for as long as it lasts: the plan's unsaved changes
    // are not kept for recovery; why is its tooltip. Empty hides it.
    void showRecoveryProblem(const QString &problem);
    // The result tabs' captions greyed while the results are stale.
    void showStale();
    // "Ludra - " and the project's path, or "Ludra" before there is one; the
    // unsaved mark.
    void showTitle();
    // Enables the print commands where both the program and the tab allow.
    void showPrintCommands();
    // The history's commands over the document's stack.
    void showHistory();
    // Shows the help file at the topic, over the window given.
    void showHelp(const QString &topic, QWidget *over);
    // What the window stores of a project besides the document.
    ProjectShown shownState() const;
    // The column widths of a grid as shown.
    QList<int> gridWidths(ReportGrid grid) const;
    // The result pages made so far.
    QList<ResultPage *> resultPages() const;
    // A result tab that makes its page when first shown; the page then
    // follows the document like the others.
    PageHolder *addResultTab(const QString &name, const QString &caption, std::function<ResultPage *()> make);

    std::shared_ptr<LudraSession> m_session;
    Prompter &m_prompter;
    // The project the first window opens at start-up in place of the last
    // one; empty for none.
    QString m_startProject;
    DocumentController *m_controller = nullptr;
    std::unique_ptr<Reports> m_reports;
    QList<QMetaObject::Connection> m_documentConnections;
    QString m_caption;
    bool m_centred = false;
    bool m_printAllowedByTab = true;

    QTabWidget *tabs = nullptr;
    LayoutPage *tabReport = nullptr;
    BuildPage *tabBuild = nullptr;
    SkillResultPage *tabResultSkills = nullptr;
    RequirementResultPage *tabResultCosts = nullptr;
    SuggestionPage *tabResultSuggest = nullptr;
    LadderResultPage *tabResultLadder = nullptr;
    GraphsWindow *frmGraphs = nullptr;
    QLabel *lblRecovery = nullptr;
    // The holders of the Build tab and of the result tabs, in tab order.
    PageHolder *m_buildTab = nullptr;
    QList<PageHolder *> m_resultTabs;
    // Whether duplicates hold the plan undecided, which holds back the build.
    bool m_duplicates = false;

    QAction *PrintSetup1 = nullptr;
    QAction *PrintPreview1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;
    QMenu *mnuRecent = nullptr;
};

} // namespace ludra
