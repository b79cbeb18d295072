#include "common/paths.h"
#include "data/nano.h"
#include "layout/layoutstate.h"
#include "layout/plantext.h"
#include "support/testfiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

// A catalogue from records written "skill|cluster|shining|bright|faded".
TNanoList makeCatalogue(const QStringList &records)
{
    TNanoList list;
    for (const QString &record : records) {
        const QStringList f = record.split(u'|');
        auto nano = std::make_unique<TNano>();
        nano->SkillName = f.value(0);
        nano->ClusterName = f.value(1);
        nano->ShiningSlot = f.value(2);
        nano->BrightSlot = f.value(3);
        nano->FadedSlot = f.value(4);
        nano->IncCategory = QStringLiteral("1");
        list.add(std::move(nano));
    }
    return list;
}

// count records, record i raising "Skill i" with its three clusters in
// consecutive slots.
TNanoList generatedCatalogue(int count)
{
    const QStringList &bodySlots = BodySlotNames();
    QStringList records;
    for (int i = 0; i < count; ++i)
        records.append(QStringLiteral("Skill %1|Cluster %1|%2|%3|%4")
                           .arg(i)
                           .arg(bodySlots.at(i % 13), bodySlots.at((i + 1) % 13), bodySlots.at((i + 2) % 13)));
    return makeCatalogue(records);
}

QList<SkillEntry> entries(const TNanoList &list)
{
    QList<SkillEntry> result;
    for (int i = 0; i < list.count(); ++i)
        result.append(SkillEntry{list.name(i), list.at(i)});
    return result;
}

// A list's entries as "skill/cluster", so copies of one skill name can be
// told apart.
QStringList labels(const QList<SkillEntry> &list)
{
    QStringList result;
    for (const SkillEntry &entry : list)
        result.append(entry.name + u'/' + (entry.nano ? entry.nano->ClusterName : QString()));
    return result;
}

// The non-empty data cells as "column,row=text", row by row.
QStringList dataCells(const TextTable &table)
{
    QStringList cells;
    for (int r = 1; r < table.rowCount(); ++r)
        for (int c = 1; c < table.columnCount(); ++c)
            if (!table.cell(c, r).isEmpty())
                cells.append(QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(table.cell(c, r)));
    return cells;
}

// Rows from row 1 as "header|shining|bright|faded".
QStringList rows(const TextTable &table)
{
    QStringList result;
    for (int r = 1; r < table.rowCount(); ++r)
        result.append(table.row(r).join(u'|'));
    return result;
}

// Writes cells given as "column,row=text".
// Writes cells given as "column,row=text" into the grid shown, as a stored
// grid would hold them: nothing is validated.
void putCells(LayoutState &layout, const QStringList &cells)
{
    QList<QStringList> grid = layout.table().rows();
    for (const QString &cell : cells) {
        const qsizetype comma = cell.indexOf(u','), equals = cell.indexOf(u'=');
        grid[cell.mid(comma + 1, equals - comma - 1).toInt()][cell.left(comma).toInt()] = cell.mid(equals + 1);
    }
    layout.restoreGrid(layout.currentView(), layout.names(), grid);
}

// The cells carrying a marker in a view, as "column,row=code".
QStringList markedCells(const LayoutState &layout, LayoutView view, int lastRow = LayoutMaxRows)
{
    QStringList result;
    for (int r = 0; r <= lastRow; ++r)
        for (int c = 0; c < LayoutColumns; ++c)
            if (layout.marker(view, c, r) != Marker::None)
                result.append(QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(int(layout.marker(view, c, r))));
    return result;
}

QStringList duplicateCells(const LayoutState &layout)
{
    QStringList result;
    for (int r = 1; r <= LayoutMaxRows; ++r)
        for (int c = 1; c < LayoutColumns; ++c)
            if (layout.isDuplicate(c, r))
                result.append(QStringLiteral("%1,%2").arg(c).arg(r));
    return result;
}

// A catalogue for the view, allocation and editing tests.
const QStringList Records{
    QStringLiteral("Burst|Burst Clu|RIGHT ARM|RIGHT WRIST|RIGHT HAND"),
    QStringLiteral("Agility|Agility Clu|HEAD|LEG|FEET"),
    QStringLiteral("Stamina|Stamina Clu|HEAD|CHEST|WAIST"),
    QStringLiteral("Burst|Burst Clu 2|EYE|EAR|HEAD"),
    QStringLiteral("Nowhere|Nowhere Clu|||head"),
};

} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void planText_data();
    void planText();
    void skillLists_data();
    void skillLists();

    void popupMenuItems();
    void clickMenu_data();
    void clickMenu();
    void popupFile_data();
    void popupFile();

    void toSkillView_data();
    void toSkillView();
    void toBodyView_data();
    void toBodyView();
    void sameViewChangesNothing();
    void translateNames_data();
    void translateNames();
    void pickList_data();
    void pickList();

    void allocate_data();
    void allocate();
    void reorderingSwapsTheWinner();
    void allocationQuestion_data();
    void allocationQuestion();

    void duplicates_data();
    void duplicates();
    void blankChoiceClearsAutomaticMarkers_data();
    void blankChoiceClearsAutomaticMarkers();
    void setMarker_data();
    void setMarker();

    void catalogueBeyondTheCellTables();
    void symbiantSlotTakesNoCell();
};

