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

} // namespace ludra
