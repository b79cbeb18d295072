#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ludra {

// The options file in the folder of the files Ludra writes: 8-bit lines, line
// 1 "1" to reopen the last project at start-up (anything else: do not), line 2
// the path of the project last opened or saved, then the settings of later
// versions as "Name=value" lines. Every option is described once, in the
// table of options.cpp, which both the reading and the writing follow. The
// file is read once, into ProgramOptions(), and written whole whenever an
// option changes; lines the table does not know are kept as they are.
inline const QString OptionsFileName = QStringLiteral("nnludra.inf");
// Its full path.
QString OptionsPath();

// The most recent projects the file keeps.
inline constexpr int RecentProjectCount = 8;

// The options as one file holds them. The lines are kept as read, so what a
// setter does not touch is written back as it was. Each setter writes the
// whole file at once and throws EStreamError with CannotCreateFileMessage
// when it cannot; the options then stay as they were, like the file.
class Options
{
public:
    // The options of the file at path; their defaults when there is none.
    explicit Options(const QString &path);

    // The file's lines as held; "0" and "" when there was no file.
    const QStringList &lines() const { return m_lines; }

    // Reopen the last project at start-up: line 1, off unless exactly "1" in a
    // file of at least two lines.
    bool autoLoad() const;
    void setAutoLoad(bool on);
    // The project last opened or saved: line 2; empty when there is none.
    QString lastProject() const;
    void setLastProject(const QString &path);
    // "Ask to save changes" of the options dialog: on unless the file says "0".
    bool askToSave() const;
    void setAskToSave(bool on);
    // The projects last opened or saved, newest first, at most
    // RecentProjectCount of them, each once.
    QStringList recentProjects() const;
    void setRecentProjects(const QStringList &paths);
    // The main window's size and place as the window saves them; empty when
    // none is kept.
    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray &geometry);

private:
    // Writes the lines as the whole file, then holds them.
    void write(const QStringList &lines);

    QString m_path;
    QStringList m_lines;
};

// The options of the program: read from OptionsPath() at the first use, and
// afresh by every LoadProgramOptions (which LudraProgram::start calls).
Options &ProgramOptions();
void LoadProgramOptions();

// The functions below read and write ProgramOptions().

// The lines it holds.
QStringList ReadOptions();

// Whether these lines of an options file ask for the auto-load: at least two
// lines, and line 1 exactly "1".
bool AutoLoadOption(const QStringList &options);

// The project to open at start-up: line 2 (as a path) when the auto-load is
// asked for, line 2 is not blank after trimming and, untrimmed, names an
// existing file; otherwise empty.
QString AutoLoadPath();

// Sets line 1 to "1" or "0", the file first padded to two lines ("0", "").
// Throws EStreamError with the reason when the file cannot be written; the
// old file is then left whole.
void SetAutoLoadOption(bool on);

// Records the project last opened or saved: line 2 becomes the path (a file
// without line 1 gets "0" there). Throws EStreamError like SetAutoLoadOption.
void RecordLastProject(const QString &path);

// The value of every line of that name after line 2 of these lines, in file
// order.
QStringList OptionValues(const QStringList &options, const QString &name);

bool AskToSaveOption();
void SetAskToSaveOption(bool on);

QStringList RecentProjects();
// Puts the path first in the list (once), the oldest falling off.
void AddRecentProject(const QString &path);
// Takes the path off the list.
void ForgetRecentProject(const QString &path);

QByteArray WindowGeometryOption();
void SetWindowGeometryOption(const QByteArray &geometry);

} // namespace ludra