// Operations: "avail i" and "sel i" choose an entry, "add", "remove", "up",
// "down" and "clear" act. results holds 1 or 0 for each acting operation but
// "clear".
void TstLayout::skillLists_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<int>("availableCurrent");
    QTest::addColumn<int>("selectedCurrent");

    const QStringList four{"delta|d", "Alpha|a", "charlie|c", "Bravo|b"};
    QTest::newRow("available list sorted without case") << four << QStringList{} << "" << QStringList{"Alpha/a", "Bravo/b", "charlie/c", "delta/d"} << QStringList{} << 0 << -1;
    QTest::newRow("add with an empty available list") << QStringList{} << QStringList{"add"} << "0" << QStringList{} << QStringList{} << -1 << -1;
    QTest::newRow("add appends, first entry current")
        << four << QStringList{"avail 2", "add", "avail 0", "add"} << "11" << QStringList{"Bravo/b", "delta/d"} << QStringList{"charlie/c", "Alpha/a"} << 0 << -1;
    QTest::newRow("remove returns to the sorted place")
        << four << QStringList{"avail 0", "add", "avail 2", "add", "sel 0", "remove"} << "111"
        << QStringList{"Alpha/a", "Bravo/b", "charlie/c"} << QStringList{"delta/d"} << 0 << -1;
    QTest::newRow("remove with nothing chosen")
        << four << QStringList{"add", "remove", "sel 5", "remove"} << "100" << QStringList{"Bravo/b", "charlie/c", "delta/d"} << QStringList{"Alpha/a"} << 0 << -1;
    QTest::newRow("up follows the entry, stops at the first")
        << four << QStringList{"add", "add", "add", "sel 2", "up", "up", "up"} << "111110"
        << QStringList{"delta/d"} << QStringList{"charlie/c", "Alpha/a", "Bravo/b"} << 0 << 0;
    QTest::newRow("down follows the entry, stops at the last")
        << four << QStringList{"add", "add", "add", "sel 0", "down", "down", "down"} << "111110"
        << QStringList{"delta/d"} << QStringList{"Bravo/b", "charlie/c", "Alpha/a"} << 0 << 2;
    QTest::newRow("up and down with one entry")
        << four << QStringList{"add", "sel 0", "up", "down"} << "100" << QStringList{"Bravo/b", "charlie/c", "delta/d"} << QStringList{"Alpha/a"} << 0 << 0;
    QTest::newRow("up and down with nothing chosen")
        << four << QStringList{"add", "add", "up", "down"} << "1100" << QStringList{"charlie/c", "delta/d"} << QStringList{"Alpha/a", "Bravo/b"} << 0 << -1;
    QTest::newRow("clear all returns everything")
        << four << QStringList{"avail 3", "add", "add", "sel 1", "clear"} << "11" << QStringList{"Alpha/a", "Bravo/b", "charlie/c", "delta/d"} << QStringList{} << 0 << -1;
    QTest::newRow("clear all on an empty list resets the choice")
        << four << QStringList{"avail 3", "clear"} << "" << QStringList{"Alpha/a", "Bravo/b", "charlie/c", "delta/d"} << QStringList{} << 0 << -1;
    QTest::newRow("copies of a skill move independently")
        << QStringList{"Burst|one", "Agility|x", "Burst|two"} << QStringList{"avail 2", "add", "sel 0", "remove", "avail 1", "add"} << "111"
        << QStringList{"Agility/x", "Burst/two"} << QStringList{"Burst/one"} << 0 << -1;
}

void TstLayout::skillLists()
{
    QFETCH(QStringList, records);
    QFETCH(QStringList, operations);
    const TNanoList catalogue = makeCatalogue(records);
    SkillLists lists;
    lists.assignAvailable(entries(catalogue));
    QString results;
    for (const QString &op : operations) {
        const QStringList words = op.split(u' ');
        if (words[0] == "avail")
            lists.setAvailableCurrent(words[1].toInt());
        else if (words[0] == "sel")
            lists.setSelectedCurrent(words[1].toInt());
        else if (words[0] == "add")
            results += lists.add() ? u'1' : u'0';
        else if (words[0] == "remove")
            results += lists.remove() ? u'1' : u'0';
        else if (words[0] == "up")
            results += lists.moveUp() ? u'1' : u'0';
        else if (words[0] == "down")
            results += lists.moveDown() ? u'1' : u'0';
        else if (words[0] == "clear")
            lists.clearAll();
        else
            QFAIL(qPrintable(op));
    }
    QTEST(results, "results");
    QTEST(labels(lists.available()), "available");
    QTEST(labels(lists.selected()), "selected");
    QTEST(lists.availableCurrent(), "availableCurrent");
    QTEST(lists.selectedCurrent(), "selectedCurrent");
}

void TstLayout::popupMenuItems()
{
    DefaultSelections menu;
    QStringList captions;
    for (const PopupItem &item : menu.items())
        captions.append(item.caption + u'@' + QString::number(item.line));
    QCOMPARE(captions, (QStringList{"Fixer@0", "Nano Skills@4"}));

    menu.assign({"-orphan", "", "-Burst", "Last"});
    captions.clear();
    for (const PopupItem &item : menu.items())
        captions.append(item.caption + u'@' + QString::number(item.line));
    QCOMPARE(captions, (QStringList{"@1", "Last@3"}));
}

