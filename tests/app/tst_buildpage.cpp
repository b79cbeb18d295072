#include "app/frmludra.h"
#include "build/buildpage.h"
#include "build/buildsettings.h"
#include "build/frmcharacter.h"
#include "build/frmimplantselections.h"
#include "common/paths.h"
#include "data/nano.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "support/namedchild.h"
#include "support/scriptedprompter.h"
#include "views/numberbox.h"
#include "layout/undohistory.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ludra;

namespace {

// The controls whose enablement follows the settings.
const QStringList Dependent{"chkQLRange", "chkAgeStock", "edtQLRange",         "lblRemoveStockWarning",
                            "edtImplantQL", "btnSelIndiImplants", "lblIndiSelected", "edtMaxNanoProg"};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts);
}

// A selection written as one '1' or '0' per slot and the slots' levels
// separated by commas.
QString ticksOf(const QList<ImplantSelection> &selections)
{
    QString ticks;
    for (const ImplantSelection &s : selections)
        ticks += s.selected ? '1' : '0';
    return ticks;
}

QString levelsOf(const QList<ImplantSelection> &selections)
{
    QStringList levels;
    for (const ImplantSelection &s : selections)
        levels.append(s.qualityLevel.text());
    return levels.join(',');
}

QList<ImplantSelection> selection(const QString &ticks, const QString &levels)
{
    QList<ImplantSelection> result;
    for (int i = 0; i < ticks.size(); ++i)
        result.append({ticks.at(i) == '1', EnteredNumber(levels.split(',').value(i))});
    return result;
}

// Every named control as its name, whether enabled and checked, and its text.
QStringList stateOf(const QWidget *page)
{
    QStringList state;
    for (const QWidget *w : page->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        const auto *box = qobject_cast<const NumberBox *>(w);
        const auto *label = qobject_cast<const QLabel *>(w);
        state.append(QStringLiteral("%1 %2 %3 %4")
                         .arg(w->objectName())
                         .arg(w->isEnabled())
                         .arg(button && button->isChecked())
                         .arg(box ? box->text() : label ? label->text() : QString()));
    }
    return state;
}

QStringList enabledOf(const QWidget *page)
{
    QStringList enabled;
    for (const QString &name : Dependent)
        if (page->findChild<QWidget *>(name)->isEnabled())
            enabled.append(name);
    return enabled;
}

} // namespace

class TstBuildPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void enablement_data();
    void enablement();
    void controlsAndSettingsAgree();
    void numberBoxesKeepWhatIsTyped_data();
    void numberBoxesKeepWhatIsTyped();
    void implantSelectionsRoundTrip();
    void implantSelectionIsAStepOfThePlan();
    void qualityCellKeys();
    void qualityCellRefusesWhatTheBuildWould_data();
    void qualityCellRefusesWhatTheBuildWould();
    void characterNumbersAreChecked();
    void implantMenuCommands_data();
    void implantMenuCommands();
    void printCommandsFollowTheTab_data();
    void printCommandsFollowTheTab();

private:
    template <typename T>
    T *find(const QString &name) const
    {
        return namedChild<T>(*m_page, name);
    }

    const BuildSettings &settings() const { return m_document->buildSettings(); }
    const QList<ImplantSelection> &selections() const { return m_document->layout().plan().implantSelections; }
    // Changes the document's settings from outside the page.
    void changeSettings(const std::function<void(BuildSettings &)> &change);
    // Changes the plan's implant selection from outside the page.
    void changeSelections(const QList<ImplantSelection> &selections);
    // A page over another document holding the same settings and selection.
    QStringList freshPageState();

    ScriptedPrompter m_prompter;
    LudraProgram m_program;
    std::unique_ptr<PlanDocument> m_document;
    std::unique_ptr<BuildPage> m_page;
};

