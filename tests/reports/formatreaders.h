#pragma once

// Readers of the three export formats, just enough to take a table back out
// of a file: an RFC 4180 reader, the cells of an HTML table, and the
// paragraphs, table rows, cell edges and page of an RTF document.

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

using Rows = QList<QStringList>;

// RFC 4180 records from UTF-8 bytes, handed on one at a time.
inline void ReadCsv(const QByteArray &bytes, const std::function<void(const QStringList &)> &record)
{
    QStringList fields;
    QByteArray field;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == '"') {
            for (++i; i < bytes.size(); ++i) {
                if (bytes[i] == '"' && (i + 1 >= bytes.size() || bytes[i + 1] != '"'))
                    break;
                if (bytes[i] == '"')
                    ++i;
                field += bytes[i];
            }
            ++i;
        }
        for (; i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r'; ++i)
            field += bytes[i];
        fields.append(QString::fromUtf8(field));
        field.clear();
        if (i < bytes.size() && bytes[i] == '\r') {
            QVERIFY2(bytes.mid(i, 2) == "\r\n", "a record ends without CR LF");
            record(fields);
            fields.clear();
            ++i;
        }
        ++i;
    }
    QVERIFY2(fields.isEmpty(), "the last record has no CR LF");
}

// The rows of an HTML table; th marks whether each row's cells were <th>.
inline Rows ReadHtmlTable(const QString &html, QList<bool> *th)
{
    static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellPattern(QStringLiteral("<(t[hd])>(.*?)</\\1>"));
    Rows rows;
    for (const auto &row : rowPattern.globalMatch(html)) {
        QStringList cells;
        for (const auto &cell : cellPattern.globalMatch(row.captured(1))) {
            th->append(cell.captured(1) == u"th");
            QString text = cell.captured(2);
            text.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells.append(text);
        }
        rows.append(cells);
    }
    return rows;
}

// The paragraphs outside tables and the rows of an RTF document; bold marks
// whether each cell's text started in bold. Skips the font table and every
// {\* ...} group.
struct RtfDocument { QStringList paragraphs; Rows rows; QList<bool> bold; };
inline RtfDocument ReadRtf(const QByteArray &rtf)
{
    RtfDocument doc;
    QList<bool> boldStack{false}, skipStack{false};
    QString text;
    QStringList cells;
    bool cellBold = false;
    auto append = [&](QChar c) {
        if (skipStack.last())
            return;
        if (text.isEmpty())
            cellBold = boldStack.last();
        text += c;
    };
    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf[i++];
        if (c == '{') {
            boldStack.append(boldStack.last());
            skipStack.append(skipStack.last() || rtf.mid(i, 2) == "\\*"
                             || rtf.mid(i, 8) == "\\fonttbl");
        } else if (c == '}') {
            boldStack.removeLast();
            skipStack.removeLast();
        } else if (c == '\r' || c == '\n') {
        } else if (c != '\\') {
            append(QChar::fromLatin1(c));
        } else if (!QChar::isLetter(uchar(rtf[i]))) {
            if (rtf[i] == '\'') {
                append(QChar(rtf.mid(i + 1, 2).toInt(nullptr, 16)));
                i += 3;
            } else {
                append(QChar::fromLatin1(rtf[i++]));
            }
        } else {
            const qsizetype start = i;
            while (QChar::isLetter(uchar(rtf[i])))
                ++i;
            const QByteArray word = rtf.mid(start, i - start);
            const qsizetype numberStart = i;
            while (rtf[i] == '-' || QChar::isDigit(uchar(rtf[i])))
                ++i;
            const QByteArray number = rtf.mid(numberStart, i - numberStart);
            if (rtf[i] == ' ')
                ++i;
            if (word == "u") {
                append(QChar(char16_t(number.toInt())));
                ++i; // the one fallback character (\uc1)
            } else if (word == "b") {
                boldStack.last() = number != "0";
            } else if (word == "plain") {
                boldStack.last() = false;
            } else if (word == "line") {
                append(u'\n');
            } else if (word == "tab") {
                append(u'\t');
            } else if (word == "cell") {
                cells.append(text);
                doc.bold.append(cellBold);
                text.clear();
            } else if (word == "row") {
                doc.rows.append(cells);
                cells.clear();
            } else if (word == "par" && !skipStack.last()) {
                doc.paragraphs.append(text);
                text.clear();
            }
        }
    }
    return doc;
}

// The right edges (\cellx) of the cells of each table row of an RTF document.
inline QList<QList<int>> ReadRtfCellEdges(const QByteArray &rtf)
{
    static const QRegularExpression cellx(QStringLiteral("\\\\cellx(\\d+)"));
    QList<QList<int>> rows;
    for (const QByteArray &row : rtf.split('\n')) {
        if (!row.startsWith("\\trowd"))
            continue;
        rows.append(QList<int>());
        for (const auto &edge : cellx.globalMatch(QString::fromLatin1(row)))
            rows.last().append(edge.captured(1).toInt());
    }
    return rows;
}

// The number of an RTF document's first control word of that name ("margl"); -1 for none.
inline int ReadRtfNumber(const QByteArray &rtf, const char *word)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\\\%1(-?\\d+)").arg(QLatin1String(word)))
                                              .match(QString::fromLatin1(rtf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
