// The options file: what it asks for at start-up, how the options are written
// into it, and that it is read once and written back as it was read.

#include "model/options.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/text.h"
#include "support/testfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

class TstOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rules_data();
    void rules();
    void failedWriteKeepsTheFile();
    void laterSettingsFollowTheTwoLines();
    void writtenBackAsRead_data();
    void writtenBackAsRead();
    void readOnceUntilLoaded();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    // An existing project whose name an 8-bit file could not hold as text.
    QString m_project;
};

void TstOptions::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    SetBaseDir(m_dir->path());
    m_project = m_dir->filePath(QString::fromUtf8("Pr\u00f6ject \u20ac.lud"));
    writeFile(m_project, "project");
    LoadProgramOptions();
}

void TstOptions::cleanup()
{
    SetBaseDir(QString());
    m_dir.reset();
}

void TstOptions::rules_data()
{
    // "P" in a file stands for the project's path as the file holds it.
    QTest::addColumn<QByteArray>("before");  // null: no file
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("after");  // null: no file
    QTest::addColumn<bool>("autoLoad");
    QTest::addColumn<bool>("loadsProject");

    const QByteArray none;
    QTest::newRow("no file") << none << "read" << none << false << false;
    QTest::newRow("no file, on") << none << "on" << QByteArray("1\r\n\r\n") << true << false;
    QTest::newRow("no file, record") << none << "record" << QByteArray("0\r\nP\r\n") << false << false;
    QTest::newRow("exactly 1") << QByteArray("1\r\nP\r\n") << "read" << QByteArray("1\r\nP\r\n") << true << true;
    QTest::newRow("1 and a blank") << QByteArray("1 \r\nP\r\n") << "read" << QByteArray("1 \r\nP\r\n") << false
                                   << false;
    QTest::newRow("blank line 2") << QByteArray("1\r\n \t\r\n") << "read" << QByteArray("1\r\n \t\r\n") << true
                                  << false;
    QTest::newRow("line 2 untrimmed") << QByteArray("1\r\nP \r\n") << "read" << QByteArray("1\r\nP \r\n") << true
                                      << false;
    QTest::newRow("one line 1, record") << QByteArray("1\r\n") << "record" << QByteArray("1\r\nP\r\n") << true << true;
    QTest::newRow("empty file, record") << QByteArray("") << "record" << QByteArray("0\r\nP\r\n") << false << false;
    QTest::newRow("record keeps the rest") << QByteArray("1\r\nold.lud\r\nthird\r\n") << "record"
                                           << QByteArray("1\r\nP\r\nthird\r\n") << true << true;
    QTest::newRow("off keeps the rest") << QByteArray("1\r\nP\r\nthird\r\n\r\nfifth\r\n") << "off"
                                        << QByteArray("0\r\nP\r\nthird\r\n\r\nfifth\r\n") << false << false;
    QTest::newRow("one line, on") << QByteArray("0\r\n") << "on" << QByteArray("1\r\n\r\n") << true << false;
}

void TstOptions::rules()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, action);
    QFETCH(QByteArray, after);
    QFETCH(bool, autoLoad);
    QFETCH(bool, loadsProject);

    const QByteArray pathText = PathToText(m_project).toLatin1();
    if (!before.isNull())
        writeFile(OptionsPath(), before.replace("P", pathText));
    LoadProgramOptions();
    if (action == "on")
        SetAutoLoadOption(true);
    else if (action == "off")
        SetAutoLoadOption(false);
    else if (action == "record")
        RecordLastProject(m_project);

    if (after.isNull()) {
        QVERIFY(!QFileInfo::exists(OptionsPath()));
        QCOMPARE(ReadOptions(), QStringList({"0", ""}));
    } else {
        QCOMPARE(readFile(OptionsPath()), after.replace("P", pathText));
    }
    QCOMPARE(AutoLoadOption(ReadOptions()), autoLoad);
    QCOMPARE(AutoLoadPath(), loadsProject ? m_project : QString());
    // What is held is what the file holds.
    QCOMPARE(ReadOptions(), Options(OptionsPath()).lines());
}

