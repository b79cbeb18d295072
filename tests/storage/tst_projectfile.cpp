// The project file: the text form of its grids, its twelve streams in the
// container, and what a damaged file does when read.

#include "lzharchive.h"

#include "common/text.h"
#include "common/texttable.h"
#include "storage/projectfile.h"
#include "storage/vellstreams.h"
#include "support/memorycap.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

// A grid's lines as a stream holds them and as they are read back from it.
QStringList throughStream(const QStringList &lines)
{
    return SplitLines(EncodeLines(lines).value());
}

QStringList numbered(const QString &stem, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(stem + QString::number(i));
    return lines;
}

GridImage sampleGrid(int columns, int rows, const QString &stem)
{
    TextTable table(columns, rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if ((row + column) % 3 != 1)
                table.setCell(column, row, QStringLiteral("%1 %2,%3").arg(stem).arg(column).arg(row));
    QList<int> widths;
    for (int column = 0; column < columns; ++column)
        widths.append(20 + 7 * column);
    return GridImage::fromTable(table, widths);
}

// Every field holds something, and no two fields the same.
ProjectImage sampleProject()
{
    ProjectImage p;
    p.config = {"1", "0", "false", "1", "0", "1", "0", "1", "0", "1", "0", "150", "200",
                "<no implants selected>", "1", "", "1", "0", "1", "0", "1", "0"};
    p.colorGrid = numbered("mark ", 1200);
    p.selected = {"Nano Programming", "Computer Literacy"};
    p.available = {"Agility", "Strength", QString::fromLatin1("\xc4rger")};
    p.grid = sampleGrid(4, 40, "layout");
    p.icons = numbered("", 1604);
    p.secondIcons = numbered("-", 1604);
    p.selImpBool = {"1", "0", "1"};
    p.selImpQL = {"200", "175"};
    p.resultSkill = sampleGrid(7, 39, "skill");
    p.resultReq = sampleGrid(6, 23, "req");
    p.resultSuggest = sampleGrid(5, 12, "suggest");
    p.character = {"Treatment=700", "Strength=250", "MaxQL=280", "HighestICanWear=1"};
    p.resultLadder = sampleGrid(8, 9, "ladder");
    return p;
}

} // namespace

class TstProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void gridTextForm();
    void cellTexts_data();
    void cellTexts();
    void damagedGridText_data();
    void damagedGridText();
    void projectRoundTrip();
    void missingStreamsReadEmpty();
    void unreadableFiles_data();
    void unreadableFiles();
    void lhasaExtractsTheProjectFile();
};

void TstProjectFile::gridTextForm()
{
    TextTable table(2, 3);
    table.setCell(0, 0, "Skill");
    table.setCell(0, 1, "x,y");
    table.setCell(1, 1, "a\r\nb");
    const GridImage grid = GridImage::fromTable(table, {64});
    const QStringList lines{"2,3", "cw 0,64", "cw 1,0", "0,0,Skill", "0,1,x,y", "1,1,a\t\bb"};
    QCOMPARE(WriteGridText(grid), lines);

    // Empty lines are skipped, and a cell not listed is empty.
    const QStringList withGaps{"", "2,3", "cw 1,0", "", "cw 0,64", "1,1,a\t\bb", "0,0,Skill", "0,1,x,y", ""};
    QCOMPARE(ReadGridText(withGaps), grid);
    QCOMPARE(ReadGridText({}), GridImage());

    // A table takes the image's shape and every cell, the empty ones too.
    TextTable other(5, 9);
    other.setCell(1, 2, "old");
    grid.toTable(other);
    QCOMPARE(other.columnCount(), 2);
    QCOMPARE(other.rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(other.row(row), table.row(row));
}

void TstProjectFile::cellTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("commas") << "a,b,,c," << "a,b,,c,";
    QTest::newRow("CR LF") << "line 1\r\nline 2" << "line 1\r\nline 2";
    QTest::newRow("CR") << "a\rb\r" << "a\rb\r";
    QTest::newRow("LF beside a CR") << "a\rb\nc" << "a\rb\nc";
    QTest::newRow("Latin-1") << QString::fromLatin1("\xc4rger \xb5\xff") << QString::fromLatin1("\xc4rger \xb5\xff");
    // Without a CR the text is written as it is: its LF ends the line, and
    // the rest, which is no cell line, is left out.
    QTest::newRow("LF without CR") << "first\nsecond" << "first";
    // ... and a character 9 or 8 in it reads back as CR or LF.
    QTest::newRow("tab without CR") << "a\tb" << "a\rb";
}

