// libFuzzer target: the print settings file ("printing.ini"), read for the
// report grids as the program reads it at start-up. The input is the file's
// bytes, given to the reader's text form: the file form only opens the file
// and refuses one over a megabyte, which max_len keeps the input far below.
// Any bytes must read without a crash or undefined behaviour, and what is
// read must keep the file's rules: settings only for the grids asked for,
// each marked as the user's choice, every size and margin in its range, at
// most twenty title lines and a title of the user's own exactly when there
// are lines. The settings written back as the file's text must read as the
// same settings (the margins and the row spacing as the file writes them,
// to a tenth of a millimetre), and that text must write back unchanged.

#include "reports/printsettings.h"
#include "reports/printsettingsfile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace ludra;

namespace {

// The report grids whose settings the program keeps (ReportGridNames of the
// reports, which lives with the windows), in the program's order.
const QStringList &gridNames()
{
    static const QStringList names{QStringLiteral("grdReport"),  QStringLiteral("grdSkillInc"),
                                   QStringLiteral("grdReqs"),    QStringLiteral("grdSuggest"),
                                   QStringLiteral("grdLadder"),  QStringLiteral("grdCompare"),
                                   QStringLiteral("grdSymbiants")};
    return names;
}

bool inRange(double value, double least, double most)
{
    return value >= least && value <= most;
}

void check(const PrintSettings &s)
{
    const double most = MaxPrintMarginMm;
    if (!s.chosen || !inRange(s.fontPointSize, MinPrintPointSize, MaxPrintPointSize)
        || !inRange(s.headerPointSize, MinPrintPointSize, MaxPrintPointSize) || !inRange(s.marginsMm.left(), 0, most)
        || !inRange(s.marginsMm.top(), 0, most) || !inRange(s.marginsMm.right(), 0, most)
        || !inRange(s.marginsMm.bottom(), 0, most) || !inRange(s.rowSpacingMm, 0, most)
        || s.titleLines.size() > 20 || s.ownTitle != !s.titleLines.isEmpty())
        std::abort();
}

// A length as the file writes it: to a tenth.
double written(double mm)
{
    return QString::number(mm, 'f', 1).toDouble();
}

QList<QPair<QString, PrintSettings>> inGridOrder(const QHash<QString, PrintSettings> &read)
{
    QList<QPair<QString, PrintSettings>> grids;
    for (const QString &grid : gridNames())
        if (read.contains(grid))
            grids.append({grid, read.value(grid)});
    return grids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QHash<QString, PrintSettings> read = PrintSettingsFromText(bytes, gridNames());
    for (auto i = read.cbegin(); i != read.cend(); ++i) {
        if (!gridNames().contains(i.key()))
            std::abort();
        check(i.value());
    }

    const QList<QPair<QString, PrintSettings>> grids = inGridOrder(read);
    const QByteArray text = PrintSettingsText(grids);
    const QHash<QString, PrintSettings> again = PrintSettingsFromText(text, gridNames());
    if (again.size() != read.size())
        std::abort();
    for (const auto &[grid, first] : grids) {
        PrintSettings expected = first;
        const QMarginsF &m = first.marginsMm;
        expected.marginsMm =
            QMarginsF(written(m.left()), written(m.top()), written(m.right()), written(m.bottom()));
        expected.rowSpacingMm = written(first.rowSpacingMm);
        if (again.value(grid) != expected)
            std::abort();
    }
    if (PrintSettingsText(inGridOrder(again)) != text)
        std::abort();
    return 0;
}