void TstBuildPage::init()
{
    m_prompter = ScriptedPrompter();
    m_page.reset();
    m_document = std::make_unique<PlanDocument>(m_program);
    m_page = std::make_unique<BuildPage>(m_prompter);
    m_page->setDocument(m_document.get());
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TstBuildPage::changeSettings(const std::function<void(BuildSettings &)> &change)
{
    BuildSettings changed = settings();
    change(changed);
    m_document->setSettings(changed);
}

void TstBuildPage::changeSelections(const QList<ImplantSelection> &selections)
{
    m_document->editPlan(QString(), [&selections](LayoutState &layout) { layout.setImplantSelections(selections); });
}

QStringList TstBuildPage::freshPageState()
{
    PlanDocument other(m_program);
    other.setSettings(settings());
    const QList<ImplantSelection> held = selections();
    other.editPlan(QString(), [&held](LayoutState &layout) { layout.setImplantSelections(held); });
    BuildPage fresh(m_prompter);
    fresh.setDocument(&other);
    return stateOf(&fresh);
}

void TstBuildPage::enablement_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QStringList>("checked");
    auto row = [](const char *name, const char *clicks, const char *enabled, const char *checked) {
        QTest::newRow(name) << words(clicks) << words(enabled) << words(checked);
    };
    row("as created", "", "edtImplantQL", "");
    row("stock on", "chkAvaStock", "chkQLRange chkAgeStock edtImplantQL", "chkAvaStock");
    row("range on", "chkAvaStock chkQLRange", "chkQLRange chkAgeStock edtQLRange edtImplantQL",
        "chkAvaStock chkQLRange");
    row("stock off keeps the range checked", "chkAvaStock chkQLRange chkAvaStock", "edtImplantQL", "chkQLRange");
    row("stock on again brings the range box back", "chkAvaStock chkQLRange chkAvaStock chkAvaStock",
        "chkQLRange chkAgeStock edtQLRange edtImplantQL", "chkAvaStock chkQLRange");
    row("remove build stock shows the warning", "chkAvaStock chkAgeStock",
        "chkQLRange chkAgeStock lblRemoveStockWarning edtImplantQL", "chkAvaStock chkAgeStock");
    row("stock off greys remove build stock and leaves it checked", "chkAvaStock chkAgeStock chkAvaStock",
        "lblRemoveStockWarning edtImplantQL", "chkAgeStock");
    row("greyed boxes take no clicks", "chkQLRange chkAgeStock", "edtImplantQL", "");
    row("individual levels", "rdoIndiQL", "btnSelIndiImplants lblIndiSelected", "rdoIndiQL");
    row("back to one level", "rdoIndiQL rdoOneQL", "edtImplantQL", "");
    row("nano programming limit", "chkUseNanoProg", "edtImplantQL edtMaxNanoProg", "chkUseNanoProg");
    row("nano programming limit off", "chkUseNanoProg chkUseNanoProg", "edtImplantQL", "");
}

void TstBuildPage::enablement()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, checked);
    for (const QString &name : clicks)
        find<QAbstractButton>(name)->click();
    QCOMPARE(enabledOf(m_page.get()), enabled);
    QStringList isChecked;
    for (const char *name : {"chkAvaStock", "chkQLRange", "chkAgeStock", "rdoIndiQL", "chkUseNanoProg"})
        if (find<QAbstractButton>(name)->isChecked())
            isChecked.append(name);
    QCOMPARE(isChecked, checked);

    // The settings hold it all: a new page over them shows every control alike.
    QCOMPARE(freshPageState(), stateOf(m_page.get()));
}

void TstBuildPage::controlsAndSettingsAgree()
{
    // Each control writes its change into the settings at once.
    QSignalSpy changed(m_page.get(), &BuildPage::settingsChanged);
    for (const char *name :
         {"chkAvaStock", "chkQLRange", "chkAgeStock", "rdoIndiQL", "chkUseNanoProg", "chkAgi", "chkSen"})
        find<QAbstractButton>(name)->click();
    find<NumberBox>("edtQLRange")->stepBy(1);
    find<NumberBox>("edtMaxNanoProg")->stepBy(3);
    QCOMPARE(changed.count(), 9);
    QVERIFY(settings().useStock && settings().useRange && settings().removeStock);
    QVERIFY(settings().target != BuildSettings::Target::OneLevel && settings().warnNanoProg);
    QCOMPARE(settings().range.text(), QStringLiteral("36"));
    QCOMPARE(settings().maxNanoProg.text(), QStringLiteral("3"));
    QCOMPARE(settings().attributes, (std::array<bool, 6>{false, true, false, false, false, true}));

    // Settings changed elsewhere are shown, and showing them is no change.
    changeSettings([](BuildSettings &s) {
        s.useStock = false;
        s.implantQL = EnteredNumber("77");
    });
    changeSelections(selection("0100000000000", ""));
    const BuildSettings before = settings();
    m_page->showSettings();
    QVERIFY(settings() == before);
    QCOMPARE(changed.count(), 9);
    QVERIFY(!find<QAbstractButton>("chkAvaStock")->isChecked());
    QCOMPARE(find<NumberBox>("edtImplantQL")->text(), QStringLiteral("77"));
    QCOMPARE(find<QLabel>("lblIndiSelected")->text(), QStringLiteral("1 implant selected"));
    QCOMPARE(enabledOf(m_page.get()), words("lblRemoveStockWarning btnSelIndiImplants lblIndiSelected edtMaxNanoProg"));

    QCOMPARE(freshPageState(), stateOf(m_page.get()));
    QCOMPARE(freshPageState().size(), 26); // the 22 controls and their 4 groups
}