void TstLayout::clickMenu_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("moved");
    QTest::addColumn<QStringList>("selected");

    const QStringList nano{"Time & Space|a", "Burst|b", "Matter Creation|c", "Matter Metamorphosis|d",
                           "Biological Metamorphosis|e", "Sensory Improvement & Modification|f",
                           "Psychological Modifications|g", "Agility|h"};
    QTest::newRow("built-in nano skills") << BuiltInPopupLines() << nano << 4 << 6
        << QStringList{"Time & Space/a", "Matter Creation/c", "Matter Metamorphosis/d", "Biological Metamorphosis/e",
                       "Sensory Improvement & Modification/f", "Psychological Modifications/g"};
    QTest::newRow("names are trimmed") << QStringList{"G", "-   Burst \t", "-Agility"} << nano << 0 << 2
        << QStringList{"Burst/b", "Agility/h"};
    QTest::newRow("letter case counts") << QStringList{"G", "-burst", "-AGILITY"} << nano << 0 << 0 << QStringList{};
    QTest::newRow("unknown names passed over") << QStringList{"G", "-Nothing", "-Burst"} << nano << 0 << 1 << QStringList{"Burst/b"};
    QTest::newRow("both copies of a doubled skill")
        << QStringList{"G", "-Burst"} << QStringList{"Burst|one", "Agility|x", "Burst|two"} << 0 << 2
        << QStringList{"Burst/two", "Burst/one"};
    QTest::newRow("group ends at the next heading") << QStringList{"G", "-Burst", "H", "-Agility"} << nano << 0 << 1 << QStringList{"Burst/b"};
    QTest::newRow("heading followed by a heading") << QStringList{"G", "H", "-Burst"} << nano << 0 << 0 << QStringList{};
    QTest::newRow("heading standing last") << QStringList{"-Burst", "G"} << nano << 1 << 0 << QStringList{};
    QTest::newRow("empty heading line") << QStringList{"", "-Burst"} << nano << 0 << 1 << QStringList{"Burst/b"};
    QTest::newRow("index beyond the lines") << QStringList{"G", "-Burst"} << nano << 7 << 0 << QStringList{};
    QTest::newRow("negative index") << QStringList{"G", "-Burst"} << nano << -1 << 0 << QStringList{};
}

void TstLayout::clickMenu()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, records);
    QFETCH(int, line);
    const TNanoList catalogue = makeCatalogue(records);
    LayoutState layout;
    layout.skills().assignAvailable(entries(catalogue));
    layout.defaultSelections().assign(lines);
    layout.skills().setAvailableCurrent(2);

    QTEST(layout.ClickMenu(line), "moved");
    QTEST(labels(layout.skills().selected()), "selected");
    QCOMPARE(layout.skills().available().size() + layout.skills().selected().size(), records.size());
    if (!layout.skills().selected().isEmpty())
        QCOMPARE(layout.skills().availableCurrent(), layout.skills().available().isEmpty() ? -1 : 0);
    // Applied again, the group finds nothing left to move.
    QCOMPARE(layout.ClickMenu(line), 0);
}

void TstLayout::popupFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("headingCount");
    QTest::addColumn<QString>("lastCaption");
    QTest::addColumn<QStringList>("selected");

    const QStringList bursts{"Burst/c", "Burst/b"};
    QTest::newRow("CR, LF and CR LF lines") << QByteArray("One\r\n-Burst\rTwo\n-Agility") << 2 << "Two"
                                            << QStringList{"Burst/c", "Burst/b", "Agility/a"};
    QTest::newRow("8-bit heading") << QByteArray("Gr\xfc\xdf" "e\r\n-Burst\r\n") << 1 << QString::fromLatin1("Gr\xfc\xdf" "e") << bursts;
    QTest::newRow("one very long line") << QByteArray(4 << 20, 'x') << 1 << QString(4 << 20, u'x') << QStringList{};
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "Group " + QByteArray::number(i) + "\r\n-Burst\r\n";
    QTest::newRow("twenty thousand headings") << many << 20000 << "Group 19999" << bursts;
    QByteArray garbage(1 << 18, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &b : garbage)
        b = char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << -1 << QString() << QStringList{};
}

void TstLayout::popupFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, headingCount);
    QFETCH(QString, lastCaption);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString oldBase = BaseDir();
    SetBaseDir(dir.path());
    DefaultSelections menu;
    menu.load();
    QCOMPARE(menu.lines(), BuiltInPopupLines());
    writeFile(dir.filePath(QStringLiteral("popup.mnu")), bytes);
    menu.load();
    SetBaseDir(oldBase);

    if (headingCount >= 0) {
        QCOMPARE(menu.items().size(), headingCount);
        QCOMPARE(menu.items().last().caption, lastCaption);
    }
    // Every item is a heading line; applying any of them keeps every skill
    // in exactly one list.
    const TNanoList catalogue = makeCatalogue({"Burst|b", "Agility|a", "Burst|c"});
    SkillLists lists;
    lists.assignAvailable(entries(catalogue));
    for (const PopupItem &item : menu.items()) {
        QCOMPARE(menu.lines().at(item.line), item.caption);
        QVERIFY(!item.caption.startsWith(u'-'));
        menu.ClickMenu(item.line, lists);
    }
    QCOMPARE(lists.available().size() + lists.selected().size(), 3);
    if (headingCount >= 0)
        QTEST(labels(lists.selected()), "selected");
}

