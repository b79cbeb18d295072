#include "build/buildsettings.h"

#include <algorithm>

namespace ludra {

const QStringList &AttributeNames()
{
    // The character's stats but Treatment, in the same order.
    static const QStringList names = StatNames().mid(1);
    return names;
}

QString NoCharacterCaption()
{
    return QStringLiteral("<no character entered>");
}

QString CharacterCaption(const Character &character, int topLevel)
{
    if (!character.entered())
        return NoCharacterCaption();
    return character.summary() + QStringLiteral("; up to level ") + QString::number(topLevel);
}

QString IndiSelectedCaption(int selected)
{
    if (selected <= 0)
        return QStringLiteral("<no implants selected>");
    if (selected == 1)
        return QStringLiteral("1 implant selected");
    return QString::number(selected) + QStringLiteral(" implants selected");
}

bool BuildSettings::anyAttribute() const
{
    return std::any_of(attributes.begin(), attributes.end(), [](bool on) { return on; });
}

} // namespace ludra
