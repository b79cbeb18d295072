#include "app/frmludra.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmoptions.h"
#include "app/helptopics.h"
#include "app/session.h"
#include "build/buildpage.h"
#include "build/frmcompare.h"
#include "build/frmgraphs.h"
#include "build/resultpages.h"
#include "build/stockstatus.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "layout/frmautoalloc.h"
#include "layout/layoutpage.h"
#include "model/documentcontroller.h"
#include "model/options.h"
#include "model/plandocument.h"
#include "reports/reports.h"
#include "stock/frmstockcontrol.h"
#include "stock/stockfile.h"
#include "text/langapply.h"
#include "text/langfile.h"
#include "text/messages.h"
#include "views/undohistory.h"
#include "views/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

TfrmLudra::TfrmLudra(Prompter &prompter, QWidget *parent)
    : QMainWindow(parent), m_session(std::make_shared<LudraSession>(prompter)), m_prompter(prompter)
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
    setWindowIcon(LudraIcon());
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
    showDocument(&m_controller->document());

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (first) {
        m_controller->reopenLastProject();
        program.stock().reload(StockPath(), m_prompter);
        // The design's size at first; then where the window was last closed.
        const QByteArray geometry = WindowGeometryOption();
        if (!geometry.isEmpty() && restoreGeometry(geometry))
            m_centred = true;
    }
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
    tabBuild = new BuildPage(m_prompter);
    tabResultSkills = new SkillResultPage(m_prompter);
    tabResultCosts = new RequirementResultPage(m_prompter);
    tabResultSuggest = new SuggestionPage;
    tabResultLadder = new LadderResultPage;
    tabs->addTab(tabReport, QStringLiteral("Layout"));
    tabs->addTab(tabBuild, QStringLiteral("Build"));
    tabs->addTab(tabResultSkills, QStringLiteral("Result - Skill Increases"));
    tabs->addTab(tabResultCosts, QStringLiteral("Result - Requirements"));
    tabs->addTab(tabResultSuggest, QStringLiteral("Result - Suggestions"));
    tabs->addTab(tabResultLadder, QStringLiteral("Result - Ladder"));
    tabs->setCurrentWidget(tabReport);
    connect(tabs, &QTabWidget::currentChanged, this, &TfrmLudra::pgcMainChange);

    m_reports = std::make_unique<Reports>(m_prompter, *this);
    m_reports->projectPath = [this] { return document().fileName(); };
    m_reports->columnWidths = [this](ReportGrid grid) { return gridWidths(grid); };
    const auto printLog = [this](const QStringList &lines) {
        RunCommand(m_prompter, [this, &lines] { m_reports->printLog(lines); });
    };
    tabResultSkills->setLogPrinter(printLog);
    tabResultCosts->setLogPrinter(printLog);
    tabResultCosts->setShoppingListPrinter(
        [this] { RunCommand(m_prompter, [this] { m_reports->printShoppingList(); }); });

    connect(tabBuild->buildButton(), &QPushButton::clicked, this, &TfrmLudra::btnBuildClick);
    // Duplicates hold the layout in the skill view, where the plan's slots
    // are not decided yet: the build waits until an edit clears them.
    connect(tabReport, &LayoutPage::duplicatesChecked, tabBuild->buildButton(), &QWidget::setDisabled);
    connect(tabReport, &LayoutPage::stockControlChanged, this, &TfrmLudra::ApplyStockControl);
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

QList<ResultPage *> TfrmLudra::resultPages() const
{
    return {tabResultSkills, tabResultCosts, tabResultSuggest, tabResultLadder};
}

void TfrmLudra::showDocument(PlanDocument *shown)
{
    for (const QMetaObject::Connection &connection : m_documentConnections)
        disconnect(connection);
    tabReport->setDocument(shown);
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

void TfrmLudra::showStale()
{
    const bool stale = document().results().stale();
    for (ResultPage *page : resultPages())
        // A result tab's caption is greyed while its results are stale.
        tabs->tabBar()->setTabTextColor(tabs->indexOf(page), stale ? palette().color(QPalette::Disabled,
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

void TfrmLudra::Exit1Click()
{
    // Closing asks about unsaved changes.
    RunCommand(m_prompter, [this] { close(); });
}

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
    // A closed window shows no project any more.
    m_session->removeWindow(this);
    QMainWindow::closeEvent(event);
}

void TfrmLudra::New1Click()
{
    RunCommand(m_prompter, [this] { m_controller->newPlan(); });
}

void TfrmLudra::NewWindow1Click()
{
    RunCommand(m_prompter, [this] { m_session->newWindow(); });
}

void TfrmLudra::Open1Click()
{
    RunCommand(m_prompter, [this] { m_controller->open(); });
}

void TfrmLudra::Save1Click()
{
    RunCommand(m_prompter, [this] { m_controller->save(); });
}

void TfrmLudra::SaveAs1Click()
{
    RunCommand(m_prompter, [this] { m_controller->saveAs(); });
}

void TfrmLudra::openRecent(const QString &path)
{
    RunCommand(m_prompter, [this, &path] { m_controller->openRecent(path); });
}

void TfrmLudra::Undo1Click()
{
    RunCommand(m_prompter, [this] {
        undoStack().undo();
        tabReport->checkStockAfterHistoryStep();
    });
}

void TfrmLudra::Redo1Click()
{
    RunCommand(m_prompter, [this] {
        undoStack().redo();
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
        dialog.setRules(document().layout().rules());
        if (m_prompter.runDialog(dialog) == Prompter::Answer::Ok)
            document().setRules(dialog.rules());
    });
}

void TfrmLudra::StockControl1Click()
{
    RunCommand(m_prompter, [this] {
        {
            TfrmStockControl window(m_prompter, this);
            m_prompter.runDialog(window);
        }
        m_session->program().reloadStock(m_prompter);
    });
}

void TfrmLudra::Graphs1Click()
{
    RunCommand(m_prompter, [this] {
        if (!frmGraphs) {
            frmGraphs = new TfrmGraphs(m_prompter, this);
            frmGraphs->setDocument(&document());
        }
        frmGraphs->show();
        frmGraphs->raise();
        frmGraphs->activateWindow();
    });
}

void TfrmLudra::ComparePlans1Click()
{
    RunCommand(m_prompter, [this] {
        QList<const PlanDocument *> others;
        for (TfrmLudra *window : m_session->windows())
            if (window != this)
                others.append(&window->document());
        TfrmCompare dialog(m_session->program(), document(), others, *m_reports, m_prompter, this);
        m_prompter.runDialog(dialog);
    });
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

} // namespace ludra