void TstBuildPage::numberBoxesKeepWhatIsTyped_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("beyond the one-level range") << words("") << "edtImplantQL" << "999" << "999";
    QTest::newRow("a letter into the one-level box") << words("") << "edtImplantQL" << "x" << "1";
    QTest::newRow("a letter into the range box") << words("chkAvaStock chkQLRange") << "edtQLRange" << "q" << "35";
}

void TstBuildPage::numberBoxesKeepWhatIsTyped()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    for (const QString &name : clicks)
        find<QAbstractButton>(name)->click();
    auto *edit = find<NumberBox>(box);
    m_page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), stored);
    const QHash<QString, QString> held{{"edtQLRange", settings().range.text()},
                                       {"edtImplantQL", settings().implantQL.text()},
                                       {"edtMaxNanoProg", settings().maxNanoProg.text()}};
    QCOMPARE(held.value(box), stored);
}

void TstBuildPage::implantSelectionsRoundTrip()
{
    find<QAbstractButton>("rdoIndiQL")->click();
    auto *label = find<QLabel>("lblIndiSelected");
    QCOMPARE(label->text(), QStringLiteral("<no implants selected>"));
    const QString ticks = "1000010000001";
    const QString levels = "120,,,,,35,,,,,,,200";

    m_prompter.dialogs.append({Prompter::Answer::Ok, [&](QObject &object) {
        auto *dialog = qobject_cast<TfrmImplantSelections *>(&object);
        QVERIFY(dialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Implant Selections"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        auto *grid = dialog->findChild<QTableWidget *>("grdImplants");
        QCOMPARE(grid->rowCount(), 13);
        const QList<int> widths{132, 64, 64};
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(grid->horizontalHeaderItem(c)->text(), (QStringList{"Implant", "Select", "Quality"}.at(c)));
            QVERIFY(grid->columnWidth(c) >= widths.at(c));
        }
        QCOMPARE(grid->viewport()->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
        QCOMPARE(grid->viewport()->height(), 13 * grid->rowHeight(0));
        for (int r = 0; r < 13; ++r) {
            QCOMPARE(grid->item(r, 0)->text(), BodySlotNames().at(r));
            QVERIFY(!(grid->item(r, 0)->flags() & Qt::ItemIsEditable));
            QVERIFY(grid->item(r, 1)->flags() & Qt::ItemIsUserCheckable);
            QVERIFY(grid->item(r, 2)->flags() & Qt::ItemIsEditable);
        }
        QCOMPARE(ticksOf(dialog->selections()), QStringLiteral("0000000000000"));
        QCOMPARE(levelsOf(dialog->selections()), QStringLiteral(",,,,,,,,,,,,"));
        QStringList menu;
        for (const QAction *action : dialog->findChild<QMenu *>("mnuImplants")->actions())
            menu.append(action->text());
        QCOMPARE(menu, (QStringList{"&Select All Implants", "&Deselect all Implants", "Set all Quality to..."}));

        // As a person would: Space ticks the box, F2 opens the level's line
        // edit, and moving on keeps the typed text. The last level is still
        // being edited when the dialog is accepted, and counts too.
        for (int r : {0, 5, 12}) {
            grid->setCurrentCell(r, 1);
            QTest::keyClick(grid, Qt::Key_Space);
            grid->setCurrentCell(r, 2);
            QTest::keyClick(grid, Qt::Key_F2);
            auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(grid->currentIndex()));
            QVERIFY(editor);
            QTest::keyClicks(editor, levels.split(',').at(r));
        }
    }});
    QSignalSpy changed(m_page.get(), &BuildPage::settingsChanged);
    find<QAbstractButton>("btnSelIndiImplants")->click();
    QCOMPARE(label->text(), QStringLiteral("3 implants selected"));
    QCOMPARE(ticksOf(selections()), ticks);
    QCOMPARE(levelsOf(selections()), levels);
    QCOMPARE(changed.count(), 1);

    // Reopened, it shows the same; changes then cancelled leave everything.
    m_prompter.dialogs.append({Prompter::Answer::Cancel, [&](QObject &object) {
        auto *dialog = qobject_cast<TfrmImplantSelections *>(&object);
        QCOMPARE(ticksOf(dialog->selections()), ticks);
        QCOMPARE(levelsOf(dialog->selections()), levels);
        dialog->SelectAll1Click();
        dialog->SetAllQuality1Click();
        QCOMPARE(levelsOf(dialog->selections()), QStringLiteral("0,0,0,0,0,0,0,0,0,0,0,0,0"));
    }});
    find<QAbstractButton>("btnSelIndiImplants")->click();
    QCOMPARE(m_prompter.dialogsRun, (QStringList{"frmImplantSelections", "frmImplantSelections", "frmSetAll"}));
    QCOMPARE(label->text(), QStringLiteral("3 implants selected"));
    QCOMPARE(ticksOf(selections()), ticks);
    QCOMPARE(levelsOf(selections()), levels);
    QCOMPARE(changed.count(), 1);
    QVERIFY(m_prompter.asked.isEmpty());
}

