#pragma once

#include "storage/projectfile.h"

#include <QDateTime>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace ludra {

class Prompter;
struct LeftCopy;

// Recovery copies: while a plan has unsaved changes, the window showing it
// keeps a copy of it in the "recovery" folder among the files Ludra writes,
// so that a program killed, a session ended or a machine losing power costs
// at most the last few seconds of work. A copy is a project file (stored
// uncompressed) with a "Recovery" stream naming the project it belongs to and
// when it was last changed. Each copy has a lock file beside it, held by the
// program that writes it for as long as it runs; a copy whose lock nobody
// holds was left behind by a program that did not end normally.

// The folder of the copies.
QString RecoveryFolder();

// How a message names a plan: its file's name in quotes, or the name of an
// untitled plan when it has no file yet.
QString PlanNameInMessages(const QString &fileName);

// One window's recovery copy: a file name of its own, written whole on each
// write() and locked from the first write on. Removed by remove() only: a
// program that ends abnormally leaves it behind, which is its purpose.
// The file is written on a thread of its own, one write after the other:
// replacing a file whole waits for the disk (milliseconds), which the
// window's thread must not.
class RecoveryCopy
{
public:
    RecoveryCopy();
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // Writes the plan as the copy of the project fileName (empty for a plan
    // never saved), last changed at changed, after the writes before it;
    // returns at once. Throws EStreamError when the copy's lock cannot be
    // taken. A write that fails is told to written, and the copy written
    // before stays.
    void write(ProjectImage project, const QString &fileName, const QDateTime &changed);
    // Called after each write, on the writer's thread: with nothing when the
    // copy was written, with the reason when it was not.
    std::function<void(const QString &problem)> written;
    // Returns once every write asked for is done.
    void waitForWrites();
    // Deletes the copy, once the writes asked for are done, and gives up its
    // lock; nothing when there is none.
    void remove();
    // Whether a copy is on disk, written and not removed since.
    bool exists() const { return m_written; }
    // The copy's path, which stays the same for the copy's life.
    const QString &path() const { return m_path; }

    // Takes over a copy left behind (its lock with it), as the copy of the
    // restored plan; the copy of its own, if any, is removed first.
    void adopt(LeftCopy &&left);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    std::atomic<bool> m_written = false;
    // The copy's writer; its one thread goes with the copy, after the last
    // write.
    QThreadPool m_writer;
};

// A copy left behind by a program that did not end normally, locked by this
// one while it is dealt with.
struct LeftCopy
{
    LeftCopy();
    LeftCopy(LeftCopy &&) noexcept;
    LeftCopy &operator=(LeftCopy &&) noexcept;
    ~LeftCopy();

    QString path;
    std::unique_ptr<QLockFile> lock;
    // The plan as the copy holds it; empty when the copy cannot be read,
    // with the reason in problem.
    std::optional<ProjectImage> project;
    QString problem;
    // The project the plan belongs to (empty for a plan never saved) and
    // when it was last changed (invalid when the copy does not say).
    QString fileName;
    QDateTime changed;
};

// The copies no running program holds, each locked now, in the order they
// were last changed. Copies a running program holds are left alone.
std::vector<LeftCopy> TakeLeftCopies();

// At start-up: when copies were left behind, tells of each that cannot be
// read (it is kept aside under another name, never deleted) and asks once,
// naming each plan and when it was last changed, whether to restore them.
// Returns the copies to restore (their locks held); on "Discard" the copies
// are deleted and none is returned; when the question is closed without an
// answer they stay for the next start.
std::vector<LeftCopy> AskToRestore(Prompter &prompter);

} // namespace ludra
