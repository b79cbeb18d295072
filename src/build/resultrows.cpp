#include "build/resultrows.h"

#include "build/buildresults.h"

namespace ludra {

namespace {

QString atLevel(const QString &name, int ql)
{
    return name + QStringLiteral(" (QL ") + QString::number(ql) + QLatin1Char(')');
}

} // namespace

QStringList RequirementCells(const RequirementRow &row)
{
    using Reached = RequirementRow::Reached;
    QStringList cells(ReqCol::Count);
    cells[ReqCol::Type] = row.typeName();
    if (row.reached >= Reached::Implant) {
        cells[ReqCol::Cluster] = atLevel(row.cluster, row.clusterQL);
        cells[ReqCol::Implant] = atLevel(row.slot, row.implantQL);
    }
    if (row.reached >= Reached::SkillReq)
        cells[ReqCol::SkillReq] = QString::number(row.skillReq);
    if (row.reached == Reached::Whole) {
        cells[ReqCol::Credits] = QString::number(row.credits);
        cells[ReqCol::Treatment] = QString::number(row.treatment);
        QString secondary = QString::number(row.abilityReq) + QLatin1Char(' ') + row.recipeText;
        if (row.attribute)
            secondary += QStringLiteral(" - ") + *row.attribute;
        cells[ReqCol::SecondarySkill] = secondary;
        cells[ReqCol::LowestClusterQL] = QString::number(row.lowestClusterQL);
        cells[ReqCol::SameBonusQL] = QString::number(row.sameBonusQL);
        cells[ReqCol::TreatmentSaved] = QString::number(row.treatmentSaved);
        cells[ReqCol::AbilitySaved] = QString::number(row.abilitySaved);
    }
    return cells;
}

QStringList SymbiantCells(const SymbiantRow &row)
{
    const Symbiant &symbiant = row.symbiant;
    QStringList cells(ReqCol::Count);
    cells[ReqCol::Cluster] = symbiant.title();
    cells[ReqCol::Implant] = atLevel(row.slot, symbiant.level);
    cells[ReqCol::Type] = row.professionAllowed ? SymbiantType : SymbiantOtherProfession;
    cells[ReqCol::Treatment] = QString::number(symbiant.treatment);
    QStringList needs;
    if (const QString abilities = SymbiantAbilityNeeds(symbiant); !abilities.isEmpty())
        needs.append(abilities);
    needs.append(QStringLiteral("level ") + QString::number(symbiant.characterLevel));
    cells[ReqCol::SecondarySkill] = needs.join(QStringLiteral(", "));
    return cells;
}

} // namespace ludra
