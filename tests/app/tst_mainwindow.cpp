#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmludra.h"
#include "model/plandocument.h"
#include "build/buildresults.h"
#include "app/widgetprompter.h"
#include "text/messages.h"
#include "common/errors.h"
#include "common/collation.h"
#include "common/paths.h"
#include "common/text.h"
#include "support/scriptedprompter.h"
#include "support/widgettexts.h"
#include "support/testfiles.h"
#include "stock/stockfile.h"
#include "stock/stockregister.h"
#include "stock/stockstate.h"
#include "views/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <functional>
#include <memory>
#include <stdexcept>
#include <tuple>

using namespace ludra;

Q_DECLARE_METATYPE(const ludra::TNano *)

namespace {

// Captions of a menu's items in order, "-" for a separator.
QStringList menuCaptions(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

// Every control a person can operate in a window has a name a screen
// reader can say: its caption, or a name of its own. Returns how many were
// checked.
int checkScreenReaderNames(QWidget &window)
{
    auto partOfAnotherControl = [](const QWidget *widget) {
        for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractItemView *>(up) ||
                qobject_cast<const QAbstractSpinBox *>(up) || qobject_cast<const QTabBar *>(up))
                return true;
        }
        return false;
    };
    int checked = 0;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool operable = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
                              qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QAbstractSpinBox *>(widget);
        // Qt's own helpers (the menu bar's overflow button, tab scrollers) are skipped.
        if (!operable || partOfAnotherControl(widget) || widget->objectName().startsWith("qt_") ||
            qobject_cast<QTabBar *>(widget->parentWidget()))
            continue;
        ++checked;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        const QString what = widget->objectName() + " (" + widget->metaObject()->className() + ")";
        if (!accessible || accessible->text(QAccessible::Name).isEmpty()) {
            QTest::qFail(qPrintable(what + " has no name a screen reader can say"), __FILE__, __LINE__);
            return checked;
        }
    }
    return checked;
}

// What a screen reader says a control is.
QString spokenName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void withoutReferenceFiles();
    void shippedFilesOfferEveryDefaultSkill();
    void availableSkillsSortedWithoutCase();
    void windowShape();
    void tabsAndGrids();
    void everyTextIsReadableWhole();
    void menus_data();
    void menus();
    void exitClosesWithoutAsking();
    void aboutShowsNameAndVersion();
    void helpShowsTheHelpFile();
    void commandErrorShowsOneBoxAndGoesOn_data();
    void commandErrorShowsOneBoxAndGoesOn();
    void missingHelpFileIsReported();
    void unwritableSkillReqIsReported();
    void keyPanelFollowsThePointer();
    void screenReaderNamesFollowTheLanguageFile_data();
    void screenReaderNamesFollowTheLanguageFile();
    void toolkitButtonsFollowTheLocale_data();
    void toolkitButtonsFollowTheLocale();
    void standardShortcutsOutliveTheCaptions();
    void portableFolderWithoutItsCatalogueStaysPortable();

private:
    std::unique_ptr<TfrmLudra> open();
    void copyShippedFiles();

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
};

void TstMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetBaseDir(m_dir->path());
    m_prompter = ScriptedPrompter();
}

void TstMainWindow::cleanup()
{
    makeWritable(m_dir->path());
    SetBaseDir(QString());
    m_dir.reset();
}

std::unique_ptr<TfrmLudra> TstMainWindow::open()
{
    auto window = std::make_unique<TfrmLudra>(m_prompter);
    // Every tab as a player who looks at them all finds it.
    window->makeEveryPage();
    return window;
}

void TstMainWindow::copyShippedFiles()
{
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv", "Ludra.hlp"})
        QVERIFY(QFile::copy(sourceDir() + "/resources/" + name, m_dir->filePath(name)));
}

