#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace ludra {

class TextTable;
struct Ladder;
struct PlanSeries;
struct TrickleOnlySkill;

// Writes a table's cells, header row included, in the table's row order, to
// a file, replacing it only once the new file is whole. Throws EStreamError
// naming the file and the reason when it cannot be written; an old file is
// then left as it was. title names the document where the format has a
// place for it.

// RFC 4180: fields holding a comma, a quote or a line break are quoted,
// quotes doubled, lines end in CR LF; UTF-8.
void ExportCsv(const TextTable &table, const QString &path);
// The CSV records of ExportCsv as text, without the byte order mark.
QByteArray CsvText(const TextTable &table);
// One table of an HTML document under its own heading.
struct HtmlSection
{
    QString heading;
    const TextTable *table = nullptr;
};
// An HTML5 document with the title, a character set, and one table: the
// header row as <th> cells, every text escaped.
void ExportHtml(const TextTable &table, const QString &title, const QString &path);
// The same document holding each section's heading and table in turn; one
// section headed by the title is the file of one table.
void ExportHtml(const QString &title, const QList<HtmlSection> &sections, const QString &path);
// The text of that document.
QByteArray HtmlText(const QString &title, const QList<HtmlSection> &sections);
// One of several tables written as one text: its key (the name JSON gives
// it) and its title.
struct ReportTable
{
    QString key;
    QString title;
    const TextTable *table = nullptr;
};
// The tables as plain text: each under its title, its columns aligned with
// two spaces between them, line breaks in a cell written as spaces, UTF-8.
QByteArray PlainTextTables(const QList<ReportTable> &tables);
// The tables as one JSON object: under each key, an object with the title,
// the header row, the data rows as shown, and "records": each data row as an
// object of typed values keyed by the header (numbers as numbers, a level
// under its heading and " QL", an ability requirement's "Ability" and
// "Recipe" apart), an empty row left out.
QJsonObject JsonTablesObject(const QList<ReportTable> &tables);
// A ladder as one JSON object: the character, the top level ("maxQl"),
// whether it counted trickle-down into Treatment ("trickleDown"), the steps
// (slot, ql, treatment, ability, abilityNeeded, final, every stat "after" the
// step, the Treatment the abilities worn add through trickle-down
// ("treatmentTrickle") and whether only that made the step possible
// ("byTrickleDown"), and for a symbiant its title ("symbiant")), the final level of every implant of the plan ("final",
// 0 where it cannot be worn) and the implants that cannot be worn, with why
// ("unwearable").
QJsonObject LadderJson(const Ladder &ladder);
// A build's trickle-down as one JSON object: whether the build counted it
// ("counted"), what the abilities the build adds give Treatment through it
// ("treatment") and the selected skills it alone raises, each with its gain
// ("trickleOnlySkills"); 0 and none when it was not counted.
QJsonObject TrickleDownJson(bool counted, qint64 treatment, const QList<TrickleOnlySkill> &trickleOnly);
// The series of the graphs as one JSON object: the levels, the requirement
// lines and the skill lines (each a name and its values, level by level),
// the maximum nano-programming skill when the Build tab warns above it
// ("nanoProgMax"), the character's stat lines, how far it can wear each
// implant ("limits": slot, ability, lastLevel, and limitedBy or the reason
// none can be worn, and ladderLevel with "Highest I Can Wear"), the target
// levels and the 200/201 boundary.
QJsonObject SeriesJson(const PlanSeries &series);
// The tables' CSV records (CsvText), one table after the other with an empty
// line between them.
QByteArray CsvTables(const QList<ReportTable> &tables);

// The page an RTF document is laid out on, in twips (1/1440 inch): its size
// as it lies (wider than high in landscape) and its margins. By default an
// A4 page in portrait with the print settings' default margins of 15 mm.
struct RtfPage
{
    int width = 11906;
    int height = 16838;
    int marginLeft = 850;
    int marginRight = 850;
    int marginTop = 850;
    int marginBottom = 850;

    // The width between the margins, which a table takes at most.
    int usableWidth() const { return width - marginLeft - marginRight; }
};
// A page of a size in millimetres (given upright), turned to landscape or
// not, with margins in millimetres.
RtfPage RtfPageFromMm(double widthMm, double heightMm, bool landscape, double leftMm, double topMm, double rightMm,
                      double bottomMm);

// An RTF document for the page holding the title and the table as a real
// table (bold header row, single borders), which word processors open
// whatever the file's extension. The columns are fitted to the page's width
// between the margins as printing fits them: each as wide as its longest
// line where the page has room, narrowed in proportion where it has not, a
// column narrower than its longest word then taking room from the others as
// far as their own words allow.
void ExportRtf(const TextTable &table, const QString &title, const QString &path, const RtfPage &page = RtfPage());

} // namespace ludra
