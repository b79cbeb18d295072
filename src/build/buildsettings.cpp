#include "build/buildsettings.h"

#include <algorithm>

namespace ludra {

const QStringList &AttributeNames()
{
    static const QStringList names{QStringLiteral("Strength"),     QStringLiteral("Agility"),
                                   QStringLiteral("Stamina"),      QStringLiteral("Intelligence"),
                                   QStringLiteral("Psychic"),      QStringLiteral("Sense")};
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

int BuildSettings::selectedImplants() const
{
    return int(std::count_if(m_implantSelections.begin(), m_implantSelections.end(),
                             [](const ImplantSelection &s) { return s.selected; }));
}

} // namespace ludra