void TstMainWindow::withoutReferenceFiles()
{
    auto window = open();

    // The three missing files are reported in start-up order, each with a stop
    // icon and OK, and the window still opens.
    QCOMPARE(m_prompter.asked.size(), 3);
    const QList<MessageDef> titles{Msg::NoCatalogueTitle, Msg::NoSecSkillTitle, Msg::NoRequireTitle};
    const QList<MessageDef> texts{Msg::NoCatalogueText, Msg::NoSecSkillText, Msg::NoRequireText};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_prompter.asked.at(i).icon, Prompter::Icon::Stop);
        QCOMPARE(m_prompter.asked.at(i).buttons, Prompter::Buttons::Ok);
        QCOMPARE(m_prompter.asked.at(i).title, QString::fromLatin1(titles.at(i).text));
        QCOMPARE(m_prompter.asked.at(i).text, QString::fromLatin1(texts.at(i).text));
    }
    QCOMPARE(m_prompter.asked.at(0).title, QStringLiteral("Error beyond belief!"));
    QCOMPARE(m_prompter.asked.at(2).text,
             QStringLiteral("Almost but not quite a huge error! No raw Skill requirement data was found!"));

    // The layout grid shows the thirteen slots under the three type headers.
    auto *grid = window->findChild<QTableView *>("grdReport");
    QVERIFY(grid);
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->rowCount(), 13);
    QCOMPARE(model->columnCount(), 3);
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r)
        rows.append(model->headerData(r, Qt::Vertical).toString());
    QCOMPARE(rows, BodySlotNames());
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Shining"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Bright"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Faded"));
    for (int r = 0; r < 13; ++r)
        for (int c = 0; c < 3; ++c)
            QCOMPARE(model->index(r, c).data().toString(), QString());

    // No skills, and the view selectors keep no selection.
    auto *available = window->findChild<QComboBox *>("cboAvaNanos");
    QCOMPARE(available->count(), 0);
    QCOMPARE(available->currentIndex(), -1);
    QCOMPARE(window->findChild<QComboBox *>("cboViewStyle")->currentIndex(), -1);
    QCOMPARE(window->findChild<QComboBox *>("cboInside")->currentIndex(), -1);

    // The skill increase file was written on the way.
    QCOMPARE(SplitLines(readFile(m_dir->filePath("skillreq.dat"))).size(), 72);
}

void TstMainWindow::shippedFilesOfferEveryDefaultSkill()
{
    copyShippedFiles();
    auto window = open();
    QVERIFY2(m_prompter.asked.isEmpty(), qPrintable(m_prompter.titles().join(", ")));

    auto *available = window->findChild<QComboBox *>("cboAvaNanos");
    const QStringList offered = comboTexts(available);
    // The skills of the built-in default selections "Fixer" and "Nano Skills".
    for (const char *skill : {"MG & SMG", "Burst", "Computer Literacy", "Time & Space", "Matter Creation",
                              "Matter Metamorphosis", "Biological Metamorphosis",
                              "Sensory Improvement & Modification", "Psychological Modifications"})
        QVERIFY2(offered.count(QString::fromLatin1(skill)) == 1, skill);

    const ReferenceData &reference = window->document().reference();
    QCOMPARE(available->count(), reference.nanoList().count());
    QCOMPARE(reference.nanoList().count(), 111);
    QCOMPARE(available->currentIndex(), 0);
    const QList<SkillEntry> &entries = window->document().layout().skills().available();
    for (int i = 0; i < available->count(); ++i) {
        QVERIFY(entries.at(i).nano);
        QCOMPARE(entries.at(i).nano->SkillName, available->itemText(i));
    }
    QCOMPARE(reference.secSkills().count(), 11007);
    QCOMPARE(reference.secSkills().SecSkillNames(0), u"Psychic");
    QCOMPARE(reference.requirements().size(), 111);
    QCOMPARE(window->findChild<QComboBox *>("cboViewStyle")->currentText(), QStringLiteral("View by Body Placement"));
    QCOMPARE(window->findChild<QComboBox *>("cboInside")->currentText(), QStringLiteral("Show Skill Names"));
}

