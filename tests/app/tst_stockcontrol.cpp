#include "app/frmludra.h"
#include "stock/stockstate.h"
#include "model/plandocument.h"
#include "common/paths.h"
#include "stock/frmstockcontrol.h"
#include "stock/stockfile.h"
#include "support/namedchild.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ludra;

namespace {

// Two lines without a name and one without a comma: "Unknown #0" to "#2" here.
const QByteArray Catalogue = "Beta Cluster,Skill B,HEAD,EYE,EAR,1\r\n"
                             "alpha Cluster,Skill A,CHEST,HEAD,EYE,1\r\n"
                             "\r\n"
                             "NoComma\r\n"
                             " \t,x\r\n"
                             "Gamma Cluster\x01,Skill G,LEG,FEET,WAIST,1\r\n";
const QStringList Shown{"0 alpha Cluster", "0 Beta Cluster", "0 Gamma Cluster",
                        "0 Unknown #0",    "0 Unknown #1",   "0 Unknown #2"};

QStringList rowsOf(const QTableWidget *grid)
{
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells.append(grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows.append(cells.join(' '));
    }
    return rows;
}

QStringList words(const char *text) { return QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts); }

} // namespace

class TstStockControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void levelAboveTheTopIsAsked();
    void init();
    void cleanup() { SetBaseDir(QString()); }
    void addAndDelete_data();
    void addAndDelete();
    void viewSwitches();
    void boxesTakeDigitsOnly_data();
    void boxesTakeDigitsOnly();
    void writtenOnceHoweverClosed_data();
    void writtenOnceHoweverClosed();
    void roundTripThroughTheMainWindow();
    void unreadableFileIsKeptAside();
    void missingCatalogueLeavesClusterStockAlone();
    void fitsWithTheShippedNames();

private:
    template <typename T>
    T *find(const QString &name) const
    {
        return namedChild<T>(*m_shown, name);
    }
    void openWindow();
    // Types into both boxes, chooses the type and clicks "&Add Item".
    void add(const QString &quality, const QString &cost, const QString &type = QString());
    void chooseView(int index);

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TfrmStockControl> m_window;
    // The window the steps work on: this test's own or the main window's.
    TfrmStockControl *m_shown = nullptr;
};

void TstStockControl::init()
{
    m_window.reset();
    m_prompter = ScriptedPrompter();
    m_dir = std::make_unique<QTemporaryDir>();
    SetBaseDir(m_dir->path());
    writeFile(m_dir->filePath("data.csv"), Catalogue);
}

