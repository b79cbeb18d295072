#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
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

// Calls f(QStringView line) for each line of text, by the rules of ReadLines.
template <typename F>
void ForEachLine(QStringView text, F &&f)
{
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        f(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        f(text.sliced(start));
}

// Reads a whole 8-bit file as one text; nothing when it cannot be opened.
std::optional<QString> ReadText(const QString &path);

// The bytes of the lines as an 8-bit file holds them, each followed by CR LF.
// A character such a file cannot hold (one beyond Latin-1) refuses the whole:
// returns nothing and puts the reason, naming the line, into *error.
std::optional<QByteArray> EncodeLines(const QStringList &lines, QString *error = nullptr);

// Writes the lines, each ending in CR LF, replacing the file atomically: a
// failed write leaves any old file whole. On failure returns false and puts
// the reason into *error. A character an 8-bit file cannot hold (one beyond
// Latin-1) is refused with its line named, before anything is written: such a
// file would otherwise read back different from what was meant.
bool WriteLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// A file path as the 8-bit text a file records it in: the file system's own
// bytes, one character each. Any name the file system allows survives the
// round trip through PathFromText, whatever its characters.
QString PathToText(const QString &path);
QString PathFromText(QStringView text);

// Splits a line into comma fields from left to right. Each field but the last
// is the text before the first comma of what remains, and what remains becomes
// the text after that comma; when no comma remains the field is empty and what
// remains is unchanged. The last field is whatever then remains.
class FieldReader
{
public:
    explicit FieldReader(QStringView line) : m_rest(line) {}

    QStringView next()
    {
        const qsizetype comma = m_rest.indexOf(u',');
        if (comma < 0)
            return QStringView();
        const QStringView field = m_rest.first(comma);
        m_rest = m_rest.sliced(comma + 1);
        return field;
    }
    QStringView rest() const { return m_rest; }

private:
    QStringView m_rest;
};

// Removes the characters with codes 0 to 32 from both ends.
QStringView TrimCtl(QStringView text);
inline QString TrimCtl(const QString &text) { return TrimCtl(QStringView(text)).toString(); }

// Upper-cases the letters a to z and nothing else.
QString UpperAscii(QStringView text);

} // namespace ludra