void TstOptions::failedWriteKeepsTheFile()
{
    const QByteArray old("1\r\nold.lud\r\nthird\r\n");
    writeFile(OptionsPath(), old);
    LoadProgramOptions();
    if (!makeUnwritable(m_dir->path()))
        QSKIP("this file system cannot refuse writes to a folder");
    QString recorded;
    QString set;
    try {
        RecordLastProject(m_project);
    } catch (const EStreamError &e) {
        recorded = e.message();
    }
    try {
        SetAutoLoadOption(false);
    } catch (const EStreamError &e) {
        set = e.message();
    }
    makeWritable(m_dir->path());
    QVERIFY2(recorded.startsWith("Cannot create file \"") && recorded.contains(OptionsFileName), qPrintable(recorded));
    QVERIFY2(set.startsWith("Cannot create file \""), qPrintable(set));
    QCOMPARE(readFile(OptionsPath()), old);
    // The options held stay those of the file.
    QCOMPARE(ReadOptions(), SplitLines(old));
    QVERIFY(AutoLoadOption(ReadOptions()));
}

// The recent projects, "Ask to save changes" and the window's place live in
// named lines after the first two, which keep their meaning; a file of an
// older version reads their defaults.
void TstOptions::laterSettingsFollowTheTwoLines()
{
    writeFile(OptionsPath(), "1\r\nold.lud\r\nthird\r\n");
    LoadProgramOptions();
    QVERIFY(AskToSaveOption());
    QVERIFY(RecentProjects().isEmpty());
    QVERIFY(WindowGeometryOption().isEmpty());

    for (int i = 1; i <= 9; ++i)
        AddRecentProject(m_dir->filePath(QStringLiteral("p%1.lud").arg(i)));
    AddRecentProject(m_project);
    AddRecentProject(m_dir->filePath(QStringLiteral("p9.lud")));
    QStringList expected{m_dir->filePath(QStringLiteral("p9.lud")), m_project};
    for (int i = 8; i >= 3; --i)
        expected.append(m_dir->filePath(QStringLiteral("p%1.lud").arg(i)));
    QCOMPARE(RecentProjects(), expected);
    ForgetRecentProject(m_project);
    expected.removeAll(m_project);
    QCOMPARE(RecentProjects(), expected);

    SetAskToSaveOption(false);
    QVERIFY(!AskToSaveOption());
    SetWindowGeometryOption(QByteArray("\x01\x02\xff geometry", 13));
    QCOMPARE(WindowGeometryOption(), QByteArray("\x01\x02\xff geometry", 13));
    SetAutoLoadOption(false);
    RecordLastProject(m_project);
    const QStringList lines = ReadOptions();
    QCOMPARE(lines.mid(0, 3), (QStringList{"0", PathToText(m_project), "third"}));
    QCOMPARE(AutoLoadPath(), QString());
    QCOMPARE(OptionValues(lines, QStringLiteral("AskToSave")), QStringList{"0"});
}