void TstLayout::toSkillView_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("names");
    QTest::addColumn<QStringList>("bodyCells");
    QTest::addColumn<QStringList>("skillRows");

    QTest::newRow("empty layout lists every record")
        << Records << 0 << QStringList{}
        << QStringList{"Burst|||", "Agility|||", "Stamina|||", "Burst|||", "Nowhere|||"};
    QTest::newRow("doubled skill name gets the slot in both rows")
        << Records << 0 << QStringList{"1,5=Burst", "3,1=Burst", "2,9=Agility"}
        << QStringList{"Burst|LEFT ARM||HEAD", "Agility||LEG|", "Stamina|||", "Burst|LEFT ARM||HEAD", "Nowhere|||"};
    QTest::newRow("cluster names")
        << Records << 1 << QStringList{"1,1=Agility Clu", "1,4=Burst Clu 2", "2,2=Agility"}
        << QStringList{"Burst Clu|||", "Agility Clu|HEAD||", "Stamina Clu|||", "Burst Clu 2|EYE||", "Nowhere Clu|||"};
    QTest::newRow("a name in two slots: the lower row's")
        << Records << 0 << QStringList{"1,1=Stamina", "1,13=Stamina"}
        << QStringList{"Burst|||", "Agility|||", "Stamina|FEET||", "Burst|||", "Nowhere|||"};
    QTest::newRow("empty skill name takes no empty cell")
        << QStringList{"|Unknown #1|HEAD|HEAD|HEAD", "Burst|b|EYE||"} << 0 << QStringList{"1,4=Burst"}
        << QStringList{"|||", "Burst|EYE||"};
}

void TstLayout::toSkillView()
{
    QFETCH(QStringList, records);
    QFETCH(int, names);
    QFETCH(QStringList, bodyCells);
    const TNanoList catalogue = makeCatalogue(records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setNames(LayoutNames(names));
    putCells(layout, bodyCells);

    QVERIFY(layout.setView(LayoutView::SkillSet));
    QCOMPARE(layout.currentView(), LayoutView::SkillSet);
    QCOMPARE(layout.table().rowCount(), records.size() + 1);
    QCOMPARE(layout.table().row(0), (QStringList{"", "Shining", "Bright", "Faded"}));
    QTEST(rows(layout.table()), "skillRows");
}

void TstLayout::toBodyView_data()
{
    QTest::addColumn<QStringList>("skillCells");
    QTest::addColumn<QStringList>("bodyCells");

    QTest::newRow("nothing placed") << QStringList{} << QStringList{};
    QTest::newRow("each record's slots")
        << QStringList{"1,2=HEAD", "2,2=LEG", "3,1=RIGHT HAND", "1,4=EYE"}
        << QStringList{"1,1=Agility", "1,4=Burst", "2,9=Agility", "3,11=Burst"};
    QTest::newRow("two rows claim a slot: the lower row wins")
        << QStringList{"1,2=HEAD", "1,3=HEAD"} << QStringList{"1,1=Stamina"};
    QTest::newRow("blank choice and unknown text place nothing")
        << QStringList{"1,2= ", "2,3=head", "3,5=NOWHERE"} << QStringList{};
}

void TstLayout::toBodyView()
{
    QFETCH(QStringList, skillCells);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setView(LayoutView::SkillSet);
    putCells(layout, skillCells);

    QVERIFY(layout.setView(LayoutView::BodyPlacement));
    QCOMPARE(layout.currentView(), LayoutView::BodyPlacement);
    QCOMPARE(layout.table().rowCount(), 14);
    for (int r = 1; r <= 13; ++r)
        QCOMPARE(layout.table().cell(0, r), BodySlotNames().at(r - 1));
    QTEST(dataCells(layout.table()), "bodyCells");
}

void TstLayout::sameViewChangesNothing()
{
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    putCells(layout, {"1,1=Agility"});
    QVERIFY(!layout.setView(LayoutView::BodyPlacement));
    QCOMPARE(dataCells(layout.table()), QStringList{"1,1=Agility"});
    QVERIFY(layout.setView(LayoutView::SkillSet));
    QVERIFY(!layout.setView(LayoutView::SkillSet));
    QCOMPARE(layout.table().rowCount(), Records.size() + 1);
    QVERIFY(!layout.setNames(LayoutNames::SkillNames));
}

void TstLayout::translateNames_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("expected");

    const QStringList chain{"X|Y|HEAD||", "Y|Z|HEAD||"};
    QTest::newRow("records tried in catalogue order") << chain << 0 << 1 << QStringList{"1,1=X", "2,1=Y"} << QStringList{"1,1=Z", "2,1=Z"};
    QTest::newRow("later record does not feed an earlier one")
        << QStringList{"Y|Z|HEAD||", "X|Y|HEAD||"} << 0 << 1 << QStringList{"1,1=X"} << QStringList{"1,1=Y"};
    QTest::newRow("back to skill names") << Records << 0 << 0 << QStringList{"1,1=Agility Clu", "3,1=Burst Clu 2", "2,3=Burst"}
        << QStringList{"1,1=Agility", "3,1=Burst", "2,3=Burst"};
    QTest::newRow("blank and unknown texts stay") << Records << 0 << 1 << QStringList{"1,1= ", "1,2=agility"} << QStringList{"1,1= ", "1,2=agility"};
    QTest::newRow("empty cell not taken for an empty skill name")
        << QStringList{"|Unknown #1|||", "Burst|B|||"} << 0 << 1 << QStringList{"1,1=Burst"} << QStringList{"1,1=B"};
    QTest::newRow("skill view translates row headers only")
        << QStringList{"Burst|Burst Clu|HEAD||", "HEAD|Head Clu|||"} << 1 << 1 << QStringList{"1,1=HEAD", "1,2=HEAD"}
        << QStringList{"1,1=HEAD", "1,2=HEAD"};
}

