#include "data/nano.h"

namespace ludra {

const QStringList &BodySlotNames()
{
    static const QStringList names{
        QStringLiteral("HEAD"),       QStringLiteral("CHEST"),       QStringLiteral("EAR"),
        QStringLiteral("EYE"),        QStringLiteral("LEFT ARM"),    QStringLiteral("RIGHT ARM"),
        QStringLiteral("LEFT WRIST"), QStringLiteral("RIGHT WRIST"), QStringLiteral("LEG"),
        QStringLiteral("LEFT HAND"),  QStringLiteral("RIGHT HAND"),  QStringLiteral("WAIST"),
        QStringLiteral("FEET"),
    };
    return names;
}

int FindColForPart(const QStringList &bodySlots, const QString &slot)
{
    const qsizetype index = bodySlots.lastIndexOf(slot);
    return index < 0 ? -1 : int(index) + 1;
}

const TNano *TNanoList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_items[size_t(index)].nano.get();
}

QString TNanoList::name(int index) const
{
    if (index < 0 || index >= count())
        return QString();
    return m_items[size_t(index)].name;
}

void TNanoList::add(std::unique_ptr<TNano> nano)
{
    if (!nano)
        return;
    QString name = nano->SkillName;
    m_items.push_back(Entry{std::move(name), std::move(nano)});
}

} // namespace ludra