void TstProjectFile::cellTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);

    GridImage grid = sampleGrid(3, 4, "cell");
    grid.cells[2][1] = text;
    GridImage expected = grid;
    expected.cells[2][1] = readBack;
    QCOMPARE(ReadGridText(throughStream(WriteGridText(grid))), expected);
}

void TstProjectFile::damagedGridText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("reason");
    QTest::newRow("columns beyond") << QStringList{"1001,1"} << "1001 columns and 1 rows is more";
    QTest::newRow("rows beyond") << QStringList{"1,1000001"} << "1 columns and 1000001 rows is more";
    QTest::newRow("cells beyond") << QStringList{"1000,1001"} << "1000 columns and 1001 rows is more";
    QTest::newRow("largest numbers") << QStringList{"2147483647,2147483647"} << "is more than a grid may have";
    QTest::newRow("negative columns") << QStringList{"-1,5"} << "cannot have -1 columns and 5 rows";
    QTest::newRow("negative rows") << QStringList{"5,-2000000"} << "cannot have 5 columns and -2000000 rows";
    QTest::newRow("a word") << QStringList{"three,2"} << "size \"three,2\" is not two whole numbers";
    QTest::newRow("one count") << QStringList{"3"} << "size \"3\" is not";
    QTest::newRow("beyond 32 bits") << QStringList{"99999999999,1"} << "is not two whole numbers";
    QTest::newRow("column outside") << QStringList{"2,2", "0,0,a", "2,0,x"} << "column 2, row 0 lies outside";
    QTest::newRow("row outside") << QStringList{"2,2", "1,2,x"} << "column 1, row 2 lies outside";
    QTest::newRow("negative cell") << QStringList{"2,2", "0,-1,x"} << "column 0, row -1 lies outside";
    QTest::newRow("width outside") << QStringList{"2,2", "cw 2,10"} << "Column 2 is given a width";
    QTest::newRow("width no number") << QStringList{"2,2", "cw 0,wide"} << "\"cw 0,wide\" does not hold";
}

void TstProjectFile::damagedGridText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, reason);

    QString message;
    {
        // Far less than a grid of the refused counts would take.
        MemoryCap cap(16);
        QVERIFY(cap.active());
        try {
            ReadGridText(lines);
        } catch (const ECorruptFile &e) {
            message = e.message();
        }
    }
    QVERIFY2(message.startsWith("File is corrupt. "), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
}

void TstProjectFile::projectRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("project.lud");
    const ProjectImage project = sampleProject();
    WriteProjectFile(path, project);
    QCOMPARE(ReadProjectFile(path), project);

    // The streams as stored: compressed, under their names, lines ending in CR LF.
    QCOMPARE(readFile(path).left(2), QByteArray("& "));
    TVellStreams streams;
    streams.LoadFromFile(path);
    QCOMPARE(streams.StreamNames(),
             QStringList({"Avaliable", "Character", "ColorGrid", "Config", "Grid", "GridResultLadder", "GridResultReq",
                          "GridResultSkill", "GridResultSuggest", "Icons", "SecondIcons", "Selected", "SelImp-Bool",
                          "SelImp-QL"}));
    QCOMPARE(streams.ReadStream("Avaliable"), QByteArray("Agility\r\nStrength\r\n\xc4rger\r\n"));
    QCOMPARE(streams.ReadStream("SelImp-QL"), QByteArray("200\r\n175\r\n"));
    QCOMPARE(SplitLines(streams.ReadStream("GridResultReq")), WriteGridText(project.resultReq));

    // A text an 8-bit stream cannot hold refuses the save, and the file stays.
    ProjectImage unsaveable = project;
    unsaveable.resultSuggest.cells[3][2] = QString::fromUtf8("100 \u20ac");
    const QByteArray before = readFile(path);
    QVERIFY_THROWS_EXCEPTION(EStreamError, WriteProjectFile(path, unsaveable));
    QCOMPARE(readFile(path), before);
}

