#include "app/frmludra.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "model/plandocument.h"
#include "common/paths.h"
#include "model/projectstate.h"
#include "common/text.h"
#include "layout/layoutpage.h"
#include "layout/layoutstate.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "views/numberbox.h"
#include "support/scriptedprompter.h"
#include "support/widgettexts.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using namespace ludra;

namespace {

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList menuCaptions(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions.append(action->text());
    return captions;
}

} // namespace

class TstLayoutPage : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void deleteClearsTheSelectedCells_data();
    void deleteClearsTheSelectedCells();
    void init();
    void cleanup();

    void addRemoveUpDownAndClearAll();
    void defaultSelectionGroup();
    void bodyCellOffersItsPickList();
    void cellEditorKeys_data();
    void cellEditorKeys();
    void cellEditorTabTypingAndList();
    void allocationAsksFirst();
    void rulesDialogChangesTheAllocation();
    void viewsSwitchAndAllocationFollows();
    void markers();
    void duplicateEditTurnsRedAndLocksTheView();
    void buildFromTheAllocatedLayout();
    void cheaperLevelsAreOneStep();
    void buildStopsOnABadNumberAndRestoresTheLayout();
    void savedPlanComesBackAtStartUp();
    void damagedProjectLeavesThePlan();
    void stockStatusMarksTheLayout();
    void buildLeavesTheGridAsShown();
    void playersMarkersLieUnderTheStockStatus();
    void resultsSayWhatTheyAre();
    void levelAboveTheTopIsAsked();
    void highestICanWear();
    void characterLevelAndProfession();

private:
    // Opens the main window; missingFiles reference files are reported missing.
    void open(int missingFiles = 2);
    // Writes the recipe and requirement files of the build tests and opens
    // the window with Agility, Stamina and Burst allocated.
    void openAllocated();
    // Replaces the text of a number box as typed.
    void type(const char *box, const QString &text);
    QStringList gridRows(const char *grid) const;
    // Adds the available skills of these names, in this order.
    void select(const QStringList &names);
    // Opens the in-cell editor of a grid cell with F2.
    QComboBox *editCell(int viewRow, int viewColumn);
    QString cell(int column, int row) const { return m_window->document().layout().table().cell(column, row); }

};

void TstLayoutPage::init()
{
    QVERIFY(startFolder());
    // Cluster name, skill name, then the Shining, Bright and Faded slots.
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n"
                                           "Stamina Clu,Stamina,HEAD,CHEST,WAIST,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n"
                                           "Sense Clu,Sense,CHEST,EYE,LEG,1\r\n");
    writeFile(m_dir->filePath("popup.mnu"), "Group\r\n-Stamina\r\n-  Sense  \r\nEmpty\r\n");
}

void TstLayoutPage::cleanup()
{
    stopFolder();
}

void TstLayoutPage::open(int missingFiles)
{
    QVERIFY(showWindow());
    QCOMPARE(m_prompter.asked.size(), missingFiles);
    m_prompter.asked.clear();
}

void TstLayoutPage::select(const QStringList &names)
{
    auto *available = find<QComboBox>("cboAvaNanos");
    for (const QString &name : names) {
        const int index = available->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        available->setCurrentIndex(index);
        QTest::mouseClick(find<QPushButton>("btnAdd"), Qt::LeftButton);
    }
}

QComboBox *TstLayoutPage::editCell(int viewRow, int viewColumn)
{
    auto *grid = find<QTableView>("grdReport");
    grid->setFocus();
    const QModelIndex index = grid->model()->index(viewRow, viewColumn);
    grid->setCurrentIndex(index);
    QTest::keyClick(grid, Qt::Key_F2);
    return qobject_cast<QComboBox *>(grid->indexWidget(index));
}

void TstLayoutPage::addRemoveUpDownAndClearAll()
{
    open();
    auto *available = find<QComboBox>("cboAvaNanos");
    auto *selected = find<QListWidget>("lbSelNanos");
    QCOMPARE(comboTexts(available), (QStringList{"Agility", "Burst", "Sense", "Stamina"}));
    QCOMPARE(available->currentText(), QStringLiteral("Agility"));

    // Add takes the current choice; the first available entry is chosen next.
    QTest::mouseClick(find<QPushButton>("btnAdd"), Qt::LeftButton);
    QCOMPARE(available->currentText(), QStringLiteral("Burst"));
    select({"Stamina", "Burst"});
    QCOMPARE(listTexts(selected), (QStringList{"Agility", "Stamina", "Burst"}));
    QCOMPARE(comboTexts(available), QStringList{"Sense"});

    // Up and Down move the chosen entry, which stays chosen.
    selected->setCurrentRow(2);
    QTest::mouseClick(find<QToolButton>("btnUp"), Qt::LeftButton);
    QCOMPARE(listTexts(selected), (QStringList{"Agility", "Burst", "Stamina"}));
    QCOMPARE(selected->currentRow(), 1);
    QTest::mouseClick(find<QToolButton>("btnUp"), Qt::LeftButton);
    QTest::mouseClick(find<QToolButton>("btnUp"), Qt::LeftButton); // on the first entry: nothing
    QCOMPARE(listTexts(selected), (QStringList{"Burst", "Agility", "Stamina"}));
    QTest::mouseClick(find<QToolButton>("btnDown"), Qt::LeftButton);
    QCOMPARE(listTexts(selected), (QStringList{"Agility", "Burst", "Stamina"}));
    QCOMPARE(selected->currentItem()->text(), QStringLiteral("Burst"));

    // Remove puts the entry back in its sorted place; nothing is chosen after.
    QTest::mouseClick(find<QPushButton>("btnRemove"), Qt::LeftButton);
    QCOMPARE(listTexts(selected), (QStringList{"Agility", "Stamina"}));
    QCOMPARE(comboTexts(available), (QStringList{"Burst", "Sense"}));
    QCOMPARE(available->currentText(), QStringLiteral("Burst"));
    QVERIFY(selected->selectedItems().isEmpty());
    QTest::mouseClick(find<QPushButton>("btnRemove"), Qt::LeftButton);
    QCOMPARE(selected->count(), 2);

    // The list's menu opens on release of the right button.
    auto *menu = find<QMenu>("mnuSelected");
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(selected->viewport(), Qt::RightButton, {}, QPoint(10, 5));
    QVERIFY(menu->isVisible());
    find<QAction>("ClearAll1")->trigger();
    menu->hide();
    QCOMPARE(selected->count(), 0);
    QCOMPARE(comboTexts(available), (QStringList{"Agility", "Burst", "Sense", "Stamina"}));
    QCOMPARE(available->currentText(), QStringLiteral("Agility"));

    // Undo brings back the chosen entries of the lists with the plan: the
    // entries shown as chosen are the ones Remove and Add then take.
    select({"Burst", "Sense"});
    find<QComboBox>("cboInside")->setCurrentIndex(1);
    selected->setCurrentRow(0);
    available->setCurrentIndex(1);
    auto *undo = find<QAction>("Undo1");
    QCOMPARE(undo->text(), QStringLiteral("&Undo Names Switch"));
    undo->trigger();
    selected->setCurrentRow(0);
    QTest::mouseClick(find<QPushButton>("btnRemove"), Qt::LeftButton);
    QCOMPARE(listTexts(selected), QStringList{"Sense"});
    available->setCurrentIndex(available->findText(QStringLiteral("Stamina")));
    QTest::mouseClick(find<QPushButton>("btnAdd"), Qt::LeftButton);
    QCOMPARE(listTexts(selected), (QStringList{"Sense", "Stamina"}));
}

