#include "common/errors.h"
#include "common/numbers.h"
#include "common/similarnames.h"
#include "common/text.h"
#include "common/texttable.h"
#include "data/skillreq.h"
#include "layout/celltable.h"
#include "layout/marker.h"
#include "support/testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace ludra;

class TstText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void readLinesMissingFile();
    void writeLinesEndsEveryLineWithCrLf();
    void writeLinesKeepsOldFileWhenItCannotWrite();
    void latin1RoundTrip();
    void writeLinesRefusesWhatLatin1CannotHold();
    void pathsSurviveAsFileSystemBytes_data();
    void pathsSurviveAsFileSystemBytes();
    void fieldReader_data();
    void fieldReader();
    void trimCtl_data();
    void trimCtl();
    void upperAscii_data();
    void upperAscii();
    void strictInteger_data();
    void strictInteger();
    void similarNames_data();
    void similarNames();
    void strictIntegerMessage();
    void enteredNumber_data();
    void enteredNumber();
    void safeStrToInt_data();
    void safeStrToInt();
    void cellTableBounds();
    void textTableOutsideReadsEmpty();
    void writesOutsideAFixedTableThrow_data();
    void writesOutsideAFixedTableThrow();
    void textTableSignalsOnlyRealChanges();
};

void TstText::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one line without end") << QByteArray("abc") << QStringList{"abc"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"};
    QTest::newRow("a lone end is one empty line") << QByteArray("\n") << QStringList{""};
    QTest::newRow("NUL bytes stay") << QByteArray("a\0b\nc", 5) << QStringList{QString::fromLatin1("a\0b", 3), "c"};
}

void TstText::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(bytes), lines);
}

void TstText::readLinesMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(!ReadLines(dir.filePath("absent.csv")).has_value());
    writeFile(dir.filePath("empty.csv"), QByteArray());
    const auto lines = ReadLines(dir.filePath("empty.csv"));
    QVERIFY(lines.has_value());
    QVERIFY(lines->isEmpty());
}

void TstText::writeLinesEndsEveryLineWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    QString error;
    QVERIFY(WriteLines(path, {"one", "", "three"}, &error));
    QCOMPARE(readFile(path), QByteArray("one\r\n\r\nthree\r\n"));
    QVERIFY(WriteLines(path, {}, &error));
    QCOMPARE(readFile(path), QByteArray());
}

void TstText::writeLinesKeepsOldFileWhenItCannotWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    writeFile(path, "old content\r\n");
    if (!makeUnwritable(dir.path()))
        QSKIP("this file system cannot refuse writes to a folder");
    QString error;
    const bool written = WriteLines(path, {"new"}, &error);
    makeWritable(dir.path());
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(path), QByteArray("old content\r\n"));

    // A folder that does not exist fails the same way.
    QVERIFY(!WriteLines(dir.filePath("absent/file.txt"), {"x"}, &error));
}

void TstText::latin1RoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bytes.txt");
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    writeFile(path, all);
    const auto lines = ReadLines(path);
    QVERIFY(lines.has_value());
    QCOMPARE(lines->size(), 1);
    QVERIFY(WriteLines(path, *lines));
    QCOMPARE(readFile(path), all + "\r\n");
}

void TstText::writeLinesRefusesWhatLatin1CannotHold()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("options.txt");
    writeFile(path, "old\r\n");
    QString error;
    QVERIFY(!WriteLines(path, {QStringLiteral("plain"), QStringLiteral("C:/Pl\u00e4ne/\u20ac.lud")}, &error));
    QVERIFY2(error.contains(QStringLiteral("Line 2")) && error.contains(QStringLiteral("U+20ac")), qPrintable(error));
    // Nothing was written: the old file stands.
    QCOMPARE(readFile(path), QByteArray("old\r\n"));
    // Latin-1 itself is written byte for byte.
    QVERIFY(WriteLines(path, {QStringLiteral("Pl\u00e4ne \u00ff")}, &error));
    QCOMPARE(readFile(path), QByteArray("Pl\xe4ne \xff\r\n"));
}

void TstText::pathsSurviveAsFileSystemBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("plan.lud");
    QTest::newRow("Latin-1 letters") << QStringLiteral("Pl\u00e4ne.lud");
    QTest::newRow("beyond Latin-1") << QStringLiteral("\u20ac \u65e5\u672c \u0416.lud");
    QTest::newRow("emoji") << QStringLiteral("\U0001F600.lud");
}

void TstText::pathsSurviveAsFileSystemBytes()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString project = dir.filePath(name);
    writeFile(project, "x");
    // A path written into an 8-bit file and read back names the same file.
    const QString options = dir.filePath("options.txt");
    QVERIFY(WriteLines(options, {PathToText(project)}));
    const auto lines = ReadLines(options);
    QVERIFY(lines && lines->size() == 1);
    const QString back = PathFromText(lines->at(0));
    QCOMPARE(back, project);
    QCOMPARE(readFile(back), QByteArray("x"));
}

