#include "app/frmludra.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmoptions.h"
#include "app/helptopics.h"
#include "text/langapply.h"
#include "text/langfile.h"
#include "model/options.h"
#include "model/projectstate.h"
#include "text/messages.h"
#include "build/buildpage.h"
#include "build/buildrunner.h"
#include "build/frmgraphs.h"
#include "reports/reports.h"
#include "build/resultpages.h"
#include "build/stockstatus.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "layout/frmautoalloc.h"
#include "layout/layoutpage.h"
#include "stock/frmstockcontrol.h"
#include "views/widgets.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QUndoStack>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

TfrmLudra::TfrmLudra(Prompter &prompter, QWidget *parent) : QMainWindow(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmLudra"));
    m_undo = new QUndoStack(this);
    setWindowTitle(QStringLiteral("Ludra"));
    setWindowIcon(LudraIcon());
    // F1 in the dialogs opened from here (see eventFilter).
    qApp->installEventFilter(this);

    // The controls exist first; then the model is loaded in a fixed order.
    // Message boxes shown on the way are modal and hold the creation until
    // they are answered; the window always opens in the end.
    LangOpen();
    // Before any of the toolkit's own texts is made (a dialog's buttons).
    LangLoadToolkitTranslation();
    createPages();
    createMenus();
    // Before anything fills the controls: the texts made later (marker and
    // default-selection menus, messages) come from the message table.
    LangApplyProgram(*this);
    // The caption as the language file has it; the project's name and the
    // unsaved-changes mark are added to it.
    m_caption = windowTitle();

    const StartReport started = m_model.start(m_prompter, StartOptions{.reopenLastProject = true});
    tabReport->buildDefaultSelectionsMenu();
    tabReport->buildMarkerMenu(MarkerCaptions());
    tabReport->showStarted(started.catalogueRead());
    if (started.reopened) {
        showOpened(*started.reopened);
        RunCommand(m_prompter, [this] { AddRecentProject(m_model.fileName()); });
    } else {
        showTitle();
    }
    // The design's size at first; then where the window was last closed.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    const QByteArray geometry = WindowGeometryOption();
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        m_centred = true;
}

TfrmLudra::~TfrmLudra()
{
    // The Graphs window reads the model: it goes first.
    delete frmGraphs;
    // The undo stack says it is cleared as it is deleted; by the time the
    // toolkit deletes its children this window is only a QWidget, so its
    // handlers must no longer hear it.
    tabReport->setUndoStack(nullptr);
    disconnect(m_undo, nullptr, nullptr, nullptr);
    delete m_undo;
}