void TstLayoutPage::defaultSelectionGroup()
{
    open();
    auto *button = find<QToolButton>("btnPopup");
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("..."));
    QCOMPARE(button->toolTip(), QStringLiteral("Click to popup a menu of default skill selections"));
    auto *menu = find<QMenu>("mnuPopup");
    QCOMPARE(menuCaptions(menu), (QStringList{"Group", "Empty"}));
    QCOMPARE(menu->actions().at(1)->objectName(), QStringLiteral("x3"));

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(menu->isVisible());
    menu->actions().at(0)->trigger();
    menu->hide();
    QCOMPARE(listTexts(find<QListWidget>("lbSelNanos")), (QStringList{"Stamina", "Sense"}));
    QCOMPARE(comboTexts(find<QComboBox>("cboAvaNanos")), (QStringList{"Agility", "Burst"}));
    // Again: the group's skills are no longer available, so nothing moves.
    menu->actions().at(0)->trigger();
    menu->actions().at(1)->trigger();
    QCOMPARE(find<QListWidget>("lbSelNanos")->count(), 2);
}

void TstLayoutPage::bodyCellOffersItsPickList()
{
    open();
    // Row HEAD, column Shining.
    QComboBox *editor = editCell(0, 0);
    QVERIFY(editor);
    QCOMPARE(comboTexts(editor), (QStringList{" ", "Agility", "Stamina"}));
    QVERIFY(!editor->isEditable());
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(cell(1, 1), QString());

    // Row HEAD, column Faded, under cluster names.
    find<QComboBox>("cboInside")->setCurrentIndex(1);
    editor = editCell(0, 2);
    QVERIFY(editor);
    QCOMPARE(comboTexts(editor), (QStringList{" ", "Burst Clu"}));
    // The choice taken is the cell's new text.
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(cell(3, 1), QStringLiteral("Burst Clu"));
}

void TstLayoutPage::cellEditorKeys_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("stillEditing");
    // HEAD's Shining cell offers " ", "Agility" and "Stamina".
    QTest::newRow("Down, Down, Return takes the second choice") << "" << "Down, Down, Return" << "Agility" << false;
    QTest::newRow("an arrow only moves") << "" << "Down" << "" << true;
    QTest::newRow("Escape leaves the cell") << "Stamina" << "Up, Up, Escape" << "Stamina" << false;
    QTest::newRow("End") << "" << "End, Return" << "Stamina" << false;
    QTest::newRow("Home") << "Stamina" << "Home, Return" << " " << false;
    QTest::newRow("Page Down stops at the last") << "" << "PgDown, Return" << "Stamina" << false;
    QTest::newRow("a letter") << "Agility" << "S, Return" << "Stamina" << false;
    QTest::newRow("a letter no choice starts with") << "Agility" << "X, Return" << "Agility" << false;
}

void TstLayoutPage::cellEditorKeys()
{
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    QFETCH(bool, stillEditing);
    open();
    if (!before.isEmpty())
        m_window->document().layout().editCell(1, 1, before);
    QComboBox *editor = editCell(0, 0);
    QVERIFY(editor);
    QCOMPARE(comboTexts(editor), (QStringList{" ", "Agility", "Stamina"}));
    QTest::keySequence(editor, QKeySequence(keys));
    QCoreApplication::processEvents();
    QCOMPARE(cell(1, 1), after);
    auto *grid = find<QTableView>("grdReport");
    QCOMPARE(grid->indexWidget(grid->model()->index(0, 0)) != nullptr, stillEditing);
}

void TstLayoutPage::cellEditorTabTypingAndList()
{
    open();
    auto *grid = find<QTableView>("grdReport");
    // Tab takes the choice and goes on to edit the next cell.
    QComboBox *editor = editCell(0, 0);
    QVERIFY(editor);
    QTest::keySequence(editor, QKeySequence(QStringLiteral("Down, Down, Tab")));
    QCoreApplication::processEvents();
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));
    QCOMPARE(grid->currentIndex(), grid->model()->index(0, 1));
    editor = qobject_cast<QComboBox *>(grid->indexWidget(grid->model()->index(0, 1)));
    QVERIFY(editor);
    QCOMPARE(editor->accessibleName(), QStringLiteral("HEAD, Bright"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(cell(2, 1), QString());

    // Typing on a cell opens its editor at the choice typed.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_S);
    editor = qobject_cast<QComboBox *>(grid->indexWidget(grid->model()->index(0, 0)));
    QVERIFY(editor);
    QCOMPARE(editor->currentText(), QStringLiteral("Stamina"));
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));

    // The wheel only moves too.
    for (int turn = 0; turn < 2; ++turn) {
        const QPointF at = editor->rect().center();
        QWheelEvent wheel(at, editor->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor, &wheel);
    }
    QCOMPARE(editor->currentText(), QStringLiteral(" "));
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));

    // In the open list the keys move, and Return takes the choice at once.
    QTest::keyClick(editor, Qt::Key_F4);
    QAbstractItemView *list = editor->view();
    QVERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(cell(1, 1), QStringLiteral("Stamina"));
    QCoreApplication::processEvents();
    QVERIFY(!grid->indexWidget(grid->model()->index(0, 0)));
}

