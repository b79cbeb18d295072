#pragma once

#include "data/nano.h"

#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace ludra {

// Which names the layout shows for catalogue records.
enum class LayoutNames { SkillNames = 0, ClusterNames = 1 };

// The other kind of names.
inline LayoutNames OtherNames(LayoutNames names)
{
    return names == LayoutNames::SkillNames ? LayoutNames::ClusterNames : LayoutNames::SkillNames;
}

// The name a record goes by under the given kind of names.
inline const QString &NanoName(const TNano &nano, LayoutNames names)
{
    return names == LayoutNames::SkillNames ? nano.SkillName : nano.ClusterName;
}

// What the names of a catalogue mean for a text that stands in a layout
// cell. Switching the names a layout shows translates a text record by
// record: each record in catalogue order replaces a text equal to its name of
// one kind by its name of the other, and the next record sees the text the
// previous ones left. Most records come back to their own names after a
// switch and back (they are "stable"); a text that names such a record can be
// kept as the record itself. The rest (a record whose name another record
// also carries, an empty skill name, a chain of names) keep the translation's
// own result, which may not be the record's.
class CatalogueNames
{
public:
    CatalogueNames() = default;
    explicit CatalogueNames(const TNanoList &nanoList);

    // The text a switch to the names given turns a text shown under the other
    // names into. An empty text stays empty, even where a record's name is.
    QString translate(const QString &text, LayoutNames to) const;

    // The record a text stands for under the names given: the first stable
    // record of that name. A text that names no stable record gives nullptr.
    const TNano *recordNamed(const QString &text, LayoutNames names) const;

    // Whether a text reads the same under both kinds of names: a switch
    // either way leaves it as it is.
    bool namesNothing(const QString &text) const;

private:
    struct Direction
    {
        // The name each record takes under these names, in catalogue order.
        QStringList to;
        // The records that give up each name of the other kind for theirs.
        QHash<QString, QList<int>> byName;
    };
    const Direction &direction(LayoutNames to) const
    {
        return to == LayoutNames::ClusterNames ? m_toClusters : m_toSkills;
    }

    Direction m_toClusters;
    Direction m_toSkills;
    // The first stable record of each name, by the kind of names.
    QHash<QString, const TNano *> m_stableBySkill;
    QHash<QString, const TNano *> m_stableByCluster;
};

} // namespace ludra
