#pragma once

#include "data/symbiants.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace ludra {

struct Plan;

// What the Layout tab says of the symbiants of a plan.
// The professions that may wear it, "Doctor, Fixer"; "any" when it names
// none.
QString SymbiantProfessionsText(const Symbiant &symbiant);
// What a symbiant slot's cells say of it, over lines: the title, the
// character level, Treatment and abilities it needs, and the professions.
QString SymbiantDescription(const Symbiant &symbiant);

// The plan's symbiants that raise a skill (named as the catalogue names
// skills), in body order, each as "TITLE (SLOT): +N" (or "-N"). A symbiant
// the table does not know raises nothing.
QStringList SymbiantSources(const Plan &plan, const SymbiantTable &table, QStringView skill);

} // namespace ludra
