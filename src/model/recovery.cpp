#include "model/recovery.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"
#include "common/wholefile.h"
#include "text/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QUuid>

#include <algorithm>

namespace ludra {

namespace {

const QString CopyPrefix = QStringLiteral("plan-");
const QString CopySuffix = QStringLiteral(".lud");
const QString LockSuffix = QStringLiteral(".lock");
// The name an unreadable copy is kept under: no longer one the search for
// copies finds, still beside them for the player to look at.
const QString UnreadableSuffix = QStringLiteral(".unreadable");
const QString FileKey = QStringLiteral("File=");
const QString ChangedKey = QStringLiteral("Changed=");

// A lock held for as long as the program runs, however long that is: never
// taken for stale while its program lives, and taken over at once when that
// program is gone (the lock file names its process).
std::unique_ptr<QLockFile> makeLock(const QString &copyPath)
{
    auto lock = std::make_unique<QLockFile>(copyPath + LockSuffix);
    lock->setStaleLockTime(0);
    return lock;
}

// Reads what a copy says of its plan; a copy that cannot be read keeps the
// reason instead.
void readCopy(LeftCopy &copy)
{
    try {
        ProjectImage project = ReadProjectFile(copy.path);
        for (const QString &line : std::as_const(project.recovery)) {
            if (line.startsWith(FileKey))
                copy.fileName = PathFromText(QStringView(line).sliced(FileKey.size()));
            else if (line.startsWith(ChangedKey))
                copy.changed = QDateTime::fromString(line.sliced(ChangedKey.size()), Qt::ISODateWithMs);
        }
        // A project the player saved is no copy, whatever its name.
        if (project.recovery.isEmpty())
            throw Exception(QStringLiteral("It is not a recovery copy."));
        project.recovery.clear();
        copy.project = std::move(project);
    } catch (const Exception &e) {
        copy.problem = e.message();
    }
    if (!copy.changed.isValid())
        copy.changed = QFileInfo(copy.path).lastModified();
}

// Puts an unreadable copy aside under a name of its own; returns that name.
QString setAside(const LeftCopy &copy)
{
    QString aside = copy.path + UnreadableSuffix;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = copy.path + UnreadableSuffix + QString::number(n);
    if (!QFile::rename(copy.path, aside))
        return copy.path;
    return aside;
}

} // namespace

QString PlanNameInMessages(const QString &fileName)
{
    return fileName.isEmpty() ? LangMsg(Msg::UntitledProject) : u'"' + QFileInfo(fileName).fileName() + u'"';
}

QString RecoveryFolder()
{
    return UserFile(QStringLiteral("recovery"));
}

LeftCopy::LeftCopy() = default;
LeftCopy::LeftCopy(LeftCopy &&) noexcept = default;
LeftCopy &LeftCopy::operator=(LeftCopy &&) noexcept = default;
LeftCopy::~LeftCopy() = default;

RecoveryCopy::RecoveryCopy()
    : m_path(RecoveryFolder() + u'/' + CopyPrefix + QUuid::createUuid().toString(QUuid::WithoutBraces) + CopySuffix)
{
    m_writer.setMaxThreadCount(1);
    // A thread that waits between writes costs nothing; one made for each
    // write would cost more than the write.
    m_writer.setExpiryTimeout(-1);
}

RecoveryCopy::~RecoveryCopy()
{
    waitForWrites();
}

void RecoveryCopy::write(ProjectImage project, const QString &fileName, const QDateTime &changed)
{
    if (!m_lock) {
        if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
            throw EStreamError(CannotCreateFileMessage(m_path, QStringLiteral("The folder cannot be made.")));
        auto lock = makeLock(m_path);
        if (!lock->tryLock(0))
            throw EStreamError(CannotCreateFileMessage(m_path + LockSuffix, QStringLiteral("The lock cannot be taken.")));
        m_lock = std::move(lock);
    }
    project.recovery = {FileKey + PathToText(fileName), ChangedKey + changed.toString(Qt::ISODateWithMs)};
    m_writer.start([this, path = m_path, project = std::move(project)] {
        QString problem;
        try {
            WriteProjectFile(path, project, ProjectCompression::Stored);
            m_written = true;
        } catch (const Exception &e) {
            problem = e.message();
        }
        if (written)
            written(problem);
    });
}

void RecoveryCopy::waitForWrites()
{
    m_writer.waitForDone();
}

void RecoveryCopy::remove()
{
    waitForWrites();
    if (m_written)
        QFile::remove(m_path);
    m_written = false;
    // The lock goes last: until then no other program takes the copy.
    m_lock.reset();
}

void RecoveryCopy::adopt(LeftCopy &&left)
{
    remove();
    m_path = left.path;
    // The lock moves over as it is held: no other program can take the copy
    // in between.
    m_lock = std::move(left.lock);
    m_written = QFileInfo::exists(m_path);
}

std::vector<LeftCopy> TakeLeftCopies()
{
    std::vector<LeftCopy> left;
    const QDir folder(RecoveryFolder());
    const QStringList names =
        folder.entryList({CopyPrefix + u'*' + CopySuffix}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        LeftCopy copy;
        copy.path = folder.filePath(name);
        std::unique_ptr<QLockFile> lock = makeLock(copy.path);
        // Held by a program that runs: its copy, not ours.
        if (!lock->tryLock(0))
            continue;
        copy.lock = std::move(lock);
        readCopy(copy);
        left.push_back(std::move(copy));
    }
    std::stable_sort(left.begin(), left.end(),
                     [](const LeftCopy &a, const LeftCopy &b) { return a.changed < b.changed; });
    return left;
}

std::vector<LeftCopy> AskToRestore(Prompter &prompter)
{
    std::vector<LeftCopy> readable;
    for (LeftCopy &copy : TakeLeftCopies()) {
        if (copy.project) {
            readable.push_back(std::move(copy));
            continue;
        }
        const QString aside = setAside(copy);
        prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::RecoveryTitle),
                         LangMsg(Msg::RecoveryUnreadableText).arg(copy.problem, QDir::toNativeSeparators(aside)));
    }
    if (readable.empty())
        return readable;

    QStringList entries;
    const QLocale locale;
    for (const LeftCopy &copy : readable)
        entries.append(QStringLiteral("- ")
                       + LangMsg(Msg::RecoveryEntry)
                             .arg(PlanNameInMessages(copy.fileName), locale.toString(copy.changed, QLocale::ShortFormat)));
    switch (prompter.message(Prompter::Icon::Warning, Prompter::Buttons::RestoreDiscard,
                             LangMsg(Msg::RecoveryTitle), LangMsg(Msg::RecoveryText).arg(entries.join(u'\n')))) {
    case Prompter::Answer::Restore:
        return readable;
    case Prompter::Answer::Discard:
        for (const LeftCopy &copy : readable)
            QFile::remove(copy.path);
        return {};
    default:
        // Kept for the next start; the locks go with the copies here.
        return {};
    }
}

} // namespace ludra
