// Several plans at once, on the real main windows offscreen: windows that
// build, undo and save on their own plans over one stock, a project that is
// not opened twice, Open sending a project to a window of its own, and Compare
// Plans over two known plans.

#include "app/frmludra.h"
#include "app/session.h"
#include "build/buildresults.h"
#include "app/frmcompare.h"
#include "model/documentcontroller.h"
#include "model/plandocument.h"
#include "model/recovery.h"
#include "stock/stockfile.h"
#include "stock/stockstate.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

using namespace ludra;

class TstWindows : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowsBuildTheirOwnPlansOverOneStock();
    void undoStaysInItsWindow();
    void projectIsNotOpenedTwice();
    void openWithChangesMayTakeANewWindow();
    void comparePlans();
    void resultTabsAreMadeWhenFirstShown();
    void recoveryCopyFollowsTheUnsavedPlan_data();
    void recoveryCopyFollowsTheUnsavedPlan();
    void recoveryCopyThatCannotBeWrittenIsShown();

private:
    // A second window of the same program, shown.
    TfrmLudra *secondWindow();
    // Selects the skills by name in a window and allocates them.
    static void plan(TfrmLudra &window, const QStringList &skills);
    static void build(TfrmLudra &window, const QString &level);
};

void TstWindows::init()
{
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n"
                                           "Stamina Clu,Stamina,CHEST,EYE,WAIST,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Burst Clu,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\nStamina Clu,Stamina,300\r\n"
                                              "Burst Clu,Burst,450\r\n");
    QVERIFY(showWindow());
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstWindows::cleanup()
{
    for (TfrmLudra *window : m_window ? m_window->session().windows() : QList<TfrmLudra *>())
        if (window != m_window.get())
            delete window;
    stopFolder();
}

TfrmLudra *TstWindows::secondWindow()
{
    find<QAction>("NewWindow1")->trigger();
    const QList<TfrmLudra *> windows = m_window->session().windows();
    return windows.size() == 2 ? windows.at(1) : nullptr;
}

void TstWindows::plan(TfrmLudra &window, const QStringList &skills)
{
    window.document().editPlan(QStringLiteral("plan"), [&skills](LayoutState &layout) {
        for (const QString &skill : skills)
            layout.skills().selectNamed(skill);
        layout.allocate();
    });
}

void TstWindows::build(TfrmLudra &window, const QString &level)
{
    BuildSettings settings = window.document().buildSettings();
    settings.implantQL = EnteredNumber(level);
    window.document().setSettings(settings);
    // The Build tab shown, as the player would, and its button pressed.
    window.findChild<QTabWidget *>(QStringLiteral("pgcMain"))->setCurrentIndex(1);
    window.findChild<QPushButton *>(QStringLiteral("btnBuild"))->click();
}

// Each window builds its own plan at its own level; the stock both draw on is
// the program's one register, which the stock window's file fills.
void TstWindows::windowsBuildTheirOwnPlansOverOneStock()
{
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    QVERIFY(&second->document() != &m_window->document());
    QCOMPARE(&second->document().stock(), &m_window->document().stock());
    plan(*m_window, {"Agility"});
    plan(*second, {"Stamina", "Burst"});
    build(*m_window, QStringLiteral("100"));
    build(*second, QStringLiteral("50"));
    QVERIFY(m_prompter.asked.isEmpty());
    const auto clusters = [](TfrmLudra &window) {
        QStringList names;
        for (const RequirementRow &row : window.document().results().requirementRows())
            names.append(row.cluster + u'@' + QString::number(row.implantQL));
        return names;
    };
    QCOMPARE(clusters(*m_window), (QStringList{"Agility Clu@100", "Agility Clu@100", "Agility Clu@100"}));
    QCOMPARE(clusters(*second).size(), 6);
    QVERIFY(clusters(*second).contains("Burst Clu@50"));
    QVERIFY(!second->document().results().stale());
    QVERIFY(m_window->windowTitle() != QString() && second->isWindowModified());
}

// Undo and Redo take back the steps of their own window's plan.
void TstWindows::undoStaysInItsWindow()
{
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    plan(*m_window, {"Agility"});
    const QList<QStringList> first = m_window->document().layout().table().rows();
    plan(*second, {"Burst"});
    QCOMPARE(m_window->undoStack().count(), 1);
    QCOMPARE(second->undoStack().count(), 1);
    second->findChild<QAction *>(QStringLiteral("Undo1"))->trigger();
    QCOMPARE(m_window->document().layout().table().rows(), first);
    QVERIFY(second->document().layout().plan().cellsEmpty());
    QVERIFY(!second->findChild<QAction *>(QStringLiteral("Undo1"))->isEnabled());
    QVERIFY(m_window->findChild<QAction *>(QStringLiteral("Undo1"))->isEnabled());
}

