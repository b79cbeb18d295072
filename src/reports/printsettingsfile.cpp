#include "reports/printsettingsfile.h"

#include "common/wholefile.h"
#include "text/langfile.h"

#include <QFile>

#include <algorithm>
#include <memory>

namespace ludra {

namespace {

// A file larger than this is no file of Ludra's: a dozen settings for five
// grids take a few kilobytes.
constexpr qint64 MaxFileSize = 1 << 20;
// Title lines kept at most.
constexpr int MaxTitleLines = 20;

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

// Reads one section's values over the defaults; each value stands alone.
class SectionReader
{
public:
    SectionReader(const TLangFile &file, const QString &section) : m_file(file), m_section(section) {}

    bool has(const QString &key) const { return m_file.value(m_section, key, Missing) != Missing; }
    QString text(const QString &key, const QString &fallback) const
    {
        const QString value = m_file.value(m_section, key, Missing);
        return value == Missing ? fallback : value;
    }
    bool flag(const QString &key, bool fallback) const
    {
        const QString value = m_file.value(m_section, key);
        return value == u"1" ? true : value == u"0" ? false : fallback;
    }
    int integer(const QString &key, int least, int most, int fallback) const
    {
        bool ok = false;
        const int value = m_file.value(m_section, key).toInt(&ok);
        return ok && value >= least && value <= most ? value : fallback;
    }
    double real(const QString &key, double least, double most, double fallback) const
    {
        bool ok = false;
        const double value = m_file.value(m_section, key).toDouble(&ok);
        return ok && value >= least && value <= most ? value : fallback;
    }

private:
    // What value() gives for a key the section does not hold: no value can
    // be a line break, so an empty value is told apart.
    static inline const QString Missing = QStringLiteral("\n");

    const TLangFile &m_file;
    QString m_section;
};

PrintSettings readSection(const TLangFile &file, const QString &section)
{
    const SectionReader in(file, section);
    PrintSettings s;
    s.chosen = true;
    s.borders = in.flag(QStringLiteral("Borders"), s.borders);
    s.centred = in.flag(QStringLiteral("Centred"), s.centred);
    s.cellGraphics = in.flag(QStringLiteral("CellImages"), s.cellGraphics);
    s.fontFamily = in.text(QStringLiteral("Font"), s.fontFamily);
    s.fontPointSize = in.integer(QStringLiteral("FontSize"), MinPrintPointSize, MaxPrintPointSize, s.fontPointSize);
    s.headerBold = in.flag(QStringLiteral("HeaderBold"), s.headerBold);
    s.headerPointSize = in.integer(QStringLiteral("HeaderSize"), MinPrintPointSize, MaxPrintPointSize,
                                   s.headerPointSize);
    s.showDate = in.flag(QStringLiteral("Date"), s.showDate);
    s.dateFormat = in.text(QStringLiteral("DateFormat"), s.dateFormat);
    s.showPageNumbers = in.flag(QStringLiteral("PageNumbers"), s.showPageNumbers);
    s.pagePrefix = in.text(QStringLiteral("PagePrefix"), s.pagePrefix);
    s.marginsMm = QMarginsF(in.real(QStringLiteral("MarginLeft"), 0.0, MaxPrintMarginMm, s.marginsMm.left()),
                            in.real(QStringLiteral("MarginTop"), 0.0, MaxPrintMarginMm, s.marginsMm.top()),
                            in.real(QStringLiteral("MarginRight"), 0.0, MaxPrintMarginMm, s.marginsMm.right()),
                            in.real(QStringLiteral("MarginBottom"), 0.0, MaxPrintMarginMm, s.marginsMm.bottom()));
    s.rowSpacingMm = in.real(QStringLiteral("RowSpacing"), 0.0, MaxPrintMarginMm, s.rowSpacingMm);
    s.landscape = in.flag(QStringLiteral("Landscape"), s.landscape);
    // A title of the user's own only when every line of it is there.
    const int lines = in.integer(QStringLiteral("TitleLines"), 1, MaxTitleLines, 0);
    bool whole = lines > 0;
    for (int i = 1; whole && i <= lines; ++i) {
        const QString key = QStringLiteral("Title%1").arg(i);
        whole = in.has(key);
        s.titleLines.append(in.text(key, QString()));
    }
    s.ownTitle = whole;
    if (!whole)
        s.titleLines.clear();
    return s;
}

} // namespace

QHash<QString, PrintSettings> PrintSettingsFromText(const QByteArray &text, const QStringList &grids)
{
    const std::unique_ptr<TLangFile> file = TLangFile::fromText(QString::fromUtf8(text));
    QHash<QString, PrintSettings> found;
    for (const QString &grid : grids)
        if (file->hasSection(grid))
            found.insert(grid, readSection(*file, grid));
    return found;
}

QByteArray PrintSettingsText(const QList<QPair<QString, PrintSettings>> &grids)
{
    QStringList lines;
    for (const auto &[grid, s] : grids) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QStringLiteral("[%1]").arg(grid);
        const auto put = [&lines](const char *key, const QString &value) {
            lines << QLatin1String(key) + u'=' + value;
        };
        put("Borders", flag(s.borders));
        put("Centred", flag(s.centred));
        put("CellImages", flag(s.cellGraphics));
        put("Font", s.fontFamily);
        put("FontSize", QString::number(s.fontPointSize));
        put("HeaderBold", flag(s.headerBold));
        put("HeaderSize", QString::number(s.headerPointSize));
        put("Date", flag(s.showDate));
        put("DateFormat", s.dateFormat);
        put("PageNumbers", flag(s.showPageNumbers));
        put("PagePrefix", s.pagePrefix);
        put("MarginLeft", number(s.marginsMm.left()));
        put("MarginTop", number(s.marginsMm.top()));
        put("MarginRight", number(s.marginsMm.right()));
        put("MarginBottom", number(s.marginsMm.bottom()));
        put("RowSpacing", number(s.rowSpacingMm));
        put("Landscape", flag(s.landscape));
        // The report's own title is not kept: it follows the project.
        if (s.ownTitle && !s.titleLines.isEmpty()) {
            const int count = int(std::min<qsizetype>(s.titleLines.size(), MaxTitleLines));
            put("TitleLines", QString::number(count));
            for (int i = 0; i < count; ++i)
                lines << QStringLiteral("Title%1=").arg(i + 1) + s.titleLines.at(i);
        }
    }
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

QHash<QString, PrintSettings> ReadPrintSettingsFile(const QString &path, const QStringList &grids)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return {};
    return PrintSettingsFromText(file.read(MaxFileSize), grids);
}

void WritePrintSettingsFile(const QString &path, const QList<QPair<QString, PrintSettings>> &grids)
{
    WriteWholeFileOrThrow(path, PrintSettingsText(grids));
}

} // namespace ludra
