#pragma once

#include <QString>
#include <QStringList>

namespace ludra {

// The options file in the folder of the files Ludra writes: 8-bit lines, line 1 "1" to reopen
// the last project at start-up (anything else: do not), line 2 the path of
// the project last opened or saved. Lines after these are kept as they are
// whenever the file is rewritten. It is read afresh each time.
inline const QString OptionsFileName = QStringLiteral("nnludra.inf");
// Its full path.
QString OptionsPath();

// The file's lines; "0" and "" when there is no file (or it cannot be read).
QStringList ReadOptions();

// Whether lines read from the file ask for the auto-load: at least two lines,
// and line 1 exactly "1".
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

// The lines after line 2 hold the settings of later versions as "Name=value"
// lines; a file without them (an older one) reads their defaults, and lines
// 1 and 2 keep their meaning.

// The value of every line of that name after line 2, in file order.
QStringList OptionValues(const QStringList &options, const QString &name);
// Writes the values as the lines of that name: every older line of the name
// goes, the new lines follow the others, and lines 1 and 2 (padded to "0" and
// "" when missing) and every other line stay. Throws like SetAutoLoadOption.
void SetOptionValues(const QString &name, const QStringList &values);

// "Ask to save changes" of the options dialog: on unless the file says "0".
bool AskToSaveOption();
void SetAskToSaveOption(bool on);

// The projects last opened or saved, newest first, at most RecentProjectCount.
inline constexpr int RecentProjectCount = 8;
QStringList RecentProjects();
// Puts the path first in the list (once), the oldest falling off.
void AddRecentProject(const QString &path);
// Takes the path off the list.
void ForgetRecentProject(const QString &path);

// The main window's size and place as the window saves them; empty when none
// is kept.
QByteArray WindowGeometryOption();
void SetWindowGeometryOption(const QByteArray &geometry);

} // namespace ludra