void TstLayout::translateNames()
{
    QFETCH(QStringList, records);
    QFETCH(int, view);
    QFETCH(int, to);
    QFETCH(QStringList, cells);
    const TNanoList catalogue = makeCatalogue(records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    if (to == 0)
        layout.setNames(LayoutNames::ClusterNames);
    layout.setView(LayoutView(view));
    putCells(layout, cells);
    const QStringList headersBefore = layout.table().row(0);

    QVERIFY(layout.setNames(LayoutNames(to)));
    QCOMPARE(layout.names(), LayoutNames(to));
    QTEST(dataCells(layout.table()), "expected");
    if (view == 1) {
        QStringList headers;
        for (int r = 1; r < layout.table().rowCount(); ++r)
            headers.append(layout.table().cell(0, r));
        QCOMPARE(headers, (QStringList{"Burst Clu", "Head Clu"}));
    }
    QCOMPARE(layout.table().row(0), headersBefore);
}

void TstLayout::pickList_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("choices");

    QTest::newRow("body: slot used by two records") << 0 << 0 << 1 << 1 << QStringList{" ", "Agility", "Stamina"};
    QTest::newRow("body: cluster names, slots compared exactly") << 0 << 1 << 3 << 1 << QStringList{" ", "Burst Clu 2"};
    QTest::newRow("body: slot nobody uses") << 0 << 0 << 2 << 12 << QStringList{" "};
    QTest::newRow("skill: doubled name offers both records' slots") << 1 << 0 << 1 << 1 << QStringList{" ", "RIGHT ARM", "EYE"};
    QTest::newRow("skill: record without a slot") << 1 << 0 << 1 << 5 << QStringList{" ", ""};
    QTest::newRow("header cell has none") << 0 << 0 << 0 << 1 << QStringList{};
    QTest::newRow("below the last row") << 0 << 0 << 1 << 14 << QStringList{};
}

void TstLayout::pickList()
{
    QFETCH(int, view);
    QFETCH(int, names);
    QFETCH(int, column);
    QFETCH(int, row);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setNames(LayoutNames(names));
    layout.setView(LayoutView(view));
    QTEST(layout.pickList(column, row), "choices");
}

// selected: catalogue positions in list order. Before the allocation the
// layout holds the cells "before" and a note marker on HEAD's Shining cell.
void TstLayout::allocate_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("overwrite");
    QTest::addColumn<QString>("include");
    QTest::addColumn<int>("names");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("markers");

    const QStringList note{"1,1=5"};
    QTest::newRow("first in the list wins, the cell marks the conflict")
        << QList<int>{1, 2} << 0 << "SBF" << 0 << QStringList{"2,3=Burst"}
        << QStringList{"1,1=Agility", "2,2=Stamina", "2,9=Agility", "3,12=Stamina", "3,13=Agility"} << QStringList{"1,1=11"};
    QTest::newRow("other order, other winner")
        << QList<int>{2, 1} << 0 << "SBF" << 0 << QStringList{}
        << QStringList{"1,1=Stamina", "2,2=Stamina", "2,9=Agility", "3,12=Stamina", "3,13=Agility"} << QStringList{"1,1=11"};
    QTest::newRow("only the included types")
        << QList<int>{0, 1} << 0 << "B" << 0 << QStringList{} << QStringList{"2,8=Burst", "2,9=Agility"} << QStringList{};
    QTest::newRow("all types off, clearing empties the layout")
        << QList<int>{0, 1} << 0 << "" << 0 << QStringList{"1,1=Agility", "2,3= "} << QStringList{} << QStringList{};
    QTest::newRow("all types off, keeping changes nothing")
        << QList<int>{0, 1} << 1 << "" << 0 << QStringList{"1,1=Agility", "2,3= "} << QStringList{"1,1=Agility", "2,3= "} << note;
    QTest::newRow("empty selection clears")
        << QList<int>{} << 0 << "SBF" << 0 << QStringList{"1,1=Agility"} << QStringList{} << QStringList{};
    QTest::newRow("keeping: the blank choice is occupied")
        << QList<int>{1} << 1 << "S" << 0 << QStringList{"1,1= "} << QStringList{"1,1= "} << QStringList{"1,1=11"};
    QTest::newRow("keeping: the same name again is no conflict")
        << QList<int>{1} << 1 << "S" << 0 << QStringList{"1,1=Agility"} << QStringList{"1,1=Agility"} << note;
    QTest::newRow("cluster names meet a skill name")
        << QList<int>{1} << 1 << "SB" << 1 << QStringList{"1,1=Agility"} << QStringList{"1,1=Agility", "2,9=Agility Clu"}
        << QStringList{"1,1=11"};
    QTest::newRow("a record with no slot places nothing")
        << QList<int>{4} << 0 << "SBF" << 0 << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("doubled skill name, each record its own slots")
        << QList<int>{0, 3} << 0 << "S" << 0 << QStringList{} << QStringList{"1,4=Burst", "1,6=Burst"} << QStringList{};
}

