// The three exports of a table, each read back into cells by a reader of its
// own format (formatreaders.h), and what a failed write leaves behind.

#include "common/errors.h"
#include "common/texttable.h"
#include "reports/export.h"
#include "reports/formatreaders.h"
#include "support/testfiles.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ludra;

namespace {

void FillTable(TextTable &table, const Rows &rows)
{
    table.setColumnCount(int(rows.value(0).size()));
    table.setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        table.setRow(row, rows[row]);
}

// What a format that has only one kind of line break gives back.
Rows WithLineFeeds(Rows rows)
{
    for (QStringList &row : rows)
        for (QString &cell : row)
            cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return rows;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readBack_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::newRow("plain") << Rows{{"Cluster", "Slot"}, {"Pistol", "Right Hand"}};
        QTest::newRow("commas and quotes")
            << Rows{{"a,b", "say \"hi\""}, {"\"", ",\","}, {" lead", "trail "}};
        QTest::newRow("line breaks")
            << Rows{{"one\ntwo", "cr\rhere"}, {"crlf\r\nend", "\n"}, {"x\r\n\r\ny", "tab\tin"}};
        QTest::newRow("markup") << Rows{{"<b>", "a & b"}, {"&amp;", "x > y"}};
        QTest::newRow("empty cells") << Rows{{"", "head"}, {"", ""}, {"last", ""}};
        QTest::newRow("beyond Latin-1")
            << Rows{{"€ 5", "日本"}, {"é ß", "𝄞 clef"}, {"\\rtf {x}", "back\\slash"}};
    }