void TstLayoutPage::allocationAsksFirst()
{
    open();
    select({"Agility", "Stamina", "Burst"});
    auto *allocate = find<QPushButton>("btnAllocate");

    // Nothing to erase: no question. The first skill wins HEAD's Shining
    // place and the second has none, which is said.
    QTest::mouseClick(allocate, Qt::LeftButton);
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.at(0).title, QStringLiteral("Auto Allocate"));
    QCOMPARE(m_prompter.asked.at(0).icon, Prompter::Icon::Information);
    QVERIFY2(m_prompter.asked.at(0).text.endsWith(
                 QStringLiteral("\n\nStamina: no Shining cluster, since HEAD's Shining place holds Agility")),
             qPrintable(m_prompter.asked.at(0).text));
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));
    QCOMPARE(cell(2, 2), QStringLiteral("Stamina"));
    QCOMPARE(cell(3, 1), QStringLiteral("Burst"));
    QCOMPARE(cell(1, 4), QStringLiteral("Burst"));
    auto *grid = find<QTableView>("grdReport");
    QVERIFY(!grid->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(!grid->model()->index(1, 1).data(Qt::DecorationRole).isValid());

    // Now there is: the warning first, and No changes nothing.
    const QList<QStringList> before = m_window->document().layout().table().rows();
    m_prompter.answers = {Prompter::Answer::No};
    QTest::mouseClick(allocate, Qt::LeftButton);
    QCOMPARE(m_prompter.asked.size(), 2);
    QCOMPARE(m_prompter.asked.at(1).title, QStringLiteral("Warning!"));
    QCOMPARE(m_prompter.asked.at(1).text,
             QStringLiteral("Auto Allocating will erase your current selections. Are you sure?"));
    QCOMPARE(m_prompter.asked.at(1).icon, Prompter::Icon::Warning);
    QCOMPARE(m_prompter.asked.at(1).buttons, Prompter::Buttons::YesNo);
    QCOMPARE(m_window->document().layout().table().rows(), before);

    // "Yes" from the selected list's menu: the warning, the same layout, and
    // the same shortfall said again.
    find<QAction>("AutoAllocate1")->trigger();
    QCOMPARE(m_prompter.asked.size(), 4);
    QCOMPARE(m_prompter.asked.at(3).title, QStringLiteral("Auto Allocate"));
    QCOMPARE(m_window->document().layout().table().rows(), before);
}

void TstLayoutPage::rulesDialogChangesTheAllocation()
{
    open();
    select({"Agility", "Burst"});
    auto *rules = find<QAction>("AutoAllocateRules1");
    QVERIFY(rules->isEnabled());
    bool shownChecked = false;
    m_prompter.dialogs = {{Prompter::Answer::Ok, [&](QObject &dialog) {
                               QCOMPARE(dialog.property("windowTitle").toString(),
                                        QStringLiteral("Auto Allocation Rules"));
                               auto *shining = dialog.findChild<QCheckBox *>("chkShining");
                               QVERIFY(shining);
                               shownChecked = shining->isChecked();
                               shining->setChecked(false);
                           }}};
    rules->trigger();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmAutoAlloc"});
    QVERIFY(shownChecked);

    QTest::mouseClick(find<QPushButton>("btnAllocate"), Qt::LeftButton);
    QCOMPARE(cell(1, 1), QString()); // Agility's Shining cluster is left out
    QCOMPARE(cell(2, 9), QStringLiteral("Agility"));
    QCOMPARE(cell(3, 1), QStringLiteral("Burst"));

    // Cancel keeps the rules: the box shows unchecked and stays so.
    m_prompter.dialogs = {{Prompter::Answer::Cancel, [&](QObject &dialog) {
                               auto *shining = dialog.findChild<QCheckBox *>("chkShining");
                               shownChecked = shining->isChecked();
                               shining->setChecked(true);
                           }}};
    rules->trigger();
    QVERIFY(!shownChecked);
    QVERIFY(!m_window->document().layout().rules().IncludeShining);
}

void TstLayoutPage::viewsSwitchAndAllocationFollows()
{
    open();
    select({"Agility"});
    find<QPushButton>("btnAllocate")->click();
    auto *view = find<QComboBox>("cboViewStyle");
    auto *allocate = find<QPushButton>("btnAllocate");
    auto *grid = find<QTableView>("grdReport");
    QVERIFY(view->isEnabled());
    QVERIFY(allocate->isEnabled());

    view->setCurrentIndex(1);
    QVERIFY(!allocate->isEnabled());
    QVERIFY(!find<QAction>("AutoAllocate1")->isEnabled());
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("Agility"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("LEG"));

    view->setCurrentIndex(0);
    QVERIFY(allocate->isEnabled());
    QVERIFY(find<QAction>("AutoAllocate1")->isEnabled());
    QCOMPARE(grid->model()->rowCount(), 13);
    QCOMPARE(cell(2, 9), QStringLiteral("Agility"));
}

void TstLayoutPage::markers()
{
    open();
    auto *grid = find<QTableView>("grdReport");
    auto *menu = find<QMenu>("mnuIconPopup");
    const LayoutState &layout = m_window->document().layout();
    for (QAction *item : menu->actions())
        QVERIFY(item->isEnabled());

    // On the "Bright" header cell: "Note!".
    QHeaderView *header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::RightButton, {},
                      QPoint(header->sectionViewportPosition(1) + 20, header->height() / 2));
    QVERIFY(menu->isVisible());
    find<QAction>("y6")->trigger();
    menu->hide();
    QCOMPARE(layout.marker(LayoutView::BodyPlacement, 2, 0), Marker::Note);
    QVERIFY(!grid->model()->headerData(1, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull());

    // By the menu key on the current cell (EYE, Faded).
    grid->setCurrentIndex(grid->model()->index(3, 2));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(grid, &key);
    QVERIFY(menu->isVisible());
    find<QAction>("y1")->trigger();
    menu->hide();
    QCOMPARE(layout.marker(LayoutView::BodyPlacement, 3, 4), Marker::Confirmed);
    QVERIFY(!grid->model()->index(3, 2).data(Qt::DecorationRole).value<QIcon>().isNull());

    // Below the last row the menu opens, and a choice changes nothing.
    const int below = grid->rowViewportPosition(12) + grid->rowHeight(12) + 2;
    QVERIFY(below < grid->viewport()->height());
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, QPoint(20, below));
    QVERIFY(menu->isVisible());
    find<QAction>("y3")->trigger();
    menu->hide();
    int marked = 0;
    for (int c = 0; c <= 3; ++c)
        for (int r = 0; r <= 13; ++r)
            marked += layout.marker(LayoutView::BodyPlacement, c, r) != Marker::None;
    QCOMPARE(marked, 2);

    // "<default>" takes a marker off.
    grid->setCurrentIndex(grid->model()->index(3, 2));
    QApplication::sendEvent(grid, &key);
    find<QAction>("y0")->trigger();
    menu->hide();
    QCOMPARE(layout.marker(LayoutView::BodyPlacement, 3, 4), Marker::None);
}