// OK in the selection dialog is one step of the plan's history, which Undo
// takes back, the caption with it; the settings take no part in it.
void TstBuildPage::implantSelectionIsAStepOfThePlan()
{
    m_document->setHistory(std::make_unique<UndoHistory>(*m_document));
    QUndoStack *stack = UndoHistory::stackOf(*m_document);
    QVERIFY(stack);
    find<QAbstractButton>("rdoIndiQL")->click();
    const BuildSettings before = settings();
    auto *label = find<QLabel>("lblIndiSelected");
    // Every slot selected, and each given a level.
    m_prompter.dialogs.append({Prompter::Answer::Ok, [](QObject &dialog) {
        qobject_cast<TfrmImplantSelections *>(&dialog)->SelectAll1Click();
        dialog.findChild<QAction *>("SetAllQuality1")->trigger();
    }});
    m_prompter.dialogs.append({Prompter::Answer::Ok, [](QObject &dialog) {
        auto *box = dialog.findChild<NumberBox *>("edtQL");
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "150");
    }});
    find<QAbstractButton>("btnSelIndiImplants")->click();
    QCOMPARE(m_prompter.dialogsRefused, QStringList());
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->undoText(), QStringLiteral("Implant Selection"));
    QCOMPARE(ticksOf(selections()), QStringLiteral("1111111111111"));
    QCOMPARE(label->text(), QStringLiteral("13 implants selected"));
    QVERIFY(settings() == before);

    stack->undo();
    QVERIFY(selections().isEmpty());
    QCOMPARE(label->text(), QStringLiteral("<no implants selected>"));
    stack->redo();
    QCOMPARE(ticksOf(selections()), QStringLiteral("1111111111111"));
    QCOMPARE(label->text(), QStringLiteral("13 implants selected"));
}