void TstMainWindow::availableSkillsSortedWithoutCase()
{
    writeFile(m_dir->filePath("data.csv"), "c1,beta,HEAD,EYE,EAR,1\r\n"
                                           "c2,Alpha,HEAD,EYE,EAR,1\r\n"
                                           "c3,Gamma,HEAD,EYE,EAR,1\r\n"
                                           "c4,alpha,HEAD,EYE,EAR,1\r\n"
                                           "c5,Beta,HEAD,EYE,EAR,1\r\n"
                                           "c6,Alpha,HEAD,EYE,EAR,1\r\n");
    auto window = open();
    auto *available = window->findChild<QComboBox *>("cboAvaNanos");
    // Equal names without regard to case keep their catalogue order.
    QCOMPARE(comboTexts(available), (QStringList{"Alpha", "alpha", "Alpha", "beta", "Beta", "Gamma"}));
    const QList<SkillEntry> &entries = window->document().layout().skills().available();
    QCOMPARE(entries.at(0).nano->ClusterName, QStringLiteral("c2"));
    QCOMPARE(entries.at(2).nano->ClusterName, QStringLiteral("c6"));
    QCOMPARE(available->currentText(), QStringLiteral("Alpha"));
    // Only the two other files were missing.
    QCOMPARE(m_prompter.titles(), (QStringList{"Error you can survive with.", "Bad Error!"}));
}

void TstMainWindow::windowShape()
{
    auto window = open();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->windowTitle(), QStringLiteral("Ludra[*]"));
    QVERIFY(!window->isWindowModified());
    // It opens at the design's size, which is also the least it takes.
    QCOMPARE(window->centralWidget()->size(), QSize(766, 412));
    QCOMPARE(window->height(), 412 + window->menuBar()->height());
    auto *grid = window->findChild<QTableView *>("grdReport");
    QCOMPARE(grid->columnWidth(0), 136);
    const int side = window->findChild<QWidget *>("pnlSide")->width();

    // Grown, the grids take the room: columns widen, more rows show; the side
    // panel keeps its width.
    window->resize(1200, 800);
    QTRY_COMPARE(window->centralWidget()->width(), 1200);
    QVERIFY2(grid->columnWidth(0) > 250, qPrintable(QString::number(grid->columnWidth(0))));
    QCOMPARE(window->findChild<QWidget *>("pnlSide")->width(), side);
    auto *tabs = window->findChild<QTabWidget *>("pgcMain");
    tabs->setCurrentIndex(3);
    auto *reqs = window->findChild<QTableView *>("grdReqs");
    QTRY_VERIFY(reqs->isVisible());
    int total = 0;
    for (int c = 0; c < reqs->model()->columnCount(); ++c)
        total += reqs->columnWidth(c);
    // Eleven columns need more than the grid has: they keep their widths
    // and the grid scrolls.
    QVERIFY(total >= reqs->viewport()->width());
    QVERIFY(total > 1100);
    QVERIFY(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

void TstMainWindow::tabsAndGrids()
{
    auto window = open();
    auto *tabs = window->findChild<QTabWidget *>();
    QVERIFY(tabs);
    QStringList captions, names;
    for (int i = 0; i < tabs->count(); ++i) {
        captions.append(tabs->tabText(i));
        names.append(tabs->widget(i)->objectName());
    }
    QCOMPARE(captions, (QStringList{"Layout", "Build", "Result - Skill Increases", "Result - Requirements",
                                    "Result - Suggestions", "Result - Ladder"}));
    QCOMPARE(names, (QStringList{"tabReport", "tabBuild", "tabResultSkills", "tabResultCosts", "tabResultSuggest",
                                 "tabResultLadder"}));
    QCOMPARE(tabs->currentIndex(), 0);

    auto *layout = window->findChild<QTableView *>("grdReport");
    QCOMPARE(layout->verticalHeader()->width(), 136);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(layout->columnWidth(c), 136);
    QCOMPARE(layout->rowHeight(0), 21);

    struct Grid
    {
        const char *name;
        QStringList headers;
        QList<int> widths;
    };
    const QList<Grid> grids{
        {"grdSkillInc", {"Skill", "Increase", "Clusters", "Trickle-Down"}, {215, 80, 80, 115}},
        {"grdReqs",
         {"Cluster", "Credits", "Skill Req", "Implant", "Type", "Treatment", "Secondary Skill", "Lowest Cluster QL",
          "Same Bonus QL", "Treatment Saved", "Ability Saved"},
         {157, 58, 56, 140, 62, 70, 132, 118, 104, 114, 98}},
        {"grdSuggest", {"Suggested Cluster Addition", "Implant", "New Secondary Skill"}, {501, 85, 111}},
        {"grdLadder",
         {"Step", "Implant", "QL", "Treatment", "Ability", "Treatment After", "Ability After", "Note"},
         {36, 90, 36, 66, 110, 98, 110, 130}},
    };
    for (const Grid &expected : grids) {
        auto *grid = window->findChild<QTableView *>(expected.name);
        QVERIFY2(grid, expected.name);
        QCOMPARE(grid->model()->columnCount(), expected.headers.size());
        QCOMPARE(grid->model()->rowCount(), 1); // one blank data row under the header
        for (int c = 0; c < expected.headers.size(); ++c) {
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), expected.headers.at(c));
            // At least the design width; wider where the header needs it.
            QVERIFY(grid->columnWidth(c) >= expected.widths.at(c));
            QCOMPARE(grid->model()->index(0, c).data().toString(), QString());
        }
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
}

