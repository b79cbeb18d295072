#include "app/frmludra.h"

#include "app/frmhelp.h"
#include "app/helptopics.h"
#include "app/session.h"
#include "build/buildpage.h"
#include "build/graphswindow.h"
#include "build/resultpages.h"
#include "build/stockstatus.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/prompter.h"
#include "layout/layoutpage.h"
#include "model/documentcontroller.h"
#include "model/options.h"
#include "model/plandocument.h"
#include "model/recovery.h"
#include "reports/reports.h"
#include "stock/stockfile.h"
#include "text/langapply.h"
#include "text/langfile.h"
#include "text/messages.h"
#include "views/pageholder.h"
#include "layout/undohistory.h"
#include "views/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

TfrmLudra::TfrmLudra(Prompter &prompter, QWidget *parent, const QStringList &projects)
    : QMainWindow(parent), m_session(std::make_shared<LudraSession>(prompter)), m_prompter(prompter),
      m_startProject(projects.value(0))
{
    compose();
}

TfrmLudra::TfrmLudra(std::shared_ptr<LudraSession> session, Prompter &prompter)
    : QMainWindow(nullptr), m_session(std::move(session)), m_prompter(prompter)
{
    compose();
}

void TfrmLudra::compose()
{
    setObjectName(QStringLiteral("frmLudra"));
    setWindowTitle(QStringLiteral("Ludra"));
    // F1 in the dialogs opened from here (see eventFilter).
    qApp->installEventFilter(this);

    // The controls exist first; then the program is loaded in a fixed order.
    // Message boxes shown on the way are modal and hold the creation until
    // they are answered; the window always opens in the end.
    const bool first = !m_session->started();
    if (first) {
        LangOpen();
        // Before any of the toolkit's own texts is made (a dialog's buttons).
        LangLoadToolkitTranslation();
    }
    createPages();
    createMenus();
    // Before anything fills the controls: the texts made later (marker and
    // default-selection menus, messages) come from the message table.
    LangApplyProgram(*this);
    // The caption as the language file has it; the project's name and the
    // unsaved-changes mark are added to it.
    m_caption = windowTitle();

    m_session->start();
    m_session->addWindow(this);
    LudraProgram &program = m_session->program();
    tabReport->buildMarkerMenu(MarkerCaptions());
    tabReport->setCatalogueRead(m_session->startReport().catalogueRead());

    m_controller = new DocumentController(program, m_prompter, this);
    m_controller->shownState = [this] { return shownState(); };
    m_controller->prepareDocument = [](PlanDocument &document) {
        document.setHistory(std::make_unique<UndoHistory>(document));
    };
    m_controller->showElsewhere = [this](const QString &path) {
        TfrmLudra *other = m_session->windowShowing(path, this);
        if (!other)
            return false;
        other->showNormal();
        other->raise();
        other->activateWindow();
        return true;
    };
    m_controller->openInNewWindow = [this](const QString &path) { m_session->newWindow(path); };
    m_controller->prepareDocument(m_controller->document());
    connect(m_controller, &DocumentController::documentChanged, this, &TfrmLudra::showDocument);
    connect(m_controller, &DocumentController::projectOpened, this, &TfrmLudra::showOpened);
    connect(m_controller, &DocumentController::recoveryProblemChanged, this, &TfrmLudra::showRecoveryProblem);
    showDocument(&m_controller->document());

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (first) {
        // The plans a run that did not end normally kept come first; the
        // project named at start then opens beside them.
        if (restoreLeftPlans()) {
            if (!m_startProject.isEmpty())
                m_session->newWindow(m_startProject);
        } else if (m_startProject.isEmpty()) {
            m_controller->reopenLastProject();
        } else {
            RunCommand(m_prompter, [this] { m_controller->openPath(m_startProject); });
        }
        program.stock().reload(StockPath(), m_prompter);
        // The design's size at first; then where the window was last closed.
        const QByteArray geometry = WindowGeometryOption();
        if (!geometry.isEmpty() && restoreGeometry(geometry))
            m_centred = true;
    }
}

