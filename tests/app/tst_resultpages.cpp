#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/resultpages.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "reports/export.h"
#include "support/scriptedprompter.h"

#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QApplication>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <memory>

using namespace ludra;

namespace {

// The requirement rows of a build over HEAD (QL 9) and CHEST (QL 10), in build
// order: slot by slot, Shining, Bright, Faded.
const QList<QStringList> BuildOrderRows{
    {"Strength (QL 9)", "0", "20", "HEAD (QL 9)", "Shining", "", ""},
    {"Computer Literacy (QL 9)", "0", "18", "HEAD (QL 9)", "Bright", "", ""},
    {"Sense (QL 9)", "0", "15", "HEAD (QL 9)", "Faded", "", ""},
    {"Stamina (QL 10)", "0", "22", "CHEST (QL 10)", "Shining", "", ""},
    {"Computer Literacy (QL 10)", "0", "19", "CHEST (QL 10)", "Bright", "", ""},
    {"Agility (QL 10)", "0", "16", "CHEST (QL 10)", "Faded", "", ""},
};

void fill(TextTable &table, const QList<QStringList> &rows)
{
    table.setRowCount(int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r)
        table.setRow(r + 1, rows.at(r));
}

// What a grid shows of one column, top to bottom.
QStringList shownColumn(const QTableView *grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        texts.append(grid->model()->index(r, column).data().toString());
    return texts;
}

} // namespace

class TstResultPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void gridsShowCellsReadOnly();
    void creditsHeadingTellsWhereTheyComeFrom();
    void skillReqColor_data();
    void skillReqColor();
    void treatmentAboveTheCharacter_data();
    void treatmentAboveTheCharacter();
    void trickleOnlyLine();
    void redReadsOnADarkPalette();
    void selectedCellStandsOutOnlyInSkillGrid_data();
    void selectedCellStandsOutOnlyInSkillGrid();
    void resortByTypeThenClusterText();
    void headingClicksSort();

private:
    QTableView *grid(const QString &name) const;

    // Changes the document's settings as the Build tab would.
    void changeSettings(const std::function<void(BuildSettings &)> &change);

    ScriptedPrompter m_prompter;
    LudraProgram m_program;
    std::unique_ptr<PlanDocument> m_document;
    BuildResults *m_results = nullptr;
    std::unique_ptr<SkillResultPage> m_skills;
    std::unique_ptr<RequirementResultPage> m_reqs;
    std::unique_ptr<SuggestionPage> m_suggest;
};

void TstResultPages::init()
{
    m_prompter = ScriptedPrompter();
    m_document = std::make_unique<PlanDocument>(m_program);
    m_results = &m_document->results();
    fill(m_results->reqTable(), BuildOrderRows);
    fill(m_results->skillIncTable(),
         {{"Strength", "20", "1"}, {"Computer Literacy", "37", "2"}, {"Agility", "16", "1"}});
    m_skills = std::make_unique<SkillResultPage>(m_prompter);
    m_reqs = std::make_unique<RequirementResultPage>(m_prompter);
    m_suggest = std::make_unique<SuggestionPage>();
    for (ResultPage *page : std::initializer_list<ResultPage *>{m_skills.get(), m_reqs.get(), m_suggest.get()})
        page->setDocument(m_document.get());
}

void TstResultPages::changeSettings(const std::function<void(BuildSettings &)> &change)
{
    BuildSettings settings = m_document->buildSettings();
    change(settings);
    m_document->setSettings(settings);
}

void TstResultPages::cleanup()
{
    m_skills.reset();
    m_reqs.reset();
    m_suggest.reset();
    m_results = nullptr;
    m_document.reset();
}

QTableView *TstResultPages::grid(const QString &name) const
{
    for (QWidget *page : std::initializer_list<QWidget *>{m_skills.get(), m_reqs.get(), m_suggest.get()})
        if (auto *found = page->findChild<QTableView *>(name))
            return found;
    qFatal("no grid %s", qPrintable(name));
}

