#include "layout/symbiantslots.h"

#include "data/nano.h"
#include "layout/plan.h"

namespace ludra {

QString SymbiantProfessionsText(const Symbiant &symbiant)
{
    return symbiant.professions.isEmpty() ? QStringLiteral("any") : symbiant.professions.join(QStringLiteral(", "));
}

QString SymbiantDescription(const Symbiant &symbiant)
{
    QStringList needs{QStringLiteral("level ") + QString::number(symbiant.characterLevel),
                      StatNames().at(int(Stat::Treatment)) + u' ' + QString::number(symbiant.treatment)};
    if (const QString abilities = SymbiantAbilityNeeds(symbiant); !abilities.isEmpty())
        needs.append(abilities);
    return symbiant.title() + QStringLiteral("\nNeeds: ") + needs.join(QStringLiteral(", ")) +
           QStringLiteral("\nProfessions: ") + SymbiantProfessionsText(symbiant);
}

QStringList SymbiantSources(const Plan &plan, const SymbiantTable &table, QStringView skill)
{
    QStringList sources;
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        const QString &title = plan.symbiant(slot);
        if (title.isEmpty())
            continue;
        const Symbiant *symbiant = table.find(title);
        const qint64 amount = symbiant ? symbiant->bonus(skill) : 0;
        if (amount == 0)
            continue;
        sources.append(QStringLiteral("%1 (%2): %3%4")
                           .arg(symbiant->title(), BodySlotNames().at(slot), amount > 0 ? QStringLiteral("+") : QString())
                           .arg(amount));
    }
    return sources;
}

} // namespace ludra