void TstMainWindow::everyTextIsReadableWhole()
{
    copyShippedFiles();
    auto window = open();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *tabs = window->findChild<QTabWidget *>();
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        QWidget *page = tabs->widget(t);
        QApplication::processEvents();
        const QString where = tabs->tabText(t) + ": ";
        for (QLabel *label : page->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                QVERIFY2(label->heightForWidth(room.width()) <= room.height(), qPrintable(where + label->text()));
            } else {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= room.width(),
                         qPrintable(where + label->text()));
            }
        }
        for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
            if (button->isVisible() && !button->text().isEmpty())
                QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(where + button->text()));
        }
        for (QTableView *grid : page->findChildren<QTableView *>()) {
            QHeaderView *header = grid->horizontalHeader();
            int total = 0;
            for (int c = 0; c < header->count(); ++c) {
                QVERIFY2(header->sectionSizeHint(c) <= header->sectionSize(c),
                         qPrintable(where + grid->model()->headerData(c, Qt::Horizontal).toString()));
                total += header->sectionSize(c);
            }
            // Every column is in sight without scrolling sideways; the
            // requirements' later columns (the fitting and cheaper levels)
            // are beyond the first seven, and the grid scrolls to them.
            if (grid->objectName() == QLatin1String("grdReqs")) {
                int stored = 0;
                for (int c = 0; c < ReqCol::Stored; ++c)
                    stored += header->sectionSize(c);
                QVERIFY2(stored <= grid->viewport()->width(), qPrintable(where + grid->objectName()));
                QVERIFY(total <= grid->viewport()->width() || grid->horizontalScrollBar()->maximum() > 0);
                continue;
            }
            QVERIFY2(total <= grid->viewport()->width(), qPrintable(where + grid->objectName()));
        }
    }

    // The body-placement view fits its grid: nothing to scroll.
    tabs->setCurrentIndex(0);
    QApplication::processEvents();
    auto *layout = window->findChild<QTableView *>("grdReport");
    QVERIFY(!layout->verticalScrollBar()->isVisible());
}

void TstMainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("File") << "File1" << "&File"
                          << QStringList{"&New", "New &Window", "&Open", "Recent &Projects", "-", "&Save",
                                         "Save &As...", "Exp&ort", "-", "Print S&ettings", "Print Pre&view",
                                         "&Print Report", "-", "E&xit"}
                          << QStringList{"New1", "NewWindow1", "Open1", "Save1", "SaveAs1", "PrintSetup1",
                                         "PrintPreview1", "Print1", "Exit1"};
    QTest::newRow("Edit") << "Edit1" << "&Edit" << QStringList{"&Undo", "&Redo", "-", "&Copy Plan", "&Paste Plan"}
                          << QStringList{"Undo1", "Redo1", "CopyPlan1", "PastePlan1"};
    QTest::newRow("Export") << "Export1" << "Exp&ort" << QStringList{"C&SV", "H&TML", "&Word Doc"}
                            << QStringList{"CSV1", "HTML1", "WordDoc1"};
    QTest::newRow("Tools") << "Tools1" << "&Tools"
                           << QStringList{"&Auto Allocate Rules", "Stoc&k Control", "&Graphs", "Compare &Plans...",
                                          "Find &Symbiants...", "-", "&Options"}
                           << QStringList{"AutoAllocateRules1", "StockControl1", "Graphs1", "ComparePlans1",
                                          "FindSymbiants1", "Options1"};
    QTest::newRow("Help") << "Help1" << "&Help" << QStringList{"&Ludra Help", "-", "&About"}
                          << QStringList{"Help2", "About1"};
    QTest::newRow("Selected skills") << "mnuSelected" << "" << QStringList{"&Clear All", "&Auto Allocate"}
                                     << QStringList{"ClearAll1", "AutoAllocate1"};
}

void TstMainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    QFETCH(QStringList, names);
    auto window = open();
    auto *found = window->findChild<QMenu *>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), title);
    QCOMPARE(menuCaptions(found), items);
    for (const QString &name : names)
        QVERIFY2(window->findChild<QAction *>(name), qPrintable(name));

    QStringList top;
    for (const QAction *action : window->menuBar()->actions())
        top.append(action->text());
    QCOMPARE(top, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
    QVERIFY(window->findChild<QAction *>("Graphs1")->isEnabled());
    QVERIFY(window->findChild<QAction *>("Exit1")->isEnabled());
    QVERIFY(window->findChild<QAction *>("About1")->isEnabled());
    QVERIFY(window->findChild<QAction *>("Help2")->isEnabled());
}

void TstMainWindow::exitClosesWithoutAsking()
{
    copyShippedFiles();
    auto window = open();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->findChild<QAction *>("Exit1")->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstMainWindow::aboutShowsNameAndVersion()
{
    auto window = open();
    bool seen = false;
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&seen](QObject &dialog) {
                                   QVERIFY(qobject_cast<TfrmAbout *>(&dialog));
                                   QStringList texts;
                                   for (const QLabel *label : dialog.findChildren<QLabel *>())
                                       texts.append(label->text());
                                   const QString all = texts.join('\n');
                                   QVERIFY(all.contains("Ludra"));
                                   QVERIFY(all.contains(QStringLiteral(LUDRA_VERSION)));
                                   // The folder of the files in use, so a user can find them.
                                   QVERIFY(all.contains(QDir::toNativeSeparators(BaseDir())));
                                   // The logo is the program's own icon, not a marker image.
                                   const QPixmap logo = dialog.findChild<QLabel *>("imgLogo")->pixmap();
                                   QCOMPARE(logo.toImage(), LudraIcon().pixmap(64, 64).toImage());
                                   seen = true;
                               }});
    window->findChild<QAction *>("About1")->trigger();
    QVERIFY(seen);
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmAbout"});
}