void TstResultPages::gridsShowCellsReadOnly()
{
    for (const char *name : {"grdSkillInc", "grdReqs", "grdSuggest"}) {
        QTableView *view = grid(QString::fromLatin1(name));
        QCOMPARE(view->rowHeight(0), 21);
        QVERIFY2(view->showGrid(), name);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectItems);
    }
    // The two lines under the suggestions, the second centred.
    QList<QLabel *> lines = m_suggest->findChildren<QLabel *>();
    // The page's note is hidden while there is nothing to tell.
    lines.removeIf([](const QLabel *label) { return label->objectName() == QLatin1String("lblNoteSuggest"); });
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0)->text(), QStringLiteral("This page displays the possible other clusters you can add that "
                                                 "will produce an implant that uses your selected Attributes"));
    QCOMPARE(lines.at(1)->text(),
             QStringLiteral("You must check at LEAST one attribute on the Build tab, for anything to show up here."));
    QVERIFY(lines.at(1)->alignment() & Qt::AlignHCenter);
}

void TstResultPages::skillReqColor_data()
{
    QTest::addColumn<bool>("warn");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row"); // of the table; 0 is the header
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("shown"); // an invalid colour: the grid's own
    const QColor red(255, 0, 0), own;
    QTest::newRow("above the maximum") << true << "500" << 2 << 1 << "501" << red;
    QTest::newRow("at the maximum") << true << "500" << 2 << 1 << "500" << own;
    QTest::newRow("a later row above") << true << "500" << 2 << 3 << "900" << red;
    QTest::newRow("warning off") << false << "500" << 2 << 1 << "501" << own;
    QTest::newRow("empty maximum, 1") << true << "" << 2 << 1 << "1" << red;
    QTest::newRow("empty maximum, 0") << true << "" << 2 << 1 << "0" << own;
    QTest::newRow("empty maximum, empty cell") << true << "" << 2 << 1 << "" << own;
    QTest::newRow("maximum not a number") << true << "5oo" << 2 << 1 << "501" << own;
    QTest::newRow("cell not a number") << true << "500" << 2 << 1 << "5 01" << own;
    QTest::newRow("other column") << true << "500" << 1 << 1 << "501" << own;
    QTest::newRow("header row") << true << "500" << 2 << 0 << "501" << own;
}

void TstResultPages::skillReqColor()
{
    QFETCH(bool, warn);
    QFETCH(QString, maximum);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QColor, shown);
    TextTable &table = m_results->reqTable();
    table.setRowCount(4);
    table.setCell(column, row, text);
    QAbstractItemModel *model = grid("grdReqs")->model();
    QSignalSpy repainted(model, &QAbstractItemModel::dataChanged);

    changeSettings([&](BuildSettings &settings) {
        settings.warnNanoProg = warn;
        settings.maxNanoProg = EnteredNumber(maximum);
    });
    // Every cell is repainted for its new colour, the "Skill Req" column's
    // among them.
    QCOMPARE(repainted.size(), 1);
    const auto topLeft = repainted.at(0).at(0).value<QModelIndex>();
    const auto bottomRight = repainted.at(0).at(1).value<QModelIndex>();
    QCOMPARE(QList<int>({topLeft.row(), topLeft.column(), bottomRight.row(), bottomRight.column()}),
             QList<int>({0, 0, 2, ReqCol::Count - 1}));
    QVERIFY(repainted.at(0).at(2).value<QList<int>>().contains(Qt::ForegroundRole));

    const QVariant colour = row == 0 ? model->headerData(column, Qt::Horizontal, Qt::ForegroundRole)
                                     : model->index(row - 1, column).data(Qt::ForegroundRole);
    QCOMPARE(colour.value<QColor>(), shown);
}

void TstResultPages::selectedCellStandsOutOnlyInSkillGrid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("marked");
    QTest::newRow("skill increases") << "grdSkillInc" << true;
    QTest::newRow("requirements") << "grdReqs" << false;
}