void TfrmLudra::createPages()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("pnlClient"));
    // The design's size is the least the window takes and what it opens at;
    // it grows as far as the user likes, the grids taking the room.
    client->setMinimumSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    tabs = Named(new QTabWidget(client), QStringLiteral("pgcMain"), QStringLiteral("Pages"));
    tabReport = new LayoutPage(m_model.layout(), m_model.reference(), m_prompter);
    tabBuild = new BuildPage(m_model.buildSettings(), m_prompter);
    tabResultSkills = new SkillResultPage(m_model.results(), m_prompter);
    tabResultCosts = new RequirementResultPage(m_model.results(), m_model.buildSettings(), m_prompter);
    tabResultSuggest = new SuggestionPage(m_model.results());
    tabResultLadder = new LadderResultPage(m_model.results());
    tabs->addTab(tabReport, QStringLiteral("Layout"));
    tabs->addTab(tabBuild, QStringLiteral("Build"));
    tabs->addTab(tabResultSkills, QStringLiteral("Result - Skill Increases"));
    tabs->addTab(tabResultCosts, QStringLiteral("Result - Requirements"));
    tabs->addTab(tabResultSuggest, QStringLiteral("Result - Suggestions"));
    tabs->addTab(tabResultLadder, QStringLiteral("Result - Ladder"));
    tabs->setCurrentWidget(tabReport);
    connect(tabs, &QTabWidget::currentChanged, this, &TfrmLudra::pgcMainChange);
    m_reports = std::make_unique<Reports>(m_model.layout(), m_model.results(), m_prompter, *this);
    m_reports->projectPath = [this] { return m_model.fileName(); };
    m_reports->columnWidths = [this](ReportGrid grid) { return gridWidths(grid); };
    const auto printLog = [this](const QStringList &lines) {
        RunCommand(m_prompter, [this, &lines] { m_reports->printLog(lines); });
    };
    tabResultSkills->setLogPrinter(printLog);
    tabResultCosts->setLogPrinter(printLog);
    tabResultCosts->setShoppingListPrinter(
        [this] { RunCommand(m_prompter, [this] { m_reports->printShoppingList(); }); });
    connect(tabBuild->buildButton(), &QPushButton::clicked, this, &TfrmLudra::btnBuildClick);
    // Duplicates hold the layout in the skill view, where a build cannot read
    // it: the build waits until an edit clears them.
    connect(tabReport, &LayoutPage::duplicatesChecked, tabBuild->buildButton(), &QWidget::setDisabled);
    connect(tabReport, &LayoutPage::stockControlChanged, this, &TfrmLudra::ApplyStockControl);
    tabReport->setStockCheck([this](int column, int row) {
        LudraModel &m = m_model;
        if (column < 0)
            CheckLayoutStock(tabReport->stockTarget(), m.layout(), m.buildSettings(), m.stock(),
                             m.reference().nanoList());
        else
            CheckCellStock(column, row, tabReport->stockTarget(), m.layout(), m.buildSettings(), m.stock(),
                           m.reference().nanoList());
    });
    // A changed maximum or warning recolours the requirements.
    connect(tabBuild, &BuildPage::settingsChanged, tabResultCosts, &RequirementResultPage::settingsChanged);
    // Every plan edit goes onto the history, whose clean state says whether
    // the plan differs from its file; the settings and a build change the
    // plan without a step of their own.
    tabReport->setUndoStack(m_undo);
    connect(m_undo, &QUndoStack::cleanChanged, this, &TfrmLudra::showModified);
    // A step of the history or a changed setting leaves the last results
    // standing for a plan that is no longer there.
    // Only clearing the history leaves it without a step: a new or opened
    // plan's results (none, or the project's own) stand for it.
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        if (m_undo->count() > 0)
            resultsOutdated();
    });
    connect(tabBuild, &BuildPage::settingsChanged, this, &TfrmLudra::resultsOutdated);
    connect(tabBuild, &BuildPage::settingsChanged, this, &TfrmLudra::markChanged);
    // The graphs follow the plan and the settings.
    connect(tabReport, &LayoutPage::planChanged, this, &TfrmLudra::graphsChanged);
    connect(tabBuild, &BuildPage::settingsChanged, this, &TfrmLudra::graphsChanged);

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs);
}

