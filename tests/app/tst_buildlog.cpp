#include "app/frmludra.h"
#include "build/frmlog.h"
#include "common/paths.h"
#include "stock/stockfile.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ludra;

class TstBuildLog : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyLogShowsOneBlankRow();
    void failedCellsOfChestInLayoutOrder();
    void longLineIsReachable();

private:
    // Opens the log from the button of a result tab, as the user would, and
    // gives back what its grid shows, row by row.
    QStringList openLog(int tab, const char *button);
    // Opens the main window; the recipe and requirement files are missing.
    void open();
    void build();

};

void TstBuildLog::init()
{
    QVERIFY(startFolder());
    // Cluster name, skill name, then the Shining, Bright and Faded slots:
    // CHEST gets Stamina's Shining, Agility's Bright and Sense's Faded cluster.
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,CHEST,WAIST,1\r\n"
                                           "Sense Clu,Sense,EYE,EAR,CHEST,1\r\n"
                                           "Stamina Clu,Stamina,CHEST,HEAD,LEG,1\r\n");
}

void TstBuildLog::cleanup()
{
    stopFolder();
}

void TstBuildLog::open()
{
    QVERIFY(showWindow());
    QCOMPARE(m_prompter.asked.size(), 2);
    m_prompter.asked.clear();
}

QStringList TstBuildLog::openLog(int tab, const char *button)
{
    QStringList rows;
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&rows](QObject &dialog) {
                                   auto &window = static_cast<QWidget &>(dialog);
                                   QCOMPARE(window.windowTitle(), QStringLiteral("Build Log"));
                                   QCOMPARE(window.size(), QSize(400, 337));
                                   QCOMPARE(window.minimumSize(), window.maximumSize());
                                   QVERIFY(window.findChild<QPushButton *>("btnPrint")->isEnabled());
                                   auto *grid = window.findChild<QTableView *>("grdLog");
                                   QVERIFY(grid->horizontalHeader()->isHidden());
                                   QVERIFY(grid->verticalHeader()->isHidden());
                                   QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
                                   QCOMPARE(grid->model()->columnCount(), 1);
                                   QVERIFY(grid->columnWidth(0) >= 360);
                                   for (int r = 0; r < grid->model()->rowCount(); ++r) {
                                       QCOMPARE(grid->rowHeight(r), 21);
                                       rows.append(grid->model()->index(r, 0).data().toString());
                                   }
                               }});
    find<QTabWidget>("pgcMain")->setCurrentIndex(tab);
    QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    return rows;
}

void TstBuildLog::build()
{
    find<QTabWidget>("pgcMain")->setCurrentIndex(1);
    QTest::mouseClick(find<QPushButton>("btnBuild"), Qt::LeftButton);
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstBuildLog::emptyLogShowsOneBlankRow()
{
    open();
    // Before any build, from either tab and as often as asked: one row that
    // says there is nothing to tell.
    const QStringList none{QStringLiteral("No stock problems in the last build.")};
    QCOMPARE(openLog(2, "btnLogSkill"), none);
    QCOMPARE(openLog(3, "btnLogReq"), none);
    QCOMPARE(openLog(3, "btnLogReq"), none);
    QCOMPARE(m_prompter.dialogsRun, (QStringList{"frmLog", "frmLog", "frmLog"}));
}

void TstBuildLog::failedCellsOfChestInLayoutOrder()
{
    // Every implant is owned at QL 1, the level built at, and every cluster in every type but
    // Stamina's Shining and Sense's Faded: both CHEST cells.
    StockRegister stock;
    const QStringList clusters{"Agility Clu", "Sense Clu", "Stamina Clu"};
    stock.setClusterNames(clusters);
    for (StockEntry &implant : stock.ImplantStock()) {
        implant.stock.add(StockItem{"1", "1", {}}, false);
    }
    const QStringList owned[] = {{"Shining", "Bright", "Faded"}, {"Shining", "Bright"}, {"Bright", "Faded"}};
    for (int c = 0; c < 3; ++c)
        for (const QString &type : owned[c]) {
            TStockList &items = stock.ClusterStock()[stock.findCluster(clusters.at(c))].stock;
            items.add(StockItem{"1", "1", type});
        }
    SaveStockFile(StockPath(), stock);

    open();
    auto *available = find<QComboBox>("cboAvaNanos");
    while (available->count() > 0)
        QTest::mouseClick(find<QPushButton>("btnAdd"), Qt::LeftButton);
    find<QPushButton>("btnAllocate")->click();
    m_prompter.asked.clear();
    find<QCheckBox>("chkAvaStock")->click();
    build();
    const QStringList failed{"Fail - No Shining Stamina Clu of at least Quality 1 available",
                             "Fail - No Faded Sense Clu of at least Quality 1 available"};
    QCOMPARE(openLog(2, "btnLogSkill"), failed);
    QCOMPARE(openLog(3, "btnLogReq"), failed);
    // Only the failed cells are missing from the results.
    QCOMPARE(find<QTableView>("grdReqs")->model()->rowCount(), 7);

    // Without stock control every cell is built and the log is empty again.
    find<QCheckBox>("chkAvaStock")->click();
    build();
    QCOMPARE(openLog(2, "btnLogSkill"), QStringList{QStringLiteral("No stock problems in the last build.")});
    QCOMPARE(find<QTableView>("grdReqs")->model()->rowCount(), 9);
}

void TstBuildLog::longLineIsReachable()
{
    TfrmLog log({QStringLiteral("Fail - No ") + QString(60, u'W'), QStringLiteral("short")});
    log.show();
    QVERIFY(QTest::qWaitForWindowExposed(&log));
    auto *grid = log.findChild<QTableView *>("grdLog");
    const int hidden = grid->columnWidth(0) - grid->viewport()->width();
    // The column takes the whole line, and the scroll bar reaches its end.
    QVERIFY(hidden > 0);
    QVERIFY(grid->sizeHintForIndex(grid->model()->index(0, 0)).width() <= grid->columnWidth(0));
    QCOMPARE(grid->horizontalScrollBar()->maximum(), hidden);
}

QTEST_MAIN(TstBuildLog)
#include "tst_buildlog.moc"
