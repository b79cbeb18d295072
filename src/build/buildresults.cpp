#include "build/buildresults.h"

namespace ludra {

namespace {

void setHeader(TextTable &table, const QStringList &headers)
{
    table.setColumnCount(int(headers.size()));
    table.setRowCount(2);
    table.setRow(0, headers);
}

} // namespace

BuildResults::BuildResults()
{
    setHeader(m_skillIncTable, {QStringLiteral("Skill"), QStringLiteral("Increase"), QStringLiteral("Clusters")});
    setHeader(m_reqTable, {QStringLiteral("Cluster"), QStringLiteral("Credits"), QStringLiteral("Skill Req"),
                           QStringLiteral("Implant"), QStringLiteral("Type"), QStringLiteral("Treatment"),
                           QStringLiteral("Secondary Skill")});
    setHeader(m_suggestTable, {QStringLiteral("Suggested Cluster Addition"), QStringLiteral("Implant"),
                               QStringLiteral("New Secondary Skill")});
}

} // namespace ludra