void TstBuildPage::qualityCellKeys()
{
    find<QAbstractButton>("rdoIndiQL")->click();
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&](QObject &object) {
        auto *dialog = qobject_cast<TfrmImplantSelections *>(&object);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QSignalSpy accepted(dialog, &QDialog::accepted);
        auto *grid = dialog->findChild<QTableWidget *>("grdImplants");
        const auto editorOf = [grid] { return qobject_cast<QLineEdit *>(grid->indexWidget(grid->currentIndex())); };

        // Typing on a quality cell edits it; Return keeps the level and
        // leaves the dialog open.
        grid->setCurrentCell(0, 2);
        QTest::keyClick(grid, Qt::Key_1);
        QLineEdit *editor = editorOf();
        QVERIFY(editor);
        QCOMPARE(editor->accessibleName(), QStringLiteral("Quality, HEAD"));
        QTest::keyClicks(editor, "20");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("120"));
        QVERIFY(!grid->indexWidget(grid->model()->index(0, 2)));
        QCOMPARE(accepted.count(), 0);

        // Escape leaves the cell as it was.
        grid->setCurrentCell(1, 2);
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClicks(editorOf(), "99");
        QTest::keyClick(editorOf(), Qt::Key_Escape);
        QCOMPARE(grid->item(1, 2)->text(), QString());

        // Tab keeps the level and moves on.
        grid->setCurrentCell(2, 2);
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClicks(editorOf(), "75");
        QTest::keyClick(editorOf(), Qt::Key_Tab);
        QCOMPARE(grid->item(2, 2)->text(), QStringLiteral("75"));
        QCOMPARE(grid->currentIndex(), grid->model()->index(3, 0));
        QCOMPARE(accepted.count(), 0);
    }});
    find<QAbstractButton>("btnSelIndiImplants")->click();
    QCOMPARE(levelsOf(selections()), QStringLiteral("120,,75,,,,,,,,,,"));
}

// The selected RIGHT ARM cell as the plan gives it, typed into and left open:
// OK names the slot and the range (or asks, above 300, as the build does, and
// is answered Cancel) and stays open on that cell.
void TstBuildPage::qualityCellRefusesWhatTheBuildWould_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("asked");
    const QString range = "Quality Level: The quality level of RIGHT ARM must be a whole number from 1 to 2000; "
                          "only a slot that is not selected may be left empty.";
    QTest::newRow("x-0 typed") << "" << "x-0" << "0" << range;
    QTest::newRow("x-0 from the plan") << "x-0" << "" << "x-0" << range;
    QTest::newRow("digits beyond the highest, above 300")
        << "" << "20001" << "2000"
        << "Quality Level above 300: Quality level above 300, the highest level the game has: RIGHT ARM at 2000. "
           "Keep the levels as entered?";
}

void TstBuildPage::qualityCellRefusesWhatTheBuildWould()
{
    QFETCH(QString, given);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(QString, asked);
    const int arm = int(BodySlotNames().indexOf("RIGHT ARM"));
    QList<ImplantSelection> entries(13);
    entries[arm] = ImplantSelection{true, EnteredNumber(given)};
    TfrmImplantSelections dialog(m_prompter, entries);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *grid = dialog.findChild<QTableWidget *>("grdImplants");
    grid->setCurrentCell(arm, 2);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(grid->indexWidget(grid->currentIndex()), typed);
    m_prompter.answers = {Prompter::Answer::Cancel};
    dialog.findChild<QPushButton *>("btnOK")->click();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).title + ": " + m_prompter.asked.at(0).text, asked);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.selections().at(arm).qualityLevel.text(), cell);
    QCOMPARE(grid->currentIndex(), grid->model()->index(arm, 2));
    QCOMPARE(QApplication::focusWidget(), grid);
}

// Typing stops at the digits of the stats' range; a number beyond it, as a
// box may hold it from before, is named with the range by OK, which stays on
// its box.
void TstBuildPage::characterNumbersAreChecked()
{
    TfrmCharacter dialog(m_prompter, Character(), 300);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *treatment = dialog.findChild<NumberBox *>("edtTreatment");
    QTest::keyClick(treatment, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(treatment, "99999999999");
    QCOMPARE(treatment->text(), QStringLiteral("9999"));
    treatment->setText("99999999999");
    dialog.findChild<NumberBox *>("edtStrength")->setFocus();
    dialog.findChild<QPushButton *>("btnOK")->click();
    QCOMPARE(m_prompter.titles(), QStringList{"Character Stat"});
    QCOMPARE(m_prompter.asked.at(0).text,
             QStringLiteral("Treatment must be a whole number from 0 to 9999; an empty box counts as 0."));
    QVERIFY(dialog.isVisible());
    QVERIFY(treatment->hasFocus());
}

void TstBuildPage::implantMenuCommands_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("setAllOk");
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<QString>("levels");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("refused");
    const QString before = "120,,,80,,,,,,,,,200";
    // Slots without a level selected: OK names the first, and the dialog
    // stays until it has one or is cancelled.
    QTest::newRow("select all") << "SelectAll1" << false << "1000000000001" << before << "2 implants selected"
                                << true;
    QTest::newRow("deselect all") << "DeselectAll1" << false << "0000000000000" << before
                                  << "<no implants selected>" << false;
    QTest::newRow("set all quality, OK") << "SetAllQuality1" << true << "1000000000001"
                                         << "150,150,150,150,150,150,150,150,150,150,150,150,150"
                                         << "2 implants selected" << false;
    QTest::newRow("set all quality, Cancel") << "SetAllQuality1" << false << "1000000000001" << before
                                             << "2 implants selected" << false;
}

