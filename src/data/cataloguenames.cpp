#include "data/cataloguenames.h"

#include <algorithm>

namespace ludra {

CatalogueNames::CatalogueNames(const TNanoList &nanoList)
{
    const int count = nanoList.count();
    for (Direction *d : {&m_toClusters, &m_toSkills})
        d->to.reserve(count);
    for (int k = 0; k < count; ++k) {
        const TNano *nano = nanoList.at(k);
        m_toClusters.to.append(nano->ClusterName);
        m_toClusters.byName[nano->SkillName].append(k);
        m_toSkills.to.append(nano->SkillName);
        m_toSkills.byName[nano->ClusterName].append(k);
    }
    for (int k = 0; k < count; ++k) {
        const TNano *nano = nanoList.at(k);
        // A record is stable when each of its names turns into the other and
        // back; an empty name never does, since an empty text names nothing.
        if (nano->SkillName.isEmpty() || nano->ClusterName.isEmpty())
            continue;
        if (translate(nano->SkillName, LayoutNames::ClusterNames) != nano->ClusterName ||
            translate(nano->ClusterName, LayoutNames::SkillNames) != nano->SkillName)
            continue;
        if (!m_stableBySkill.contains(nano->SkillName))
            m_stableBySkill.insert(nano->SkillName, nano);
        if (!m_stableByCluster.contains(nano->ClusterName))
            m_stableByCluster.insert(nano->ClusterName, nano);
    }
}

QString CatalogueNames::translate(const QString &text, LayoutNames to) const
{
    if (text.isEmpty())
        return text;
    const Direction &d = direction(to);
    QString result = text;
    int next = 0;
    // The records that carry a name are indexed by it, so a text jumps
    // straight to the next record that matches it.
    for (;;) {
        const auto found = d.byName.constFind(result);
        if (found == d.byName.constEnd())
            return result;
        const auto at = std::lower_bound(found->cbegin(), found->cend(), next);
        if (at == found->cend())
            return result;
        result = d.to.at(*at);
        next = *at + 1;
    }
}

const TNano *CatalogueNames::recordNamed(const QString &text, LayoutNames names) const
{
    const QHash<QString, const TNano *> &stable =
        names == LayoutNames::SkillNames ? m_stableBySkill : m_stableByCluster;
    return stable.value(text, nullptr);
}

bool CatalogueNames::namesNothing(const QString &text) const
{
    return translate(text, LayoutNames::ClusterNames) == text && translate(text, LayoutNames::SkillNames) == text;
}

} // namespace ludra
