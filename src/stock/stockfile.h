#pragma once

#include "stock/stockregister.h"

#include <QString>
#include <QStringList>

#include <array>

namespace ludra {

// The stock file, among the files Ludra writes (UserFile).
inline const QString StockFileName = QStringLiteral("default.stk");
// Its full path.
QString StockPath();

// The implant-cluster lists of the stock control window, in file order:
// "IC_Shining", "IC_Bright", "IC_Faded", "IC_Cost", "IC_Type", "IC_Quality".
// The program keeps them as they are read.
struct ImplantClusterLists
{
    static const std::array<QString, 6> &streamNames();
    std::array<QStringList, 6> lists;

    bool operator==(const ImplantClusterLists &) const = default;
};

// A stock file is a compressed stream container with one stream per list,
// each line followed by CR LF: "ClusterQL", "ClusterCost", "ClusterType" and
// the position of each cluster entry, "ImplantQL" and "ImplantCost" and the
// position of each slot entry, and the six implant-cluster lists. Nothing in
// the file says how many entries it holds: the register does.

// Fills the register's entries from the file: each entry's lists are
// replaced by the streams of its position (a stream the file lacks gives an
// empty list); streams the register has no entry for are ignored. With
// implantClusters, also those. A file that cannot be read or is corrupt
// changes nothing and returns false, with the reason in *error.
bool LoadStockFile(const QString &path, StockRegister &stock, ImplantClusterLists *implantClusters = nullptr,
                   QString *error = nullptr);

// Writes the register to the file, replacing it only once the new file is
// whole. With implantClusters the six lists are written from it; without,
// every stream of the file being replaced that this register does not write
// (the implant-cluster lists, entries beyond the register) is carried over
// as it was. Throws EStreamError when the file cannot be written.
void SaveStockFile(const QString &path, const StockRegister &stock,
                   const ImplantClusterLists *implantClusters = nullptr);

// Empties the register's items and reads the stock file into it when there is
// one (ReloadStock). False, with the reason, when a file is there and cannot
// be read; the register is then empty.
bool ReloadStock(StockRegister &stock, const QString &path = StockPath(), QString *error = nullptr);

// The name an unreadable file at path is kept under: "<path>.unreadable", or
// "<path>.unreadable.2" and so on when that is taken.
QString UnreadableName(const QString &path);

// Renames a file that could not be read to "<path>.unreadable", or
// "<path>.unreadable.2" and so on when that is taken, so that writing a new
// file at path loses nothing. Returns the new name; throws EStreamError when
// the rename fails.
QString KeepUnreadable(const QString &path);

} // namespace ludra