void TstMainWindow::helpShowsTheHelpFile()
{
    copyShippedFiles();
    auto window = open();
    bool seen = false;
    m_prompter.dialogs.append({Prompter::Answer::Cancel, [&seen](QObject &dialog) {
                                   auto *help = qobject_cast<TfrmHelp *>(&dialog);
                                   QVERIFY(help);
                                   QVERIFY(help->browser()->toPlainText().contains("skillreq.dat"));
                                   seen = true;
                               }});
    window->findChild<QAction *>("Help2")->trigger();
    QVERIFY(seen);
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstMainWindow::commandErrorShowsOneBoxAndGoesOn_data()
{
    QTest::addColumn<std::function<void()>>("fault");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a command's error")
        << std::function<void()>([] { throw EConvertError(QStringLiteral("'x' is not a valid integer value")); })
        << QStringLiteral("'x' is not a valid integer value");
    QTest::newRow("an unexpected error")
        << std::function<void()>([] { throw std::runtime_error("disk on fire"); })
        << QStringLiteral("Unexpected error: disk on fire");
}

void TstMainWindow::commandErrorShowsOneBoxAndGoesOn()
{
    QFETCH(std::function<void()>, fault);
    QFETCH(QString, shown);
    copyShippedFiles();
    auto window = open();
    QVERIFY(m_prompter.asked.isEmpty());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The About box's dialog fails while it runs, inside the command.
    m_prompter.dialogs.append({Prompter::Answer::Ok, [fault](QObject &) { fault(); }});
    window->findChild<QAction *>("About1")->trigger();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).icon, Prompter::Icon::Stop);
    QCOMPARE(m_prompter.asked.at(0).buttons, Prompter::Buttons::Ok);
    QCOMPARE(m_prompter.asked.at(0).text, shown);

    // The window goes on: the same command runs again without an error.
    QVERIFY(window->isVisible());
    window->findChild<QAction *>("About1")->trigger();
    QCOMPARE(m_prompter.dialogsRun, (QStringList{"frmAbout", "frmAbout"}));
    QCOMPARE(m_prompter.asked.size(), 1);
}

void TstMainWindow::missingHelpFileIsReported()
{
    copyShippedFiles();
    QVERIFY(QFile::remove(m_dir->filePath("Ludra.hlp")));
    auto window = open();
    window->findChild<QAction *>("Help2")->trigger();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).icon, Prompter::Icon::Stop);
    QVERIFY(m_prompter.asked.at(0).text.contains("Ludra.hlp"));
}

void TstMainWindow::unwritableSkillReqIsReported()
{
    copyShippedFiles();
    if (!makeUnwritable(m_dir->path()))
        QSKIP("this file system cannot refuse writes to a folder");
    auto window = open();
    makeWritable(m_dir->path());
    // The failure is reported, and start-up goes on with the built-in values
    // and the reference files.
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).icon, Prompter::Icon::Stop);
    QVERIFY(m_prompter.asked.at(0).text.contains("skillreq.dat"));
    QCOMPARE(window->document().reference().skillReq(), TSkillReq());
    QCOMPARE(window->findChild<QComboBox *>("cboAvaNanos")->count(), 111);
}

void TstMainWindow::keyPanelFollowsThePointer()
{
    auto window = open();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *panel = window->findChild<QFrame *>("panKey");
    auto *key = window->findChild<QPushButton *>("btnKey");
    auto *grid = window->findChild<QTableView *>("grdReport");
    QVERIFY(panel && key && grid);
    QVERIFY(!panel->isVisible());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(key, &enter);
    QVERIFY(panel->isVisible());
    QVERIFY(panel->findChild<QLabel *>("lblStockStatus"));
    QCOMPARE(panel->findChild<QLabel *>("lblStockStatus")->text(), QStringLiteral("<Disabled>"));

    QTest::mouseMove(grid->viewport(), QPoint(200, 30));
    QVERIFY(!panel->isVisible());

    // Pressing the button shows and hides it too, for keyboard users.
    key->click();
    QVERIFY(panel->isVisible());
    key->click();
    QVERIFY(!panel->isVisible());

    // Pressing while pointing at it keeps it open; pressing again closes it.
    QApplication::sendEvent(key, &enter);
    QVERIFY(panel->isVisible());
    key->click();
    QVERIFY(panel->isVisible());
    key->click();
    QVERIFY(!panel->isVisible());
}