void TstStockControl::openWindow()
{
    m_window = std::make_unique<TfrmStockControl>(m_prompter);
    m_shown = m_window.get();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstStockControl::add(const QString &quality, const QString &cost, const QString &type)
{
    if (!type.isEmpty())
        find<QComboBox>("cmbType")->setCurrentText(type);
    QTest::keyClicks(find<QLineEdit>("edtQuality"), quality);
    QTest::keyClicks(find<QLineEdit>("edtCost"), cost);
    find<QPushButton>("btnAddItem")->click();
}

void TstStockControl::chooseView(int index)
{
    auto *view = find<QComboBox>("cmbView");
    view->setCurrentIndex(index);
    emit view->activated(index);
}

void TstStockControl::addAndDelete_data()
{
    // Steps: "Q:C:Type" adds, "del" deletes the selected item, "row:n" selects
    // item row n, "implants" shows the implant view. Entry row 1 is shown.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("types");
    QTest::newRow("the first add fills the blank row") << words("035:120:Bright") << QStringList{"035 120 Bright"}
                                                       << QStringList{"Bright"};
    QTest::newRow("later adds append") << words("1:2 3:4:Shining") << QStringList{"1 2 Faded", "3 4 Shining"}
                                       << QStringList{"Faded", "Shining"};
    QTest::newRow("deleting the only item leaves a blank row") << words("5:6 del") << QStringList{"  "}
                                                               << QStringList{};
    QTest::newRow("deleting with no item does nothing") << words("del") << QStringList{"  "} << QStringList{};
    QTest::newRow("the selected item goes") << words("1:1 2:2:Bright 3:3 row:1 del")
                                            << QStringList{"1 1 Faded", "3 3 Bright"} << QStringList{"Faded", "Bright"};
    QTest::newRow("implants keep no type") << words("implants 7:8 9:10 row:0 del") << QStringList{"9 10"}
                                           << QStringList{};
}

void TstStockControl::addAndDelete()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, types);
    openWindow();
    auto *entries = find<QTableWidget>("grdEntries");
    auto *items = find<QTableWidget>("grdItems");
    const bool implants = steps.contains("implants");
    if (implants)
        chooseView(1);
    entries->selectRow(1);
    for (const QString &step : steps) {
        if (step == "del")
            find<QPushButton>("btnDeleteItem")->click();
        else if (step.startsWith("row:"))
            items->selectRow(step.mid(4).toInt());
        else if (step.contains(':'))
            add(step.section(':', 0, 0), step.section(':', 1, 1), step.section(':', 2, 2));
    }
    QCOMPARE(rowsOf(items), rows);
    // The blank row of an entry without items is not shown as selected.
    const bool none = rows.first().trimmed().isEmpty();
    QCOMPARE(TfrmStockControl::SelectedRow(items), none ? -1 : 0);
    QCOMPARE(find<QComboBox>("cmbType")->isEnabled(), !implants);
    const StockEntry &entry = implants ? m_window->stock().ImplantStock().at(1) : m_window->stock().ClusterStock().at(1);
    const int count = rows.first().trimmed().isEmpty() ? 0 : int(rows.size());
    QCOMPARE(entry.stock.count(), count);
    QCOMPARE(entry.stock.types(), types);
    QCOMPARE(entries->item(1, 0)->text(), QString::number(count));
}

void TstStockControl::viewSwitches()
{
    openWindow();
    auto *entries = find<QTableWidget>("grdEntries");
    auto *items = find<QTableWidget>("grdItems");
    QCOMPARE(rowsOf(entries), Shown);
    entries->selectRow(2);
    add("10", "20");
    add("11", "21");
    items->selectRow(1);
    chooseView(0); // already shown: nothing is refilled or reselected
    QCOMPARE(TfrmStockControl::SelectedRow(entries), 2);
    QCOMPARE(TfrmStockControl::SelectedRow(items), 1);

    chooseView(1);
    QCOMPARE(entries->rowCount(), 13);
    QCOMPARE(entries->item(12, 1)->text(), QStringLiteral("FEET"));
    QCOMPARE(items->columnCount(), 2);
    entries->selectRow(4);
    chooseView(1);
    QCOMPARE(TfrmStockControl::SelectedRow(entries), 4);

    chooseView(0);
    QCOMPARE(items->columnCount(), 3);
    QCOMPARE(items->horizontalHeaderItem(2)->text(), QStringLiteral("Type"));
    QCOMPARE(items->columnWidth(2), 150);
    QCOMPARE(TfrmStockControl::SelectedRow(entries), 0);
    QVERIFY(find<QComboBox>("cmbType")->isEnabled());
    entries->selectRow(2);
    QCOMPARE(rowsOf(items), (QStringList{"10 20 Faded", "11 21 Faded"}));
}

void TstStockControl::boxesTakeDigitsOnly_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("a leading zero stays") << "edtQuality" << "035" << "" << "035";
    QTest::newRow("typed letters are dropped") << "edtQuality" << "1a2-b" << "" << "12";
    QTest::newRow("pasted letters are refused") << "edtCost" << "7" << "8x9" << "7";
    QTest::newRow("pasted digits are taken") << "edtCost" << "7" << "89" << "789";
}

