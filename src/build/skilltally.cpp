#include "build/skilltally.h"

#include "common/text.h"

namespace ludra {

SkillTallies::Tally &SkillTallies::tallyOf(const QString &skill)
{
    const QStringView wanted = TrimCtl(QStringView(skill));
    for (Tally &tally : m_tallies)
        if (TrimCtl(QStringView(tally.skill)) == wanted)
            return tally;
    if (m_tallies.size() == 1 && TrimCtl(QStringView(m_tallies.first().skill)).isEmpty())
        m_tallies.first() = Tally{skill, 0, 0, {}};
    else
        m_tallies.append(Tally{skill, 0, 0, {}});
    return m_tallies.last();
}

void SkillTallies::add(const QString &skill, qint64 increase)
{
    Tally &tally = tallyOf(skill);
    ++tally.clusters;
    tally.increase += increase;
}

void SkillTallies::addSymbiant(const QString &skill, qint64 increase, const QString &symbiant)
{
    Tally &tally = tallyOf(skill);
    tally.increase += increase;
    tally.symbiants.append(symbiant);
}

} // namespace ludra