void TfrmLudra::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuMain"));
    bar->setAccessibleName(QStringLiteral("Main menu"));

    // A command with a standard key of the platform takes it. The key is no
    // part of the caption, so a language file's caption leaves it working,
    // and the menu shows it beside whatever caption the item has.
    auto item = [this](QMenu *menu, const QString &name, const QString &caption,
                       QKeySequence::StandardKey key = QKeySequence::UnknownKey) {
        auto *action = new QAction(caption, this);
        action->setObjectName(name);
        if (key != QKeySequence::UnknownKey)
            action->setShortcuts(key);
        // Desktops without a key of their own for these (a bare X session)
        // get the one every desktop of this platform knows.
        if (action->shortcuts().isEmpty() && key == QKeySequence::SaveAs)
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        if (action->shortcuts().isEmpty() && key == QKeySequence::Quit)
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        menu->addAction(action);
        return action;
    };
    auto submenu = [](QWidget *owner, const QString &name, const QString &caption) {
        auto *menu = new QMenu(caption, owner);
        menu->setObjectName(name);
        return menu;
    };

    QMenu *file = submenu(bar, QStringLiteral("File1"), QStringLiteral("&File"));
    bar->addMenu(file);
    connect(item(file, QStringLiteral("New1"), QStringLiteral("&New"), QKeySequence::New), &QAction::triggered, this,
            &TfrmLudra::New1Click);
    connect(item(file, QStringLiteral("Open1"), QStringLiteral("&Open"), QKeySequence::Open), &QAction::triggered, this,
            &TfrmLudra::Open1Click);
    mnuRecent = submenu(file, QStringLiteral("RecentProjects1"), QStringLiteral("Recent &Projects"));
    mnuRecent->setToolTipsVisible(true);
    file->addMenu(mnuRecent);
    // The list is read afresh each time the File menu opens.
    connect(file, &QMenu::aboutToShow, this, &TfrmLudra::fillRecentMenu);
    file->addSeparator();
    connect(item(file, QStringLiteral("Save1"), QStringLiteral("&Save"), QKeySequence::Save), &QAction::triggered, this,
            &TfrmLudra::Save1Click);
    connect(item(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As..."), QKeySequence::SaveAs),
            &QAction::triggered, this, &TfrmLudra::SaveAs1Click);
    QMenu *exportMenu = submenu(file, QStringLiteral("Export1"), QStringLiteral("Exp&ort"));
    file->addMenu(exportMenu);
    connect(item(exportMenu, QStringLiteral("CSV1"), QStringLiteral("C&SV")), &QAction::triggered, this,
            &TfrmLudra::CSV1Click);
    connect(item(exportMenu, QStringLiteral("HTML1"), QStringLiteral("H&TML")), &QAction::triggered, this,
            &TfrmLudra::HTML1Click);
    connect(item(exportMenu, QStringLiteral("WordDoc1"), QStringLiteral("&Word Doc")), &QAction::triggered, this,
            &TfrmLudra::WordDoc1Click);
    file->addSeparator();
    PrintSetup1 = item(file, QStringLiteral("PrintSetup1"), QStringLiteral("Print S&ettings"));
    PrintPreview1 = item(file, QStringLiteral("PrintPreview1"), QStringLiteral("Print Pre&view"));
    Print1 = item(file, QStringLiteral("Print1"), QStringLiteral("&Print Report"), QKeySequence::Print);
    connect(PrintSetup1, &QAction::triggered, this, &TfrmLudra::PrintSetup1Click);
    connect(PrintPreview1, &QAction::triggered, this, &TfrmLudra::PrintPreview1Click);
    connect(Print1, &QAction::triggered, this, &TfrmLudra::Print1Click);
    file->addSeparator();
    connect(item(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"), QKeySequence::Quit), &QAction::triggered, this,
            &TfrmLudra::Exit1Click);

    QMenu *edit = submenu(bar, QStringLiteral("Edit1"), QStringLiteral("&Edit"));
    bar->addMenu(edit);
    Undo1 = item(edit, QStringLiteral("Undo1"), LangMsg(Msg::UndoPrefix), QKeySequence::Undo);
    Redo1 = item(edit, QStringLiteral("Redo1"), LangMsg(Msg::RedoPrefix), QKeySequence::Redo);
    // Their captions name the step, from the message table.
    for (QAction *action : {Undo1, Redo1}) {
        action->setProperty(LangFixed, true);
        action->setEnabled(false);
    }
    connect(Undo1, &QAction::triggered, this, &TfrmLudra::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TfrmLudra::Redo1Click);
    const auto named = [](QAction *action, const MessageDef &prefix, const QString &step) {
        action->setText(step.isEmpty() ? LangMsg(prefix) : LangMsg(prefix) + u' ' + step);
    };
    connect(m_undo, &QUndoStack::undoTextChanged, this,
            [this, named](const QString &step) { named(Undo1, Msg::UndoPrefix, step); });
    connect(m_undo, &QUndoStack::redoTextChanged, this,
            [this, named](const QString &step) { named(Redo1, Msg::RedoPrefix, step); });
    connect(m_undo, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    edit->addSeparator();
    connect(item(edit, QStringLiteral("CopyPlan1"), QStringLiteral("&Copy Plan")), &QAction::triggered, this,
            &TfrmLudra::CopyPlan1Click);
    connect(item(edit, QStringLiteral("PastePlan1"), QStringLiteral("&Paste Plan")), &QAction::triggered, this,
            &TfrmLudra::PastePlan1Click);

    QMenu *tools = submenu(bar, QStringLiteral("Tools1"), QStringLiteral("&Tools"));
    bar->addMenu(tools);
    connect(item(tools, QStringLiteral("AutoAllocateRules1"), QStringLiteral("&Auto Allocate Rules")),
            &QAction::triggered, this, &TfrmLudra::AutoAllocateRules1Click);
    connect(item(tools, QStringLiteral("StockControl1"), QStringLiteral("Stoc&k Control")), &QAction::triggered, this,
            &TfrmLudra::StockControl1Click);
    connect(item(tools, QStringLiteral("Graphs1"), QStringLiteral("&Graphs")), &QAction::triggered, this,
            &TfrmLudra::Graphs1Click);
    tools->addSeparator();
    connect(item(tools, QStringLiteral("Options1"), QStringLiteral("&Options")), &QAction::triggered, this,
            &TfrmLudra::Options1Click);

    QMenu *help = submenu(bar, QStringLiteral("Help1"), QStringLiteral("&Help"));
    bar->addMenu(help);
    connect(item(help, QStringLiteral("Help2"), QStringLiteral("&Ludra Help"), QKeySequence::HelpContents),
            &QAction::triggered, this, &TfrmLudra::Help2Click);
    help->addSeparator();
    connect(item(help, QStringLiteral("About1"), QStringLiteral("&About")), &QAction::triggered, this,
            &TfrmLudra::AboutClick);

    showPrintCommands();
}

void TfrmLudra::showPrintCommands()
{
    const bool enabled = m_printAllowedByTab;
    for (QAction *action : {PrintSetup1, PrintPreview1, Print1})
        action->setEnabled(enabled);
}

void TfrmLudra::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void TfrmLudra::Exit1Click()
{
    // Closing asks about unsaved changes.
    RunCommand(m_prompter, [this] { close(); });
}

void TfrmLudra::closeEvent(QCloseEvent *event)
{
    bool closing = false;
    RunCommand(m_prompter, [this, &closing] { closing = maybeSave(); });
    if (!closing) {
        event->ignore();
        return;
    }
    // Where the window was, for the next start; a file that cannot be
    // written costs nothing but that.
    RunCommand(m_prompter, [this] { SetWindowGeometryOption(saveGeometry()); });
    QMainWindow::closeEvent(event);
}

bool TfrmLudra::maybeSave()
{
    if (!isWindowModified() || !AskToSaveOption())
        return true;
    const QString name = m_model.fileName().isEmpty()
                             ? LangMsg(Msg::UntitledProject)
                             : u'"' + QFileInfo(m_model.fileName()).fileName() + u'"';
    switch (m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::SaveDiscardCancel, QStringLiteral("Ludra"),
                               LangMsg(Msg::SaveChangesText).arg(name))) {
    case Prompter::Answer::Save:
        return saveCurrent();
    case Prompter::Answer::Discard:
        return true;
    default:
        return false;
    }
}

void TfrmLudra::resultsOutdated()
{
    // Results already marked stay as they are shown: an edit after the
    // first costs no repaint of the result tabs.
    BuildResults &results = m_model.results();
    const bool wasStale = results.stale();
    results.markStale();
    if (results.stale() != wasStale)
        showResultsState();
}

void TfrmLudra::showResultsState()
{
    const bool stale = m_model.results().stale();
    for (ResultPage *page : {static_cast<ResultPage *>(tabResultSkills), static_cast<ResultPage *>(tabResultCosts),
                             static_cast<ResultPage *>(tabResultSuggest), static_cast<ResultPage *>(tabResultLadder)}) {
        page->showState();
        // A result tab's caption is greyed while its results are stale.
        tabs->tabBar()->setTabTextColor(tabs->indexOf(page), stale ? palette().color(QPalette::Disabled,
                                                                                   QPalette::WindowText)
                                                                   : QColor());
    }
}

void TfrmLudra::markChanged()
{
    // No step of the history is the file's any more, until the next save.
    m_undo->resetClean();
}

void TfrmLudra::showModified()
{
    setWindowModified(!m_undo->isClean());
}

void TfrmLudra::startHistory()
{
    m_undo->clear();
    // An empty history that was marked changed stays so through clear().
    m_undo->setClean();
    showModified();
}

void TfrmLudra::New1Click()
{
    RunCommand(m_prompter, [this] {
        if (!maybeSave())
            return;
        m_model.newPlan();
        startHistory();
        showResultsState();
        showTitle();
        tabReport->showPlan();
        tabBuild->showSettings();
    });
}

void TfrmLudra::Undo1Click()
{
    RunCommand(m_prompter, [this] {
        m_undo->undo();
        tabReport->checkStockAfterHistoryStep();
    });
}

void TfrmLudra::Redo1Click()
{
    RunCommand(m_prompter, [this] {
        m_undo->redo();
        tabReport->checkStockAfterHistoryStep();
    });
}

void TfrmLudra::CopyPlan1Click()
{
    RunCommand(m_prompter, [this] { QGuiApplication::clipboard()->setText(tabReport->planText()); });
}

void TfrmLudra::PastePlan1Click()
{
    RunCommand(m_prompter, [this] { tabReport->pastePlan(QGuiApplication::clipboard()->text()); });
}

void TfrmLudra::fillRecentMenu()
{
    RunCommand(m_prompter, [this] {
        mnuRecent->clear();
        const QStringList paths = RecentProjects();
        for (int i = 0; i < int(paths.size()); ++i) {
            const QString &path = paths.at(i);
            auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), mnuRecent);
            action->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
            action->setToolTip(QDir::toNativeSeparators(path));
            action->setProperty(LangFixed, true);
            connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
            mnuRecent->addAction(action);
        }
        mnuRecent->setEnabled(!paths.isEmpty());
    });
}