void TstStockControl::boxesTakeDigitsOnly()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    openWindow();
    auto *edit = find<QLineEdit>(box);
    auto *other = find<QLineEdit>(box == "edtCost" ? "edtQuality" : "edtCost");
    auto *button = find<QPushButton>("btnAddItem");
    QTest::keyClicks(edit, typed);
    if (!pasted.isEmpty()) {
        QApplication::clipboard()->setText(pasted);
        edit->paste();
    }
    QCOMPARE(edit->text(), kept);
    QVERIFY(!button->isEnabled());
    QTest::keyClicks(other, "x");
    QVERIFY(!button->isEnabled());
    QTest::keyClicks(other, "4");
    QVERIFY(button->isEnabled());
    button->click();
    QCOMPARE(m_window->stock().ClusterStock().at(0).stock.qualityLevels().value(0),
             box == "edtQuality" ? kept : QStringLiteral("4"));
    QVERIFY(edit->text().isEmpty() && other->text().isEmpty() && !button->isEnabled());
}

void TstStockControl::writtenOnceHoweverClosed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close button") << "button";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "box";
}

void TstStockControl::writtenOnceHoweverClosed()
{
    QFETCH(QString, how);
    openWindow();
    add("1", "2");
    if (how == "button")
        find<QPushButton>("btnClose")->click();
    else if (how == "escape")
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    StockRegister read;
    read.setClusterNames({"a", "b"});
    QVERIFY(LoadStockFile(StockPath(), read));
    QCOMPARE(read.ClusterStock().at(0).stock.costs(), QStringList{"2"});
    QVERIFY(QFile::remove(StockPath()));
    m_window->accept();
    QVERIFY(!QFile::exists(StockPath()));
}

void TstStockControl::roundTripThroughTheMainWindow()
{
    ImplantClusterLists kept;
    kept.lists[1] = QStringList{"kept", ""};
    SaveStockFile(StockPath(), StockRegister(), &kept);
    TfrmLudra main(m_prompter);
    m_prompter.dialogs.append({Prompter::Answer::Ok, [this](QObject &dialog) {
                                   m_shown = qobject_cast<TfrmStockControl *>(&dialog);
                                   QVERIFY(m_shown);
                                   find<QTableWidget>("grdEntries")->selectRow(3); // "Unknown #0"
                                   add("035", "1200", "Shining");
                                   add("7", "8", "Faded");
                                   chooseView(1);
                                   find<QTableWidget>("grdEntries")->selectRow(12);
                                   add("200", "5");
                               }});
    main.findChild<QAction *>("StockControl1")->trigger();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmStockControl"});
    const StockRegister &stock = main.document().stock().stock();
    QCOMPARE(stock.ClusterStock().at(3).name, QStringLiteral("Unknown #1"));
    QCOMPARE(stock.ClusterStock().at(3).stock.qualityLevels(), (QStringList{"035", "7"}));
    QCOMPARE(stock.ClusterStock().at(3).stock.costs(), (QStringList{"1200", "8"}));
    QCOMPARE(stock.ClusterStock().at(3).stock.types(), (QStringList{"Shining", "Faded"}));
    QCOMPARE(stock.ImplantStock().at(12).stock.costs(), QStringList{"5"});
    QCOMPARE(stock.itemCount(), 3);
    ImplantClusterLists read;
    StockRegister again = stock;
    QVERIFY(LoadStockFile(StockPath(), again, &read));
    QCOMPARE(read, kept);
}

void TstStockControl::unreadableFileIsKeptAside()
{
    writeFile(StockPath(), "not a stock file");
    writeFile(StockPath() + ".unreadable", "an earlier one");
    openWindow();
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY(m_prompter.asked.first().text.contains("default.stk.unreadable.2"));
    QCOMPARE(m_window->stock().itemCount(), 0);
    add("3", "4");
    m_window->close();
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(readFile(StockPath() + ".unreadable.2"), QByteArray("not a stock file"));
    QCOMPARE(readFile(StockPath() + ".unreadable"), QByteArray("an earlier one"));
    StockRegister read;
    read.setClusterNames({"a"});
    QVERIFY(LoadStockFile(StockPath(), read));
    QCOMPARE(read.ClusterStock().at(0).stock.costs(), QStringList{"4"});
}

