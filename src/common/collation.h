#pragma once

#include <QString>

namespace ludra {

// The one text order the program sorts by wherever order is visible or stored
// (the available-skills list, stock positions): case-insensitive, with a fixed
// locale, so it never depends on the user's language settings. Equal texts
// compare as 0, whatever their letter case.
int CompareText(const QString &a, const QString &b);

} // namespace ludra