void TfrmLudra::openRecent(const QString &path)
{
    RunCommand(m_prompter, [this, &path] {
        if (!QFileInfo::exists(path)) {
            m_prompter.message(Prompter::Icon::Information, Prompter::Buttons::Ok, LangMsg(Msg::RecentGoneTitle),
                               LangMsg(Msg::RecentGoneText).arg(QDir::toNativeSeparators(path)));
            ForgetRecentProject(path);
            return;
        }
        if (maybeSave())
            openProject(path);
    });
}

void TfrmLudra::pgcMainChange()
{
    RunCommand(m_prompter, [this] {
        QWidget *shown = tabs->currentWidget();
        if (shown == tabBuild)
            m_printAllowedByTab = false;
        else if (shown == tabReport || shown == tabResultSkills || shown == tabResultCosts || shown == tabResultLadder)
            m_printAllowedByTab = true;
        // The suggestions leave the commands as they were.
        showPrintCommands();
    });
}

void TfrmLudra::AutoAllocateRules1Click()
{
    RunCommand(m_prompter, [this] {
        TfrmAutoAlloc dialog(this);
        dialog.setRules(m_model.layout().rules());
        if (m_prompter.runDialog(dialog) == Prompter::Answer::Ok && !(dialog.rules() == m_model.layout().rules())) {
            m_model.layout().setRules(dialog.rules());
            markChanged();
        }
    });
}