void TstLayout::allocate()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, overwrite);
    QFETCH(QString, include);
    QFETCH(int, names);
    QFETCH(QStringList, before);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setNames(LayoutNames(names));
    putCells(layout, before);
    layout.setMarker(1, 1, Marker::Note);
    layout.setMarker(0, 0, Marker::Query);

    // The selected list in the given order.
    QList<SkillEntry> available;
    for (int index : selected)
        available.append(SkillEntry{catalogue.name(index), catalogue.at(index)});
    layout.skills().assignAvailable(available);
    for (int index : selected) {
        for (int i = 0; i < layout.skills().available().size(); ++i)
            if (layout.skills().available().at(i).nano == catalogue.at(index))
                layout.skills().setAvailableCurrent(i);
        QVERIFY(layout.skills().add());
    }

    AllocationRules rules;
    rules.OverwriteOption = AllocationRules::Overwrite(overwrite);
    rules.IncludeShining = include.contains(u'S');
    rules.IncludeBright = include.contains(u'B');
    rules.IncludeFaded = include.contains(u'F');
    layout.setRules(rules);

    QVERIFY(layout.allocate());
    QTEST(dataCells(layout.table()), "after");
    QStringList markers = markedCells(layout, LayoutView::BodyPlacement);
    // The header marker goes only with the clearing step.
    QCOMPARE(markers.removeAll(QStringLiteral("0,0=10")), overwrite);
    QTEST(markers, "markers");
    // Allocating again with the layout kept adds no conflict.
    rules.OverwriteOption = AllocationRules::DoNotClear;
    layout.setRules(rules);
    const QStringList cells = dataCells(layout.table());
    layout.allocate();
    QCOMPARE(dataCells(layout.table()), cells);
}

void TstLayout::reorderingSwapsTheWinner()
{
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.skills().assignAvailable(entries(catalogue));
    // Available: Agility, Burst, Burst, Nowhere, Stamina.
    layout.skills().setAvailableCurrent(0);
    layout.skills().add();
    layout.skills().setAvailableCurrent(3);
    layout.skills().add();
    QVERIFY(layout.allocate());
    QCOMPARE(layout.table().cell(1, 1), QStringLiteral("Agility"));

    layout.skills().setSelectedCurrent(1);
    QVERIFY(layout.skills().moveUp());
    QVERIFY(layout.allocate());
    QCOMPARE(layout.table().cell(1, 1), QStringLiteral("Stamina"));
    QCOMPARE(layout.table().cell(3, 13), QStringLiteral("Agility"));
    QCOMPARE(layout.marker(LayoutView::BodyPlacement, 1, 1), Marker::Conflict);

    // Not in the skill/cluster-set view.
    layout.setView(LayoutView::SkillSet);
    const QStringList before = rows(layout.table());
    QVERIFY(!layout.allocate());
    QCOMPARE(rows(layout.table()), before);
}

void TstLayout::allocationQuestion_data()
{
    QTest::addColumn<int>("overwrite");
    QTest::addColumn<QString>("titleKey");
    QTest::addColumn<QString>("textKey");
    QTest::addColumn<int>("icon");
    QTest::newRow("clear before allocation") << 0 << "M23" << "M22" << int(Prompter::Icon::Warning);
    QTest::newRow("do not clear") << 1 << "M25" << "M24" << int(Prompter::Icon::Information);
}

void TstLayout::allocationQuestion()
{
    QFETCH(int, overwrite);
    AllocationRules rules;
    rules.OverwriteOption = AllocationRules::Overwrite(overwrite);
    const AllocationQuestion question = AllocationConfirmation(rules);
    QTEST(QString::fromLatin1(question.title.key), "titleKey");
    QTEST(QString::fromLatin1(question.text.key), "textKey");
    QTEST(int(question.icon), "icon");
}

// Edits "column,row=text" in the given view, one after another.
void TstLayout::duplicates_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<bool>("duplicates");

    QTest::newRow("two skills on one slot: both red") << 1 << QStringList{"1,2=HEAD", "1,3=HEAD"} << QStringList{"1,2", "1,3"} << true;
    QTest::newRow("one changed back: the other clears")
        << 1 << QStringList{"1,2=HEAD", "1,3=HEAD", "1,3=EYE"} << QStringList{} << false;
    QTest::newRow("one changed to blank: the other clears")
        << 1 << QStringList{"1,2=HEAD", "1,3=HEAD", "1,2= "} << QStringList{} << false;
    QTest::newRow("three on one slot, one changed: two stay")
        << 1 << QStringList{"1,2=HEAD", "1,3=HEAD", "1,4=HEAD", "1,3=EYE"} << QStringList{"1,2", "1,4"} << true;
    QTest::newRow("same edit twice keeps the marks")
        << 1 << QStringList{"1,2=HEAD", "1,3=HEAD", "1,3=HEAD"} << QStringList{"1,2", "1,3"} << true;
    QTest::newRow("only the edited column") << 1 << QStringList{"1,2=HEAD", "2,3=HEAD"} << QStringList{} << false;
    QTest::newRow("blank choices are no duplicates") << 1 << QStringList{"1,2= ", "1,3= "} << QStringList{} << false;
    QTest::newRow("two groups in one column")
        << 1 << QStringList{"1,1=EYE", "1,2=HEAD", "1,3=HEAD", "1,4=EYE", "1,4=HEAD"} << QStringList{"1,2", "1,3", "1,4"} << true;
    QTest::newRow("body view makes no marks") << 0 << QStringList{"1,2=Agility", "1,3=Agility"} << QStringList{} << false;
}

