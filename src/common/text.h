#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ludra {

// Every text file the program reads or writes is 8-bit: bytes map one to one
// onto characters (Latin-1), so any byte survives a round trip.

// Reads a whole file as lines. A line ends at CR LF, a lone CR or a lone LF; a
// last line without an end counts, an empty file has no lines. Returns nothing
// when the file does not exist or cannot be opened.
std::optional<QStringList> ReadLines(const QString &path);

// Splits 8-bit text into lines by the same rules as ReadLines.
QStringList SplitLines(const QByteArray &bytes);

// Writes the lines, each ending in CR LF, replacing the file atomically: a
// failed write leaves any old file whole. On failure returns false and puts
// the reason into *error.
bool WriteLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// Takes the next comma-separated field off the front of rest: the text before
// the first comma, leaving the text after it in rest. When rest holds no comma
// the field is empty and rest stays as it is (the last field of a line is
// whatever then remains).
QString TakeField(QString &rest);

// Removes the characters with codes 0 to 32 from both ends.
QString TrimCtl(const QString &text);

// Upper-cases the letters a to z and nothing else.
QString UpperAscii(const QString &text);

} // namespace ludra