    void readBack()
    {
        QFETCH(Rows, rows);
        TextTable table;
        FillTable(table, rows);
        QTemporaryDir dir;
        const QString title = QStringLiteral("Skills & <Costs> € 日本");

        ExportCsv(table, dir.filePath("t.csv"));
        const QByteArray csv = readFile(dir.filePath("t.csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        Rows fromCsv;
        ReadCsv(csv.mid(3), [&fromCsv](const QStringList &record) { fromCsv.append(record); });
        QCOMPARE(fromCsv, rows);

        ExportHtml(table, title, dir.filePath("t.html"));
        const QString html = QString::fromUtf8(readFile(dir.filePath("t.html")));
        QVERIFY(html.startsWith("<!DOCTYPE html>\n<html lang=\"en\">"));
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        QVERIFY(html.contains("<title>Skills &amp; &lt;Costs&gt; € 日本</title>"));
        QVERIFY(html.contains("<h1>Skills &amp; &lt;Costs&gt; € 日本</h1>"));
        QList<bool> th;
        QCOMPARE(ReadHtmlTable(html, &th), WithLineFeeds(rows));
        for (int i = 0; i < th.size(); ++i)
            QCOMPARE(th[i], i < rows[0].size());

        ExportRtf(table, title, dir.filePath("t.rtf"));
        const QByteArray rtf = readFile(dir.filePath("t.rtf"));
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        for (const char c : rtf)
            QVERIFY2(uchar(c) < 0x80, "an RTF file is 7-bit");
        static const QRegularExpression unicode(QStringLiteral("\\\\u(-?\\d+)\\?"));
        for (const auto &u : unicode.globalMatch(QString::fromLatin1(rtf)))
            QVERIFY2(qAbs(u.captured(1).toInt()) <= 32768, qPrintable(u.captured(0)));
        const RtfDocument doc = ReadRtf(rtf);
        QCOMPARE(doc.paragraphs.value(0), title);
        QCOMPARE(doc.rows, WithLineFeeds(rows));
        for (int i = 0; i < doc.bold.size(); ++i) {
            if (!doc.rows[i / rows[0].size()][i % rows[0].size()].isEmpty())
                QCOMPARE(doc.bold[i], i < rows[0].size());
        }
    }

    // Every row of the RTF table ends within the width between the margins
    // of the page the document declares, and its cells read back.
    void rtfFitsThePage_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<RtfPage>("page");
        const auto table = [](int columns) {
            Rows rows{{}, {}};
            for (int column = 0; column < columns; ++column) {
                rows[0].append(QStringLiteral("Column %1").arg(column));
                rows[1].append(QStringLiteral("value %1").arg(column));
            }
            return rows;
        };
        QTest::newRow("short") << table(2) << RtfPage();
        QTest::newRow("eleven, Letter landscape") << table(11) << RtfPageFromMm(215.9, 279.4, true, 25, 25, 25, 25);
        QTest::newRow("thirty") << table(30) << RtfPage();
        QTest::newRow("one long cell") << Rows{{"Cluster", "QL"}, {QString(700, u'x'), "200"}} << RtfPage();
    }

    void rtfFitsThePage()
    {
        QFETCH(Rows, rows);
        QFETCH(RtfPage, page);
        TextTable table;
        FillTable(table, rows);
        QTemporaryDir dir;
        const auto exported = [&](const TextTable &table) {
            ExportRtf(table, QStringLiteral("Report"), dir.filePath("t.rtf"), page);
            return readFile(dir.filePath("t.rtf"));
        };
        const QByteArray rtf = exported(table);
        QCOMPARE(ReadRtfNumber(rtf, "paperw"), page.width);
        QCOMPARE(ReadRtfNumber(rtf, "margl"), page.marginLeft);
        QCOMPARE(rtf.contains("\\landscape"), page.width > page.height);
        const QList<QList<int>> edges = ReadRtfCellEdges(rtf);
        QCOMPARE(edges.size(), rows.size());
        for (const QList<int> &row : edges) {
            QCOMPARE(row.size(), rows[0].size());
            QVERIFY2(row.last() <= page.usableWidth(), qPrintable(QString::number(row.last())));
            QVERIFY(std::is_sorted(row.begin(), row.end()) && row.first() > 0);
        }
        QCOMPARE(ReadRtf(rtf).rows, rows);
        // The long cell fills the page, and the short column keeps the width
        // its own words need however long the other grows.
        if (rows[1][0].size() > 100) {
            QCOMPARE(edges[0][1], page.usableWidth());
            table.setCell(0, 1, rows[1][0].repeated(5));
            const QList<int> longer = ReadRtfCellEdges(exported(table)).first();
            QCOMPARE(longer[1] - longer[0], edges[0][1] - edges[0][0]);
        }
    }

    void rtfInWordProcessor()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: the RTF file is not opened "
                  "in a word processor");
        const Rows rows{{"Cluster", "Cost €"}, {"Pistol {1}", "日本 a\\b"}, {"x,y", "1200"}};
        TextTable table;
        FillTable(table, rows);
        QTemporaryDir dir;
        ExportRtf(table, QStringLiteral("Requirements"), dir.filePath("t.rtf"));
        QProcess office;
        // A profile of its own, so that a running office does not take the job.
        const QString profile = "-env:UserInstallation=file://" + dir.filePath("profile");
        office.start(soffice, {"--headless", profile, "--convert-to", "txt:Text",
                               "--outdir", dir.path(), dir.filePath("t.rtf")});
        QVERIFY(office.waitForFinished(120000));
        const QString text = QString::fromUtf8(readFile(dir.filePath("t.txt")));
        QVERIFY2(text.contains("Requirements"), qPrintable(text));
        for (const QStringList &row : rows)
            for (const QString &cell : row)
                QVERIFY2(text.contains(cell), qPrintable(cell + " missing from:\n" + text));
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("CSV") << 0;
        QTest::newRow("HTML") << 1;
        QTest::newRow("RTF") << 2;
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(int, format);
        QTemporaryDir dir;
        const QString path = dir.filePath("report");
        writeFile(path, "old report\r\n");
        TextTable table(2, 2);
        table.setRow(0, {"a", "b"});
        if (!makeUnwritable(dir.path()))
            QSKIP("this file system lets every folder take new files");
        QString message;
        try {
            if (format == 0)
                ExportCsv(table, path);
            else if (format == 1)
                ExportHtml(table, "t", path);
            else
                ExportRtf(table, "t", path);
        } catch (const EStreamError &e) {
            message = e.message();
        }
        makeWritable(dir.path());
        const QString start = "Cannot create file \"" + QDir::toNativeSeparators(path) + "\". ";
        QVERIFY2(message.startsWith(start), qPrintable(message));
        QVERIFY2(message.size() > start.size(), "the reason is missing");
        QCOMPARE(readFile(path), QByteArray("old report\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"report"});
    }

    void largeTableWhole()
    {
        const int rowCount = 10000;
        TextTable table(3, rowCount);
        const QString quoted = QString(4998, u'q') + QStringLiteral(",\"");
        const QString plain(5000, u'p');
        for (int row = 0; row < rowCount; ++row)
            table.setRow(row, {QString::number(row).leftJustified(5000, u'.'), quoted, plain});
        QTemporaryDir dir;
        ExportCsv(table, dir.filePath("big.csv"));
        int next = 0;
        ReadCsv(readFile(dir.filePath("big.csv")).mid(3), [&](const QStringList &record) {
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(record.size(), 3);
            QCOMPARE(record[0].section(u'.', 0, 0).toInt(), next);
            QCOMPARE(record[0].size(), 5000);
            QCOMPARE(record[1], quoted);
            QCOMPARE(record[2], plain);
            ++next;
        });
        QCOMPARE(next, rowCount);
    }

    // Beside the shown rows, the JSON gives each row as an object of typed
    // values: numbers as numbers, a level apart from its name, an ability
    // requirement's ability and recipe apart from its number.
    void jsonRecordsAreTyped_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QJsonObject>("record");
        const auto object = [](std::initializer_list<QPair<QString, QJsonValue>> values) {
            QJsonObject o;
            for (const auto &[key, value] : values)
                o.insert(key, value);
            return o;
        };
        QTest::newRow("number") << "726" << object({{"V", 726}});
        QTest::newRow("below zero") << "-3" << object({{"V", -3}});
        QTest::newRow("level") << "HEAD (QL 169)" << object({{"V", "HEAD"}, {"V QL", 169}});
        QTest::newRow("ability") << "404  - Agility" << object({{"V", 404}, {"Ability", "Agility"}});
        QTest::newRow("recipe and ability")
            << "342 - Weapon Smt - Agility" << object({{"V", 342}, {"Ability", "Agility"}, {"Recipe", "Weapon Smt"}});
        QTest::newRow("recipe, no ability yet") << "342 - Weapon Smt" << object({{"V", 342}, {"Recipe", "Weapon Smt"}});
        QTest::newRow("unknown ability") << "120  - Unknown" << object({{"V", 120}, {"Ability", "Unknown"}});
        QTest::newRow("symbiant's needs") << "Agility 383, level 125" << object({{"V", "Agility 383, level 125"}});
        QTest::newRow("words after a number") << "12 apples" << object({{"V", "12 apples"}});
        QTest::newRow("too long for a number") << QString(30, u'9') << object({{"V", QString(30, u'9')}});
        QTest::newRow("empty") << "" << QJsonObject();
    }

    void jsonRecordsAreTyped()
    {
        QFETCH(QString, cell);
        TextTable table(1, 3);
        table.setRow(0, {QStringLiteral("V")});
        table.setRow(1, {cell});
        table.setRow(2, {QStringLiteral("7")});
        const QJsonObject root = JsonTablesObject({ReportTable{QStringLiteral("t"), QStringLiteral("T"), &table}});
        const QJsonObject object = root.value(QStringLiteral("t")).toObject();
        QCOMPARE(object.value(QStringLiteral("rows")).toArray().at(0).toArray().at(0).toString(), cell);
        const QJsonArray records = object.value(QStringLiteral("records")).toArray();
        QFETCH(QJsonObject, record);
        // An empty row has no record; the rows after it keep theirs.
        QCOMPARE(records.size(), record.isEmpty() ? 1 : 2);
        if (!record.isEmpty())
            QCOMPARE(records.at(0).toObject(), record);
        QCOMPARE(records.last().toObject(), (QJsonObject{{QStringLiteral("V"), 7}}));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
