#include "reports/export.h"

#include "build/ladder.h"
#include "build/resultrows.h"
#include "build/series.h"
#include "common/texttable.h"
#include "common/wholefile.h"
#include "reports/columnfit.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace ludra {

namespace {

// Streams a document into a file written whole or not at all. Text gathers
// in a buffer that goes out in large pieces, so a big table never sits whole
// in memory twice.
class ExportFile
{
public:
    explicit ExportFile(const QString &path) : m_file(path) { m_buffer.reserve(BufferSize + BufferSize / 4); }

    void write(const QByteArray &bytes)
    {
        m_buffer += bytes;
        if (m_buffer.size() >= BufferSize)
            flush();
    }
    void write(const char *text) { write(QByteArray(text)); }

    void commit()
    {
        flush();
        m_file.commit();
    }

private:
    static constexpr qsizetype BufferSize = 1 << 20;

    void flush()
    {
        m_file.write(m_buffer);
        m_buffer.clear();
    }

    WholeFileWriter m_file;
    QByteArray m_buffer;
};

// Calls each(text, end) for every line of a cell, where end tells whether a
// line break (CR LF, CR or LF) follows it.
template<typename Each>
void ForEachCellLine(QStringView text, Each each)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        each(text.sliced(start, i - start), true);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    each(text.sliced(start), false);
}

QByteArray CsvField(const QString &text)
{
    const bool quoted = std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (!quoted)
        return text.toUtf8();
    QString field = text;
    field.replace(u'"', QStringLiteral("\"\""));
    return '"' + field.toUtf8() + '"';
}

QByteArray HtmlCell(const QString &text)
{
    QString html;
    ForEachCellLine(text, [&html](QStringView line, bool lineBreak) {
        html += line.toString().toHtmlEscaped();
        if (lineBreak)
            html += QStringLiteral("<br>");
    });
    return html.toUtf8();
}

// Plain text as RTF: the group and escape characters escaped, a tab as
// \tab, everything beyond 7 bits as \uN? with the UTF-16 unit as a signed
// 16-bit number (the "?" is what a reader without Unicode shows instead).
void AppendRtfText(QByteArray &rtf, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            rtf += '\\';
            rtf += char(u);
        } else if (u == u'\t') {
            rtf += "\\tab ";
        } else if (u < 0x20) {
            rtf += "\\'";
            rtf += QByteArray::number(int(u), 16).rightJustified(2, '0');
        } else if (u < 0x80) {
            rtf += char(u);
        } else {
            rtf += "\\u";
            rtf += QByteArray::number(int(qint16(u)));
            rtf += '?';
        }
    }
}

QByteArray RtfCell(const QString &text)
{
    QByteArray rtf;
    ForEachCellLine(text, [&rtf](QStringView line, bool lineBreak) {
        AppendRtfText(rtf, line);
        if (lineBreak)
            rtf += "\\line ";
    });
    return rtf;
}

// A character of the cells' 10-point font takes about this many twips, and a
// cell this much beside its text (its gap either side and a little to spare).
constexpr double RtfCharWidth = 110;
constexpr double RtfCellRoom = 240;
// No column is made narrower than this where the page has room.
constexpr double RtfLeastColumn = 900;

// The right edge of each column in twips from the left margin, the last at
// most the page's usable width: each column as wide as its longest line (at
// least RtfLeastColumn), all narrowed in proportion where together they are
// wider than the page, and then a column narrower than its longest word
// raised to it, from the room of the others as far as their own longest
// words allow (words wider than the page cut to what it leaves them).
QList<int> RtfCellEdges(const TextTable &table, const RtfPage &page)
{
    const int columns = table.columnCount();
    QList<double> widths(columns, 0.0);
    QList<double> words(columns, 0.0);
    for (int column = 0; column < columns; ++column) {
        qsizetype longest = 0;
        qsizetype word = 0;
        for (int row = 0; row < table.rowCount(); ++row) {
            ForEachCellLine(table.cell(column, row), [&longest, &word](QStringView line, bool) {
                longest = std::max(longest, line.size());
                for (const QStringView part : line.tokenize(u' ', Qt::SkipEmptyParts))
                    word = std::max(word, part.size());
            });
        }
        widths[column] = std::max(RtfLeastColumn, double(longest) * RtfCharWidth + RtfCellRoom);
        words[column] = double(word) * RtfCharWidth + RtfCellRoom;
    }
    const double usable = std::max(columns, page.usableWidth());
    ShrinkToRoom(widths, usable);
    // A word wider than the page breaks whatever is done; the others stay whole.
    CapToRoom(words, usable);
    RaiseToLeast(widths, words, usable);

    QList<int> edges;
    double right = 0.0;
    int previous = 0;
    for (const double width : widths) {
        right += width;
        // Rounded down, so that the last edge stays within the page; every
        // cell keeps a twip at least.
        previous = std::max(previous + 1, int(right));
        edges.append(previous);
    }
    return edges;
}

