#include "common/text.h"

#include "common/wholefile.h"

#include <QFile>

namespace ludra {

QStringList SplitLines(const QByteArray &bytes)
{
    const QString text = QString::fromLatin1(bytes);
    QStringList lines;
    ForEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

std::optional<QString> ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromLatin1(file.readAll());
}

std::optional<QStringList> ReadLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SplitLines(file.readAll());
}

std::optional<QByteArray> EncodeLines(const QStringList &lines, QString *error)
{
    qsizetype total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        for (const QChar ch : line) {
            if (ch.unicode() > 0xFF) {
                if (error)
                    *error = QStringLiteral("Line %1 holds the character \"%2\" (U+%3), which an 8-bit text file "
                                            "cannot hold.")
                                 .arg(i + 1)
                                 .arg(ch)
                                 .arg(ch.unicode(), 4, 16, QLatin1Char('0'));
                return std::nullopt;
            }
        }
        total += line.size() + 2;
    }
    QByteArray bytes;
    bytes.reserve(total);
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

bool WriteLines(const QString &path, const QStringList &lines, QString *error)
{
    const std::optional<QByteArray> encoded = EncodeLines(lines, error);
    if (!encoded)
        return false;
    const QByteArray &bytes = *encoded;

    return WriteWholeFile(path, bytes, error);
}

QString PathToText(const QString &path)
{
    return QString::fromLatin1(QFile::encodeName(path));
}

QString PathFromText(QStringView text)
{
    return QFile::decodeName(text.toLatin1());
}

QStringView TrimCtl(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString UpperAscii(QStringView text)
{
    QString result = text.toString();
    for (QChar &ch : result) {
        const char16_t u = ch.unicode();
        if (u >= u'a' && u <= u'z')
            ch = QChar(char16_t(u - (u'a' - u'A')));
    }
    return result;
}

} // namespace ludra