void TstLayoutPage::duplicateEditTurnsRedAndLocksTheView()
{
    open();
    select({"Agility"});
    find<QPushButton>("btnAllocate")->click();
    auto *view = find<QComboBox>("cboViewStyle");
    auto *dupes = find<QLabel>("lblDupes");
    auto *grid = find<QTableView>("grdReport");
    view->setCurrentIndex(1);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("HEAD"));

    // Stamina's Shining cluster into HEAD as well.
    QComboBox *editor = editCell(1, 0);
    QVERIFY(editor);
    QCOMPARE(comboTexts(editor), (QStringList{" ", "HEAD"}));
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(cell(1, 2), QStringLiteral("HEAD"));
    const QColor red(0xff, 0x00, 0x00);
    QCOMPARE(grid->model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), red);
    QCOMPARE(grid->model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), red);
    QVERIFY(!grid->model()->index(2, 0).data(Qt::ForegroundRole).isValid());
    QCOMPARE(dupes->text(), QStringLiteral("Warning! You have duplicate nanos"));
    QVERIFY(!view->isEnabled());
    QVERIFY(!find<QPushButton>("btnBuild")->isEnabled());

    // Back to the blank: no duplicates left.
    editor = editCell(1, 0);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(cell(1, 2), QStringLiteral(" "));
    QVERIFY(!grid->model()->index(0, 0).data(Qt::ForegroundRole).isValid());
    QCOMPARE(dupes->text(), QString());
    QVERIFY(view->isEnabled());
    QVERIFY(find<QPushButton>("btnBuild")->isEnabled());
}

void TstLayoutPage::openAllocated()
{
    // HEAD will hold Agility's Shining and Burst's Faded cluster: a Strength
    // implant, which Stamina's Bright cluster would make a Sense one.
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Burst Clu,Agility Clu\r\n"
                                               "Sense,Stamina Clu,Burst Clu,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\nBurst Clu,Burst,400\r\n");
    open(0);
    select({"Agility", "Stamina", "Burst"});
    find<QPushButton>("btnAllocate")->click();
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));
    m_prompter.asked.clear();
}

void TstLayoutPage::type(const char *box, const QString &text)
{
    auto *widget = find<QWidget>(box);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
    QTest::keyClicks(widget, text);
}