void TstStockControl::missingCatalogueLeavesClusterStockAlone()
{
    QVERIFY(QFile::remove(m_dir->filePath("data.csv")));
    StockRegister before;
    before.setClusterNames({"a", "b"});
    before.ClusterStock()[1].stock = TStockList::fromLists({"50"}, {"60"}, {"Bright"});
    before.ImplantStock()[0].stock = TStockList::fromLists({"1"}, {"2"}, {});
    ImplantClusterLists kept;
    kept.lists[5] = QStringList{"q"};
    SaveStockFile(StockPath(), before, &kept);
    openWindow();
    QCOMPARE(find<QTableWidget>("grdEntries")->rowCount(), 0);
    auto *note = find<QLabel>("lblCatalogueNote");
    QVERIFY(note->isVisible() && note->text().contains("\"data.csv\" could not be read"));
    add("8", "9"); // no cluster to add it to
    QCOMPARE(m_window->stock().itemCount(), 1);
    QCOMPARE(find<QLineEdit>("edtQuality")->text(), QStringLiteral("8")); // nothing was taken
    find<QLineEdit>("edtQuality")->clear();
    find<QLineEdit>("edtCost")->clear();
    chooseView(1);
    add("3", "4");
    find<QPushButton>("btnClose")->click();
    StockRegister after = before;
    after.ImplantStock()[0].stock = TStockList::fromLists({"1", "3"}, {"2", "4"}, {});
    StockRegister read;
    read.setClusterNames({"a", "b"});
    ImplantClusterLists readLists;
    QVERIFY(LoadStockFile(StockPath(), read, &readLists));
    QCOMPARE(read, after);
    QCOMPARE(readLists, kept);
}

void TstStockControl::fitsWithTheShippedNames()
{
    QVERIFY(QFile::remove(m_dir->filePath("data.csv")));
    QVERIFY(QFile::copy(sourceDir() + "/resources/data.csv", m_dir->filePath("data.csv")));
    openWindow();
    QVERIFY(!find<QLabel>("lblCatalogueNote")->isVisible());
    QCOMPARE(m_window->height(), TfrmStockControl::ClientHeight);
    QVERIFY(m_window->width() >= TfrmStockControl::ClientWidth);
    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        const QRect inWindow(w->mapTo(m_window.get(), QPoint(0, 0)), w->size());
        QVERIFY2(m_window->rect().contains(inWindow), qPrintable(w->objectName()));
        QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
        if (qobject_cast<QPushButton *>(w) || qobject_cast<QComboBox *>(w))
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
    }
    auto *entries = find<QTableWidget>("grdEntries");
    entries->resizeColumnToContents(1);
    QVERIFY(entries->columnWidth(1) + entries->columnWidth(0) <= entries->viewport()->width());
    auto *items = find<QTableWidget>("grdItems");
    for (int c = 0; c < 3; ++c)
        QVERIFY(items->columnWidth(c) >= items->horizontalHeader()->sectionSizeHint(c));
    qInfo("window %dx%d", m_window->width(), m_window->height());
}

// An item above 300, a level the game does not have, is added only when the
// player says so.
void TstStockControl::levelAboveTheTopIsAsked()
{
    openWindow();
    m_prompter.answers = {Prompter::Answer::Cancel};
    add("301", "5");
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Quality Level above 300")});
    QCOMPARE(m_window->stock().itemCount(), 0);
    m_prompter.answers = {Prompter::Answer::Ok};
    find<QLineEdit>("edtQuality")->clear();
    find<QLineEdit>("edtCost")->clear();
    add("301", "5");
    QCOMPARE(m_window->stock().itemCount(), 1);
    m_prompter.asked.clear();
    add("300", "5");
    QVERIFY(m_prompter.asked.isEmpty());
}

QTEST_MAIN(TstStockControl)
#include "tst_stockcontrol.moc"
