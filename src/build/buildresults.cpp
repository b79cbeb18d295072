#include "build/buildresults.h"

#include "build/buildsettings.h"
#include "common/collation.h"
#include "common/numbers.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

void setHeader(TextTable &table, const QStringList &headers)
{
    table.setColumnCount(int(headers.size()));
    table.setRowCount(2);
    table.setRow(0, headers);
}

// A requirement or maximum as a number: "0" in front, so that empty text
// counts as 0, then the strict integer rule. Text with a sign, spaces, a
// decimal point or more digits than fit is no number and gives nothing.
std::optional<int> zeroPrefixedNumber(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(QLatin1Char('0') + text, value))
        return std::nullopt;
    return value;
}

} // namespace

ReqCellColor RequirementCellColor(const BuildSettings &settings, int column, int row, const QString &text)
{
    if (column != ReqCol::SkillReq || row < 1)
        return ReqCellColor::Black;
    if (!settings.warnNanoProg)
        return ReqCellColor::Normal;
    // A cell or a maximum that is not a number (pasted into the box, say)
    // cannot be compared, and a warning that cannot be judged is not given.
    const std::optional<int> value = zeroPrefixedNumber(text);
    const std::optional<int> maximum = zeroPrefixedNumber(settings.maxNanoProgText);
    if (!value || !maximum)
        return ReqCellColor::Normal;
    return *value > *maximum ? ReqCellColor::Red : ReqCellColor::Normal;
}

void ClearResultTable(TextTable &table)
{
    table.setRowCount(2);
    table.setRow(1, QStringList());
}

void SortResultRows(TextTable &table, const QList<int> &columns)
{
    const int rows = table.rowCount();
    if (rows <= 2 || columns.isEmpty())
        return;
    QList<QStringList> data;
    data.reserve(rows - 1);
    for (int r = 1; r < rows; ++r)
        data.append(table.row(r));
    std::stable_sort(data.begin(), data.end(), [&columns](const QStringList &a, const QStringList &b) {
        for (int c : columns) {
            const int order = CompareText(a.value(c), b.value(c));
            if (order != 0)
                return order < 0;
        }
        return false;
    });
    for (int r = 1; r < rows; ++r)
        table.setRow(r, data.at(r - 1));
}

BuildResults::BuildResults()
{
    setHeader(m_skillIncTable, {QStringLiteral("Skill"), QStringLiteral("Increase"), QStringLiteral("Clusters")});
    setHeader(m_reqTable, {QStringLiteral("Cluster"), QStringLiteral("Credits"), QStringLiteral("Skill Req"),
                           QStringLiteral("Implant"), QStringLiteral("Type"), QStringLiteral("Treatment"),
                           QStringLiteral("Secondary Skill")});
    setHeader(m_suggestTable, {QStringLiteral("Suggested Cluster Addition"), QStringLiteral("Implant"),
                               QStringLiteral("New Secondary Skill")});
}

void BuildResults::clearSortColumns()
{
    m_reqSort.clear();
}

void BuildResults::resortRequirements()
{
    m_reqSort = {ReqCol::Type, ReqCol::Cluster};
    SortResultRows(m_reqTable, m_reqSort);
}

} // namespace ludra
