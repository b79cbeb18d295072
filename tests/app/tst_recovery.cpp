// Recovery after a crash and files written whole, with the program really
// killed: a child process (planchild) runs the main window or a writer, the
// test kills it with SIGKILL and starts it again.

#include "model/recovery.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "support/killedwrite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace ludra;

namespace {

QString childPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/planchild");
}

// A run of the child: its process and the lines it printed so far.
class Child
{
public:
    explicit Child(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(childPath(), arguments);
    }
    ~Child() { kill(); }

    // Waits for a line starting with prefix; returns it, empty on timeout or
    // the child's end.
    QString waitFor(const QString &prefix, int timeout = 60000)
    {
        QDeadlineTimer deadline(timeout);
        while (true) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).chopped(1);
                m_lines.append(line);
                if (line.startsWith(prefix))
                    return line;
            }
            if (deadline.hasExpired() || (m_process.state() == QProcess::NotRunning && !m_process.canReadLine()))
                return QString();
            m_process.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 1000)));
        }
    }
    // The lines that start with prefix, once the child has ended.
    QStringList finished(const QString &prefix)
    {
        m_process.waitForFinished(60000);
        waitFor(QStringLiteral("\x01"), 0);
        QStringList found;
        for (const QString &line : std::as_const(m_lines))
            if (line.startsWith(prefix))
                found.append(line.sliced(prefix.size()));
        return found;
    }
    int exitCode() const { return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1; }
    void kill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_process.processId()), SIGKILL);
            m_process.waitForFinished(30000);
        }
    }

private:
    QProcess m_process;
    QStringList m_lines;
};

} // namespace