void TstResultPages::selectedCellStandsOutOnlyInSkillGrid()
{
    QFETCH(QString, name);
    QFETCH(bool, marked);
    // The cell to select is a red requirement: it keeps its colour too.
    changeSettings([](BuildSettings &settings) {
        settings.warnNanoProg = true;
        settings.maxNanoProg = EnteredNumber(QStringLiteral("15"));
    });
    QTableView *view = grid(name);
    QWidget *page = view->window();
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));

    const QImage before = view->viewport()->grab().toImage();
    const QModelIndex cell = view->model()->index(1, 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QVERIFY(view->selectionModel()->isSelected(cell));
    QCOMPARE(view->viewport()->grab().toImage() != before, marked);
}

void TstResultPages::resortByTypeThenClusterText()
{
    auto *resort = m_reqs->findChild<QPushButton *>("btnResort");
    QCOMPARE(resort->text(), QStringLiteral("Sort by Type/Cluster Name"));
    QVERIFY(!m_reqs->findChild<QPushButton *>("btnPrintShoppingList")->isEnabled());
    QVERIFY(m_reqs->findChild<QPushButton *>("btnLogReq")->isEnabled());
    m_reqs->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_reqs.get()));

    QTest::mouseClick(resort, Qt::LeftButton);
    QTableView *view = grid("grdReqs");
    QCOMPARE(shownColumn(view, ReqCol::Type),
             (QStringList{"Bright", "Bright", "Faded", "Faded", "Shining", "Shining"}));
    // Within a type by the whole cluster text: "(QL 10)" comes before "(QL 9)".
    QCOMPARE(shownColumn(view, ReqCol::Cluster),
             (QStringList{"Computer Literacy (QL 10)", "Computer Literacy (QL 9)", "Agility (QL 10)", "Sense (QL 9)",
                          "Stamina (QL 10)", "Strength (QL 9)"}));
    // Rows move whole.
    QCOMPARE(shownColumn(view, ReqCol::SkillReq), (QStringList{"19", "18", "16", "15", "22", "20"}));
    QCOMPARE(m_results->reqSortColumns(), (QList<int>{ReqCol::Type, ReqCol::Cluster}));
    QVERIFY(m_prompter.asked.isEmpty());
}

// A heading click sorts by its column (numbers by value), a second click the
// other way round, a Shift-click adds the next sort column; the table itself
// is in that order, so printing, exporting and saving take it.
void TstResultPages::headingClicksSort()
{
    QTableView *view = grid("grdSkillInc");
    view->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QHeaderView *header = view->horizontalHeader();
    const auto click = [header](int column, Qt::KeyboardModifiers modifiers = {}) {
        const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, centre);
    };
    click(1);
    QCOMPARE(shownColumn(view, 0), (QStringList{"Agility", "Strength", "Computer Literacy"}));
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    click(1);
    QCOMPARE(shownColumn(view, 0), (QStringList{"Computer Literacy", "Strength", "Agility"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    click(2);
    click(0, Qt::ShiftModifier);
    QCOMPARE(shownColumn(view, 0), (QStringList{"Agility", "Strength", "Computer Literacy"}));
    QCOMPARE(m_results->sortKeys(SortableTable::SkillIncreases),
             (QList<SortKey>{SortKey{2, false}, SortKey{0, false}}));
    QCOMPARE(CsvText(m_results->skillIncTable()),
             QByteArray("Skill,Increase,Clusters,Trickle-Down\r\nAgility,16,1,\r\nStrength,20,1,\r\n"
                        "Computer Literacy,37,2,\r\n"));
    // A new build's rows come in build order, the heading without a sort.
    m_results->clearSortColumns();
    ClearResultTable(m_results->skillIncTable());
    QCOMPARE(header->sortIndicatorSection(), -1);
}

// On a dark palette the warning red is one that reads there, and the other
// cells take the palette's own text colour rather than black.
// With a character entered, a Treatment requirement is red above the
// character's Treatment with what the plan's abilities add to it through
// trickle-down; an ability requirement above the ability it names.
void TstResultPages::treatmentAboveTheCharacter_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("trickle");
    QTest::addColumn<bool>("red");
    QTest::newRow("above, nothing trickles") << int(ReqCol::Treatment) << "503" << qint64(0) << true;
    QTest::newRow("trickle-down makes up for it") << int(ReqCol::Treatment) << "503" << qint64(3) << false;
    QTest::newRow("above even with it") << int(ReqCol::Treatment) << "506" << qint64(5) << true;
    QTest::newRow("ability, no trickle into it") << int(ReqCol::SecondarySkill) << "301  - Agility" << qint64(50)
                                                 << true;
    QTest::newRow("ability met") << int(ReqCol::SecondarySkill) << "300  - Agility" << qint64(0) << false;
}

void TstResultPages::treatmentAboveTheCharacter()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(qint64, trickle);
    QFETCH(bool, red);
    m_results->reqTable().setCell(column, 1, text);
    m_results->setTrickle(trickle, {});
    changeSettings([](BuildSettings &settings) {
        settings.character.stats.fill(300);
        settings.character.setStat(Stat::Treatment, 500);
    });
    const QColor colour = grid("grdReqs")->model()->index(0, column).data(Qt::ForegroundRole).value<QColor>();
    QCOMPARE(colour == QColor(255, 0, 0), red);
}