// A project open in one window is brought forward when another opens it,
// whichever way the other asks (Open or a recent project).
void TstWindows::projectIsNotOpenedTwice()
{
    plan(*m_window, {"Agility"});
    const QString path = m_dir->filePath(QStringLiteral("shared.lud"));
    m_prompter.fileNames = {path};
    find<QAction>("SaveAs1")->trigger();
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    m_prompter.fileNames = {path};
    second->findChild<QAction *>(QStringLiteral("Open1"))->trigger();
    QVERIFY(second->document().fileName().isEmpty());
    QVERIFY(second->document().layout().plan().cellsEmpty());
    second->openRecent(path);
    QVERIFY(second->document().fileName().isEmpty());
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(m_window->session().windowShowing(path, second), m_window.get());

    // Once that window has closed, the project opens where it is asked for.
    m_window->close();
    second->openRecent(path);
    QCOMPARE(second->document().fileName(), path);
    QVERIFY(!second->document().layout().plan().cellsEmpty());
}

// With unsaved changes, Open offers a window of its own: the plan on screen
// stays as it is, unsaved, and the project opens beside it; a project another
// window shows is brought forward rather than opened in a new one.
void TstWindows::openWithChangesMayTakeANewWindow()
{
    plan(*m_window, {"Agility"});
    const QString path = m_dir->filePath(QStringLiteral("first.lud"));
    m_prompter.fileNames = {path};
    find<QAction>("SaveAs1")->trigger();
    const QString copy = m_dir->filePath(QStringLiteral("copy.lud"));
    writeFile(copy, readFile(path));
    plan(*m_window, {"Burst"});
    QVERIFY(m_window->isWindowModified());
    const ProjectImage before = m_window->document().projectImage(ProjectShown());

    m_prompter.answers = {Prompter::Answer::NewWindow};
    m_prompter.fileNames = {copy};
    find<QAction>("Open1")->trigger();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.first().buttons, Prompter::Buttons::SaveDiscardNewWindowCancel);
    const QList<TfrmLudra *> windows = m_window->session().windows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows.last()->document().fileName(), copy);
    QVERIFY(!windows.last()->isWindowModified());
    QVERIFY(m_window->isWindowModified());
    QCOMPARE(m_window->document().projectImage(ProjectShown()), before);

    // The new window opens the first window's project: no third window.
    m_prompter.fileNames = {path};
    windows.last()->findChild<QAction *>(QStringLiteral("Open1"))->trigger();
    QCOMPARE(m_window->session().windows().size(), 2);
    QCOMPARE(windows.last()->document().fileName(), copy);
}

// Two known plans side by side: the skills of either with both totals and
// the difference, then the requirements, credits and clusters of each.
void TstWindows::comparePlans()
{
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    plan(*m_window, {"Agility"});
    plan(*second, {"Agility", "Burst"});
    for (TfrmLudra *window : {m_window.get(), second}) {
        BuildSettings settings = window->document().buildSettings();
        settings.implantQL = EnteredNumber(QStringLiteral("100"));
        window->document().setSettings(settings);
    }
    const QString path = m_dir->filePath(QStringLiteral("second.lud"));
    m_prompter.fileNames = {path};
    second->findChild<QAction *>(QStringLiteral("SaveAs1"))->trigger();

    QStringList shown;
    m_prompter.asked.clear();
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&shown](QObject &dialog) {
                                   auto &compare = static_cast<TfrmCompare &>(dialog);
                                   QCOMPARE(compare.findChild<QComboBox *>("cboCompareWith")->count(), 1);
                                   for (const QStringList &row : compare.comparison().rows())
                                       shown.append(row.join(u'|'));
                               }});
    find<QAction>("ComparePlans1")->trigger();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmCompare"});
    QVERIFY(m_prompter.asked.isEmpty());
    // Agility's three clusters in both, Burst's three only in the second;
    // Burst's Faded cluster shares HEAD with Agility's Shining one.
    QCOMPARE(shown, (QStringList{"Skill or Requirement|the new plan|second.lud|Difference", "Agility|110|110|0",
                                 "Burst|0|110|+110", "Highest Treatment|479|479|0", "Highest Ability|204|204|0",
                                 "Highest Nano Programming|300|300|0", "Total Credits|0|0|0", "Clusters|3|6|+3",
                                 "Implants|3|5|+2"}));
}

