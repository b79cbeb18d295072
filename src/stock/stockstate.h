#pragma once

#include "stock/stockregister.h"

#include <QString>
#include <QStringList>

namespace ludra {

class Prompter;

// An implant a build takes from stock: its body slot and quality level (an
// entry of ImplantsUsed and ImplantsUsedQL).
struct UsedImplant
{
    QString slot;
    int ql = 0;
};

// The main window's copy of the stock register and what a build records while
// it draws on it: the slots whose implants it takes with their quality levels
// and the items it removed.
class StockState
{
public:
    StockRegister &stock() { return m_register; }
    const StockRegister &stock() const { return m_register; }

    // Each slot once, in the order the build first drew on it.
    QList<UsedImplant> ImplantsUsed;
    int ClustersDeleted = 0;
    int ImplantsDeleted = 0;

    // Forgets what the last build used.
    void resetUse();
    // Records the slot's implant at ql as used, unless the slot already is.
    void useImplant(const QString &slot, int ql);

    // Empties the register's items and reads the stock file into it when
    // there is one (ReloadStock). A file that is there but cannot be read
    // leaves the register empty and is reported once, until it reads again;
    // it is then kept aside before anything writes over it. Returns whether
    // the file was read (or there was none).
    bool reload(const QString &path, Prompter &prompter);
    // Writes the register to the stock file (the main window's rewrite,
    // which carries over what the register does not hold). An unreadable
    // file there is first renamed to "<name>.unreadable" (numbered when that
    // is taken) rather than written over. Throws EStreamError when either
    // fails.
    void save(const QString &path);
    // The stock file that could not be read, empty when the last reload read
    // it or found none.
    const QString &unreadableFile() const { return m_unreadable; }

private:
    StockRegister m_register;
    QString m_unreadable;
};


} // namespace ludra
