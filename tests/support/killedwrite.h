#pragma once

#include "stock/stockregister.h"
#include "storage/projectfile.h"

// The two versions of a file that the kill tests' child writes in turn: of
// the same size, so that the child is killed in the writing of either about
// as often, and with different texts throughout, so that a file mixed from
// both, or cut short, passes for neither.
inline ludra::ProjectImage killedWriteProject(int version)
{
    ludra::ProjectImage project;
    for (int i = 0; i < 2000; ++i)
        project.config.append(QStringLiteral("line %1 of plan %2").arg(i).arg(version));
    return project;
}

inline ludra::StockRegister killedWriteStock(int version)
{
    ludra::StockRegister stock;
    for (int i = 0; i < 1500; ++i)
        stock.ImplantStock()[i % 13].stock.add(
            ludra::StockItem{QString::number((i + version) % 300 + 1), QString::number(i * 2 + version), {}}, false);
    return stock;
}