QStringList TstLayoutPage::gridRows(const char *grid) const
{
    const QAbstractItemModel *model = find<QTableView>(grid)->model();
    // The skill and requirement grids' later columns have tests of their own.
    const int columns = QLatin1String(grid) == QLatin1String("grdSkillInc") ? SkillCol::Stored
                        : QLatin1String(grid) == QLatin1String("grdReqs") ? ReqCol::Stored
                                                                           : model->columnCount();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < std::min(columns, model->columnCount()); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

void TstLayoutPage::buildFromTheAllocatedLayout()
{
    openAllocated();
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    type("edtImplantQL", QStringLiteral("200"));
    find<QCheckBox>("chkUseNanoProg")->click();
    type("edtMaxNanoProg", QStringLiteral("500"));
    find<QCheckBox>("chkSen")->click();

    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Result - Skill Increases"));
    // The layout is back as it was shown: skill names.
    QCOMPARE(find<QComboBox>("cboInside")->currentIndex(), 0);
    QCOMPARE(cell(1, 1), QStringLiteral("Agility"));

    QCOMPARE(gridRows("grdSkillInc"), (QStringList{"Agility|210|3", "Burst|210|3", "Stamina|105|2"}));
    QCOMPARE(gridRows("grdReqs"),
             (QStringList{"Agility Clu (QL 200)|0|600|HEAD (QL 200)|Shining|951|404  - Strength",
                          "Burst Clu (QL 200)|0|200|HEAD (QL 200)|Faded|951|404  - Strength",
                          "Stamina Clu (QL 200)|0|0|CHEST (QL 200)|Bright|951|404  - Unknown",
                          "Burst Clu (QL 200)|0|300|EAR (QL 200)|Bright|951|404  - Unknown",
                          "Burst Clu (QL 200)|0|400|EYE (QL 200)|Shining|951|404  - Unknown",
                          "Agility Clu (QL 200)|0|450|LEG (QL 200)|Bright|951|404  - Unknown",
                          "Stamina Clu (QL 200)|0|0|WAIST (QL 200)|Faded|951|404  - Unknown",
                          "Agility Clu (QL 200)|0|300|FEET (QL 200)|Faded|951|404  - Unknown"}));
    QCOMPARE(gridRows("grdSuggest"), QStringList{"(Bright) Stamina Clu|HEAD|Sense"});

    // Over the maximum of 500 is red; at a maximum of 400, LEG's 450 is red
    // and EYE's 400 is not; with the warning off nothing is.
    const QAbstractItemModel *reqs = find<QTableView>("grdReqs")->model();
    const QColor red(255, 0, 0);
    QCOMPARE(reqs->index(0, 2).data(Qt::ForegroundRole).value<QColor>(), red);
    QVERIFY(reqs->index(5, 2).data(Qt::ForegroundRole).value<QColor>() != red);
    tabs->setCurrentIndex(1);
    type("edtMaxNanoProg", QStringLiteral("400"));
    QCOMPARE(reqs->index(5, 2).data(Qt::ForegroundRole).value<QColor>(), red);
    QVERIFY(reqs->index(4, 2).data(Qt::ForegroundRole).value<QColor>() != red);
    find<QCheckBox>("chkUseNanoProg")->click();
    QVERIFY(reqs->index(0, 2).data(Qt::ForegroundRole).value<QColor>() != red);

    // Sorted by type, then by the cluster text.
    tabs->setCurrentIndex(3);
    QTest::mouseClick(find<QPushButton>("btnResort"), Qt::LeftButton);
    QStringList order;
    for (const QString &row : gridRows("grdReqs"))
        order.append(row.section(u'|', 4, 4) + u' ' + row.section(u'|', 3, 3).section(u' ', 0, 0));
    QCOMPARE(order, (QStringList{"Bright LEG", "Bright EAR", "Bright CHEST", "Faded FEET", "Faded HEAD",
                                 "Faded WAIST", "Shining HEAD", "Shining EYE"}));
}

void TstLayoutPage::buildStopsOnABadNumberAndRestoresTheLayout()
{
    openAllocated();
    find<QComboBox>("cboViewStyle")->setCurrentIndex(1);
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    QTest::mouseClick(find<QRadioButton>("rdoIndiQL"), Qt::LeftButton);
    QList<ImplantSelection> selections(13);
    selections[0] = ImplantSelection{true, EnteredNumber(QStringLiteral("99999999999"))};
    m_window->document().editPlan(QString(),
                                  [&selections](LayoutState &layout) { layout.setImplantSelections(selections); });

    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Ludra")});
    QCOMPARE(m_prompter.asked.first().text, QStringLiteral("'99999999999' is not a valid integer value"));
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(find<QComboBox>("cboViewStyle")->currentIndex(), 1);
    QCOMPARE(find<QComboBox>("cboInside")->currentIndex(), 0);
    QCOMPARE(m_window->document().layout().currentView(), LayoutView::SkillSet);
    QCOMPARE(m_window->document().layout().names(), LayoutNames::SkillNames);
}

void TstLayoutPage::savedPlanComesBackAtStartUp()
{
    openAllocated();
    find<QTabWidget>("pgcMain")->setCurrentIndex(1);
    type("edtImplantQL", QStringLiteral("150"));
    find<QCheckBox>("chkSta")->click();
    find<QPushButton>("btnBuild")->click();
    PlanDocument &model = m_window->document();
    model.layout().setMarker(2, 3, Marker::Note);
    find<QComboBox>("cboViewStyle")->setCurrentIndex(1);
    model.layout().setMarker(1, 2, Marker::Query);
    find<QComboBox>("cboInside")->setCurrentIndex(1);

    // Save asks for a name the first time, then writes at once.
    const QString path = m_dir->filePath(QStringLiteral("plan one.lud"));
    m_prompter.fileNames = {path};
    find<QAction>("Save1")->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().title, QStringLiteral("Save As"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ludra - ") + path + "[*]");
    find<QAction>("Save1")->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 1);

    // Auto-load on, through the options window.
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{
        Prompter::Answer::Ok, [](QObject &dialog) { dialog.findChild<QCheckBox *>("chkAutoLoad")->setChecked(true); }}};
    find<QAction>("Options1")->trigger();
    QCOMPARE(m_prompter.dialogsRun, QStringList{QStringLiteral("frmOptions")});
    QVERIFY(readFile(m_dir->filePath("nnludra.inf")).startsWith("1\r\n" + PathToText(path).toLatin1() + "\r\n"));
    QVERIFY(m_prompter.asked.isEmpty());

    // A new window opens the plan as it was left.
    const ProjectImage saved = model.projectImage(ProjectShown());
    ScriptedPrompter second;
    TfrmLudra again(second);
    again.makeEveryPage();
    QVERIFY(second.asked.isEmpty());
    QCOMPARE(again.windowTitle(), QStringLiteral("Ludra - ") + path + "[*]");
    const ProjectImage reopened = again.document().projectImage(ProjectShown());
    QCOMPARE(reopened.config, saved.config);
    QCOMPARE(reopened.grid.cells, saved.grid.cells);
    QCOMPARE(reopened.icons, saved.icons);
    QCOMPARE(reopened.secondIcons, saved.secondIcons);
    QCOMPARE(reopened.selected, (QStringList{"Agility", "Stamina", "Burst"}));
    QCOMPARE(reopened.resultReq.cells, saved.resultReq.cells);
    QCOMPARE(reopened.resultSkill.cells, saved.resultSkill.cells);
    QCOMPARE(reopened.resultSuggest.cells, saved.resultSuggest.cells);
    QCOMPARE(again.document().layout().currentView(), LayoutView::SkillSet);
    QCOMPARE(again.findChild<QComboBox *>("cboInside")->currentIndex(), 1);
    QVERIFY(!again.findChild<QPushButton *>("btnAllocate")->isEnabled());
    QCOMPARE(again.findChild<NumberBox *>("edtImplantQL")->text(), QStringLiteral("150"));
    QVERIFY(again.findChild<QCheckBox *>("chkSta")->isChecked());
}

// At 200 HEAD's Shining skill cluster gives 105 from 199 on (its Faded one
// 42 from 198), CHEST's Bright one 63 from 199: "Use the cheaper levels"
// builds every implant there as individual levels, staying on the page, and
// Undo takes the switch back whole.
void TstLayoutPage::cheaperLevelsAreOneStep()
{
    openAllocated();
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    type("edtImplantQL", QStringLiteral("200"));
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    tabs->setCurrentIndex(3);
    auto *cheaper = find<QPushButton>("btnCheaperLevels");
    QVERIFY(cheaper->isEnabled());
    const QList<ImplantSelection> before = m_window->document().layout().plan().implantSelections;
    QTest::mouseClick(cheaper, Qt::LeftButton);
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(tabs->currentIndex(), 3);
    QVERIFY(find<QRadioButton>("rdoIndiQL")->isChecked());
    QCOMPARE(gridRows("grdReqs").first().section(u'|', 3, 3), QStringLiteral("HEAD (QL 199)"));
    QCOMPARE(gridRows("grdReqs").at(2).section(u'|', 3, 3), QStringLiteral("CHEST (QL 199)"));
    // Built at the cheaper levels, nothing is cheaper still.
    QVERIFY(!cheaper->isEnabled());

    auto *undo = find<QAction>("Undo1");
    QCOMPARE(undo->text(), QStringLiteral("&Undo Use the cheaper levels"));
    undo->trigger();
    QVERIFY(find<QRadioButton>("rdoOneQL")->isChecked());
    QCOMPARE(m_window->document().layout().plan().implantSelections, before);
}

