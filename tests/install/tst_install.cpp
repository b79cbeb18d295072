#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The installed layout: the build installed to a read-only prefix, used from
// there with the home folder pointed at a temporary folder.
class TstInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void shipsEveryFile();
    void batchWritesIntoTheUsersFolderOnly();
    void desktopEntryAndMetadataValidate();
    void projectFileTypeRegisters();
    void helpWithoutADisplay();

private:
    // Every file and folder under the prefix with its size and time.
    QStringList listing() const
    {
        QStringList entries;
        QDirIterator it(m_prefix, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch());
        }
        entries.sort();
        return entries;
    }

    static int run(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(120000))
            return -1;
        const QByteArray output = process.readAllStandardOutput() + process.readAllStandardError();
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            qWarning("%s %s:\n%s", qPrintable(program), qPrintable(arguments.join(u' ')), output.constData());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_prefix;
};

void TstInstall::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.filePath(QStringLiteral("prefix"));
    QCOMPARE(run(QStringLiteral(LUDRA_CMAKE),
                 {QStringLiteral("--install"), QStringLiteral(LUDRA_BUILD_DIR), QStringLiteral("--prefix"), m_prefix}),
             0);
    QCOMPARE(run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), m_prefix}), 0);
}

void TstInstall::cleanupTestCase()
{
    run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), m_prefix});
}

void TstInstall::shipsEveryFile()
{
    const QDir prefix(m_prefix);
    for (const char *path :
         {"bin/ludra", "bin/ludra-batch", "share/ludra/data.csv", "share/ludra/SecSkill.csv", "share/ludra/require.csv",
          "share/ludra/trickle.csv", "share/ludra/reqprofile.csv", "share/ludra/symbiants.csv",
          "share/ludra/Ludra.hlp", "share/ludra/english.ini.example", "share/applications/ludra.desktop",
          "share/metainfo/ludra.metainfo.xml", "share/icons/hicolor/scalable/apps/ludra.svg",
          "share/icons/hicolor/48x48/apps/ludra.png", "share/mime/packages/ludra.xml",
          "share/icons/hicolor/48x48/mimetypes/application-x-ludra-project.png", "share/man/man1/ludra.1.gz", "share/man/man1/ludra-batch.1.gz", "share/doc/ludra/copyright"})
        QVERIFY2(QFileInfo::exists(prefix.filePath(QString::fromLatin1(path))), path);
    QVERIFY(!QFileInfo::exists(prefix.filePath(QStringLiteral("bin/data.csv"))));
}

void TstInstall::batchWritesIntoTheUsersFolderOnly()
{
    const QStringList before = listing();
    const QString home = m_dir.filePath(QStringLiteral("home"));
    const QString dataHome = m_dir.filePath(QStringLiteral("home/data"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    const QString out = m_dir.filePath(QStringLiteral("out.csv"));
    QCOMPARE(run(QDir(m_prefix).filePath(QStringLiteral("bin/ludra-batch")),
                 {QStringLiteral("plan"), QStringLiteral("--skill"), QStringLiteral("Burst"), QStringLiteral("--ql"),
                  QStringLiteral("10"), QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("-o"), out},
                 environment),
             0);

    QFile output(out);
    QVERIFY(output.open(QIODevice::ReadOnly));
    QVERIFY(output.readAll().contains("Burst"));
    // The user's data folder of the window, which has no organisation name.
    const QString userDir = QDir(dataHome).filePath(QStringLiteral("Ludra"));
    QVERIFY(QFileInfo(QDir(userDir).filePath(QStringLiteral("skillreq.dat"))).size() > 0);
    QCOMPARE(listing(), before);
}

void TstInstall::desktopEntryAndMetadataValidate()
{
    const QString desktopValidate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    QVERIFY2(!desktopValidate.isEmpty() && !appstream.isEmpty(),
             "desktop-file-utils and appstream are missing: bash scripts/deps.sh test");
    const QDir prefix(m_prefix);
    QCOMPARE(run(desktopValidate, {prefix.filePath(QStringLiteral("share/applications/ludra.desktop"))}), 0);
    QCOMPARE(run(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                             prefix.filePath(QStringLiteral("share/metainfo/ludra.metainfo.xml"))}),
             0);
}

// The project file type reads as the desktop's shared MIME database reads
// it: "*.lud" is a Ludra project, which the desktop entry opens.
void TstInstall::projectFileTypeRegisters()
{
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    QVERIFY2(!update.isEmpty(), "shared-mime-info is missing: bash scripts/deps.sh test");
    const QString mime = m_dir.filePath(QStringLiteral("mime"));
    QVERIFY(QDir().mkpath(mime + QStringLiteral("/packages")));
    QVERIFY(QFile::copy(QDir(m_prefix).filePath(QStringLiteral("share/mime/packages/ludra.xml")),
                        mime + QStringLiteral("/packages/ludra.xml")));
    QCOMPARE(run(update, {mime}), 0);
    QVERIFY(QFileInfo::exists(mime + QStringLiteral("/application/x-ludra-project.xml")));
    QFile globs(mime + QStringLiteral("/globs2"));
    QVERIFY(globs.open(QIODevice::ReadOnly));
    QVERIFY(globs.readAll().contains(":application/x-ludra-project:*.lud"));
    QFile entry(QDir(m_prefix).filePath(QStringLiteral("share/applications/ludra.desktop")));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    QVERIFY(text.contains("\nExec=ludra %F\n"));
    QVERIFY(text.contains("\nMimeType=application/x-ludra-project;\n"));
}

// --help and --version answer without a display and end at once.
void TstInstall::helpWithoutADisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const QString ludra = QDir(m_prefix).filePath(QStringLiteral("bin/ludra"));
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(ludra, {option});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY2(option == QLatin1String("--help") ? out.contains("[FILE.lud...]") : out == "ludra " LUDRA_VERSION "\n",
                 out.constData());
    }
}

QTEST_GUILESS_MAIN(TstInstall)
#include "tst_install.moc"