// The records of a table as CSV, without a byte order mark, handed to the
// sink a record at a time.
void WriteCsvRecords(const TextTable &table, const std::function<void(const QByteArray &)> &sink)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        QByteArray record;
        for (int column = 0; column < table.columnCount(); ++column) {
            if (column > 0)
                record += ',';
            record += CsvField(table.cell(column, row));
        }
        record += "\r\n";
        sink(record);
    }
}

// An HTML5 document: the title, then for each section its heading and its
// table, handed to the sink a row at a time.
void WriteHtmlDocument(const QString &title, const QList<HtmlSection> &sections,
                       const std::function<void(const QByteArray &)> &sink)
{
    sink("<!DOCTYPE html>\n"
         "<html lang=\"en\">\n"
         "<head>\n"
         "<meta charset=\"utf-8\">\n"
         "<title>");
    sink(title.toHtmlEscaped().toUtf8());
    sink("</title>\n"
         "<style>\n"
         "table { border-collapse: collapse; }\n"
         "th, td { border: 1px solid #000; padding: 2px 6px; text-align: left;"
         " vertical-align: top; }\n"
         "</style>\n"
         "</head>\n"
         "<body>\n");
    for (const HtmlSection &section : sections) {
        const TextTable &table = *section.table;
        sink("<h1>" + section.heading.toHtmlEscaped().toUtf8() + "</h1>\n<table>\n");
        for (int row = 0; row < table.rowCount(); ++row) {
            const char *tag = row == 0 ? "th" : "td";
            QByteArray line = row == 0 ? "<thead>\n<tr>" : "<tr>";
            for (int column = 0; column < table.columnCount(); ++column) {
                line += '<';
                line += tag;
                line += '>';
                line += HtmlCell(table.cell(column, row));
                line += "</";
                line += tag;
                line += '>';
            }
            line += "</tr>\n";
            if (row == 0)
                line += "</thead>\n<tbody>\n";
            sink(line);
        }
        if (table.rowCount() > 0)
            sink("</tbody>\n");
        sink("</table>\n");
    }
    sink("</body>\n</html>\n");
}

} // namespace

void ExportCsv(const TextTable &table, const QString &path)
{
    ExportFile file(path);
    // Spreadsheets read a CSV file without a byte order mark in the system's
    // 8-bit code page and garble every character beyond ASCII; the mark tells
    // them it is UTF-8.
    file.write("\xEF\xBB\xBF");
    WriteCsvRecords(table, [&file](const QByteArray &bytes) { file.write(bytes); });
    file.commit();
}

QByteArray CsvText(const TextTable &table)
{
    QByteArray text;
    WriteCsvRecords(table, [&text](const QByteArray &bytes) { text += bytes; });
    return text;
}

void ExportHtml(const TextTable &table, const QString &title, const QString &path)
{
    ExportHtml(title, {HtmlSection{title, &table}}, path);
}

void ExportHtml(const QString &title, const QList<HtmlSection> &sections, const QString &path)
{
    ExportFile file(path);
    WriteHtmlDocument(title, sections, [&file](const QByteArray &bytes) { file.write(bytes); });
    file.commit();
}

QByteArray HtmlText(const QString &title, const QList<HtmlSection> &sections)
{
    QByteArray text;
    WriteHtmlDocument(title, sections, [&text](const QByteArray &bytes) { text += bytes; });
    return text;
}