void TstLayoutPage::damagedProjectLeavesThePlan()
{
    openAllocated();
    const QString good = m_dir->filePath(QStringLiteral("good.lud"));
    m_prompter.fileNames = {good};
    find<QAction>("SaveAs1")->trigger();
    QCOMPARE(m_prompter.fileRequests.first().title, QStringLiteral("Save"));
    const QByteArray saved = readFile(good);
    QVERIFY(!saved.isEmpty());

    // A damaged copy: the plan, the title and the file name stay.
    const QString damaged = m_dir->filePath(QStringLiteral("damaged.lud"));
    writeFile(damaged, saved.left(saved.size() / 2));
    const ProjectImage before = m_window->document().projectImage(ProjectShown());
    m_prompter.fileNames = {damaged};
    find<QAction>("Open1")->trigger();
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY2(m_prompter.asked.first().text.startsWith(QStringLiteral("Cannot open \"") +
                                                       QDir::toNativeSeparators(damaged)),
             qPrintable(m_prompter.asked.first().text));
    // Where the cut falls decides which damage the reader meets first.
    const QString told = m_prompter.asked.first().text;
    QVERIFY2(told.endsWith(QStringLiteral("Stream read error")) || told.endsWith(QStringLiteral("Compressed file is corrupt")),
             qPrintable(told));
    QCOMPARE(m_window->document().projectImage(ProjectShown()), before);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ludra - ") + good + "[*]");

    // Saving now writes the good file again, not the damaged one.
    find<QAction>("Save1")->trigger();
    QCOMPARE(readFile(damaged), saved.left(saved.size() / 2));

    // Something that is no project at all says so.
    writeFile(damaged, "Dear diary,\r\n");
    m_prompter.fileNames = {damaged};
    find<QAction>("Open1")->trigger();
    QCOMPARE(m_prompter.asked.size(), 2);
    QVERIFY2(m_prompter.asked.last().text.endsWith(QStringLiteral("File is corrupt.")),
             qPrintable(m_prompter.asked.last().text));
    QCOMPARE(m_window->document().projectImage(ProjectShown()), before);

    // A save that cannot be written says so once; the name and title stay.
    const QString locked = m_dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    if (!makeUnwritable(locked))
        QSKIP("this file system lets every folder be written");
    m_prompter.fileNames = {QDir(locked).filePath(QStringLiteral("new.lud"))};
    find<QAction>("SaveAs1")->trigger();
    makeWritable(locked);
    QCOMPARE(m_prompter.asked.size(), 3);
    QCOMPARE(m_prompter.asked.last().icon, Prompter::Icon::Stop);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ludra - ") + good + "[*]");
    QCOMPARE(m_window->document().fileName(), good);
}

void TstLayoutPage::stockStatusMarksTheLayout()
{
    // Agility's Shining cluster is owned at 40 and HEAD's implant at 40;
    // nothing else is owned.
    {
        StockRegister stock;
        stock.setClusterNames({"Agility Clu", "Stamina Clu", "Burst Clu", "Sense Clu"});
        TStockList &agility = stock.ClusterStock()[stock.findCluster(QStringLiteral("Agility Clu"))].stock;
        agility.add(StockItem{QStringLiteral("40"), QStringLiteral("9"), QStringLiteral("Shining")});
        TStockList &head = stock.ImplantStock()[0].stock;
        head.add(StockItem{QStringLiteral("40"), QStringLiteral("100"), {}}, false);
        SaveStockFile(StockPath(), stock);
    }
    openAllocated();
    const LayoutState &layout = m_window->document().layout();
    QCOMPARE(layout.shownMarker(1, 1), Marker::Conflict); // Stamina wanted HEAD's Shining too
    auto *status = find<QLabel>("lblStockStatus");
    QCOMPARE(status->text(), QStringLiteral("<Disabled>"));
    QVERIFY(!find<QWidget>("edtStockTarget")->isEnabled());

    // Target 0: any owned cluster qualifies, implants are not looked at.
    find<QCheckBox>("chkStockControl")->click();
    QCOMPARE(status->text(), QStringLiteral("<enabled>"));
    QVERIFY(find<QWidget>("edtStockTarget")->isEnabled());
    QCOMPARE(layout.shownMarker(1, 1), Marker::InStock);  // HEAD Shining: Agility
    QCOMPARE(layout.shownMarker(3, 1), Marker::NoStock);  // HEAD Faded: Burst
    const BuildSettings &settings = m_window->document().buildSettings();
    QVERIFY(settings.useStock && settings.target == BuildSettings::Target::OneLevel);
    QVERIFY(find<QCheckBox>("chkAvaStock")->isChecked());

    // Target 45: HEAD's implant at 40 does not serve; other slots have none.
    type("edtStockTarget", QStringLiteral("45"));
    QCOMPARE(settings.implantQL.text(), QStringLiteral("45"));
    QCOMPARE(layout.shownMarker(1, 1), Marker::BadCluster);
    QCOMPARE(layout.shownMarker(2, 2), Marker::BadCluster);
    // Target 40: the implant serves, and so does the cluster at 40.
    type("edtStockTarget", QStringLiteral("40"));
    QCOMPARE(layout.shownMarker(1, 1), Marker::InStock);
    QCOMPARE(layout.shownMarker(3, 1), Marker::NoStock);

    // Off: every automatic marker goes, the conflict marker too.
    find<QCheckBox>("chkStockControl")->click();
    QCOMPARE(status->text(), QStringLiteral("<disabled>"));
    QVERIFY(!settings.useStock);
    for (int r = 1; r <= 13; ++r)
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(layout.shownMarker(c, r), Marker::None);
    QVERIFY(m_prompter.asked.isEmpty());
}

// The stock status lies over the player's own markers: a project saved
// meanwhile keeps the player's, and they show again when stock control goes
// off.
void TstLayoutPage::playersMarkersLieUnderTheStockStatus()
{
    openAllocated();
    LayoutState &layout = m_window->document().layout();
    layout.setMarker(3, 1, Marker::Query); // HEAD's Faded cluster, Burst's
    find<QCheckBox>("chkStockControl")->click();
    QCOMPARE(layout.shownMarker(3, 1), Marker::NoStock);

    const QString path = m_dir->filePath("stock on.lud");
    m_prompter.fileNames = {path};
    find<QAction>("SaveAs1")->trigger();
    QCOMPARE(ReadProjectFile(path).icons.at(3 * (LayoutMaxRows + 1) + 1), QString::number(int(Marker::Query)));

    find<QCheckBox>("chkStockControl")->click();
    QCOMPARE(layout.shownMarker(3, 1), Marker::Query);
    QCOMPARE(layout.shownMarker(1, 1), Marker::None); // the conflict went, as stock control off takes it
    QVERIFY(m_prompter.asked.isEmpty());
}

