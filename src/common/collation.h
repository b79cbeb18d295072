#pragma once

#include <QString>

namespace ludra {

// The one text order the program sorts by wherever order is visible or stored
// (the available-skills list, stock positions): case-insensitive, with a fixed
// locale, so it never depends on the user's language settings. Equal texts
// compare as 0, whatever their letter case.
int CompareText(const QString &a, const QString &b);

// The other way names are matched without regard to case: where a name is
// looked up rather than shown in order (stream names, the keys of the skill
// increase file). Ordinal on the names' case folding, so it is fast and the
// same everywhere; CaseKey gives the folded form to use as a hash key.
int CompareNoCase(QStringView a, QStringView b);
QString CaseKey(QStringView name);

} // namespace ludra