bool TfrmLudra::restoreLeftPlans()
{
    std::vector<LeftCopy> copies;
    RunCommand(m_prompter, [this, &copies] { copies = AskToRestore(m_prompter); });
    bool restored = false;
    for (LeftCopy &copy : copies) {
        TfrmLudra *window = restored ? m_session->newWindow() : this;
        const QString path = copy.path;
        try {
            window->controller().restore(std::move(copy));
            restored = true;
        } catch (const Exception &e) {
            // Left where it is, for the next start, and said so.
            if (window != this)
                window->close();
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::RecoveryTitle),
                               LangMsg(Msg::RecoveryUnreadableText).arg(e.message(), QDir::toNativeSeparators(path)));
        }
    }
    return restored;
}

TfrmLudra::~TfrmLudra()
{
    m_session->removeWindow(this);
    for (const QMetaObject::Connection &connection : m_documentConnections)
        disconnect(connection);
    // What shows the document goes before it.
    delete frmGraphs;
    delete tabs;
    delete m_controller;
}

PlanDocument &TfrmLudra::document() const
{
    return m_controller->document();
}

QUndoStack &TfrmLudra::undoStack() const
{
    return *UndoHistory::stackOf(document());
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
    tabReport = new LayoutPage(m_prompter);
    tabs->addTab(tabReport, QStringLiteral("Layout"));
    // Only the Layout tab is shown at start-up: the others make their pages
    // when first shown.
    m_buildTab = new PageHolder(QStringLiteral("tabBuild"), [this] {
        tabBuild = new BuildPage(m_prompter);
        return tabBuild;
    });
    connect(m_buildTab, &PageHolder::pageMade, this, [this](QWidget *made) {
        LangApplyProgram(*this, *made);
        tabBuild->setDocument(&document());
        connect(tabBuild->buildButton(), &QPushButton::clicked, this, &TfrmLudra::btnBuildClick);
        tabBuild->buildButton()->setDisabled(m_duplicates);
    });
    tabs->addTab(m_buildTab, QStringLiteral("Build"));
    const auto printLog = [this](const QStringList &lines) {
        RunCommand(m_prompter, [this, &lines] { m_reports->printLog(lines); });
    };
    addResultTab(QStringLiteral("tabResultSkills"), QStringLiteral("Result - Skill Increases"), [this, printLog] {
        tabResultSkills = new SkillResultPage(m_prompter);
        tabResultSkills->setLogPrinter(printLog);
        return tabResultSkills;
    });
    addResultTab(QStringLiteral("tabResultCosts"), QStringLiteral("Result - Requirements"), [this, printLog] {
        tabResultCosts = new RequirementResultPage(m_prompter);
        tabResultCosts->setLogPrinter(printLog);
        tabResultCosts->setShoppingListPrinter(
            [this] { RunCommand(m_prompter, [this] { m_reports->printShoppingList(); }); });
        // The switch is a step of the history; the build that follows shows
        // what it costs, on this page.
        connect(tabResultCosts, &RequirementResultPage::cheaperLevelsWanted, this, [this] {
            RunCommand(m_prompter, [this] {
                if (document().useCheaperLevels(LangMsg(Msg::UseCheaperLevels)))
                    document().build(m_prompter);
            });
        });
        return tabResultCosts;
    });
    addResultTab(QStringLiteral("tabResultSuggest"), QStringLiteral("Result - Suggestions"), [this] {
        tabResultSuggest = new SuggestionPage;
        return tabResultSuggest;
    });
    addResultTab(QStringLiteral("tabResultLadder"), QStringLiteral("Result - Ladder"), [this] {
        tabResultLadder = new LadderResultPage;
        return tabResultLadder;
    });
    tabs->setCurrentWidget(tabReport);
    connect(tabs, &QTabWidget::currentChanged, this, &TfrmLudra::pgcMainChange);

    m_reports = std::make_unique<Reports>(m_prompter, *this);
    m_reports->projectPath = [this] { return document().fileName(); };
    m_reports->columnWidths = [this](ReportGrid grid) { return gridWidths(grid); };

    // Duplicates hold the layout in the skill view, where the plan's slots
    // are not decided yet: the build waits until an edit clears them.
    connect(tabReport, &LayoutPage::duplicatesChecked, this, [this](bool duplicates) {
        m_duplicates = duplicates;
        if (tabBuild)
            tabBuild->buildButton()->setDisabled(duplicates);
    });
    connect(tabReport, &LayoutPage::stockControlChanged, this, &TfrmLudra::ApplyStockControl);
    tabReport->setSymbiantSources([this] { return document().reference().symbiants(); },
                                  [this] { return document().buildSettings().character; },
                                  [this] { return document().reference().takeSymbiantNotice(); });
    tabReport->setStockCheck([this](int column, int row) {
        PlanDocument &doc = document();
        if (column < 0)
            CheckLayoutStock(tabReport->stockTarget(), doc.layout(), doc.buildSettings(), doc.stock(),
                             doc.reference().nanoList());
        else
            CheckCellStock(column, row, tabReport->stockTarget(), doc.layout(), doc.buildSettings(), doc.stock(),
                           doc.reference().nanoList());
    });

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs);
}

