#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmludra.h"
#include "text/messages.h"
#include "common/errors.h"
#include "common/collation.h"
#include "common/paths.h"
#include "common/text.h"
#include "support/scriptedprompter.h"
#include "support/widgettexts.h"
#include "support/testfiles.h"
#include "views/widgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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
    return std::make_unique<TfrmLudra>(m_prompter);
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

    const ReferenceData &reference = window->model().reference();
    QCOMPARE(available->count(), reference.nanoList().count());
    QCOMPARE(reference.nanoList().count(), 111);
    QCOMPARE(available->currentIndex(), 0);
    const QList<SkillEntry> &entries = window->model().layout().skills().available();
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
    const QList<SkillEntry> &entries = window->model().layout().skills().available();
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
    QCOMPARE(window->windowTitle(), QStringLiteral("Ludra"));
    QCOMPARE(window->centralWidget()->size(), QSize(766, 412));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->height(), 412 + window->menuBar()->height());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
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
        {"grdSkillInc", {"Skill", "Increase", "Clusters"}, {215, 80, 80}},
        {"grdReqs",
         {"Cluster", "Credits", "Skill Req", "Implant", "Type", "Treatment", "Secondary Skill"},
         {157, 58, 56, 140, 62, 70, 132}},
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

    // Every control a person can operate has a name a screen reader can say.
    auto partOfAnotherControl = [](const QWidget *widget) {
        for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractItemView *>(up) ||
                qobject_cast<const QAbstractSpinBox *>(up) || qobject_cast<const QTabBar *>(up))
                return true;
        }
        return false;
    };
    int checked = 0;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const bool operable = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
                              qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QAbstractSpinBox *>(widget);
        // Qt's own helpers (the menu bar's overflow button, tab scrollers) are skipped.
        if (!operable || partOfAnotherControl(widget) || widget->objectName().startsWith("qt_") ||
            qobject_cast<QTabBar *>(widget->parentWidget()))
            continue;
        ++checked;
        QVERIFY2(!widget->accessibleName().isEmpty(),
                 qPrintable(widget->objectName() + " (" + widget->metaObject()->className() + ")"));
    }
    QVERIFY(checked >= 38);
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
            // Every column is in sight without scrolling sideways.
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
                          << QStringList{"&Open", "-", "&Save", "Save &As...", "Exp&ort", "-", "Print S&ettings",
                                         "Print Pre&view", "&Print Report", "-", "E&xit"}
                          << QStringList{"Open1", "Save1", "SaveAs1", "PrintSetup1", "PrintPreview1", "Print1", "Exit1"};
    QTest::newRow("Export") << "Export1" << "Exp&ort" << QStringList{"C&SV", "H&TML", "&Word Doc"}
                            << QStringList{"CSV1", "HTML1", "WordDoc1"};
    QTest::newRow("Tools") << "Tools1" << "&Tools"
                           << QStringList{"&Auto Allocate Rules", "Stoc&k Control", "&Graphs", "-", "&Options"}
                           << QStringList{"AutoAllocateRules1", "StockControl1", "Graphs1", "Options1"};
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
    QCOMPARE(top, (QStringList{"&File", "&Tools", "&Help"}));
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
    QCOMPARE(window->model().reference().skillReq(), TSkillReq());
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

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