class TstRecovery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString base() const { return m_dir->path(); }
    QStringList copies() const
    {
        return QDir(base() + QStringLiteral("/recovery")).entryList({QStringLiteral("plan-*.lud")}, QDir::Files);
    }
    // An edited plan, killed once its copy is written; returns its summary.
    QString killedEdit(const QString &project = QString())
    {
        Child edit(project.isEmpty() ? QStringList{"edit", base()} : QStringList{"edit", base(), project});
        const QString line = edit.waitFor(QStringLiteral("plan "));
        edit.kill();
        return line.sliced(std::min<qsizetype>(line.size(), 5));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QString resources = qEnvironmentVariable("LUDRA_SOURCE_DIR") + QStringLiteral("/resources/");
        for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
            QVERIFY(QFile::copy(resources + QLatin1String(name), base() + u'/' + QLatin1String(name)));
    }

    // The plan killed is the plan restored, with its file and its unsaved
    // mark; saving or discarding it then takes the copy away.
    void killedPlanIsRestored_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("then");
        QTest::newRow("a new plan, given up on closing") << false << "close";
        QTest::newRow("an opened project, saved") << true << "save";
    }
    void killedPlanIsRestored()
    {
        QFETCH(bool, saved);
        QFETCH(QString, then);
        QString project;
        if (saved) {
            project = base() + QStringLiteral("/mine.lud");
            QVERIFY(QFile::copy(qEnvironmentVariable("LUDRA_SOURCE_DIR") + "/tests/fixtures/plans/01-allocated.lud",
                                project));
        }
        const QString edited = killedEdit(project);
        QVERIFY2(!edited.isEmpty(), "the edited plan was never copied");
        QCOMPARE(copies().size(), 1);

        Child again({"start", base(), "restore", then});
        const QStringList asked = again.finished(QStringLiteral("asked "));
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.at(0).startsWith(QStringLiteral("Unsaved Plans|")), qPrintable(asked.at(0)));
        QVERIFY2(asked.at(0).contains(saved ? QStringLiteral("\"mine.lud\", last changed")
                                            : QStringLiteral("the new plan, last changed")),
                 qPrintable(asked.at(0)));
        const QStringList windows = again.finished(QStringLiteral("window "));
        QCOMPARE(windows, QStringList{project + QStringLiteral("|1|") + edited});
        QCOMPARE(again.exitCode(), 0);
        QCOMPARE(copies(), QStringList());
        if (saved) {
            const ProjectImage written = ReadProjectFile(project);
            QVERIFY(written.recovery.isEmpty());
            QVERIFY2(written.character.contains(QStringLiteral("Agility=377")), qPrintable(written.character.join(u' ')));
        }
    }

    // "Discard" deletes the copies; a question closed unanswered keeps them
    // for the next start.
    void answersToTheQuestion_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("kept");
        QTest::newRow("discard") << "discard" << 0;
        QTest::newRow("closed unanswered") << "cancel" << 1;
    }
    void answersToTheQuestion()
    {
        QFETCH(QString, answer);
        QFETCH(int, kept);
        QVERIFY(!killedEdit().isEmpty());
        Child first({"start", base(), answer, "close"});
        QCOMPARE(first.finished(QStringLiteral("asked ")).size(), 1);
        QCOMPARE(first.finished(QStringLiteral("window ")).size(), 1);
        QCOMPARE(first.finished(QStringLiteral("window ")).at(0).section(u'|', 1, 1), QStringLiteral("0"));
        QCOMPARE(copies().size(), kept);
        Child second({"start", base(), "discard", "close"});
        QCOMPARE(second.finished(QStringLiteral("asked ")).size(), kept);
    }

    // A copy that cannot be read is put aside under another name, and said.
    void unreadableCopyIsKeptAside()
    {
        QVERIFY(QDir().mkpath(base() + QStringLiteral("/recovery")));
        const QString junk = base() + QStringLiteral("/recovery/plan-junk.lud");
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a project");
        file.close();
        Child start({"start", base(), "restore", "close"});
        const QStringList asked = start.finished(QStringLiteral("asked "));
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.at(0).contains(QStringLiteral("cannot be read")), qPrintable(asked.at(0)));
        QVERIFY2(asked.at(0).contains(QDir::toNativeSeparators(junk) + QStringLiteral(".unreadable")),
                 qPrintable(asked.at(0)));
        QVERIFY(!QFile::exists(junk));
        QVERIFY(QFile::exists(junk + QStringLiteral(".unreadable")));
    }

    // A second program started while the first runs leaves its copy alone;
    // once the first is killed, the copy is offered.
    void runningProgramKeepsItsCopy()
    {
        Child running({"edit", base()});
        QVERIFY(!running.waitFor(QStringLiteral("plan ")).isEmpty());
        {
            Child second({"start", base(), "restore", "close"});
            QCOMPARE(second.finished(QStringLiteral("asked ")), QStringList());
        }
        QCOMPARE(copies().size(), 1);
        running.kill();
        Child third({"start", base(), "restore", "close"});
        QCOMPARE(third.finished(QStringLiteral("asked ")).size(), 1);
        QCOMPARE(third.finished(QStringLiteral("window ")).at(0).section(u'|', 1, 1), QStringLiteral("1"));
    }

    // Killed at random moments while writing, the writer leaves the file as
    // the old version or the new one, whole, every time.
    void killedWritesLeaveAWholeFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("project") << "project";
        QTest::newRow("stock") << "stock";
    }
    void killedWritesLeaveAWholeFile()
    {
        QFETCH(QString, kind);
        const int kills = qEnvironmentVariableIsSet("LUDRA_KILLS") ? qEnvironmentVariableIntValue("LUDRA_KILLS") : 30;
        const QString path = base() + QStringLiteral("/written");
        const bool project = kind == QLatin1String("project");
        int seen[2] = {0, 0};
        QRandomGenerator random(20261210);
        for (int kill = 0; kill < kills; ++kill) {
            {
                Child writer({"write", kind, path});
                QVERIFY(!writer.waitFor(QStringLiteral("writing")).isEmpty());
                QTest::qSleep(int(random.bounded(1, 50)));
            }
            int version = -1;
            if (project) {
                const ProjectImage read = ReadProjectFile(path);
                for (int v : {0, 1})
                    if (read == killedWriteProject(v))
                        version = v;
            } else {
                StockRegister read;
                QString error;
                QVERIFY2(LoadStockFile(path, read, nullptr, &error), qPrintable(error));
                for (int v : {0, 1})
                    if (read == killedWriteStock(v))
                        version = v;
            }
            QVERIFY2(version >= 0, qPrintable(QStringLiteral("kill %1 left a file of neither version").arg(kill)));
            ++seen[version];
        }
        qInfo("%d kills: the first version left %d times, the second %d times", kills, seen[0], seen[1]);
    }
};

QTEST_GUILESS_MAIN(TstRecovery)
#include "tst_recovery.moc"
