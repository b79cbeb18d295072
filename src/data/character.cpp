#include "data/character.h"

#include "data/symbiants.h"

#include <algorithm>

namespace ludra {

const QStringList &StatNames()
{
    static const QStringList names{QStringLiteral("Treatment"), QStringLiteral("Strength"),
                                   QStringLiteral("Agility"),   QStringLiteral("Stamina"),
                                   QStringLiteral("Intelligence"), QStringLiteral("Psychic"),
                                   QStringLiteral("Sense")};
    return names;
}

int StatIndex(QStringView name)
{
    return int(StatNames().indexOf(name));
}

bool Character::entered() const
{
    return std::any_of(stats.cbegin(), stats.cend(), [](qint64 value) { return value > 0; });
}

QString Character::summary() const
{
    QStringList parts;
    for (int i = 0; i < StatCount; ++i)
        parts.append(StatNames().at(i) + u' ' + QString::number(stats[std::size_t(i)]));
    if (level > 0)
        parts.append(QStringLiteral("level ") + QString::number(level));
    if (profession >= 0 && profession < ProfessionCount)
        parts.append(ProfessionNames().at(profession));
    return parts.join(QStringLiteral(", "));
}

} // namespace ludra