PageHolder *TfrmLudra::addResultTab(const QString &name, const QString &caption, std::function<ResultPage *()> make)
{
    auto *holder = new PageHolder(name, std::move(make));
    connect(holder, &PageHolder::pageMade, this, [this](QWidget *made) {
        // The page takes the language file's texts and the document shown,
        // as the pages made with the window did.
        LangApplyProgram(*this, *made);
        static_cast<ResultPage *>(made)->setDocument(&document());
    });
    tabs->addTab(holder, caption);
    m_resultTabs.append(holder);
    return holder;
}

void TfrmLudra::makeEveryPage()
{
    tabReport->makeDeferred();
    m_buildTab->page();
    for (PageHolder *holder : m_resultTabs)
        holder->page();
}

QList<ResultPage *> TfrmLudra::resultPages() const
{
    QList<ResultPage *> made;
    for (ResultPage *page : {static_cast<ResultPage *>(tabResultSkills), static_cast<ResultPage *>(tabResultCosts),
                             static_cast<ResultPage *>(tabResultSuggest), static_cast<ResultPage *>(tabResultLadder)})
        if (page)
            made.append(page);
    return made;
}

void TfrmLudra::showDocument(PlanDocument *shown)
{
    for (const QMetaObject::Connection &connection : m_documentConnections)
        disconnect(connection);
    tabReport->setDocument(shown);
    if (tabBuild)
        tabBuild->setDocument(shown);
    for (ResultPage *page : resultPages())
        page->setDocument(shown);
    if (frmGraphs)
        frmGraphs->setDocument(shown);
    m_reports->setSources(shown->layout(), shown->results());
    m_documentConnections = {
        connect(shown, &PlanDocument::fileNameChanged, this, &TfrmLudra::showTitle),
        connect(shown, &PlanDocument::modifiedChanged, this, &TfrmLudra::showTitle),
        connect(shown, &PlanDocument::staleChanged, this, &TfrmLudra::showStale),
    };
    showHistory();
    showTitle();
    showStale();
}

void TfrmLudra::showOpened(const ProjectShown &shown)
{
    tabReport->showRestored(shown.viewSelectorEnabled);
}

void TfrmLudra::showRecoveryProblem(const QString &problem)
{
    if (problem.isEmpty()) {
        if (lblRecovery)
            statusBar()->hide();
        return;
    }
    if (!lblRecovery) {
        // Made at the first problem: a window whose copies are written has
        // no status bar to take room.
        lblRecovery = MakeStateLabel(QString(), QStringLiteral("lblRecovery"), LangMsg(Msg::RecoveryNotWrittenPurpose),
                                     this);
        lblRecovery->setProperty(LangFixed, true);
        lblRecovery->setWordWrap(true);
        statusBar()->addWidget(lblRecovery, 1);
    }
    lblRecovery->setText(LangMsg(Msg::RecoveryNotWritten));
    // The reason names the file and the system's words for what went wrong.
    lblRecovery->setToolTip(problem);
    statusBar()->show();
}

