// The print settings file: every setting written and read back, each grid
// in its own section, the report's own title left out, and a damaged file
// giving the defaults of what it cannot say.

#include "reports/printsettingsfile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ludra;

namespace {

const QStringList Grids{"grdReport", "grdReqs"};

// Settings that differ from the defaults in every field.
PrintSettings unusual()
{
    PrintSettings s;
    s.titleLines = QStringList{QStringLiteral("Plan für Dienstag = Wochenende"), QString(), "; not a comment"};
    s.ownTitle = true;
    s.chosen = true;
    s.showDate = true;
    s.dateFormat = "yyyy-MM-dd";
    s.showPageNumbers = true;
    s.pagePrefix = "Seite";
    s.borders = true;
    s.headerBold = true;
    s.headerPointSize = 14;
    s.fontFamily = "DejaVu Serif";
    s.fontPointSize = 9;
    s.cellGraphics = true;
    s.centred = true;
    s.landscape = true;
    s.marginsMm = QMarginsF(20.5, 10.0, 0.0, 100.0);
    s.rowSpacingMm = 2.5;
    return s;
}

} // namespace

class TstPrintSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySettingReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PrintSettingsFileName);
        PrintSettings reqs;
        reqs.chosen = true;
        reqs.borders = true;
        WritePrintSettingsFile(path, {{"grdReport", unusual()}, {"grdReqs", reqs}});
        const QHash<QString, PrintSettings> read = ReadPrintSettingsFile(path, Grids);
        QCOMPARE(read.size(), 2);
        QVERIFY(read.value("grdReport") == unusual());
        QVERIFY(read.value("grdReqs") == reqs);
    }

    void reportTitleNotKept()
    {
        // The report's own title follows the project: it is not written,
        // and reads back as no title of the user's.
        PrintSettings s = unusual();
        s.ownTitle = false;
        const QByteArray text = PrintSettingsText({{"grdReqs", s}});
        QVERIFY(!text.contains("Dienstag"));
        const PrintSettings read = PrintSettingsFromText(text, Grids).value("grdReqs");
        QVERIFY(!read.ownTitle);
        QVERIFY(read.titleLines.isEmpty());
        QVERIFY(read.chosen);
    }

    void damagedValuesTakeTheirDefaults_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("sections");
        QTest::newRow("no file") << QByteArray() << 0;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\x02=\x03", 9) << 0;
        QTest::newRow("values out of range")
            << QByteArray("[grdReqs]\r\nFontSize=999\r\nHeaderSize=-3\r\nMarginLeft=-5\r\nMarginTop=1e9\r\n"
                          "RowSpacing=nan\r\n")
            << 1;
        QTest::newRow("values unreadable")
            << QByteArray("[grdReqs]\nBorders=yes\nLandscape=\nFontSize=ten\nMarginRight=1,5\n") << 1;
        QTest::newRow("title lines missing") << QByteArray("[grdReqs]\nTitleLines=3\nTitle1=one\nTitle3=three\n") << 1;
        QTest::newRow("title count out of range") << QByteArray("[grdReqs]\nTitleLines=5000\nTitle1=one\n") << 1;
        QTest::newRow("unknown grid") << QByteArray("[grdElsewhere]\nBorders=1\n") << 0;
    }

    void damagedValuesTakeTheirDefaults()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, sections);
        const QHash<QString, PrintSettings> read = PrintSettingsFromText(text, Grids);
        QCOMPARE(int(read.size()), sections);
        if (sections == 0)
            return;
        PrintSettings defaults;
        defaults.chosen = true;
        QVERIFY(read.value("grdReqs") == defaults);
    }

    void goodValuesBesideDamagedOnes()
    {
        const PrintSettings read =
            PrintSettingsFromText("[GRDREQS]\nBorders=1\nFontSize=999\n  MarginLeft = 12.5  \nTitleLines=1\nTitle1=x\n",
                                  Grids)
                .value("grdReqs");
        QVERIFY(read.borders);
        QCOMPARE(read.fontPointSize, PrintSettings().fontPointSize);
        QCOMPARE(read.marginsMm.left(), 12.5);
        QCOMPARE(read.titleLines, QStringList{"x"});
        QVERIFY(read.ownTitle);
    }
};

QTEST_GUILESS_MAIN(TstPrintSettingsFile)
#include "tst_printsettingsfile.moc"