// Every option set to what it reads: a file Ludra wrote comes back byte for
// byte, lines it does not know in their places; other line ends come back as
// CR LF, and an older file gets the lines it lacked. Either way the file then
// reads as before.
void TstOptions::writtenBackAsRead_data()
{
    // "<P>" and "<Q>" stand for two projects' paths as the file holds them,
    // "<G>" for the geometry in base64.
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QByteArray>("after");  // null: as before
    QTest::addColumn<bool>("autoLoad");
    QTest::addColumn<bool>("askToSave");
    QTest::addColumn<int>("recent"); // 0: none, 1: P, 2: P and Q
    QTest::addColumn<bool>("geometry");

    const QByteArray same;
    const QByteArray added("0\r\n\r\nAskToSave=1\r\nWindowGeometry=\r\n");
    QTest::newRow("written by Ludra")
        << QByteArray("1\r\n<P>\r\nRecent=<P>\r\nRecent=<Q>\r\nAskToSave=0\r\nWindowGeometry=<G>\r\n") << same << true
        << false << 2 << true;
    QTest::newRow("unknown lines among them")
        << QByteArray(
               "0\r\n<P>\r\nLater=x\r\nWindowGeometry=<G>\r\n\r\nRecent=<P>\r\nAskToSave=1\r\nzz=\r\nRecent=<Q>\r\n")
        << same << false << true << 2 << true;
    QTest::newRow("LF") << QByteArray("1\n<P>\nAskToSave=0\nLater\nRecent=<P>\nWindowGeometry=<G>\n")
                        << QByteArray("1\r\n<P>\r\nAskToSave=0\r\nLater\r\nRecent=<P>\r\nWindowGeometry=<G>\r\n")
                        << true << false << 1 << true;
    QTest::newRow("lone CR, last line open")
        << QByteArray("0\r<P>\rRecent=<P>\rRecent=<Q>\rAskToSave=1\rWindowGeometry=<G>")
        << QByteArray("0\r\n<P>\r\nRecent=<P>\r\nRecent=<Q>\r\nAskToSave=1\r\nWindowGeometry=<G>\r\n") << false << true
        << 2 << true;
    QTest::newRow("no file") << QByteArray() << added << false << true << 0 << false;
    QTest::newRow("empty file") << QByteArray("") << added << false << true << 0 << false;
    QTest::newRow("line 1 only") << QByteArray("1\r\n") << added << false << true << 0 << false;
}

void TstOptions::writtenBackAsRead()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, autoLoad);
    QFETCH(bool, askToSave);
    QFETCH(int, recent);
    QFETCH(bool, geometry);

    const QString other = m_dir->filePath(QStringLiteral("other.lud"));
    const QByteArray shape("\x01\xd9\xd0\xcb\x00\x03 place", 12);
    const auto stand = [&](QByteArray bytes) {
        return bytes.replace("<P>", PathToText(m_project).toLatin1())
            .replace("<Q>", PathToText(other).toLatin1())
            .replace("<G>", shape.toBase64());
    };
    if (!before.isNull())
        writeFile(OptionsPath(), stand(before));
    LoadProgramOptions();
    const auto check = [&](const Options &options) {
        QCOMPARE(options.autoLoad(), autoLoad);
        QCOMPARE(options.lastProject(), before.contains("<P>") ? m_project : QString());
        QCOMPARE(options.askToSave(), askToSave);
        QCOMPARE(options.recentProjects(), (QStringList{m_project, other}.mid(0, recent)));
        QCOMPARE(options.windowGeometry(), geometry ? shape : QByteArray());
    };
    check(ProgramOptions());
    if (QTest::currentTestFailed())
        return;

    SetAutoLoadOption(AutoLoadOption(ReadOptions()));
    RecordLastProject(ProgramOptions().lastProject());
    SetAskToSaveOption(AskToSaveOption());
    ProgramOptions().setRecentProjects(RecentProjects());
    SetWindowGeometryOption(WindowGeometryOption());
    QCOMPARE(readFile(OptionsPath()), stand(after.isNull() ? before : after));
    check(ProgramOptions());
    if (!QTest::currentTestFailed())
        check(Options(OptionsPath()));
}

// Reads come from what was loaded; a change writes what is held, and only a
// load reads the file again.
void TstOptions::readOnceUntilLoaded()
{
    writeFile(OptionsPath(), "1\r\nold.lud\r\nAskToSave=0\r\n");
    LoadProgramOptions();
    writeFile(OptionsPath(), "0\r\nnew.lud\r\nAskToSave=1\r\nLater=x\r\n");
    QVERIFY(!AskToSaveOption());
    QVERIFY(AutoLoadOption(ReadOptions()));

    RecordLastProject(m_project);
    QCOMPARE(readFile(OptionsPath()), "1\r\n" + PathToText(m_project).toLatin1() + "\r\nAskToSave=0\r\n");
    writeFile(OptionsPath(), "0\r\nnew.lud\r\nAskToSave=1\r\n");
    LoadProgramOptions();
    QVERIFY(AskToSaveOption());
    QCOMPARE(ProgramOptions().lastProject(), QStringLiteral("new.lud"));
}

QTEST_GUILESS_MAIN(TstOptions)
#include "tst_options.moc"