// Results from before the last change are marked as such, on the tabs and in
// an export, until the next build; a build that made nothing says why.
void TstLayoutPage::resultsSayWhatTheyAre()
{
    openAllocated();
    auto *tabs = find<QTabWidget>("pgcMain");
    auto *note = find<QLabel>("lblNoteReqs");
    tabs->setCurrentIndex(1);
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(note->isHidden());
    const QColor normal = tabs->tabBar()->tabTextColor(3);

    // HEAD's Faded cluster taken out.
    m_window->findChild<LayoutPage *>("tabReport")->grdReportCellValidate(3, 1, QString());
    QVERIFY(!note->isHidden());
    QCOMPARE(note->text(), QStringLiteral("These results are from before your last change. Press Build >> to update."));
    QVERIFY(tabs->tabBar()->tabTextColor(3) != normal);
    const QString html = m_dir->filePath("stale.htm");
    m_prompter.fileNames = {html};
    tabs->setCurrentIndex(3);
    find<QAction>("HTML1")->trigger();
    QVERIFY(readFile(html).contains("<title>Ludra Requirements and Layout Report (from before the last change)</title>"));

    tabs->setCurrentIndex(1);
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(note->isHidden());
    QCOMPARE(tabs->tabBar()->tabTextColor(3), normal);

    // Results brought back with a project stand for it until it changes.
    const QString path = m_dir->filePath(QStringLiteral("built.lud"));
    m_prompter.fileNames = {path, path};
    find<QAction>("SaveAs1")->trigger();
    find<QAction>("Open1")->trigger();
    QVERIFY(note->isHidden());
    m_window->findChild<LayoutPage *>("tabReport")->grdReportCellValidate(1, 1, QString());
    QVERIFY(!note->isHidden());
    QVERIFY(tabs->tabBar()->tabTextColor(3) != normal);
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);

    // Only LEFT ARM chosen, which holds nothing.
    QList<ImplantSelection> selections(13);
    selections[4] = ImplantSelection{true, EnteredNumber(QStringLiteral("50"))};
    changeSettings([](BuildSettings &settings) { settings.target = BuildSettings::Target::Individual; });
    m_window->document().editPlan(QString(),
                                  [&selections](LayoutState &layout) { layout.setImplantSelections(selections); });
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QCOMPARE(note->text(), QStringLiteral("No selected implant holds a cluster, so nothing was built."));
    QCOMPARE(gridRows("grdReqs"), QStringList{"||||||"});
    QVERIFY(m_prompter.asked.isEmpty());
}

// A level above 300, which the game does not have, is built only when the
// player says so.
void TstLayoutPage::levelAboveTheTopIsAsked()
{
    openAllocated();
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    type("edtImplantQL", QStringLiteral("350"));
    m_prompter.answers = {Prompter::Answer::Cancel};
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Quality Level above 300")});
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(gridRows("grdReqs"), QStringList{"||||||"});
    m_prompter.answers = {Prompter::Answer::Ok};
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 2);
    QVERIFY(gridRows("grdReqs").first().contains(QStringLiteral("HEAD (QL 350)")));
}

// The build reads the plan and leaves the grid as it is shown: with stock
// control on and its target emptied (someone about to type another), a build
// neither checks the stock status again nor stops at the empty box.
void TstLayoutPage::buildLeavesTheGridAsShown()
{
    openAllocated();
    find<QCheckBox>("chkStockControl")->click();
    type("edtStockTarget", QString());
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    const QList<QStringList> shown = m_window->document().layout().table().rows();

    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(m_window->document().layout().table().rows(), shown);
}

// The character entered in its dialog, "Highest I Can Wear" built: the
// requirements at the final levels and the ladder on its own tab; with a
// one-level build beyond the character, its treatment shows red.
void TstLayoutPage::highestICanWear()
{
    openAllocated();
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    const auto enter = [this](const QString &treatment, const QString &others, const QString &top) {
        m_prompter.dialogs.append({Prompter::Answer::Ok, [=](QObject &dialog) {
                                       for (NumberBox *box : dialog.findChildren<NumberBox *>())
                                           box->setText(box->objectName() == "edtTreatment" ? treatment
                                                        : box->objectName() == "edtTopLevel" ? top
                                                                                             : others);
                                   }});
        find<QPushButton>("btnCharacter")->click();
    };
    // A top level the game does not have is refused, and nothing changes.
    enter(QStringLiteral("600"), QStringLiteral("150"), QStringLiteral("301"));
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Top Quality Level")});
    QVERIFY(!m_window->document().buildSettings().character.entered());
    m_prompter.asked.clear();

    enter(QStringLiteral("600"), QStringLiteral("150"), QStringLiteral("300"));
    QVERIFY(find<QLabel>("lblCharacter")->text().startsWith(QStringLiteral("Treatment 600, Strength 150")));
    QTest::mouseClick(find<QRadioButton>("rdoHighestQL"), Qt::LeftButton);
    QVERIFY(!find<QWidget>("edtImplantQL")->isEnabled());
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(m_prompter.asked.isEmpty());
    // HEAD (Agility's Shining and Burst's Faded cluster) needs Strength: 150
    // wears level 73 (146); 600 Treatment would allow 125. Its 42 Agility
    // trickles down into Treatment: floor(162.6 / 4) - floor(150 / 4) = 3
    // more after the step. The row shows what the character has for each
    // requirement, and the Agility the step adds.
    const QStringList ladder = gridRows("grdLadder");
    QCOMPARE(ladder.first(),
             QStringLiteral("1|HEAD|73|351 (has 600)|Strength 150 (has 150)|603 (+3)|Agility 192 (+42)|final level"));
    QVERIFY(ladder.contains(QStringLiteral("|CHEST|0|||||no recipe")));
    QVERIFY(gridRows("grdReqs").first().contains(QStringLiteral("HEAD (QL 73)")));

    QTest::mouseClick(find<QRadioButton>("rdoOneQL"), Qt::LeftButton);
    type("edtImplantQL", QStringLiteral("200"));
    tabs->setCurrentIndex(1);
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    const QAbstractItemModel *reqs = find<QTableView>("grdReqs")->model();
    QCOMPARE(reqs->index(0, 5).data().toString(), QStringLiteral("951"));
    QCOMPARE(reqs->index(0, 5).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!reqs->index(0, 0).data(Qt::ForegroundRole).isValid()); // the palette's own
    QCOMPARE(reqs->index(0, 5).data(Qt::ToolTipRole).toString(), LangMsg(Msg::ReqCellAboveTip));
    // Under the table, what red means; nothing the ladder reaches here.
    auto *legend = find<QLabel>("lblReqLegend");
    QVERIFY(!legend->isHidden());
    QCOMPARE(legend->text(), LangMsg(Msg::ReqLegendRed));
    // Without a character nothing is marked, and the legend goes.
    BuildSettings settings = m_window->document().buildSettings();
    settings.character = Character();
    m_window->document().setSettings(settings);
    QVERIFY(!reqs->index(0, 5).data(Qt::ForegroundRole).isValid());
    QVERIFY(legend->isHidden());
}

