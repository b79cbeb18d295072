#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace ludra {

// The thirteen body slots, in the order of the layout rows, the stock register
// and every per-slot list.
const QStringList &BodySlotNames();
inline constexpr int BodySlotCount = 13;

// The three cluster types, in the order of the layout columns 1 to 3.
inline const QStringList &ClusterTypeNames()
{
    static const QStringList names{QStringLiteral("Shining"), QStringLiteral("Bright"), QStringLiteral("Faded")};
    return names;
}

// The highest quality level the game has.
inline constexpr int TopQualityLevel = 300;
// The highest quality level a player may enter for an implant: a level above
// TopQualityLevel is taken after asking (a slip of the hand, most likely), and
// one beyond this is refused where it is typed.
inline constexpr int EnteredQualityLevelMax = 2000;

// The 1-based position of a slot name in the given slot list, or -1 when the
// text is not a slot. The comparison is exact; where a name occurs more than
// once, the last occurrence counts.
int FindColForPart(const QStringList &bodySlots, const QString &slot);

// One cluster family of the catalogue: the skill its clusters raise, the
// cluster's own name, the slot of each of its three clusters and its skill
// increase category (1 to 12, as text).
class TNano
{
public:
    QString SkillName;
    QString ClusterName;
    QString ShiningSlot;
    QString BrightSlot;
    QString FadedSlot;
    QString IncCategory;
};

// The catalogue: records in file order, each listed under its skill name.
// Duplicate skill names stay; the list owns its records.
class TNanoList
{
public:
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }

    // The record at a position; nullptr outside the list.
    const TNano *at(int index) const;
    // The name a record is listed under (its skill name at the time it was added).
    QString name(int index) const;

    void add(std::unique_ptr<TNano> nano);
    void clear() { m_items.clear(); }

private:
    struct Entry
    {
        QString name;
        std::unique_ptr<TNano> nano;
    };
    std::vector<Entry> m_items;
};

} // namespace ludra
