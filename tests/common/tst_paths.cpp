#include "model/ludramodel.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "data/referencefiles.h"
#include "support/scriptedprompter.h"

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
    void portableWhenTheFolderHoldsTheCatalogue();
    void installedWithoutTheCatalogue();
    void installedWhenTheFolderIsReadOnly();
    void usersOwnReferenceFileWins();
    void writtenFilesGoToTheUsersFolder();
    void unusableUsersFolderIsToldOnce();

private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x\r\n");
    }
};

void TstPaths::portableWhenTheFolderHoldsTheCatalogue()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("data.csv")));
    const FileLayout layout = ResolveLayout(dir.path(), dir.filePath(QStringLiteral("user")));
    QVERIFY(layout.portable);
    QCOMPARE(layout.dataDir, dir.path());
    QCOMPARE(layout.userDir, dir.path());
    QVERIFY(layout.problem.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("user"))));
}

void TstPaths::installedWithoutTheCatalogue()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("prefix/bin")));
    const QString userDir = dir.filePath(QStringLiteral("home/.local/share/Ludra"));
    const FileLayout layout = ResolveLayout(dir.filePath(QStringLiteral("prefix/bin")), userDir);
    QVERIFY(!layout.portable);
    QCOMPARE(layout.dataDir, dir.filePath(QStringLiteral("prefix/share/ludra")));
    QCOMPARE(layout.userDir, userDir);
    QVERIFY(layout.problem.isEmpty());
    QVERIFY(QFileInfo(userDir).isDir());
}

void TstPaths::installedWhenTheFolderIsReadOnly()
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    touch(QDir(bin).filePath(QStringLiteral("data.csv")));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    const bool writable = QFileInfo(bin).isWritable();
    const FileLayout layout = ResolveLayout(bin, dir.filePath(QStringLiteral("user")));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        QSKIP("The folder stays writable for this user (root).");
    QVERIFY(!layout.portable);
    QCOMPARE(layout.userDir, dir.filePath(QStringLiteral("user")));
}

void TstPaths::usersOwnReferenceFileWins()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("prefix/share/ludra")));
    FileLayout layout = ResolveLayout(dir.filePath(QStringLiteral("prefix/bin")), dir.filePath(QStringLiteral("user")));
    SetLayout(layout);
    touch(QDir(layout.dataDir).filePath(RefFile::Catalogue));
    touch(QDir(layout.dataDir).filePath(RefFile::SecSkills));
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
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("prefix/share/ludra")));
    const FileLayout layout =
        ResolveLayout(dir.filePath(QStringLiteral("prefix/bin")), dir.filePath(QStringLiteral("user")));
    SetLayout(layout);
    QCOMPARE(UserFile(QStringLiteral("default.stk")), QDir(layout.userDir).filePath(QStringLiteral("default.stk")));

    ReferenceData reference;
    QString reason;
    QVERIFY2(reference.loadSkillReq(&reason), qPrintable(reason));
    QVERIFY(QFileInfo::exists(QDir(layout.userDir).filePath(RefFile::SkillIncrease)));
    QVERIFY(QDir(layout.dataDir).isEmpty());
}

void TstPaths::unusableUsersFolderIsToldOnce()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("blocker")));
    const FileLayout layout =
        ResolveLayout(dir.filePath(QStringLiteral("bin")), dir.filePath(QStringLiteral("blocker/Ludra")));
    QVERIFY(!layout.portable);
    QVERIFY(layout.problem.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("blocker/Ludra")))));

    // Start-up tells it first, in one message, and writes nothing anywhere
    // else; the reference files this folder lacks are told after it.
    SetLayout(layout);
    LudraModel model;
    ScriptedPrompter prompter;
    const StartReport started = model.start(prompter);
    QCOMPARE(prompter.asked.constFirst().text, layout.problem);
    QCOMPARE(prompter.asked.size(), 1 + started.missingFiles.size());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("share"))));
    QVERIFY(!QFileInfo::exists(QDir::current().filePath(RefFile::SkillIncrease)));
}

QTEST_GUILESS_MAIN(TstPaths)
#include "tst_paths.moc"
