#include "stock/stockstate.h"

#include "common/prompter.h"
#include "stock/stockfile.h"

#include <QDir>
#include <QFileInfo>

namespace ludra {

void StockState::resetUse()
{
    ImplantsUsed.clear();
    ClustersDeleted = 0;
    ImplantsDeleted = 0;
}

void StockState::useImplant(const QString &slot, int ql)
{
    for (const UsedImplant &used : ImplantsUsed)
        if (used.slot == slot)
            return;
    ImplantsUsed.append(UsedImplant{slot, ql});
}

bool StockState::reload(const QString &path, Prompter &prompter)
{
    QString error;
    if (ReloadStock(m_register, path, &error)) {
        m_unreadable.clear();
        return true;
    }
    if (m_unreadable == path)
        return false;
    m_unreadable = path;
    prompter.error(QStringLiteral("The stock file \"%1\" could not be read: %2\nLudra goes on without stock; "
                                  "the file is kept as it is.")
                       .arg(QDir::toNativeSeparators(path), error));
    return false;
}

void StockState::save(const QString &path)
{
    if (!m_unreadable.isEmpty() && m_unreadable == path && QFileInfo::exists(path)) {
        KeepUnreadable(path);
        m_unreadable.clear();
    }
    SaveStockFile(path, m_register);
}

} // namespace ludra