void TstText::fieldReader_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("rest");
    QTest::newRow("plain") << "a,b,c" << "a" << "b,c";
    QTest::newRow("empty field") << ",b" << "" << "b";
    QTest::newRow("no comma leaves the rest") << "abc" << "" << "abc";
    QTest::newRow("trailing comma") << "a," << "a" << "";
    QTest::newRow("spaces kept") << " a , b" << " a " << " b";
}

void TstText::fieldReader()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, rest);
    FieldReader reader(line);
    QCOMPARE(reader.next(), field);
    QCOMPARE(reader.rest(), rest);
}

void TstText::trimCtl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("spaces") << "  a b  " << "a b";
    QTest::newRow("tabs and control codes") << QString::fromLatin1("\x01\t\x1f" "x\x00\x20", 6) << "x";
    QTest::newRow("only blanks") << QString::fromLatin1(" \t\r\n") << "";
    QTest::newRow("code 33 and above stay") << QString::fromLatin1("!x\xa0") << QString::fromLatin1("!x\xa0");
}

void TstText::trimCtl()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimCtl(text), trimmed);
}

void TstText::upperAscii_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::newRow("letters") << "left arm" << "LEFT ARM";
    QTest::newRow("digits and signs") << "a1-b_z" << "A1-B_Z";
    QTest::newRow("accented letters stay") << QString::fromLatin1("\xe9t\xe9") << QString::fromLatin1("\xe9T\xe9");
}

void TstText::upperAscii()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QCOMPARE(UpperAscii(text), upper);
}

void TstText::strictInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "123" << true << 123;
    QTest::newRow("negative") << "-45" << true << -45;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("far too large") << "99999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("space") << " 5" << false << 0;
    QTest::newRow("trailing space") << "5 " << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("letters") << "12a" << false << 0;
}

void TstText::strictInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int parsed = -999;
    QCOMPARE(TryStrToInt(text, parsed), valid);
    if (valid) {
        QCOMPARE(parsed, value);
        QCOMPARE(StrToInt(text), value);
    } else {
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(text));
    }
}

void TstText::strictIntegerMessage()
{
    try {
        StrToInt(QStringLiteral("0abc"));
        QFAIL("no error for a text that is not a number");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'0abc' is not a valid integer value"));
    }
}

void TstText::enteredNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "35" << true << 35;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("emptied box") << "" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("overflow") << "99999999999" << false << 0;
}

// An entered number keeps its text whatever it is; only asking for the value
// of a text that is no number ends the command, with StrToInt's message.
void TstText::enteredNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const EnteredNumber entered(text);
    QCOMPARE(entered.text(), text);
    QCOMPARE(entered.number(), valid ? std::optional<int>(value) : std::nullopt);
    if (valid) {
        QCOMPARE(entered.value(), value);
        return;
    }
    try {
        entered.value();
        QFAIL("no error for a text that is not a number");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TstText::safeStrToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("number") << "63" << 63;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("leading space") << " 63" << 0;
    QTest::newRow("trailing space") << "63 " << 0;
    QTest::newRow("plus sign") << "+5" << 0;
    QTest::newRow("decimal point") << "6.3" << 0;
    QTest::newRow("minus then space") << "- 5" << 0;
    QTest::newRow("overflow") << "99999999999" << 0;
    QTest::newRow("garbage") << "abc" << 0;
}

void TstText::safeStrToInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(SafeStrToInt(text), value);
}

void TstText::cellTableBounds()
{
    TCellTable<Marker> icons(0, 3, 0, LayoutMaxRows, Marker::None);
    QCOMPARE(icons.value(0, 0), Marker::None);
    icons.set(3, 400, Marker::Conflict);
    QCOMPARE(icons.value(3, 400), Marker::Conflict);
    // Reads outside give the initial value.
    QCOMPARE(icons.value(0, 401), Marker::None);
    QCOMPARE(icons.value(-1, -1), Marker::None);
    icons.reset();
    QCOMPARE(icons.value(3, 400), Marker::None);
}

void TstText::textTableOutsideReadsEmpty()
{
    TextTable table(4, 3);
    table.setCell(3, 2, "x");
    QCOMPARE(table.cell(3, 2), QStringLiteral("x"));
    QCOMPARE(table.cell(4, 0), QString());
    QCOMPARE(table.cell(0, -1), QString());
    table.setRowCount(2);
    QCOMPARE(table.cell(3, 2), QString());
    table.setRowCount(3);
    QCOMPARE(table.cell(3, 2), QString()); // rows that come back are empty
    table.setRow(1, {"a", "b"});
    QCOMPARE(table.row(1), (QStringList{"a", "b", "", ""}));
}