void TfrmLudra::StockControl1Click()
{
    RunCommand(m_prompter, [this] {
        {
            TfrmStockControl window(m_prompter, this);
            m_prompter.runDialog(window);
        }
        m_model.reloadStock(m_prompter);
    });
}

void TfrmLudra::Graphs1Click()
{
    RunCommand(m_prompter, [this] {
        if (!frmGraphs) {
            frmGraphs = new TfrmGraphs(m_model.layout(), m_model.buildSettings(), m_model.reference(), m_prompter,
                                       this);
            frmGraphs->projectPath = [this] { return m_model.fileName(); };
        }
        frmGraphs->show();
        frmGraphs->raise();
        frmGraphs->activateWindow();
    });
}

void TfrmLudra::graphsChanged()
{
    if (frmGraphs)
        frmGraphs->planChanged();
}

void TfrmLudra::Help2Click()
{
    const QString topic = HelpTopicFor(tabs->currentWidget());
    showHelp(topic.isEmpty() ? HelpContentsTopic : topic, this);
}

void TfrmLudra::showHelp(const QString &topic, QWidget *over)
{
    RunCommand(m_prompter, [this, &topic, over] {
        const QString helpFile = ReferenceFile(QStringLiteral("Ludra.hlp"));
        if (!QFileInfo::exists(helpFile))
            throw EStreamError(QStringLiteral("Cannot find the help file \"%1\".").arg(helpFile));
        TfrmHelp help(helpFile, topic, over);
        m_prompter.runDialog(help);
    });
}