// A window makes the Build tab's and a result tab's page when the tab is
// first shown, over the document it shows then, with the results it holds.
void TstWindows::resultTabsAreMadeWhenFirstShown()
{
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    QVERIFY(!second->findChild<QTableView *>(QStringLiteral("grdSkillInc")));
    QVERIFY(!second->findChild<QTableView *>(QStringLiteral("grdReqs")));
    QVERIFY(!second->findChild<QPushButton *>(QStringLiteral("btnBuild")));
    plan(*second, {"Agility"});
    auto *tabs = second->findChild<QTabWidget *>(QStringLiteral("pgcMain"));
    build(*second, QStringLiteral("100"));
    // The build turns to the skill increases, and only that page is made.
    QCOMPARE(tabs->currentIndex(), 2);
    auto *skills = second->findChild<QTableView *>(QStringLiteral("grdSkillInc"));
    QVERIFY(skills);
    QCOMPARE(skills->model()->index(0, 0).data().toString(), QStringLiteral("Agility"));
    QVERIFY(!second->findChild<QTableView *>(QStringLiteral("grdReqs")));
    tabs->setCurrentIndex(3);
    auto *reqs = second->findChild<QTableView *>(QStringLiteral("grdReqs"));
    QVERIFY(reqs);
    QCOMPARE(reqs->model()->rowCount(), 3);
}

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"

// Each window keeps a copy of its own unsaved plan, written once the plan has
// been still for a while, and drops it once nothing is unsaved any more.
void TstWindows::recoveryCopyFollowsTheUnsavedPlan_data()
{
    QTest::addColumn<QString>("then");
    QTest::newRow("saved") << "save";
    QTest::newRow("undone back to the saved plan") << "undo";
    QTest::newRow("a new plan") << "new";
    QTest::newRow("the window closed, changes given up") << "close";
}

void TstWindows::recoveryCopyFollowsTheUnsavedPlan()
{
    QFETCH(QString, then);
    TfrmLudra *second = secondWindow();
    QVERIFY(second);
    plan(*m_window, {"Agility"});
    plan(*second, {"Burst"});
    RecoveryCopy &copy = second->controller().recoveryCopy();
    QVERIFY(copy.path() != m_window->controller().recoveryCopy().path());
    // Not at once: the timer waits for the plan to be still.
    QVERIFY(!copy.exists());
    QTRY_VERIFY_WITH_TIMEOUT(copy.exists(), DocumentController::RecoveryDelay * 3);
    const QString path = copy.path();
    const ProjectImage kept = ReadProjectFile(path);
    QCOMPARE(kept.selected, QStringList{"Burst"});
    QCOMPARE(kept.recovery.size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->controller().recoveryCopy().exists(), DocumentController::RecoveryDelay * 3);

    m_prompter.answers = {Prompter::Answer::Discard};
    m_prompter.fileNames = {m_dir->filePath("second.lud")};
    if (then == QLatin1String("save"))
        second->Save1Click();
    else if (then == QLatin1String("undo"))
        second->Undo1Click();
    else if (then == QLatin1String("new"))
        second->New1Click();
    else
        second->close();  // and gone with its copy object
    if (then != QLatin1String("close"))
        QVERIFY(!copy.exists());
    QVERIFY(!QFile::exists(path));
    // The other window's copy stays.
    QVERIFY(QFile::exists(m_window->controller().recoveryCopy().path()));
}

// A copy that cannot be written is said on the status bar, with the reason
// as its tooltip, until one is written again; a window whose copies are
// written has no status bar.
void TstWindows::recoveryCopyThatCannotBeWrittenIsShown()
{
    plan(*m_window, {"Agility"});
    DocumentController &controller = m_window->controller();
    RecoveryCopy &copy = controller.recoveryCopy();
    controller.writeRecoveryCopy();
    copy.waitForWrites();
    QVERIFY(copy.exists());
    QVERIFY(!m_window->findChild<QStatusBar *>());

    // A folder where the copy goes: it cannot be replaced.
    QVERIFY(QFile::remove(copy.path()));
    QVERIFY(QDir().mkdir(copy.path()));
    controller.writeRecoveryCopy();
    QTRY_VERIFY(!controller.recoveryProblem().isEmpty());
    auto *label = m_window->findChild<QLabel *>(QStringLiteral("lblRecovery"));
    QVERIFY(label && label->isVisible());
    QVERIFY(label->text().contains(QLatin1String("not kept for recovery")));
    QVERIFY(label->toolTip().contains(QFileInfo(copy.path()).fileName()));
    QCOMPARE(label->accessibleDescription(), QStringLiteral("Recovery copy"));

    QVERIFY(QDir().rmdir(copy.path()));
    controller.writeRecoveryCopy();
    QTRY_VERIFY(!m_window->statusBar()->isVisible());
    QVERIFY(QFile::exists(copy.path()));

    // Failing again, then saved: nothing is left to keep.
    QVERIFY(QFile::remove(copy.path()));
    QVERIFY(QDir().mkdir(copy.path()));
    controller.writeRecoveryCopy();
    QTRY_VERIFY(m_window->statusBar()->isVisible());
    QVERIFY(QDir().rmdir(copy.path()));
    m_prompter.fileNames = {m_dir->filePath("kept.lud")};
    m_window->Save1Click();
    QVERIFY(!m_window->statusBar()->isVisible());
    QCOMPARE(controller.recoveryProblem(), QString());
}
