#include "app/frmludra.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmoptions.h"
#include "app/helptopics.h"
#include "app/session.h"
#include "app/frmcompare.h"
#include "app/frmsymbiantfinder.h"
#include "data/referencedata.h"
#include "build/graphswindow.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "layout/frmautoalloc.h"
#include "layout/layoutpage.h"
#include "model/documentcontroller.h"
#include "stock/frmstockcontrol.h"

#include "common/command.h"

#include "model/options.h"
#include "model/plandocument.h"
#include "reports/reports.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "layout/undohistory.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUndoStack>

// The main window's menus and their actions: what each item is called, its
// key, and which command of the window it runs.

namespace ludra {

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
    QAction *newWindow = item(file, QStringLiteral("NewWindow1"), QStringLiteral("New &Window"));
    newWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    connect(newWindow, &QAction::triggered, this, &TfrmLudra::NewWindow1Click);
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
    connect(item(tools, QStringLiteral("ComparePlans1"), QStringLiteral("Compare &Plans...")), &QAction::triggered,
            this, &TfrmLudra::ComparePlans1Click);
    connect(item(tools, QStringLiteral("FindSymbiants1"), QStringLiteral("Find &Symbiants...")), &QAction::triggered,
            this, &TfrmLudra::FindSymbiants1Click);

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

void TfrmLudra::showHistory()
{
    // "&Undo" and "&Redo" name the step they would take, from the message
    // table, and work on the history of the document shown.
    QUndoStack &stack = undoStack();
    const auto named = [](QAction *action, const MessageDef &prefix, const QString &step) {
        action->setText(step.isEmpty() ? LangMsg(prefix) : LangMsg(prefix) + u' ' + step);
    };
    m_documentConnections.append(connect(&stack, &QUndoStack::undoTextChanged, this,
                                         [this, named](const QString &step) { named(Undo1, Msg::UndoPrefix, step); }));
    m_documentConnections.append(connect(&stack, &QUndoStack::redoTextChanged, this,
                                         [this, named](const QString &step) { named(Redo1, Msg::RedoPrefix, step); }));
    m_documentConnections.append(connect(&stack, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled));
    m_documentConnections.append(connect(&stack, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled));
    named(Undo1, Msg::UndoPrefix, stack.undoText());
    named(Redo1, Msg::RedoPrefix, stack.redoText());
    Undo1->setEnabled(stack.canUndo());
    Redo1->setEnabled(stack.canRedo());
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

// ---------------------------------------------------------------------------
// The menus' commands: each runs its body inside the one error boundary and
// hands the work to the part that owns it.

void TfrmLudra::Exit1Click()
{
    // Closing asks about unsaved changes.
    RunCommand(m_prompter, [this] { close(); });
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
    RunCommand(m_prompter, [this] {
        QGuiApplication::clipboard()->setText(LabelledPlanText(document().layout(), document().buildSettings()));
    });
}

void TfrmLudra::PastePlan1Click()
{
    RunCommand(m_prompter, [this] {
        // Nothing changes unless the whole text reads: the grid, and the
        // skills, target and character of its labelled lines.
        const LabelledPlanReading reading =
            ReadLabelledPlanText(QGuiApplication::clipboard()->text(), document().layout().catalogue(),
                                 document().layout().skills(), document().reference().symbiants());
        if (!reading.problems.isEmpty())
            throw Exception(LangMsg(Msg::PasteFailedText) + u'\n' + reading.problems.join(u'\n'));
        document().pastePlan(LangMsg(Msg::EditPastePlan), reading.plan, reading.labels);
        tabReport->checkStockAfterHistoryStep();
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
            frmGraphs = MakeGraphsWindow(m_prompter, this);
            frmGraphs->setDocument(&document());
            frmGraphs->setProjectPath([this] { return document().fileName(); });
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

void TfrmLudra::FindSymbiants1Click()
{
    RunCommand(m_prompter, [this] {
        if (!document().reference().symbiants()) {
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::FindSymbiantsTitle),
                               LangMsg(Msg::NoSymbiantTableText).arg(RefFile::Symbiants));
            return;
        }
        if (const QString notice = document().reference().takeSymbiantNotice(); !notice.isEmpty())
            m_prompter.message(Prompter::Icon::Information, Prompter::Buttons::Ok, LangMsg(Msg::FindSymbiantsTitle),
                               notice);
        TfrmSymbiantFinder dialog(document(), *m_reports, m_prompter, this);
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

void TfrmLudra::AboutClick()
{
    RunCommand(m_prompter, [this] {
        TfrmAbout about(this);
        m_prompter.runDialog(about);
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

} // namespace ludra