// The character's level and profession: "none" of both at first, entered
// in the dialog beside the stats (labels naming their boxes, the keys
// going through them in the order shown), shown in the Build tab's caption,
// and saved and opened again with the project.
void TstLayoutPage::characterLevelAndProfession()
{
    openAllocated();
    find<QTabWidget>("pgcMain")->setCurrentIndex(1);
    QStringList seen;
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&seen](QObject &object) {
                                   auto &dialog = static_cast<QWidget &>(object);
                                   auto *level = dialog.findChild<QSpinBox *>("edtLevel");
                                   auto *profession = dialog.findChild<QComboBox *>("cboProfession");
                                   QVERIFY(level && profession);
                                   QCOMPARE(level->text(), QStringLiteral("none"));
                                   QCOMPARE(level->minimum(), 0);
                                   QCOMPARE(level->maximum(), 220);
                                   QCOMPARE(profession->currentText(), QStringLiteral("none"));
                                   QCOMPARE(profession->count(), 15);
                                   QCOMPARE(profession->itemText(9), QStringLiteral("Martial Artist"));
                                   QCOMPARE(dialog.findChild<QLabel *>("lblLevel")->buddy(), level);
                                   QCOMPARE(dialog.findChild<QLabel *>("lblProfession")->buddy(), profession);
                                   // The controls the Tab key reaches, from Sense on.
                                   QWidget *widget = dialog.findChild<QWidget *>("edtSense");
                                   for (int i = 0; i < 3; ++i) {
                                       do
                                           widget = widget->nextInFocusChain();
                                       while (!(widget->focusPolicy() & Qt::TabFocus) ||
                                              widget->objectName().startsWith(QLatin1String("qt_")));
                                       seen.append(widget->objectName());
                                   }
                                   for (NumberBox *box : dialog.findChildren<NumberBox *>())
                                       if (box->objectName() != "edtTopLevel")
                                           box->setText(QStringLiteral("100"));
                                   level->setValue(150);
                                   profession->setCurrentIndex(profession->findText(QStringLiteral("Doctor")));
                               }});
    find<QPushButton>("btnCharacter")->click();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmCharacter"});
    QCOMPARE(seen, (QStringList{"edtLevel", "cboProfession", "edtTopLevel"}));
    const Character &character = m_window->document().buildSettings().character;
    QCOMPARE(character.level, 150);
    QCOMPARE(character.profession, 3);
    QCOMPARE(character.stat(Stat::Sense), 100);
    QCOMPARE(find<QLabel>("lblCharacter")->text(),
             QStringLiteral("Treatment 100, Strength 100, Agility 100, Stamina 100, Intelligence 100, Psychic 100, "
                            "Sense 100, level 150, Doctor; up to level 300"));

    const QString path = m_dir->filePath(QStringLiteral("doctor.lud"));
    m_prompter.fileNames = {path};
    find<QAction>("SaveAs1")->trigger();
    const QStringList stored = ReadProjectFile(path).character;
    QVERIFY(stored.contains(QStringLiteral("Level=150")));
    QVERIFY(stored.contains(QStringLiteral("Profession=Doctor")));

    // Opened in a new window, the dialog shows them again; set back to
    // "none", neither is kept.
    ScriptedPrompter second;
    TfrmLudra again(second);
    again.makeEveryPage();
    second.fileNames = {path};
    again.findChild<QAction *>("Open1")->trigger();
    QCOMPARE(again.document().buildSettings().character, character);
    second.dialogs.append({Prompter::Answer::Ok, [](QObject &dialog) {
                               auto *level = dialog.findChild<QSpinBox *>("edtLevel");
                               auto *profession = dialog.findChild<QComboBox *>("cboProfession");
                               QCOMPARE(level->value(), 150);
                               QCOMPARE(profession->currentText(), QStringLiteral("Doctor"));
                               level->setValue(level->minimum());
                               profession->setCurrentIndex(0);
                           }});
    again.findChild<QPushButton *>("btnCharacter")->click();
    QCOMPARE(second.dialogsRun, QStringList{"frmCharacter"});
    QCOMPARE(again.document().buildSettings().character.level, 0);
    QCOMPARE(again.document().buildSettings().character.profession, -1);
    QVERIFY(again.findChild<QLabel *>("lblCharacter")->text().endsWith(QStringLiteral("Sense 100; up to level 300")));
    QVERIFY(second.asked.isEmpty());
    QVERIFY(m_prompter.asked.isEmpty());
}

QTEST_MAIN(TstLayoutPage)
#include "tst_layoutpage.moc"

// Delete and Backspace empty the selected cells as one step, which Undo takes
// back; an empty selection changes nothing and makes no step.
void TstLayoutPage::deleteClearsTheSelectedCells_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Delete") << int(Qt::Key_Delete);
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
}

void TstLayoutPage::deleteClearsTheSelectedCells()
{
    QFETCH(int, key);
    openAllocated();
    const QList<QStringList> before = m_window->document().layout().table().rows();
    QVERIFY(!cell(3, 1).isEmpty());
    auto *grid = find<QTableView>("grdReport");
    grid->setFocus();
    const int steps = m_window->undoStack().count();
    // HEAD's Shining and Faded cells, and EAR's empty Shining one.
    grid->selectionModel()->select(grid->model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
    grid->selectionModel()->select(grid->model()->index(0, 2), QItemSelectionModel::Select);
    grid->selectionModel()->select(grid->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keyClick(grid, Qt::Key(key));
    QCOMPARE(cell(1, 1), QString());
    QCOMPARE(cell(3, 1), QString());
    QCOMPARE(m_window->undoStack().count(), steps + 1);
    QCOMPARE(m_window->undoStack().undoText(), QStringLiteral("Clear Cells"));
    QVERIFY(!grid->indexWidget(grid->model()->index(0, 0)));
    m_window->Undo1Click();
    QCOMPARE(m_window->document().layout().table().rows(), before);
    // Nothing selected that holds text: no step.
    grid->selectionModel()->select(grid->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(grid, Qt::Key(key));
    QCOMPARE(m_window->undoStack().count(), steps + 1);
    QCOMPARE(m_window->undoStack().index(), steps);
}
