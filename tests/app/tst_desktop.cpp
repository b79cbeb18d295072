// What a desktop program is expected to do, on the real main window
// offscreen: undo and redo, unsaved changes, recent projects and the plan as
// text.

#include "app/commandline.h"
#include "app/frmludra.h"
#include "app/session.h"
#include "model/plandocument.h"
#include "common/paths.h"
#include "layout/layoutpage.h"
#include "layout/layoutstate.h"
#include "model/options.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace ludra;

class TstDesktop : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void undoAndRedoAnAllocation();
    void titleMarksUnsavedChanges();
    void closingAsksAboutChanges_data();
    void closingAsksAboutChanges();
    void recentProjects();
    void copyThenPastePlan();
    void windowComesBackAsLeft();
    void projectsNamedAtStart();

private:
    void open();
    // Adds every available skill and allocates them (answering the question
    // Yes).
    void allocateAll();
    void trigger(const char *action) { find<QAction>(action)->trigger(); }
    QList<QStringList> layoutRows() const { return m_window->document().layout().table().rows(); }

};

void TstDesktop::init()
{
    QVERIFY(startFolder());
    // Agility and Stamina both want HEAD's Shining cluster.
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n"
                                           "Stamina Clu,Stamina,HEAD,CHEST,WAIST,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Burst Clu,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\n");
}

void TstDesktop::cleanup()
{
    stopFolder();
}

