#include "build/skilltally.h"

#include "common/text.h"

namespace ludra {

void SkillTallies::add(const QString &skill, qint64 increase)
{
    const QStringView wanted = TrimCtl(QStringView(skill));
    for (Tally &tally : m_tallies) {
        if (TrimCtl(QStringView(tally.skill)) != wanted)
            continue;
        ++tally.clusters;
        tally.increase += increase;
        return;
    }
    const Tally counted{skill, increase, 1};
    if (m_tallies.size() == 1 && TrimCtl(QStringView(m_tallies.first().skill)).isEmpty())
        m_tallies.first() = counted;
    else
        m_tallies.append(counted);
}

} // namespace ludra
