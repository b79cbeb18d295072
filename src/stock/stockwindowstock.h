#pragma once

#include "stock/stockfile.h"
#include "stock/stockregister.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace ludra {

// The cluster names of the stock control window's register, one per line of
// the catalogue text, blank lines included: the text before the line's first
// comma, trimmed of codes 0 to 32 (a line without a comma has an empty name).
// An empty name becomes "Unknown #" and a number counting from 0 in file
// order. The names are in file order; the register sorts them.
QStringList StockWindowClusterNames(QStringView catalogueText);

// The stock control window's own copy of the stock register: built from the
// catalogue and filled from the stock file, all of its streams, when the
// window opens; written back when it closes.
class StockWindowStock
{
public:
    // Builds the register from the catalogue at cataloguePath and loads the
    // stock file at stockPath when there is one. A catalogue that cannot be
    // read leaves the register without cluster entries; a stock file that
    // cannot be read leaves the register empty, and the reason is kept.
    void open(const QString &cataloguePath, const QString &stockPath);

    StockRegister &stock() { return m_register; }
    const StockRegister &stock() const { return m_register; }
    const ImplantClusterLists &implantClusters() const { return m_implantClusters; }

    // Whether the catalogue was read: without it there are no cluster entries,
    // and a cluster position of the stock file means nothing to this register.
    bool catalogueRead() const { return m_catalogueRead; }
    // Why the stock file could not be read; empty when it was read or was not
    // there.
    const QString &unreadableReason() const { return m_unreadableReason; }
    // The name an unreadable stock file will be kept under when the register
    // is written ("<name>.unreadable", numbered when that is taken).
    QString keptName() const;

    // Writes the register to the stock file. An unreadable file there is first
    // kept aside under keptName(), which is returned; otherwise returns an
    // empty string. With the catalogue read, every stream is written from the
    // register. Without it, the cluster streams of the file being replaced are
    // carried over unchanged (and so are the implant-cluster lists, which were
    // read from that file and never change): only the body-slot streams are
    // written. Throws EStreamError when the file cannot be written.
    QString save();

private:
    StockRegister m_register;
    ImplantClusterLists m_implantClusters;
    QString m_stockPath;
    QString m_unreadableReason;
    bool m_catalogueRead = false;
};

} // namespace ludra
