#pragma once

#include "model/ludramodel.h"
#include "text/messages.h"
#include "model/projectstate.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QTabWidget;
class QUndoStack;

#include <memory>

namespace ludra {

class BuildPage;
class TfrmGraphs;
class LayoutPage;
class Reports;
enum class ReportGrid;
class Prompter;
class RequirementResultPage;
class SkillResultPage;
class SuggestionPage;
class LadderResultPage;

// The main window: owns the whole model and composes one page per tab, owns
// the menus and the plan's history, and runs the start-up order. Closing it,
// opening a project or starting a new plan asks first when the plan has
// unsaved changes (unless the options say not to).
class TfrmLudra : public QMainWindow
{
    Q_OBJECT

public:
    Reports &reports() { return *m_reports; }

    // The size of the window's client area below the menu bar when it opens
    // the first time, and the least it takes.
    static constexpr int ClientWidth = 766;
    static constexpr int ClientHeight = 412;

    explicit TfrmLudra(Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmLudra() override;

    LudraModel &model() { return m_model; }
    const LudraModel &model() const { return m_model; }

    // Whether the tab shown allows the print commands: the Build tab does
    // not, the Layout tab and the first two result tabs do, and the
    // suggestions tab leaves them as the tab before it did.
    bool printCommandsAllowedByTab() const { return m_printAllowedByTab; }

    // The plan's history of edits.
    QUndoStack &undoStack() { return *m_undo; }

public Q_SLOTS:
    void Exit1Click();
    // "&New": an empty plan with the default settings.
    void New1Click();
    // "&Undo", "&Redo": a step back or forth in the plan's history.
    void Undo1Click();
    void Redo1Click();
    // "&Copy Plan", "&Paste Plan": the layout as text on the clipboard, and
    // such text put back as one undoable edit.
    void CopyPlan1Click();
    void PastePlan1Click();
    // A project of "Recent &Projects".
    void openRecent(const QString &path);
    // Shows the rules of automatic allocation and keeps them on OK.
    void AutoAllocateRules1Click();
    // Opens the stock control window; its stock file is read again after.
    void StockControl1Click();
    // Shows the Graphs window, made on first use; it stays open beside this
    // one and follows the plan.
    void Graphs1Click();
    // "&Ludra Help" (F1): the help at the topic of the tab shown.
    void Help2Click();
    void AboutClick();
    // Another tab is shown.
    void pgcMainChange();
    // "Activate Stock Control" clicked or its target changed: the layout's
    // stock status on or off, and the Build tab's settings that go with it.
    void ApplyStockControl(bool targetChanged);
    // "&Build >>": builds the layout and shows the results.
    void btnBuildClick();
    // Projects: "&Open", "&Save", "Save &As...".
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    // "&Options": whether the last project opens at start-up.
    void Options1Click();
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
    void createPages();
    // Shows the help file at the topic, over the window given.
    void showHelp(const QString &topic, QWidget *over);
    void createMenus();
    // Enables the print commands where both the program and the tab allow.
    void showPrintCommands();
    // Reads a project whole and, once it has been read, shows it; throws
    // with the file's name and the reason when it cannot be read, leaving the
    // plan on screen as it was.
    void openProject(const QString &path);
    // Shows a project the model has just opened.
    void showOpened(const ProjectShown &shown);
    // Writes the plan on screen to a project file.
    void saveProject(const QString &path);
    // False when the user cancelled the save dialog.
    bool saveProjectAs(const MessageDef &title, const MessageDef &filter);
    // "&Save": to the project's file, or as a new one; false when cancelled.
    bool saveCurrent();
    // Before the plan is closed or replaced: when it has unsaved changes and
    // the options ask for it, asks whether to save them. True to go on (saved
    // or discarded), false to keep everything as it was. A failed save
    // throws and keeps the plan.
    bool maybeSave();
    // The plan changed without a step of its history (settings, a build).
    void markChanged();
    // The plan or the settings changed after a build: its results stand for
    // what is gone; shown on the result tabs.
    void resultsOutdated();
    void showResultsState();
    // The title's mark follows the history's clean state, which those
    // changes reset.
    void showModified();
    // A project opened or a new plan: no history, nothing unsaved.
    void startHistory();
    // Line 2 of the options file and the recent projects.
    void rememberProject(const QString &path);
    void fillRecentMenu();
    // What the window shows of a project besides the model.
    ProjectShown shownState() const;
    // The column widths of a grid as shown.
    QList<int> gridWidths(ReportGrid grid) const;
    // "Ludra - " and the project's path, or "Ludra" before there is one.
    void showTitle();
    // Tells the Graphs window, once there is one, that the plan, the
    // character or the build settings changed.
    void graphsChanged();

    Prompter &m_prompter;
    LudraModel m_model;
    QUndoStack *m_undo = nullptr;
    QString m_caption;
    std::unique_ptr<Reports> m_reports;
    bool m_centred = false;
    bool m_printAllowedByTab = true;

    QTabWidget *tabs = nullptr;
    LayoutPage *tabReport = nullptr;
    BuildPage *tabBuild = nullptr;
    SkillResultPage *tabResultSkills = nullptr;
    RequirementResultPage *tabResultCosts = nullptr;
    SuggestionPage *tabResultSuggest = nullptr;
    LadderResultPage *tabResultLadder = nullptr;
    TfrmGraphs *frmGraphs = nullptr;

    QAction *PrintSetup1 = nullptr;
    QAction *PrintPreview1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;
    QMenu *mnuRecent = nullptr;
};

} // namespace ludra