void TstMainWindow::screenReaderNamesFollowTheLanguageFile_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("build");
    QTest::addColumn<QString>("up");
    QTest::addColumn<QString>("shining");
    QTest::newRow("built-in texts") << false << "Build >>"
                                    << "Move up"
                                    << "Shining";
    // A control is read by its caption, and one without a caption by the
    // name the language file gives it.
    QTest::newRow("German") << true << "Bauen >>"
                            << "Nach oben"
                            << "Leuchtend";
}

void TstMainWindow::screenReaderNamesFollowTheLanguageFile()
{
    QFETCH(bool, german);
    QFETCH(QString, build);
    QFETCH(QString, up);
    QFETCH(QString, shining);
    if (german)
        QVERIFY(QFile::copy(sourceDir() + "/fuzz/seeds/langfile/german.ini", m_dir->filePath("english.ini")));
    auto window = open();
    QVERIFY(checkScreenReaderNames(*window) >= 38);
    auto *buildButton = window->findChild<QPushButton *>("btnBuild");
    QCOMPARE(spokenName(buildButton), build);
    QCOMPARE(spokenName(window->findChild<QWidget *>("btnUp")), up);

    bool seen = false;
    m_prompter.dialogs.append({Prompter::Answer::Cancel, [&](QObject &dialog) {
                                   auto *rules = qobject_cast<QWidget *>(&dialog);
                                   QVERIFY(checkScreenReaderNames(*rules) >= 7);
                                   auto *box = dialog.findChild<QCheckBox *>("chkShining");
                                   QCOMPARE(box->text(), shining);
                                   QCOMPARE(spokenName(box), shining);
                                   seen = true;
                               }});
    window->findChild<QAction *>("AutoAllocateRules1")->trigger();
    QVERIFY(seen);
}

void TstMainWindow::toolkitButtonsFollowTheLocale_data()
{
    QTest::addColumn<QByteArray>("languageFile");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::newRow("German") << readFile(sourceDir() + "/fuzz/seeds/langfile/german.ini") << "qtbase_de.qm"
                            << "Ja"
                            << "Nein";
    QTest::newRow("French, the rest English") << QByteArray("[SETTINGS]\r\nLocale=fr\r\n") << "qtbase_fr.qm"
                                              << "Oui"
                                              << "Non";
    // The tests run in the neutral locale: without the key, the system's.
    QTest::newRow("no locale named") << QByteArray("[SETTINGS]\r\nLocale=\r\n") << QString() << "Yes"
                                     << "No";
}

void TstMainWindow::toolkitButtonsFollowTheLocale()
{
    QFETCH(QByteArray, languageFile);
    QFETCH(QString, translation);
    QFETCH(QString, yes);
    QFETCH(QString, no);
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translation.isEmpty() && !QFileInfo::exists(QDir(translations).filePath(translation)))
        QSKIP(qPrintable(QStringLiteral("the toolkit's translation %1 is not installed in %2 "
                                        "(Debian package qt6-translations-l10n, installed by scripts/deps.sh)")
                             .arg(translation, translations)));
    writeFile(m_dir->filePath("english.ini"), languageFile);
    auto window = open();
    m_prompter.asked.clear();
    m_prompter.answers = {Prompter::Answer::No};
    // A cell to erase, so that allocation asks first.
    window->document().editPlan(QStringLiteral("cell"),
                                [](LayoutState &layout) { layout.editCell(1, 1, QStringLiteral("Agility")); });
    window->findChild<QPushButton *>("btnAllocate")->click();
    QCOMPARE(m_prompter.asked.size(), 1);
    const ScriptedPrompter::Asked &question = m_prompter.asked.constFirst();
    QCOMPARE(question.buttons, Prompter::Buttons::YesNo);

    // The box the program shows for that question.
    const auto box = WidgetPrompter::messageBox(question.icon, question.buttons, question.title, question.text);
    QCOMPARE(box->button(QMessageBox::Yes)->text().remove('&'), yes);
    QCOMPARE(box->button(QMessageBox::No)->text().remove('&'), no);
    QCOMPARE(box->text(), question.text);
}