void TstLayout::duplicates()
{
    QFETCH(int, view);
    QFETCH(QStringList, edits);
    QFETCH(bool, duplicates);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setView(LayoutView(view));
    bool result = false;
    for (const QString &edit : edits) {
        const qsizetype comma = edit.indexOf(u','), equals = edit.indexOf(u'=');
        result = layout.editCell(edit.left(comma).toInt(), edit.mid(comma + 1, equals - comma - 1).toInt(), edit.mid(equals + 1));
        QCOMPARE(result, layout.CheckDuplicates());
    }
    QTEST(duplicateCells(layout), "marked");
    QCOMPARE(result, duplicates);
    QCOMPARE(layout.table().cell(edits.last().section(u',', 0, 0).toInt(),
                                 edits.last().section(u',', 1).section(u'=', 0, 0).toInt()),
             edits.last().section(u'=', 1));
    // While duplicates stand, the view stays.
    QCOMPARE(layout.setView(LayoutView(1 - view)), !duplicates);
}

void TstLayout::blankChoiceClearsAutomaticMarkers_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("marker");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("after");

    for (int view = 0; view <= 1; ++view) {
        const char *v = view == 0 ? "body: " : "skill: ";
        QTest::addRow("%sconflict, blank", v) << view << int(Marker::Conflict) << " " << int(Marker::None);
        QTest::addRow("%sin stock, empty", v) << view << int(Marker::InStock) << "" << int(Marker::None);
        QTest::addRow("%sno stock, blank", v) << view << int(Marker::NoStock) << " " << int(Marker::None);
        QTest::addRow("%sbad cluster, blank", v) << view << int(Marker::BadCluster) << " " << int(Marker::None);
        QTest::addRow("%snote stays", v) << view << int(Marker::Note) << " " << int(Marker::Note);
        QTest::addRow("%sno implant stays", v) << view << int(Marker::NoImplant) << " " << int(Marker::NoImplant);
        QTest::addRow("%sconflict stays on a name", v) << view << int(Marker::Conflict) << "HEAD" << int(Marker::Conflict);
    }
}

void TstLayout::blankChoiceClearsAutomaticMarkers()
{
    QFETCH(int, view);
    QFETCH(int, marker);
    QFETCH(QString, text);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setView(LayoutView(view));
    const LayoutView other = LayoutView(1 - view);
    QVERIFY(layout.setMarker(2, 3, Marker(marker)));
    layout.setView(other);
    QVERIFY(layout.setMarker(2, 3, Marker(marker)));
    layout.setView(LayoutView(view));

    layout.editCell(2, 3, text);
    QTEST(int(layout.shownMarker(2, 3)), "after");
    QCOMPARE(layout.marker(other, 2, 3), Marker(marker));
}

void TstLayout::setMarker_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("stored");

    QTest::newRow("data cell, body view") << 0 << 2 << 13 << true;
    QTest::newRow("header cell") << 0 << 0 << 0 << true;
    QTest::newRow("below the last body row") << 0 << 1 << 14 << false;
    QTest::newRow("left of the table") << 0 << -1 << 1 << false;
    QTest::newRow("right of the table") << 1 << 4 << 1 << false;
    QTest::newRow("last skill row") << 1 << 3 << Records.size() << true;
    QTest::newRow("below the last skill row") << 1 << 3 << Records.size() + 1 << false;
}

void TstLayout::setMarker()
{
    QFETCH(int, view);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, stored);
    const TNanoList catalogue = makeCatalogue(Records);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.setView(LayoutView(view));

    QCOMPARE(layout.setMarker(column, row, Marker::Query), stored);
    QCOMPARE(markedCells(layout, LayoutView(view)),
             stored ? QStringList{QStringLiteral("%1,%2=10").arg(column).arg(row)} : QStringList{});
    QVERIFY(markedCells(layout, LayoutView(1 - view)).isEmpty());
    if (stored) {
        // "<default>" removes the marker.
        QVERIFY(layout.setMarker(column, row, Marker::None));
        QVERIFY(markedCells(layout, LayoutView(view)).isEmpty());
    }
}

void TstLayout::catalogueBeyondTheCellTables()
{
    const TNanoList catalogue = generatedCatalogue(600);
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.skills().assignAvailable(entries(catalogue));
    while (layout.skills().add()) {
    }
    QVERIFY(layout.allocate());
    // Skill 0 wins every slot of its types; the rest conflict where they differ.
    QCOMPARE(layout.table().cell(1, 1), QStringLiteral("Skill 0"));

    QVERIFY(layout.setView(LayoutView::SkillSet));
    QCOMPARE(layout.table().rowCount(), 601);
    QCOMPARE(layout.table().cell(1, 600), QString());
    QCOMPARE(layout.table().cell(0, 600), QStringLiteral("Skill 599"));

    // Markers: only rows the marker tables cover.
    QVERIFY(layout.setMarker(1, 400, Marker::Note));
    QVERIFY(!layout.setMarker(1, 401, Marker::Note));
    QVERIFY(!layout.setMarker(0, 600, Marker::Note));
    QCOMPARE(layout.shownMarker(1, 401), Marker::None);

    // Duplicates among rows 1 to 400 are marked; rows beyond take no part.
    QVERIFY(layout.editCell(1, 399, QStringLiteral("HEAD")));
    QCOMPARE(duplicateCells(layout), (QStringList{"1,1", "1,399"}));
    QVERIFY(layout.editCell(1, 500, QStringLiteral("HEAD")));
    QVERIFY(layout.editCell(1, 600, QStringLiteral("EAR")));
    QCOMPARE(duplicateCells(layout), (QStringList{"1,1", "1,399"}));
    QVERIFY(!layout.editCell(1, 399, QStringLiteral(" ")));
    QVERIFY(duplicateCells(layout).isEmpty());
    QVERIFY(!layout.editCell(2, 600, QStringLiteral(" ")));
    QCOMPARE(layout.table().cell(1, 500), QStringLiteral("HEAD"));

    // Back to body placement: the lowest row claiming a slot wins.
    QVERIFY(layout.setView(LayoutView::BodyPlacement));
    QCOMPARE(layout.table().rowCount(), 14);
    QCOMPARE(layout.table().cell(1, 1), QStringLiteral("Skill 499"));
    QCOMPARE(layout.table().cell(1, 3), QStringLiteral("Skill 599"));
    QCOMPARE(layout.shownMarker(1, 1), Marker::Conflict);
}