void TstText::writesOutsideAFixedTableThrow_data()
{
    // Each write goes one step past an edge of its table; the table must be
    // left as it was.
    QTest::addColumn<std::function<void()>>("write");
    QTest::addColumn<std::function<bool()>>("unchanged");
    auto text = std::make_shared<TextTable>(4, 3);
    auto textUnchanged = [text] {
        for (int r = 0; r < 3; ++r)
            if (text->row(r) != QStringList(4, QString()))
                return false;
        return true;
    };
    QTest::newRow("cell past the last column") << std::function<void()>([text] { text->setCell(4, 0, "x"); })
                                               << std::function<bool()>(textUnchanged);
    QTest::newRow("cell past the last row") << std::function<void()>([text] { text->setCell(0, 3, "x"); })
                                            << std::function<bool()>(textUnchanged);
    QTest::newRow("cell before the first column") << std::function<void()>([text] { text->setCell(-1, 1, "x"); })
                                                  << std::function<bool()>(textUnchanged);
    QTest::newRow("row past the end") << std::function<void()>([text] { text->setRow(3, {"x"}); })
                                      << std::function<bool()>(textUnchanged);

    auto markers = std::make_shared<TCellTable<Marker>>(0, 3, 0, LayoutMaxRows, Marker::None);
    auto markersUnchanged = [markers] { return markers->value(3, 400) == Marker::None; };
    QTest::newRow("marker past the last row")
        << std::function<void()>([markers] { markers->set(3, 401, Marker::Note); })
        << std::function<bool()>(markersUnchanged);
    QTest::newRow("marker past the last column")
        << std::function<void()>([markers] { markers->set(4, 400, Marker::Note); })
        << std::function<bool()>(markersUnchanged);
    auto marks = std::make_shared<TCellTable<bool>>(1, 3, 1, LayoutMaxRows, false);
    QTest::newRow("duplicate mark in the header column")
        << std::function<void()>([marks] { marks->set(0, 1, true); })
        << std::function<bool()>([marks] { return !marks->value(0, 1) && !marks->value(1, 1); });

    auto increases = std::make_shared<TSkillReq>();
    QTest::newRow("skill increase past entry 71") << std::function<void()>([increases] { increases->set(72, 5); })
                                                  << std::function<bool()>([increases] { return *increases == TSkillReq(); });
    QTest::newRow("skill increase before entry 0") << std::function<void()>([increases] { increases->set(-1, 5); })
                                                   << std::function<bool()>([increases] { return *increases == TSkillReq(); });
}

void TstText::writesOutsideAFixedTableThrow()
{
    QFETCH(std::function<void()>, write);
    QFETCH(std::function<bool()>, unchanged);
    QVERIFY_THROWS_EXCEPTION(ERangeError, write());
    QVERIFY(unchanged());
}

void TstText::textTableSignalsOnlyRealChanges()
{
    TextTable table(2, 2);
    QSignalSpy cells(&table, &TextTable::cellsChanged);
    QSignalSpy shape(&table, &TextTable::shapeChanged);
    table.setCell(1, 1, "a");
    table.setCell(1, 1, "a");
    table.setRowCount(2);
    QCOMPARE(cells.count(), 1);
    QCOMPARE(shape.count(), 0);
    table.setRowCount(5);
    QCOMPARE(shape.count(), 1);
}

// "Did you mean": names starting with the unknown one, holding it, sharing
// its first word, then a few typing mistakes away (two, or a quarter of its
// length), letter case aside, five at most.
void TstText::similarNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("like");
    QTest::newRow("start") << "Str" << QStringList{"Strength"};
    QTest::newRow("letters swapped") << "Strenght" << QStringList{"Strength"};
    QTest::newRow("any case") << "pSYCHCI" << QStringList{"Psychic"};
    QTest::newRow("two letters more") << "Psychicxy" << QStringList{"Psychic"};
    QTest::newRow("three letters more") << "Psychicxyz" << QStringList();
    QTest::newRow("a quarter of a long name") << "Nanx Pool Boxs" << QStringList{"Nano Pool Boost"};
    QTest::newRow("over a quarter") << "Nanx Pool Bxxs" << QStringList();
    QTest::newRow("first word") << "Nano Resist" << QStringList{"Nano Pool Boost", "Nano Progr."};
    QTest::newRow("three letters changed") << "Sxxxngth" << QStringList();
    QTest::newRow("a paragraph") << QString(2000, u'x') << QStringList();
    QTest::newRow("empty") << "" << QStringList{"Strength", "Psychic", "Nano Pool Boost", "Nano Progr.", "Sense"};
}

void TstText::similarNames()
{
    QFETCH(QString, name);
    const QStringList known{"Strength", "Psychic", "Nano Pool Boost", "Nano Progr.", "Sense", "Stamina"};
    QTEST(SimilarNames(name, known), "like");
    // One matcher asked after a longer and a shorter name answers the same:
    // nothing of an earlier question stays in the rows it keeps.
    const NameMatcher matcher(known);
    matcher.similar(QString(40, u'q'));
    matcher.similar(QStringLiteral("Sx"));
    QTEST(matcher.similar(name), "like");
}

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