void TstMainWindow::standardShortcutsOutliveTheCaptions()
{
    copyShippedFiles();
    QVERIFY(QFile::copy(sourceDir() + "/fuzz/seeds/langfile/german.ini", m_dir->filePath("english.ini")));
    auto window = open();
    QCOMPARE(window->findChild<QAction *>("Save1")->text(), QStringLiteral("&Speichern"));
    // The platform's own keys; Save As and Exit, which some desktops have
    // none for, fall back to the keys every desktop here knows.
    const QList<std::tuple<const char *, QKeySequence::StandardKey, QKeySequence>> commands{
        {"Open1", QKeySequence::Open, {}},
        {"Save1", QKeySequence::Save, {}},
        {"SaveAs1", QKeySequence::SaveAs, QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"Print1", QKeySequence::Print, {}},
        {"Exit1", QKeySequence::Quit, QKeySequence(QStringLiteral("Ctrl+Q"))},
        {"Help2", QKeySequence::HelpContents, {}}};
    for (const auto &[name, key, fallback] : commands) {
        QList<QKeySequence> expected = QKeySequence::keyBindings(key);
        if (expected.isEmpty() && !fallback.isEmpty())
            expected = {fallback};
        QVERIFY2(!expected.isEmpty(), name);
        QCOMPARE(window->findChild<QAction *>(name)->shortcuts(), expected);
    }
    QCOMPARE(window->findChild<QAction *>("Help2")->shortcut(), QKeySequence(Qt::Key_F1));

    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // Ctrl+S saves the unnamed plan under the name asked for.
    const QString project = m_dir->filePath("plan.lud");
    m_prompter.fileNames = {project};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QVERIFY(QFileInfo(project).size() > 0);
    QCOMPARE(window->document().fileName(), project);
    // F1 opens the help.
    m_prompter.dialogs.append({Prompter::Answer::Cancel, {}});
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmHelp"});
    QVERIFY(m_prompter.asked.isEmpty());
    // Ctrl+Q ends the program.
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
}

void TstMainWindow::portableFolderWithoutItsCatalogueStaysPortable()
{
    // A portable folder that has lost its catalogue but keeps its language
    // file and stock; the home folder is somewhere else.
    const QString folder = m_dir->filePath("portable");
    const QString home = m_dir->filePath("home/Ludra");
    QVERIFY(QDir().mkpath(folder));
    for (const char *name : {"SecSkill.csv", "require.csv"})
        QVERIFY(QFile::copy(sourceDir() + "/resources/" + name, QDir(folder).filePath(name)));
    writeFile(QDir(folder).filePath("english.ini"),
              "[Misc]\r\nM16=Kein Clusterkatalog gefunden!\r\nM17=Katalog fehlt\r\n");
    {
        StockRegister stock;
        stock.ImplantStock()[0].stock.add(StockItem{QStringLiteral("40"), QStringLiteral("100"), {}}, false);
        SaveStockFile(QDir(folder).filePath("default.stk"), stock);
    }
    SetLayout(ResolveLayout(folder, home));
    QVERIFY(CurrentLayout().portable);

    auto window = open();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).icon, Prompter::Icon::Stop);
    QCOMPARE(m_prompter.asked.at(0).title, QStringLiteral("Katalog fehlt"));
    QCOMPARE(m_prompter.asked.at(0).text, QStringLiteral("Kein Clusterkatalog gefunden!"));
    const StockEntry &head = window->document().stock().stock().ImplantStock().at(0);
    QCOMPARE(head.stock.count(), 1);
    QCOMPARE(head.stock.item(0).qualityLevel, QStringLiteral("40"));
    // What Ludra writes stays in the folder; nothing starts in the home folder.
    QVERIFY(QFileInfo::exists(QDir(folder).filePath("skillreq.dat")));
    QVERIFY(!QFileInfo::exists(home));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