bool TfrmLudra::eventFilter(QObject *watched, QEvent *event)
{
    // The main window's own F1 is the shortcut of "&Ludra Help"; a dialog
    // in front of it gets the key instead, and opens its own topic. The
    // help window and the toolkit's dialogs have none.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::HelpContents)) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        QWidget *window = widget ? widget->window() : nullptr;
        if (window && window != this && !qobject_cast<TfrmHelp *>(window)) {
            const QString topic = HelpTopicFor(widget);
            if (!topic.isEmpty()) {
                showHelp(topic, window);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmLudra::AboutClick()
{
    RunCommand(m_prompter, [this] {
        TfrmAbout about(this);
        m_prompter.runDialog(about);
    });
}

void TfrmLudra::ApplyStockControl(bool targetChanged)
{
    RunCommand(m_prompter, [this, targetChanged] {
        resultsOutdated();
        ludra::ApplyStockControl(tabReport->stockControlOn(), tabReport->stockTarget(), targetChanged,
                                 m_model.layout(), m_model.buildSettings(), m_model.stock(),
                                 m_model.reference().nanoList());
        tabReport->showStockControl();
        tabBuild->showSettings();
        markChanged();
        graphsChanged();
    });
}

void TfrmLudra::btnBuildClick()
{
    RunCommand(m_prompter, [this] {
        BuildRunner runner(m_model.reference(), m_model.layout(), m_model.buildSettings(), m_model.results(),
                           m_model.stock(), m_prompter);
        runner.hooks.showResults = [this] { tabs->setCurrentIndex(tabs->currentIndex() + 1); };
        if (runner.run())
            markChanged();
        showResultsState();
    });
}

// ---------------------------------------------------------------------------
// Projects.

void TfrmLudra::Open1Click()
{
    RunCommand(m_prompter, [this] {
        if (!maybeSave())
            return;
        Prompter::FileRequest request;
        request.title = QStringLiteral("Open");
        request.filter = QStringLiteral("Ludra Files (*.lud)|*.lud");
        request.defaultSuffix = QStringLiteral("lud");
        request.initialPath = m_model.fileName();
        const QString path = m_prompter.openFileName(request);
        if (!path.isEmpty())
            openProject(path);
    });
}

void TfrmLudra::Save1Click()
{
    RunCommand(m_prompter, [this] { saveCurrent(); });
}

bool TfrmLudra::saveCurrent()
{
    if (m_model.fileName().isEmpty())
        return saveProjectAs(Msg::SaveUnnamedTitle, Msg::SaveUnnamedFilter);
    saveProject(m_model.fileName());
    return true;
}

void TfrmLudra::SaveAs1Click()
{
    RunCommand(m_prompter, [this] { saveProjectAs(Msg::SaveAsTitle, Msg::SaveAsFilter); });
}

bool TfrmLudra::saveProjectAs(const MessageDef &title, const MessageDef &filter)
{
    Prompter::FileRequest request;
    request.title = LangMsg(title);
    request.filter = LangMsg(filter);
    request.defaultSuffix = QStringLiteral("lud");
    request.initialPath = m_model.fileName();
    const QString path = m_prompter.saveFileName(request);
    if (path.isEmpty())
        return false;
    saveProject(path);
    return true;
}

ProjectShown TfrmLudra::shownState() const
{
    ProjectShown shown;
    shown.viewSelectorEnabled = tabReport->viewSelectorEnabled();
    shown.widths.layout = gridWidths(ReportGrid::Layout);
    shown.widths.skills = gridWidths(ReportGrid::Skills);
    shown.widths.requirements = gridWidths(ReportGrid::Requirements);
    shown.widths.suggestions = gridWidths(ReportGrid::Suggestions);
    shown.widths.ladder = gridWidths(ReportGrid::Ladder);
    return shown;
}

QList<int> TfrmLudra::gridWidths(ReportGrid grid) const
{
    if (grid == ReportGrid::Layout)
        return tabReport->gridWidths();
    QList<int> widths;
    if (const auto *view = findChild<QTableView *>(ReportGridNames().at(int(grid))))
        for (int c = 0; c < view->model()->columnCount(); ++c)
            widths.append(view->columnWidth(c));
    return widths;
}

void TfrmLudra::saveProject(const QString &path)
{
    // The file is written whole beside the old one and then takes its place,
    // so a failed write leaves the old file as it was; the plan on screen is
    // never touched by saving.
    m_model.saveProject(path, shownState());
    m_undo->setClean();
    showTitle();
    rememberProject(path);
}

void TfrmLudra::openProject(const QString &path)
{
    showOpened(m_model.openProject(path));
    rememberProject(path);
}

void TfrmLudra::rememberProject(const QString &path)
{
    RecordLastProject(path);
    AddRecentProject(path);
}

void TfrmLudra::showOpened(const ProjectShown &shown)
{
    startHistory();
    showResultsState();
    showTitle();
    tabReport->showRestored(shown.viewSelectorEnabled);
    tabBuild->showSettings();
}

void TfrmLudra::showTitle()
{
    // "[*]" shows as "*" while the plan has unsaved changes.
    setWindowTitle(m_model.fileName().isEmpty() ? m_caption + QStringLiteral("[*]")
                                                : m_caption + QStringLiteral(" - ") + m_model.fileName() +
                                                      QStringLiteral("[*]"));
    showModified();
}

void TfrmLudra::Options1Click()
{
    RunCommand(m_prompter, [this] {
        TfrmOptions options(this);
        options.setAutoLoad(AutoLoadOption(ReadOptions()));
        options.setAskToSave(AskToSaveOption());
        if (m_prompter.runDialog(options) != Prompter::Answer::Ok)
            return;
        SetAutoLoadOption(options.autoLoad());
        SetAskToSaveOption(options.askToSave());
    });
}

// ---------------------------------------------------------------------------
// Reports.

void TfrmLudra::Print1Click()
{
    RunCommand(m_prompter, [this] { m_reports->printReport(tabs->currentIndex()); });
}

void TfrmLudra::PrintPreview1Click()
{
    RunCommand(m_prompter, [this] { m_reports->printPreview(tabs->currentIndex()); });
}

void TfrmLudra::PrintSetup1Click()
{
    RunCommand(m_prompter, [this] { m_reports->printSettings(tabs->currentIndex()); });
}

void TfrmLudra::CSV1Click()
{
    RunCommand(m_prompter, [this] { m_reports->exportTable(tabs->currentIndex(), Reports::Format::Csv); });
}

void TfrmLudra::HTML1Click()
{
    RunCommand(m_prompter, [this] { m_reports->exportTable(tabs->currentIndex(), Reports::Format::Html); });
}

void TfrmLudra::WordDoc1Click()
{
    RunCommand(m_prompter, [this] { m_reports->exportTable(tabs->currentIndex(), Reports::Format::Rtf); });
}

} // namespace ludra