void TstDesktop::open()
{
    QVERIFY(showWindow());
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstDesktop::allocateAll()
{
    auto *available = find<QComboBox>("cboAvaNanos");
    while (available->count() > 0)
        find<QPushButton>("btnAdd")->click();
    m_prompter.answers = {Prompter::Answer::Yes};
    find<QPushButton>("btnAllocate")->click();
    QCOMPARE(m_prompter.asked.size(), 1);
    m_prompter.asked.clear();
}

void TstDesktop::undoAndRedoAnAllocation()
{
    open();
    const QList<QStringList> empty = layoutRows();
    allocateAll();
    const QList<QStringList> allocated = layoutRows();
    QVERIFY(allocated != empty);
    QCOMPARE(find<QAction>("Undo1")->text(), QStringLiteral("&Undo Auto Allocate"));

    // In the skill view a second HEAD Shining cluster is a duplicate; undone,
    // the warning and the held-back view selector go with it.
    auto *view = find<QComboBox>("cboViewStyle");
    view->setCurrentIndex(1);
    find<LayoutPage>("tabReport")->grdReportCellValidate(1, 2, QStringLiteral("HEAD"));
    auto *duplicates = find<QLabel>("lblDupes");
    QVERIFY(!duplicates->text().isEmpty());
    QVERIFY(!view->isEnabled());
    QVERIFY(!find<QPushButton>("btnBuild")->isEnabled());
    trigger("Undo1");
    QVERIFY(duplicates->text().isEmpty());
    QVERIFY(view->isEnabled());
    QVERIFY(find<QPushButton>("btnBuild")->isEnabled());
    trigger("Redo1");
    QVERIFY(!duplicates->text().isEmpty());
    trigger("Undo1");
    trigger("Undo1"); // the view switch
    QCOMPARE(view->currentIndex(), 0);
    QCOMPARE(layoutRows(), allocated);
    trigger("Undo1");
    QCOMPARE(layoutRows(), empty);
    QCOMPARE(find<QAction>("Redo1")->text(), QStringLiteral("&Redo Auto Allocate"));
    trigger("Redo1");
    QCOMPARE(layoutRows(), allocated);
    // A marker of the conflict comes back with it.
    QCOMPARE(m_window->document().layout().shownMarker(1, 1), Marker::Conflict);
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstDesktop::titleMarksUnsavedChanges()
{
    open();
    QVERIFY(!m_window->isWindowModified());
    find<QPushButton>("btnAdd")->click();
    QVERIFY(m_window->isWindowModified());
    trigger("Undo1");
    QVERIFY(!m_window->isWindowModified());

    // Saved, it is clean; a build setting changes the plan without a step of
    // the history.
    find<QPushButton>("btnAdd")->click();
    m_prompter.fileNames = {m_dir->filePath("plan.lud")};
    trigger("Save1");
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(m_window->windowTitle(), "Ludra - " + m_dir->filePath("plan.lud") + "[*]");
    find<QAbstractButton>("chkStr")->click();
    QVERIFY(m_window->isWindowModified());
    // New starts clean, with no history.
    m_prompter.answers = {Prompter::Answer::Discard};
    trigger("New1");
    QVERIFY(!m_window->isWindowModified());
    QVERIFY(!find<QAction>("Undo1")->isEnabled());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ludra[*]"));
}

void TstDesktop::closingAsksAboutChanges_data()
{
    QTest::addColumn<bool>("ask");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closed");
    QTest::newRow("cancel") << true << int(Prompter::Answer::Cancel) << 1 << false;
    QTest::newRow("discard") << true << int(Prompter::Answer::Discard) << 1 << true;
    QTest::newRow("option off") << false << int(Prompter::Answer::Cancel) << 0 << true;
}

void TstDesktop::closingAsksAboutChanges()
{
    QFETCH(bool, ask);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(bool, closed);
    SetAskToSaveOption(ask);
    open();
    find<QPushButton>("btnAdd")->click();
    m_prompter.answers = {Prompter::Answer(answer)};
    trigger("Exit1");
    QCOMPARE(m_prompter.asked.size(), questions);
    if (questions > 0) {
        QCOMPARE(m_prompter.asked.first().buttons, Prompter::Buttons::SaveDiscardCancel);
        QCOMPARE(m_prompter.asked.first().text, QStringLiteral("Save changes to the new plan?"));
    }
    QCOMPARE(!m_window->isVisible(), closed);
    if (!closed)
        QCOMPARE(m_window->document().layout().skills().selected().size(), 1);
}

void TstDesktop::recentProjects()
{
    open();
    const QString first = m_dir->filePath("first.lud");
    const QString second = m_dir->filePath("second.lud");
    m_prompter.fileNames = {first, second};
    trigger("SaveAs1");
    trigger("SaveAs1");
    auto *file = find<QMenu>("File1");
    QMetaObject::invokeMethod(file, "aboutToShow");
    QMenu *recent = find<QMenu>("RecentProjects1");
    QStringList captions, tips;
    for (const QAction *action : recent->actions()) {
        captions.append(action->text());
        tips.append(action->toolTip());
    }
    QCOMPARE(captions, (QStringList{"&1 second.lud", "&2 first.lud"}));
    QCOMPARE(tips, (QStringList{QDir::toNativeSeparators(second), QDir::toNativeSeparators(first)}));

    // A vanished project is told and taken off the list.
    QVERIFY(QFile::remove(first));
    recent->actions().at(1)->trigger();
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Recent Projects")});
    QCOMPARE(RecentProjects(), QStringList{second});
    QCOMPARE(m_window->document().fileName(), second);
}

// "ludra FILE.lud ...": the first window opens the first project in place
// of the last one, each further project a window of its own; a path is made
// whole, and an option the program does not know is passed over.
void TstDesktop::projectsNamedAtStart()
{
    open();
    allocateAll();
    const QString first = m_dir->filePath("first.lud");
    const QString second = m_dir->filePath("second.lud");
    m_prompter.fileNames = {first, second};
    trigger("SaveAs1");
    trigger("SaveAs1");
    m_window.reset();

    const QString here = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const QStringList projects = ProjectArguments({"ludra", "--unknown", "first.lud", second});
    QVERIFY(QDir::setCurrent(here));
    QCOMPARE(projects, (QStringList{first, second}));

    ScriptedPrompter prompter;
    TfrmLudra window(prompter, nullptr, projects);
    QCOMPARE(window.document().fileName(), first);
    QVERIFY(!window.document().layout().plan().cellsEmpty());
    TfrmLudra *other = window.session().newWindow(projects.at(1));
    QCOMPARE(other->document().fileName(), second);
    QCOMPARE(window.session().windows().size(), 2);
    QVERIFY(prompter.asked.isEmpty());
    delete other;

    // A project that cannot be read is told, and the window opens empty.
    TfrmLudra missing(prompter, nullptr, {m_dir->filePath("gone.lud")});
    QCOMPARE(prompter.asked.size(), 1);
    QVERIFY(missing.document().fileName().isEmpty());
}

void TstDesktop::copyThenPastePlan()
{
    open();
    allocateAll();
    // The skills, the target and the character go with the grid.
    BuildSettings settings = m_window->document().buildSettings();
    settings.target = BuildSettings::Target::Highest;
    settings.ladderTopLevel = 250;
    settings.character.stats = {700, 250, 300, 250, 350, 300, 250};
    settings.character.level = 150;
    m_window->document().setSettings(settings);
    const QList<QStringList> allocated = layoutRows();
    const SkillLists skills = m_window->document().layout().skills();
    trigger("CopyPlan1");
    const QString text = QApplication::clipboard()->text();
    QVERIFY2(text.startsWith(QStringLiteral("Skills:\tAgility\t")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral(
                 "\nTarget:\tHighest I Can Wear\tup to QL 250\nCharacter:\tTreatment 700, Strength 250, ")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\nSlot\tShining\tBright\tFaded\nHEAD\tAgility Clu\t")));

    m_prompter.answers = {Prompter::Answer::Discard};
    trigger("New1");
    QVERIFY(layoutRows() != allocated);
    trigger("PastePlan1");
    QCOMPARE(layoutRows(), allocated);
    QCOMPARE(m_window->document().layout().skills().selected(), skills.selected());
    QCOMPARE(m_window->document().buildSettings(), settings);
    QVERIFY(find<QRadioButton>("rdoHighestQL")->isChecked());
    QCOMPARE(find<QAction>("Undo1")->text(), QStringLiteral("&Undo Paste Plan"));
    // One step takes all of it back.
    trigger("Undo1");
    QVERIFY(m_window->document().layout().skills().selected().isEmpty());
    QCOMPARE(m_window->document().buildSettings(), BuildSettings());
    QVERIFY(find<QRadioButton>("rdoOneQL")->isChecked());
    trigger("Redo1");
    QCOMPARE(m_window->document().buildSettings(), settings);

    // A name nobody knows: one message, and nothing changes.
    QApplication::clipboard()->setText(QStringLiteral("head\tagility\nEYE\tBurrst\n"));
    m_prompter.asked.clear();
    trigger("PastePlan1");
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY2(m_prompter.asked.first().text.contains(QStringLiteral("Line 2: no cluster or skill is called \"Burrst\"")),
             qPrintable(m_prompter.asked.first().text));
    QCOMPARE(layoutRows(), allocated);
    QCOMPARE(m_window->undoStack().count(), 1);
}

void TstDesktop::windowComesBackAsLeft()
{
    open();
    m_window->resize(1000, 640);
    QTRY_COMPARE(m_window->width(), 1000);
    QVERIFY(m_window->close());
    open();
    QCOMPARE(m_window->size(), QSize(1000, 640));
}

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
