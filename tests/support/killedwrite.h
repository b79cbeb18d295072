#pragma once

#include "stock/stockregister.h"
#include "storage/projectfile.h"

// The two versions of a file that the kill tests' child writes in turn, of
// very different sizes, so that a file cut short or mixed from both cannot
// pass for either.
inline ludra::ProjectImage killedWriteProject(bool large)
{
    ludra::ProjectImage project;
    if (!large)
        project.config = {QStringLiteral("a")};
    for (int i = 0; large && i < 4000; ++i)
        project.config.append(QStringLiteral("line %1 of the larger plan").arg(i));
    return project;
}

inline ludra::StockRegister killedWriteStock(bool many)
{
    ludra::StockRegister stock;
    const int items = many ? 3000 : 1;
    for (int i = 0; i < items; ++i)
        stock.ImplantStock()[i % 13].stock.add(
            ludra::StockItem{QString::number(i % 300 + 1), QString::number(i), {}}, false);
    return stock;
}
