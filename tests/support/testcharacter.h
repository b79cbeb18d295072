#pragma once

#include "data/character.h"

// A character with the Treatment given and every ability at one value.
inline ludra::Character uniformCharacter(qint64 treatment, qint64 abilities)
{
    ludra::Character c;
    c.stats.fill(abilities);
    c.setStat(ludra::Stat::Treatment, treatment);
    return c;
}
