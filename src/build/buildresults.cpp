#include "build/buildresults.h"

#include "common/collation.h"

#include <algorithm>

namespace ludra {

namespace {

void setHeader(TextTable &table, const QStringList &headers)
{
    table.setColumnCount(int(headers.size()));
    table.setRowCount(2);
    table.setRow(0, headers);
}

} // namespace

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
    m_skillIncSort.clear();
}

void BuildResults::resortRequirements()
{
    m_reqSort = {ReqCol::Type, ReqCol::Cluster};
    SortResultRows(m_reqTable, m_reqSort);
}

void BuildResults::clearTables()
{
    ClearResultTable(m_skillIncTable);
    ClearResultTable(m_reqTable);
    ClearResultTable(m_suggestTable);
}

} // namespace ludra
