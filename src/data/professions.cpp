#include "data/symbiants.h"

namespace ludra {

const QStringList &ProfessionNames()
{
    static const QStringList names{
        QStringLiteral("Adventurer"),     QStringLiteral("Agent"),           QStringLiteral("Bureaucrat"),
        QStringLiteral("Doctor"),         QStringLiteral("Enforcer"),        QStringLiteral("Engineer"),
        QStringLiteral("Fixer"),          QStringLiteral("Keeper"),          QStringLiteral("Martial Artist"),
        QStringLiteral("Meta-Physicist"), QStringLiteral("Nano-Technician"), QStringLiteral("Shade"),
        QStringLiteral("Soldier"),        QStringLiteral("Trader")};
    return names;
}

int ProfessionIndex(QStringView name)
{
    const QStringList &names = ProfessionNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (QStringView(names.at(i)).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace ludra
