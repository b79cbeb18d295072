#pragma once

#include "common/texttable.h"

#include <QStringList>

namespace ludra {

// What a build produces: the skill increase, requirement and suggestion
// tables (row 0 their headers, one blank data row until a build fills them)
// and the build log.
class BuildResults
{
public:
    BuildResults();

    TextTable &skillIncTable() { return m_skillIncTable; }
    TextTable &reqTable() { return m_reqTable; }
    TextTable &suggestTable() { return m_suggestTable; }
    const TextTable &skillIncTable() const { return m_skillIncTable; }
    const TextTable &reqTable() const { return m_reqTable; }
    const TextTable &suggestTable() const { return m_suggestTable; }

    const QStringList &buildLog() const { return m_buildLog; }
    void clearBuildLog() { m_buildLog.clear(); }

private:
    TextTable m_skillIncTable;
    TextTable m_reqTable;
    TextTable m_suggestTable;
    QStringList m_buildLog;
};

} // namespace ludra