void TfrmLudra::showStale()
{
    const bool stale = document().results().stale();
    for (PageHolder *tab : m_resultTabs)
        // A result tab's caption is greyed while its results are stale.
        tabs->tabBar()->setTabTextColor(tabs->indexOf(tab), stale ? palette().color(QPalette::Disabled,
                                                                                  QPalette::WindowText)
                                                                  : QColor());
}

void TfrmLudra::showTitle()
{
    const QString &fileName = document().fileName();
    // "[*]" shows as "*" while the plan has unsaved changes.
    setWindowTitle(fileName.isEmpty() ? m_caption + QStringLiteral("[*]")
                                      : m_caption + QStringLiteral(" - ") + fileName + QStringLiteral("[*]"));
    setWindowModified(document().isModified());
}

void TfrmLudra::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The icon's images are read once the window is up: the player sees the
    // window sooner, and its icon a moment after.
    if (windowIcon().isNull())
        QTimer::singleShot(0, this, [this] { setWindowIcon(LudraIcon()); });
    if (m_centred)
        return;
    m_centred = true;
    QScreen *screen = this->screen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    // A further window stands a little below and right of the one before.
    const QList<TfrmLudra *> open = m_session->windows();
    const qsizetype before = open.indexOf(this);
    if (before > 0)
        frame.moveTopLeft(open.at(before - 1)->frameGeometry().topLeft() + QPoint(32, 32));
    move(frame.topLeft());
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void TfrmLudra::closeEvent(QCloseEvent *event)
{
    bool closing = false;
    RunCommand(m_prompter, [this, &closing] { closing = m_controller->maybeSave(); });
    if (!closing) {
        event->ignore();
        return;
    }
    // Where the window was, for the next start; a file that cannot be
    // written costs nothing but that.
    RunCommand(m_prompter, [this] { SetWindowGeometryOption(saveGeometry()); });
    m_controller->closed();
    // A closed window shows no project any more.
    m_session->removeWindow(this);
    QMainWindow::closeEvent(event);
}

void TfrmLudra::pgcMainChange()
{
    RunCommand(m_prompter, [this] {
        QWidget *shown = tabs->currentWidget();
        if (shown == m_buildTab)
            m_printAllowedByTab = false;
        else if (shown == tabReport || shown == m_resultTabs.at(0) || shown == m_resultTabs.at(1) ||
                 shown == m_resultTabs.at(3))
            m_printAllowedByTab = true;
        // The suggestions leave the commands as they were.
        showPrintCommands();
    });
}

bool TfrmLudra::eventFilter(QObject *watched, QEvent *event)
{
    // A main window's own F1 is the shortcut of "&Ludra Help"; a dialog in
    // front of this window gets the key instead, and opens its own topic.
    // The help window and the toolkit's dialogs have none.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::HelpContents)) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        QWidget *window = widget ? widget->window() : nullptr;
        const bool ours = window && window != this && !qobject_cast<TfrmLudra *>(window) &&
                          (!window->parentWidget() || window->parentWidget()->window() == this);
        if (ours && !qobject_cast<TfrmHelp *>(window)) {
            const QString topic = HelpTopicFor(widget);
            if (!topic.isEmpty()) {
                showHelp(topic, window);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmLudra::ApplyStockControl(bool targetChanged)
{
    RunCommand(m_prompter, [this, targetChanged] {
        document().applyStockControl(tabReport->stockControlOn(), tabReport->stockTarget(), targetChanged);
        tabReport->showStockControl();
    });
}

void TfrmLudra::btnBuildClick()
{
    RunCommand(m_prompter, [this] {
        BuildHooks hooks;
        hooks.showResults = [this] { tabs->setCurrentIndex(tabs->currentIndex() + 1); };
        document().build(m_prompter, BuildOptions{}, hooks);
    });
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
    // A result grid is measured as it is made; one not shown yet is made now.
    const int tab = int(grid) - int(ReportGrid::Skills);
    if (tab >= 0 && tab < int(m_resultTabs.size()))
        m_resultTabs.at(tab)->page();
    QList<int> widths;
    if (const auto *view = findChild<QTableView *>(ReportGridNames().at(int(grid))))
        for (int c = 0; c < view->model()->columnCount(); ++c)
            widths.append(view->columnWidth(c));
    return widths;
}

} // namespace ludra
