// The three exports of a table, each read back into cells by a reader of its
// own format written here, and what a failed write leaves behind.

#include "common/errors.h"
#include "common/texttable.h"
#include "reports/export.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace ludra;
using Rows = QList<QStringList>;

namespace {

// RFC 4180 records from UTF-8 bytes, handed on one at a time.
void ReadCsv(const QByteArray &bytes, const std::function<void(const QStringList &)> &record)
{
    QStringList fields;
    QByteArray field;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == '"') {
            for (++i; i < bytes.size(); ++i) {
                if (bytes[i] == '"' && (i + 1 >= bytes.size() || bytes[i + 1] != '"'))
                    break;
                if (bytes[i] == '"')
                    ++i;
                field += bytes[i];
            }
            ++i;
        }
        for (; i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r'; ++i)
            field += bytes[i];
        fields.append(QString::fromUtf8(field));
        field.clear();
        if (i < bytes.size() && bytes[i] == '\r') {
            QVERIFY2(bytes.mid(i, 2) == "\r\n", "a record ends without CR LF");
            record(fields);
            fields.clear();
            ++i;
        }
        ++i;
    }
    QVERIFY2(fields.isEmpty(), "the last record has no CR LF");
}

// The rows of an HTML table; th marks whether each row's cells were <th>.
Rows ReadHtmlTable(const QString &html, QList<bool> *th)
{
    static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellPattern(QStringLiteral("<(t[hd])>(.*?)</\\1>"));
    Rows rows;
    for (const auto &row : rowPattern.globalMatch(html)) {
        QStringList cells;
        for (const auto &cell : cellPattern.globalMatch(row.captured(1))) {
            th->append(cell.captured(1) == u"th");
            QString text = cell.captured(2);
            text.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells.append(text);
        }
        rows.append(cells);
    }
    return rows;
}

// The paragraphs outside tables and the rows of an RTF document; bold marks
// whether each cell's text started in bold. Skips the font table and every
// {\* ...} group.
struct RtfDocument { QStringList paragraphs; Rows rows; QList<bool> bold; };
RtfDocument ReadRtf(const QByteArray &rtf)
{
    RtfDocument doc;
    QList<bool> boldStack{false}, skipStack{false};
    QString text;
    QStringList cells;
    bool cellBold = false;
    auto append = [&](QChar c) {
        if (skipStack.last())
            return;
        if (text.isEmpty())
            cellBold = boldStack.last();
        text += c;
    };
    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf[i++];
        if (c == '{') {
            boldStack.append(boldStack.last());
            skipStack.append(skipStack.last() || rtf.mid(i, 2) == "\\*"
                             || rtf.mid(i, 8) == "\\fonttbl");
        } else if (c == '}') {
            boldStack.removeLast();
            skipStack.removeLast();
        } else if (c == '\r' || c == '\n') {
        } else if (c != '\\') {
            append(QChar::fromLatin1(c));
        } else if (!QChar::isLetter(uchar(rtf[i]))) {
            if (rtf[i] == '\'') {
                append(QChar(rtf.mid(i + 1, 2).toInt(nullptr, 16)));
                i += 3;
            } else {
                append(QChar::fromLatin1(rtf[i++]));
            }
        } else {
            const qsizetype start = i;
            while (QChar::isLetter(uchar(rtf[i])))
                ++i;
            const QByteArray word = rtf.mid(start, i - start);
            const qsizetype numberStart = i;
            while (rtf[i] == '-' || QChar::isDigit(uchar(rtf[i])))
                ++i;
            const QByteArray number = rtf.mid(numberStart, i - numberStart);
            if (rtf[i] == ' ')
                ++i;
            if (word == "u") {
                append(QChar(char16_t(number.toInt())));
                ++i; // the one fallback character (\uc1)
            } else if (word == "b") {
                boldStack.last() = number != "0";
            } else if (word == "plain") {
                boldStack.last() = false;
            } else if (word == "line") {
                append(u'\n');
            } else if (word == "tab") {
                append(u'\t');
            } else if (word == "cell") {
                cells.append(text);
                doc.bold.append(cellBold);
                text.clear();
            } else if (word == "row") {
                doc.rows.append(cells);
                cells.clear();
            } else if (word == "par" && !skipStack.last()) {
                doc.paragraphs.append(text);
                text.clear();
            }
        }
    }
    return doc;
}

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

    void rtfInWordProcessor()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: the RTF file is not opened in a word processor");
        const Rows rows{{"Cluster", "Cost €"}, {"Pistol {1}", "日本 a\\b"}, {"x,y", "1200"}};
        TextTable table;
        FillTable(table, rows);
        QTemporaryDir dir;
        ExportRtf(table, QStringLiteral("Requirements"), dir.filePath("t.rtf"));
        QProcess office;
        office.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                               "--convert-to", "txt:Text", "--outdir", dir.path(), dir.filePath("t.rtf")});
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
        QVERIFY2(message.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "),
                 qPrintable(message));
        QVERIFY(message.size() > path.size() + 23);
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
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