// The plan as text: a spreadsheet's tabs, a chat's bars or spaces, any letter
// case, cluster or skill names; and what it cannot read, each said once.
void TstLayout::planText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("head"); // HEAD's three clusters, "|" apart
    QTest::addColumn<QStringList>("problems");
    QTest::newRow("tabs and a header") << "Slot\tShining\tBright\tFaded\nHEAD\tStr Clu\t\tInt Clu\n" << "Str Clu||Int Clu"
                                       << QStringList();
    QTest::newRow("skill names, any case") << "head\tstrength\r\n" << "Str Clu||" << QStringList();
    QTest::newRow("a drawn table") << "| Slot | Shining |\n| HEAD | Str Clu | | Int Clu |\n" << "Str Clu||Int Clu"
                                   << QStringList();
    QTest::newRow("two spaces") << "HEAD  str clu\n" << "Str Clu||" << QStringList();
    QTest::newRow("wrong slot") << "HEAD\t\tStr Clu\n" << "||"
                                << QStringList{"Line 1: \"Str Clu\" does not go into HEAD as Bright."};
    QTest::newRow("no such slot") << "HEDA\tStr Clu\nHEAD\tStr Clu\nHEAD\tStr Clu\n" << "Str Clu||"
                                  << QStringList{"Line 1: \"HEDA\" is not a body slot.", "Line 3: HEAD is given twice."};
    QTest::newRow("no plan") << "hello there" << "||" << QStringList{"Line 1: \"hello there\" is not a body slot."};
    QTest::newRow("empty") << "" << "||" << QStringList{"No line names a body slot."};
}

void TstLayout::planText()
{
    QFETCH(QString, text);
    QFETCH(QString, head);
    const TNanoList catalogue = makeCatalogue({"Strength|Str Clu|HEAD|EYE|EAR", "Intelligence|Int Clu|EYE|EAR|HEAD"});
    const PlanReading reading = ReadPlanText(text, catalogue, BodySlotNames());
    QStringList names;
    for (const TNano *nano : reading.placed.at(0))
        names.append(nano ? nano->ClusterName : QString());
    QCOMPARE(names.join(u'|'), head);
    QTEST(reading.problems, "problems");

    // Written out and read back, a plan is the same.
    if (reading.problems.isEmpty()) {
        LayoutState layout;
        layout.setCatalogue(catalogue);
        PlacePlan(layout, reading);
        const PlanReading again = ReadPlanText(PlanText(layout), catalogue, BodySlotNames());
        QCOMPARE(again.placed, reading.placed);
        QVERIFY(again.problems.isEmpty());
    }
}

// A slot holding a symbiant keeps its clusters through a typed cell and a
// pasted plan; the other slots take both, and the implant comes back whole.
void TstLayout::symbiantSlotTakesNoCell()
{
    const TNanoList catalogue = makeCatalogue({"Strength|Str Clu|HEAD|EYE|EAR", "Intelligence|Int Clu|EYE|EAR|HEAD"});
    LayoutState layout;
    layout.setCatalogue(catalogue);
    layout.editCell(1, 1, QStringLiteral("Strength"));
    const PlanSlot head = layout.plan().bodySlots.at(0);
    layout.setSymbiant(0, QStringLiteral("Brain (QL 100)"));

    layout.editCell(1, 1, QString());
    layout.editCell(3, 1, QStringLiteral("Intelligence"));
    const PlanReading pasted =
        ReadPlanText(QStringLiteral("HEAD\tStr Clu\t\tInt Clu\nEYE\tInt Clu\n"), catalogue, BodySlotNames());
    QCOMPARE(pasted.problems, QStringList());
    PlacePlan(layout, pasted);
    QCOMPARE(layout.plan().bodySlots.at(0).clusters, head.clusters);
    QCOMPARE(layout.table().cell(1, 1), QStringLiteral("Strength"));
    QCOMPARE(layout.table().cell(3, 1), QString());
    QCOMPARE(layout.table().cell(1, 4), QStringLiteral("Intelligence"));

    layout.setSymbiant(0, QString());
    QCOMPARE(layout.plan().bodySlots.at(0), head);
    layout.editCell(3, 1, QStringLiteral("Intelligence"));
    QCOMPARE(layout.table().cell(3, 1), QStringLiteral("Intelligence"));
}

QTEST_GUILESS_MAIN(TstLayout)
#include "tst_layout.moc"