namespace {

QString flatCell(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

QByteArray PlainTextTables(const QList<ReportTable> &tables)
{
    QString out;
    for (const ReportTable &entry : tables) {
        const TextTable &table = *entry.table;
        if (!out.isEmpty())
            out += u'\n';
        out += entry.title + u'\n';
        QList<qsizetype> widths(table.columnCount(), 0);
        for (int row = 0; row < table.rowCount(); ++row)
            for (int column = 0; column < table.columnCount(); ++column)
                widths[column] = std::max(widths[column], flatCell(table.cell(column, row)).size());
        for (int row = 0; row < table.rowCount(); ++row) {
            QString line;
            for (int column = 0; column < table.columnCount(); ++column) {
                if (column > 0)
                    line += QStringLiteral("  ");
                line += flatCell(table.cell(column, row)).leftJustified(widths[column]);
            }
            while (line.endsWith(u' '))
                line.chop(1);
            out += line + u'\n';
        }
    }
    return out.toUtf8();
}

namespace {

// A cell that is a whole number, as one.
std::optional<qint64> wholeNumber(const QString &cell)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d{1,18}$"));
    if (!number.match(cell).hasMatch())
        return std::nullopt;
    return cell.toLongLong();
}

// A row of a table as one object keyed by the header's names, each value
// typed: a whole number as a number, "HEAD (QL 169)" as the name with the
// level under the heading and " QL", and an ability requirement ("404 -
// Weapon Smt - Agility") as its number, with the ability the implant needs
// under "Ability" and the recipe's text under "Recipe". Other cells stay
// text; an empty cell is left out.
QJsonObject typedRecord(const QStringList &header, const QStringList &cells)
{
    static const QRegularExpression atLevel(QStringLiteral("^(.+) \\(QL (\\d{1,9})\\)$"));
    static const QRegularExpression requirement(QStringLiteral("^(\\d{1,18}) (.*?)(?:(?:^| )- (\\w+))?$"));
    QJsonObject record;
    for (int column = 0; column < int(std::min(header.size(), cells.size())); ++column) {
        const QString &name = header.at(column);
        const QString &cell = cells.at(column);
        if (name.isEmpty() || cell.isEmpty())
            continue;
        if (const std::optional<qint64> value = wholeNumber(cell)) {
            record.insert(name, *value);
            continue;
        }
        if (const QRegularExpressionMatch match = atLevel.match(cell); match.hasMatch()) {
            record.insert(name, match.captured(1));
            record.insert(name + QStringLiteral(" QL"), match.captured(2).toInt());
            continue;
        }
        const QRegularExpressionMatch match = requirement.match(cell);
        const QString ability = match.captured(3);
        if (match.hasMatch() && (StatNames().contains(ability) || ability == QLatin1String("Unknown") ||
                                 (ability.isEmpty() && match.captured(2).startsWith(QLatin1String("- "))))) {
            record.insert(name, match.captured(1).toLongLong());
            if (!ability.isEmpty())
                record.insert(QStringLiteral("Ability"), ability);
            const QString recipe = match.captured(2).mid(2).trimmed();
            if (!recipe.isEmpty())
                record.insert(QStringLiteral("Recipe"), recipe);
            continue;
        }
        record.insert(name, cell);
    }
    return record;
}

} // namespace

QJsonObject JsonTablesObject(const QList<ReportTable> &tables)
{
    QJsonObject root;
    for (const ReportTable &entry : tables) {
        const TextTable &table = *entry.table;
        const QStringList header = table.row(0);
        QJsonArray rows;
        QJsonArray records;
        for (int row = 1; row < table.rowCount(); ++row) {
            const QStringList cells = table.row(row);
            rows.append(QJsonArray::fromStringList(cells));
            const QJsonObject record = typedRecord(header, cells);
            if (!record.isEmpty())
                records.append(record);
        }
        QJsonObject object;
        object.insert(QStringLiteral("title"), entry.title);
        object.insert(QStringLiteral("header"), QJsonArray::fromStringList(header));
        object.insert(QStringLiteral("rows"), rows);
        object.insert(QStringLiteral("records"), records);
        root.insert(entry.key, object);
    }
    return root;
}

namespace {

QJsonObject statsJson(const Stats &stats)
{
    QJsonObject object;
    for (int i = 0; i < StatCount; ++i)
        object.insert(StatNames().at(i), qint64(stats[std::size_t(i)]));
    return object;
}

} // namespace

QJsonObject LadderJson(const Ladder &ladder)
{
    QJsonArray steps;
    for (const LadderStep &step : ladder.steps) {
        QJsonObject object;
        object.insert(QStringLiteral("slot"), step.slot);
        object.insert(QStringLiteral("ql"), step.ql);
        object.insert(QStringLiteral("treatment"), qint64(step.treatmentNeeded));
        object.insert(QStringLiteral("ability"), StatNames().at(int(step.ability)));
        object.insert(QStringLiteral("abilityNeeded"), qint64(step.abilityNeeded));
        object.insert(QStringLiteral("final"), step.final);
        object.insert(QStringLiteral("before"), statsJson(step.before));
        object.insert(QStringLiteral("after"), statsJson(step.after));
        if (step.replaces > 0)
            object.insert(QStringLiteral("replacesQl"), step.replaces);
        object.insert(QStringLiteral("treatmentTrickle"), qint64(step.trickle));
        object.insert(QStringLiteral("byTrickleDown"), step.byTrickle);
        if (!step.symbiant.isEmpty())
            object.insert(QStringLiteral("symbiant"), step.symbiant);
        steps.append(object);
    }
    QJsonObject final;
    for (const LadderLevel &level : ladder.finalLevels)
        final.insert(level.slot, level.ql);
    QJsonArray unwearable;
    for (const LadderUnwearable &implant : ladder.unwearable)
        unwearable.append(QJsonObject{{QStringLiteral("slot"), implant.slot}, {QStringLiteral("reason"), implant.reason}});
    QJsonObject object;
    object.insert(QStringLiteral("character"), statsJson(ladder.character.stats));
    object.insert(QStringLiteral("maxQl"), ladder.topLevel);
    object.insert(QStringLiteral("trickleDown"), ladder.trickleDown);
    object.insert(QStringLiteral("steps"), steps);
    object.insert(QStringLiteral("final"), final);
    object.insert(QStringLiteral("unwearable"), unwearable);
    return object;
}

QJsonObject TrickleDownJson(bool counted, qint64 treatment, const QList<TrickleOnlySkill> &trickleOnly)
{
    QJsonArray skills;
    for (const TrickleOnlySkill &skill : trickleOnly)
        skills.append(QJsonObject{{QStringLiteral("skill"), skill.skill}, {QStringLiteral("gain"), skill.gain}});
    QJsonObject object;
    object.insert(QStringLiteral("counted"), counted);
    object.insert(QStringLiteral("treatment"), treatment);
    object.insert(QStringLiteral("trickleOnlySkills"), skills);
    return object;
}

namespace {

QJsonArray valuesJson(const QList<qint64> &values)
{
    QJsonArray array;
    for (qint64 value : values)
        array.append(value);
    return array;
}

QJsonArray linesJson(const QList<const SeriesLine *> &lines)
{
    QJsonArray array;
    for (const SeriesLine *line : lines)
        array.append(QJsonObject{{QStringLiteral("name"), line->name},
                                 {QStringLiteral("values"), valuesJson(line->values)}});
    return array;
}

} // namespace

QJsonObject SeriesJson(const PlanSeries &series)
{
    QJsonArray levels;
    for (int q = SeriesFirstLevel; q <= SeriesLastLevel; ++q)
        levels.append(q);
    QList<const SeriesLine *> skills;
    for (const SeriesLine &skill : series.skills)
        skills.append(&skill);
    QJsonArray character;
    for (const StatLine &stat : series.character)
        character.append(QJsonObject{{QStringLiteral("stat"), StatNames().at(int(stat.stat))},
                                     {QStringLiteral("name"), stat.name},
                                     {QStringLiteral("value"), qint64(stat.value)}});
    QJsonArray limits;
    for (const WearLimit &limit : series.limits) {
        QJsonObject object;
        object.insert(QStringLiteral("slot"), limit.slot);
        object.insert(QStringLiteral("ability"),
                      limit.ability < 0 ? QJsonValue() : QJsonValue(StatNames().at(limit.ability)));
        object.insert(QStringLiteral("lastLevel"), limit.lastLevel);
        if (const QString reason = UnwearableReason(limit.ability, limit.lastLevel); !reason.isEmpty())
            object.insert(QStringLiteral("reason"), reason);
        else if (limit.lastLevel < SeriesLastLevel)
            object.insert(QStringLiteral("limitedBy"), StatNames().at(int(limit.limitedBy)));
        if (limit.ladderLevel)
            object.insert(QStringLiteral("ladderLevel"), *limit.ladderLevel);
        limits.append(object);
    }
    QJsonArray targets;
    for (int level : series.targets)
        targets.append(level);

    QJsonObject object;
    object.insert(QStringLiteral("levels"), levels);
    object.insert(QStringLiteral("requirements"),
                  linesJson({&series.treatment, &series.ability, &series.nanoProgramming}));
    if (series.nanoProgMax)
        object.insert(QStringLiteral("nanoProgMax"), qint64(*series.nanoProgMax));
    object.insert(QStringLiteral("skills"), linesJson(skills));
    object.insert(QStringLiteral("character"), character);
    object.insert(QStringLiteral("limits"), limits);
    object.insert(QStringLiteral("targets"), targets);
    object.insert(QStringLiteral("boundary"), SeriesBoundaryLevel);
    return object;
}

QByteArray CsvTables(const QList<ReportTable> &tables)
{
    QByteArray out;
    for (const ReportTable &entry : tables) {
        if (!out.isEmpty())
            out += "\r\n";
        out += CsvText(*entry.table);
    }
    return out;
}

RtfPage RtfPageFromMm(double widthMm, double heightMm, bool landscape, double leftMm, double topMm, double rightMm,
                      double bottomMm)
{
    const auto twips = [](double mm) { return int(std::lround(mm * 1440.0 / 25.4)); };
    if (landscape != (widthMm > heightMm))
        std::swap(widthMm, heightMm);
    return RtfPage{twips(widthMm), twips(heightMm), twips(leftMm), twips(rightMm), twips(topMm), twips(bottomMm)};
}

void ExportRtf(const TextTable &table, const QString &title, const QString &path, const RtfPage &page)
{
    ExportFile file(path);
    file.write("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
               "{\\fonttbl{\\f0\\fswiss Arial;}}\n");
    // The page the columns were fitted to, so that the word processor lays
    // the document out on it.
    QByteArray pageSetup = "\\paperw" + QByteArray::number(page.width) + "\\paperh" + QByteArray::number(page.height) +
                           "\\margl" + QByteArray::number(page.marginLeft) + "\\margr" +
                           QByteArray::number(page.marginRight) + "\\margt" + QByteArray::number(page.marginTop) +
                           "\\margb" + QByteArray::number(page.marginBottom);
    if (page.width > page.height)
        pageSetup += "\\landscape";
    file.write(pageSetup + "\n\\fs20\n");
    QByteArray heading = "{\\pard\\b\\fs28 ";
    AppendRtfText(heading, title);
    heading += "\\par}\n";
    file.write(heading);

    // Every row carries its own definition: the cell borders and the right
    // edge of each cell.
    QByteArray cellDefinitions;
    for (const int right : RtfCellEdges(table, page)) {
        cellDefinitions += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                         "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx";
        cellDefinitions += QByteArray::number(right);
    }
    cellDefinitions += '\n';

    for (int row = 0; row < table.rowCount(); ++row) {
        // The header row repeats at the top of every page.
        QByteArray line = "\\trowd\\trgaph70\\trleft0";
        if (row == 0)
            line += "\\trhdr";
        line += cellDefinitions;
        for (int column = 0; column < table.columnCount(); ++column) {
            line += row == 0 ? "\\pard\\intbl\\b " : "\\pard\\intbl\\plain\\fs20 ";
            line += RtfCell(table.cell(column, row));
            line += row == 0 ? "\\b0\\cell\n" : "\\cell\n";
        }
        line += "\\row\n";
        file.write(line);
    }
    file.write("\\pard\\par\n}\n");
    file.commit();
}

} // namespace ludra