void TstProjectFile::missingStreamsReadEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sparse.lud");
    TVellStreams streams;
    streams.StoreStream("Selected", QByteArray("Agility\r\n"));
    streams.StoreStream("GridResultReq", QByteArray("1,1\r\ncw 0,5\r\n0,0,Req\r\n"));
    streams.SaveToFile(path);

    ProjectImage expected;
    expected.selected = {"Agility"};
    expected.resultReq = ReadGridText({"1,1", "cw 0,5", "0,0,Req"});
    QCOMPARE(ReadProjectFile(path), expected);
}

void TstProjectFile::unreadableFiles_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("message");

    QTemporaryDir dir;
    WriteProjectFile(dir.filePath("whole.lud"), sampleProject());
    const QByteArray whole = readFile(dir.filePath("whole.lud"));
    TVellStreams badGrid;
    badGrid.StoreStream("GridResultSkill", QByteArray("2,2\r\n0,5,x\r\n"));

    // Damage is ECorruptFile ("... corrupt"), a file that cannot be read or
    // ends before its flags EStreamError.
    QTest::newRow("cut short") << true << whole.left(whole.size() / 2) << "ECorruptFile: Compressed file is corrupt";
    QTest::newRow("not a container") << true << QByteArray("Config\r\n1\r\n") << "ECorruptFile: File is corrupt.";
    QTest::newRow("damaged grid") << true << badGrid.SaveToByteArray()
                                  << "ECorruptFile: File is corrupt. In \"GridResultSkill\", the cell in column 0, row 5";
    QTest::newRow("empty") << true << QByteArray() << "EStreamError: Stream read error";
    QTest::newRow("absent") << false << QByteArray() << "EStreamError: Cannot open file";
}

void TstProjectFile::unreadableFiles()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, image);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString path = dir.filePath("bad.lud");
    if (exists)
        writeFile(path, image);
    QString caught;
    try {
        ReadProjectFile(path);
    } catch (const ECorruptFile &e) {
        caught = "ECorruptFile: " + e.message();
    } catch (const EStreamError &e) {
        caught = "EStreamError: " + e.message();
    }
    QVERIFY2(caught.startsWith(message), qPrintable(caught));
}

void TstProjectFile::lhasaExtractsTheProjectFile()
{
    // Another LHA implementation decodes the compressed body of a project
    // file to the container's payload, and that payload reads as the project.
    const QString lhasa = QStandardPaths::findExecutable("lhasa");
    if (lhasa.isEmpty())
        QSKIP("lhasa not found (Debian package lhasa; scripts/deps.sh test)");

    QTemporaryDir dir;
    const ProjectImage project = sampleProject();
    WriteProjectFile(dir.filePath("project.lud"), project);
    const QByteArray file = readFile(dir.filePath("project.lud"));
    TVellStreams streams;
    streams.LoadFromFile(dir.filePath("project.lud"));
    streams.Compressed = false;
    const QByteArray payload = streams.SaveToByteArray().mid(2);
    const QByteArray size = file.mid(2, 4);
    QCOMPARE(quint32(uchar(size[0]) | uchar(size[1]) << 8 | uchar(size[2]) << 16 | uchar(size[3]) << 24),
             quint32(payload.size()));

    writeFile(dir.filePath("project.lzh"), test::MakeLzhArchive("payload.bin", payload, file.mid(6)));
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(lhasa, {"-xqfw=out", "project.lzh"});
    QVERIFY(run.waitForFinished(60000));
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, run.readAll().constData());
    const QByteArray extracted = readFile(dir.filePath("out/payload.bin"));
    QVERIFY(extracted == payload);

    writeFile(dir.filePath("stored.lud"), QByteArray("  ") + extracted);
    QCOMPARE(ReadProjectFile(dir.filePath("stored.lud")), project);
}

QTEST_GUILESS_MAIN(TstProjectFile)
#include "tst_projectfile.moc"
