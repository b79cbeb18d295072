#pragma once

#include "model/ludramodel.h"
#include "text/messages.h"
#include "model/projectstate.h"

#include <QMainWindow>

class QAction;
class QTabWidget;

#include <memory>

namespace ludra {

class BuildPage;
class TfrmGraphs;
class LayoutPage;
class Reports;
class Prompter;
class RequirementResultPage;
class SkillResultPage;
class SuggestionPage;
class LadderResultPage;

// The main window: owns the whole model and composes one page per tab, owns
// the menus, and runs the start-up order. Closing it ends the program without
// asking or saving anything.
class TfrmLudra : public QMainWindow
{
    Q_OBJECT

public:
    Reports &reports() { return *m_reports; }

    // The size of the window's client area below the menu bar.
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

public Q_SLOTS:
    void Exit1Click();
    // Shows the rules of automatic allocation and keeps them on OK.
    void AutoAllocateRules1Click();
    // Opens the stock control window; its stock file is read again after.
    void StockControl1Click();
    // Shows the Graphs window, made on first use; it stays open beside this
    // one and follows the plan.
    void Graphs1Click();
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

private:
    void createPages();
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
    void saveProjectAs(const MessageDef &title, const MessageDef &filter);
    // What the window shows of a project besides the model.
    ProjectShown shownState() const;
    // "Ludra - " and the project's path, or "Ludra" before there is one.
    void showTitle();
    // Tells the Graphs window, once there is one, that the plan, the
    // character or the build settings changed.
    void graphsChanged();

    Prompter &m_prompter;
    LudraModel m_model;
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
};

} // namespace ludra
