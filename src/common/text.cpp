#include "common/text.h"

#include <QFile>
#include <QSaveFile>

namespace ludra {

QStringList SplitLines(const QByteArray &bytes)
{
    QStringList lines;
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(data + start, i - start));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(QString::fromLatin1(data + start, size - start));
    return lines;
}

std::optional<QStringList> ReadLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SplitLines(file.readAll());
}

bool WriteLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }

    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QString TakeField(QString &rest)
{
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma < 0)
        return QString();
    QString field = rest.left(comma);
    rest.remove(0, comma + 1);
    return field;
}

QString TrimCtl(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

QString UpperAscii(const QString &text)
{
    QString result = text;
    for (QChar &ch : result) {
        const char16_t u = ch.unicode();
        if (u >= u'a' && u <= u'z')
            ch = QChar(char16_t(u - (u'a' - u'A')));
    }
    return result;
}

} // namespace ludra
