#pragma once

#include "stock/stockregister.h"

#include <QString>
#include <QStringList>

namespace ludra {

class Prompter;

// The main window's copy of the stock register and what a build records while
// it draws on it: the slots whose implants it takes with their quality levels
// (ImplantsUsed, ImplantsUsedQL) and the items it removed.
class StockState
{
public:
    StockRegister &stock() { return m_register; }
    const StockRegister &stock() const { return m_register; }

    // Set while a build runs: stock checks then write build log lines instead
    // of layout markers.
    bool Building = false;
    QStringList ImplantsUsed;
    QStringList ImplantsUsedQL;
    int ClustersDeleted = 0;
    int ImplantsDeleted = 0;

    // Forgets what the last build used.
    void resetUse();

    // Empties the register's items and reads the stock file into it when
    // there is one (ReloadStock). A file that is there but cannot be read
    // leaves the register empty and is reported once, until it reads again;
    // it is then kept aside before anything writes over it.
    void reload(const QString &path, Prompter &prompter);
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
