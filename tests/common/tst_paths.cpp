#include "model/program.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "data/referencefiles.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

// The rule that finds Ludra's files, on folders made for each case.
class TstPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { SetBaseDir(QString()); }
    void layoutFollowsWhereTheProgramLives_data();
    void layoutFollowsWhereTheProgramLives();
    void usersOwnReferenceFileWins();
    void writtenFilesGoToTheUsersFolder();
    void unusableUsersFolderIsToldOnce();
    void unwritablePortableFolderIsToldOnce();

private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x\r\n");
    }
    // A prefix with a bin folder and, when it holds any of shipped, the
    // install's data folder with them.
    static QString makePrefix(const QTemporaryDir &dir, const QStringList &shipped, const QStringList &besideProgram)
    {
        const QDir root(dir.path());
        root.mkpath(QStringLiteral("prefix/bin"));
        for (const QString &name : besideProgram)
            touch(root.filePath(QStringLiteral("prefix/bin/") + name));
        if (!shipped.isEmpty())
            root.mkpath(QStringLiteral("prefix/share/ludra"));
        for (const QString &name : shipped)
            touch(root.filePath(QStringLiteral("prefix/share/ludra/") + name));
        return root.filePath(QStringLiteral("prefix/bin"));
    }
};

void TstPaths::layoutFollowsWhereTheProgramLives_data()
{
    QTest::addColumn<QStringList>("shipped");
    QTest::addColumn<QStringList>("besideProgram");
    QTest::addColumn<bool>("builtForInstallation");
    QTest::addColumn<bool>("portable");
    const QStringList references{"data.csv", "SecSkill.csv", "require.csv"};
    QTest::newRow("a build tree") << QStringList() << references << false << true;
    // A portable folder stays one whichever of its files is gone: its
    // options, stock and language file are still the ones read.
    QTest::newRow("portable without its catalogue")
        << QStringList() << QStringList{"SecSkill.csv", "english.ini", "nnludra.inf", "default.stk"} << false << true;
    QTest::newRow("portable and empty") << QStringList() << QStringList() << false << true;
    QTest::newRow("installed") << InstalledDataFiles() << QStringList() << false << false;
    QTest::newRow("installed without its catalogue") << QStringList{"Ludra.hlp"} << QStringList() << false << false;
    QTest::newRow("installed, a catalogue beside the program")
        << QStringList{"data.csv"} << QStringList{"data.csv"} << false << false;
    QTest::newRow("built for installation") << QStringList() << references << true << false;
}

void TstPaths::layoutFollowsWhereTheProgramLives()
{
    QFETCH(QStringList, shipped);
    QFETCH(QStringList, besideProgram);
    QFETCH(bool, builtForInstallation);
    QFETCH(bool, portable);
    QTemporaryDir dir;
    const QString bin = makePrefix(dir, shipped, besideProgram);
    const QString userDir = dir.filePath(QStringLiteral("home/.local/share/Ludra"));
    const FileLayout layout = ResolveLayout(bin, userDir, builtForInstallation);
    QCOMPARE(layout.portable, portable);
    QCOMPARE(layout.dataDir, portable ? bin : dir.filePath(QStringLiteral("prefix/share/ludra")));
    QCOMPARE(layout.userDir, portable ? bin : userDir);
    QVERIFY2(layout.problem.isEmpty(), qPrintable(layout.problem));
    // Only an installed program makes a folder in the home folder.
    QCOMPARE(QFileInfo(userDir).isDir(), !portable);
}

void TstPaths::usersOwnReferenceFileWins()
{
    QTemporaryDir dir;
    const QString bin = makePrefix(dir, {RefFile::Catalogue, RefFile::SecSkills}, {});
    FileLayout layout = ResolveLayout(bin, dir.filePath(QStringLiteral("user")));
    QVERIFY(!layout.portable);
    SetLayout(layout);
    touch(QDir(layout.userDir).filePath(RefFile::Catalogue));
    QCOMPARE(ReferenceFile(RefFile::Catalogue), QDir(layout.userDir).filePath(RefFile::Catalogue));
    QCOMPARE(ReferenceFile(RefFile::SecSkills), QDir(layout.dataDir).filePath(RefFile::SecSkills));

    // Portable, a file in another folder is never looked at.
    SetBaseDir(layout.dataDir);
    QCOMPARE(ReferenceFile(RefFile::Catalogue), QDir(layout.dataDir).filePath(RefFile::Catalogue));
}

void TstPaths::writtenFilesGoToTheUsersFolder()
{
    QTemporaryDir dir;
    const FileLayout layout =
        ResolveLayout(makePrefix(dir, {QStringLiteral("Ludra.hlp")}, {}), dir.filePath(QStringLiteral("user")));
    QVERIFY(!layout.portable);
    SetLayout(layout);
    QCOMPARE(UserFile(QStringLiteral("default.stk")), QDir(layout.userDir).filePath(QStringLiteral("default.stk")));

    ReferenceData reference;
    QString reason;
    QVERIFY2(reference.loadSkillReq(&reason), qPrintable(reason));
    QVERIFY(QFileInfo::exists(QDir(layout.userDir).filePath(RefFile::SkillIncrease)));
    QCOMPARE(QDir(layout.dataDir).entryList(QDir::Files), QStringList{"Ludra.hlp"});
}

void TstPaths::unusableUsersFolderIsToldOnce()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("blocker")));
    const FileLayout layout = ResolveLayout(makePrefix(dir, {QStringLiteral("Ludra.hlp")}, {}),
                                            dir.filePath(QStringLiteral("blocker/Ludra")));
    QVERIFY(!layout.portable);
    QVERIFY(layout.problem.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("blocker/Ludra")))));

    // Start-up tells it first, in one message, and writes nothing anywhere
    // else; the reference files this folder lacks are told after it.
    SetLayout(layout);
    LudraProgram model;
    ScriptedPrompter prompter;
    const StartReport started = model.start(prompter);
    QCOMPARE(prompter.asked.constFirst().text, layout.problem);
    QCOMPARE(prompter.asked.size(), 1 + started.missingFiles.size());
    QCOMPARE(QDir(dir.filePath(QStringLiteral("prefix/share/ludra"))).entryList(QDir::Files),
             QStringList{"Ludra.hlp"});
    QVERIFY(!QFileInfo::exists(QDir::current().filePath(RefFile::SkillIncrease)));
}

void TstPaths::unwritablePortableFolderIsToldOnce()
{
    QTemporaryDir dir;
    const QString bin = makePrefix(dir, {}, {});
    for (const QString &name : {RefFile::Catalogue, RefFile::SecSkills, RefFile::Requirements})
        QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/resources/") + name, QDir(bin).filePath(name)));
    if (!makeUnwritable(bin))
        QSKIP("this file system cannot refuse writes to a folder");
    const FileLayout layout = ResolveLayout(bin, dir.filePath(QStringLiteral("user")));
    QVERIFY(layout.portable);
    QVERIFY(layout.problem.contains(QDir::toNativeSeparators(bin)));

    // Start-up reads the reference files beside the program and tells the
    // folder once, in place of the skill increase file it cannot write.
    SetLayout(layout);
    LudraProgram model;
    ScriptedPrompter prompter;
    const StartReport started = model.start(prompter);
    makeWritable(bin);
    QVERIFY(started.missingFiles.isEmpty());
    QCOMPARE(prompter.titles().size(), 1);
    QCOMPARE(prompter.asked.constFirst().text, layout.problem);
    QCOMPARE(model.reference().nanoList().count(), 111);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("user"))));
}

QTEST_GUILESS_MAIN(TstPaths)
#include "tst_paths.moc"