// The selected skills the plan raises through trickle-down alone, under the
// skill grid, and nothing while there are none.
void TstResultPages::trickleOnlyLine()
{
    auto *line = m_skills->findChild<QLabel *>(QStringLiteral("lblTrickleOnly"));
    QVERIFY(line);
    QVERIFY(line->isHidden());
    m_results->setTrickle(6, {{QStringLiteral("Treatment"), 6}, {QStringLiteral("Nano Programming"), 13}});
    Q_EMIT m_document->resultsChanged();
    QVERIFY(!line->isHidden());
    QCOMPARE(line->text(), QStringLiteral("Raised by trickle-down alone: Treatment +6, Nano Programming +13"));
    m_results->setTrickle(0, {});
    Q_EMIT m_document->resultsChanged();
    QVERIFY(line->isHidden());
}

void TstResultPages::redReadsOnADarkPalette()
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    QApplication::setPalette(dark);
    TextTable &table = m_results->reqTable();
    table.setCell(2, 1, QStringLiteral("501"));
    changeSettings([](BuildSettings &settings) {
        settings.warnNanoProg = true;
        settings.maxNanoProg = EnteredNumber(QStringLiteral("500"));
    });
    const QAbstractItemModel *model = grid("grdReqs")->model();
    const QColor red = model->index(0, 2).data(Qt::ForegroundRole).value<QColor>();
    QApplication::setPalette(light);
    QVERIFY(red.isValid());
    QCOMPARE(red.hue(), 0);
    // Light enough to read on the dark base.
    QVERIFY2(red.lightness() > 160, qPrintable(red.name()));
    QVERIFY(!model->index(0, 1).data(Qt::ForegroundRole).isValid());
}

// "Credits" reads 0 until costs are entered in the stock register: its
// heading says so, and no other heading has a tip.
void TstResultPages::creditsHeadingTellsWhereTheyComeFrom()
{
    const QAbstractItemModel *model = grid("grdReqs")->model();
    QCOMPARE(model->headerData(ReqCol::Credits, Qt::Horizontal).toString(), QStringLiteral("Credits"));
    QVERIFY(model->headerData(ReqCol::Credits, Qt::Horizontal, Qt::ToolTipRole).toString().contains(
        QStringLiteral("stock register")));
    QVERIFY(!model->headerData(ReqCol::Cluster, Qt::Horizontal, Qt::ToolTipRole).isValid());
}

QTEST_MAIN(TstResultPages)
#include "tst_resultpages.moc"