void TstBuildPage::implantMenuCommands()
{
    QFETCH(QString, action);
    QFETCH(bool, setAllOk);
    QFETCH(QString, ticks);
    QFETCH(QString, levels);
    QFETCH(QString, caption);
    changeSettings([](BuildSettings &s) {
        s.target = BuildSettings::Target::Individual;
    });
    changeSelections(selection("1000000000001", "120,,,80,,,,,,,,,200"));

    m_prompter.dialogs.append({Prompter::Answer::Ok, [&](QObject &dialog) {
        dialog.findChild<QAction *>(action)->trigger();
    }});
    m_prompter.dialogs.append({setAllOk ? Prompter::Answer::Ok : Prompter::Answer::Cancel, [](QObject &dialog) {
        auto *window = qobject_cast<QWidget *>(&dialog);
        QCOMPARE(window->windowTitle(), QStringLiteral("Set all Quality Level to..."));
        QVERIFY(window->windowFlags().testFlag(Qt::Tool));
        auto *box = dialog.findChild<NumberBox *>("edtQL");
        QCOMPARE(box->text(), QStringLiteral("0"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "150");
    }});
    find<QAbstractButton>("btnSelIndiImplants")->click();
    QCOMPARE(m_prompter.dialogsRun.size(), action == "SetAllQuality1" ? 2 : 1);
    QCOMPARE(ticksOf(selections()), ticks);
    QCOMPARE(levelsOf(selections()), levels);
    QCOMPARE(find<QLabel>("lblIndiSelected")->text(), caption);
    QFETCH(bool, refused);
    QCOMPARE(m_prompter.dialogsRefused, refused ? QStringList{"frmImplantSelections"} : QStringList());
    QCOMPARE(m_prompter.asked.size(), refused ? 1 : 0);
    if (refused)
        QVERIFY(m_prompter.asked.first().text.contains(QLatin1String("CHEST")));
}

void TstBuildPage::printCommandsFollowTheTab_data()
{
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("Layout at start") << QList<int>{} << true;
    QTest::newRow("Build") << QList<int>{1} << false;
    QTest::newRow("Build, then Layout") << QList<int>{1, 0} << true;
    QTest::newRow("Build, then skill increases") << QList<int>{1, 2} << true;
    QTest::newRow("Build, then requirements") << QList<int>{1, 3} << true;
    QTest::newRow("Build, then suggestions") << QList<int>{1, 4} << false;
    QTest::newRow("requirements, then suggestions") << QList<int>{1, 3, 4} << true;
}

void TstBuildPage::printCommandsFollowTheTab()
{
    QFETCH(QList<int>, shown);
    QFETCH(bool, allowed);
    QTemporaryDir dir;
    SetBaseDir(dir.path());
    TfrmLudra window(m_prompter); // the missing reference files are reported and answered
    SetBaseDir(QString());
    auto *tabs = window.findChild<QTabWidget *>();
    for (int index : shown)
        tabs->setCurrentIndex(index);
    QCOMPARE(window.printCommandsAllowedByTab(), allowed);
    // Printing is not built yet: the commands stay disabled whatever the tab.
    for (const char *name : {"PrintSetup1", "PrintPreview1", "Print1"})
        QCOMPARE(window.findChild<QAction *>(name)->isEnabled(), allowed);
}

QTEST_MAIN(TstBuildPage)
#include "tst_buildpage.moc"
