#include "refgen.h"

#include "common/collation.h"
#include "common/numbers.h"
#include "common/text.h"
#include "data/gamerules.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/symbiants.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>

#include <algorithm>

namespace refgen {

namespace {

// Effect type of a family -> the planner's increase category with the same
// increase values.
const QHash<int, int> &categoryOfEffect()
{
    static const QHash<int, int> map{
        {1, 1},  {2, 2},  {3, 3},  {4, 4},  {5, 7},  {6, 10}, {7, 9},  {8, 5},
        {9, 6},  {10, 6}, {11, 8}, {12, 8}, {13, 12}, {14, 11}, {15, 2}, {16, 1},
    };
    return map;
}

// Skill names as the built-in default skill selections spell them.
QString plannerSkillName(const QString &longName)
{
    static const QHash<QString, QString> renamed{
        {QStringLiteral("MG/SMG"), QStringLiteral("MG & SMG")},
        {QStringLiteral("Time and Space"), QStringLiteral("Time & Space")},
        {QStringLiteral("Sensory Improvement"), QStringLiteral("Sensory Improvement & Modification")},
    };
    return renamed.value(longName, longName);
}

struct Table
{
    QString name;
    QStringList header;
    QList<QStringList> rows;

    int column(const QString &title) const
    {
        const qsizetype index = header.indexOf(title);
        if (index < 0)
            throw GenerationError(QStringLiteral("%1: no column \"%2\"").arg(name, title));
        return int(index);
    }
    QString text(int row, const QString &title) const
    {
        const QStringList &fields = rows.at(row);
        const int c = column(title);
        if (c >= fields.size())
            throw GenerationError(QStringLiteral("%1 row %2: no field \"%3\"").arg(name).arg(row + 2).arg(title));
        return ludra::TrimCtl(fields.at(c));
    }
    int number(int row, const QString &title) const
    {
        int value = 0;
        if (!ludra::TryStrToInt(text(row, title), value))
            throw GenerationError(QStringLiteral("%1 row %2: \"%3\" is not a number in column %4")
                                      .arg(name).arg(row + 2).arg(text(row, title), title));
        return value;
    }
};

Table readTable(const QString &dir, const QString &fileName)
{
    QFile file(QDir(dir).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw GenerationError(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
    QList<QStringList> records = ParseCsv(file.readAll());
    if (records.isEmpty())
        throw GenerationError(QStringLiteral("%1 is empty").arg(fileName));
    Table table{fileName, records.takeFirst(), std::move(records)};
    return table;
}

void requireNoComma(const QString &value, const QString &what, const QString &where)
{
    if (value.contains(QLatin1Char(',')))
        throw GenerationError(QStringLiteral("%1: %2 \"%3\" holds a comma").arg(where, what, value));
}

struct Family
{
    int id = 0;
    QString clusterName;
    QString skillName;
    bool special = false; // not built with nano-programming
    int npReq = 0;
    int category = 0;
    QString gameSkillId; // the game's id of the skill it raises; empty for none
    QString slotOfType[4]; // by cluster type id: 1 faded, 2 bright, 3 shining
};

// symbiants.csv: one line per symbiant of Symbiant.csv, with its ability
// needs, professions and bonuses from the three matrices, sorted by body
// slot, name and level. Bonuses name the catalogue's skill of their cluster
// family; those of a family the catalogue lacks, and those of 0, are left
// out and counted.
void generateSymbiants(const Table &symbiants, const Table &abilityNeeds, const Table &bonuses,
                       const Table &allowed, const Table &professions, const QHash<int, QString> &slotOfImplantType,
                       const QHash<int, QString> &abilityNames, const QMap<int, Family> &families, Output &out)
{
    // The professions by id, as the planner spells them.
    QMap<int, QString> professionOfId;
    for (int r = 0; r < professions.rows.size(); ++r) {
        const QString name = professions.text(r, QStringLiteral("Name"));
        const int index = ludra::ProfessionIndex(name);
        if (index < 0)
            throw GenerationError(QStringLiteral("Profession.csv row %1: \"%2\" is not one of the professions")
                                      .arg(r + 2).arg(name));
        professionOfId.insert(professions.number(r, QStringLiteral("ID")), ludra::ProfessionNames().at(index));
    }
    // The index in Abilities of each ability id.
    static const QStringList abilityOrder{QStringLiteral("Strength"),     QStringLiteral("Agility"),
                                          QStringLiteral("Stamina"),      QStringLiteral("Intelligence"),
                                          QStringLiteral("Psychic"),      QStringLiteral("Sense")};
    QHash<int, int> abilityIndex;
    for (auto it = abilityNames.begin(); it != abilityNames.end(); ++it) {
        const qsizetype index = abilityOrder.indexOf(it.value());
        if (index < 0)
            throw GenerationError(QStringLiteral("Ability.csv: \"%1\" is not one of the six abilities").arg(it.value()));
        abilityIndex.insert(it.key(), int(index));
    }

    struct Entry
    {
        ludra::Symbiant symbiant;
        QList<int> professionIds;
    };
    QHash<int, Entry> byId;
    QList<int> ids;
    for (int r = 0; r < symbiants.rows.size(); ++r) {
        const QString where = QStringLiteral("Symbiant.csv row %1").arg(r + 2);
        const int id = symbiants.number(r, QStringLiteral("ID"));
        if (byId.contains(id))
            throw GenerationError(QStringLiteral("%1: symbiant %2 listed twice").arg(where).arg(id));
        const int slotId = symbiants.number(r, QStringLiteral("SlotID"));
        if (!slotOfImplantType.contains(slotId))
            throw GenerationError(QStringLiteral("%1: slot %2 is not one of the thirteen slots").arg(where).arg(slotId));
        Entry entry;
        ludra::Symbiant &s = entry.symbiant;
        s.name = symbiants.text(r, QStringLiteral("Name"));
        s.slot = int(ludra::BodySlotNames().indexOf(slotOfImplantType.value(slotId)));
        s.level = symbiants.number(r, QStringLiteral("QL"));
        s.unit = symbiants.text(r, QStringLiteral("Unit"));
        s.treatment = symbiants.number(r, QStringLiteral("TreatmentReq"));
        s.characterLevel = symbiants.number(r, QStringLiteral("LevelReq"));
        for (const QString &text : {s.name, s.unit})
            if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('=')))
                throw GenerationError(QStringLiteral("%1: \"%2\" holds \";\" or \"=\"").arg(where, text));
        byId.insert(id, entry);
        ids.append(id);
    }

    for (int r = 0; r < abilityNeeds.rows.size(); ++r) {
        const QString where = QStringLiteral("SymbiantAbilityMatrix.csv row %1").arg(r + 2);
        const auto found = byId.find(abilityNeeds.number(r, QStringLiteral("SymbiantID")));
        if (found == byId.end()) {
            ++out.symbiantRowsWithoutSymbiant;
            continue;
        }
        const int ability = abilityNeeds.number(r, QStringLiteral("AbilityID"));
        if (!abilityIndex.contains(ability))
            throw GenerationError(QStringLiteral("%1: unknown attribute %2").arg(where).arg(ability));
        found->symbiant.abilities[std::size_t(abilityIndex.value(ability))] =
            abilityNeeds.number(r, QStringLiteral("Amount"));
    }
    for (int r = 0; r < allowed.rows.size(); ++r) {
        const QString where = QStringLiteral("SymbiantProfessionMatrix.csv row %1").arg(r + 2);
        const auto found = byId.find(allowed.number(r, QStringLiteral("SymbiantID")));
        if (found == byId.end()) {
            ++out.symbiantRowsWithoutSymbiant;
            continue;
        }
        const int profession = allowed.number(r, QStringLiteral("ProfessionID"));
        if (!professionOfId.contains(profession))
            throw GenerationError(QStringLiteral("%1: unknown profession %2").arg(where).arg(profession));
        if (!found->professionIds.contains(profession))
            found->professionIds.append(profession);
    }
    for (int r = 0; r < bonuses.rows.size(); ++r) {
        const auto found = byId.find(bonuses.number(r, QStringLiteral("SymbiantID")));
        if (found == byId.end()) {
            ++out.symbiantRowsWithoutSymbiant;
            continue;
        }
        const int family = bonuses.number(r, QStringLiteral("ClusterID"));
        const int amount = bonuses.number(r, QStringLiteral("Amount"));
        if (!families.contains(family)) {
            ++out.symbiantBonusesNotInCatalogue;
            continue;
        }
        if (amount == 0) {
            ++out.symbiantBonusesOfZero;
            continue;
        }
        found->symbiant.bonuses.append(ludra::SymbiantBonus{families.value(family).skillName, amount});
    }

    QList<const Entry *> ordered;
    for (int id : ids) {
        Entry &entry = byId[id];
        std::sort(entry.professionIds.begin(), entry.professionIds.end());
        for (int profession : entry.professionIds)
            entry.symbiant.professions.append(professionOfId.value(profession));
        ordered.append(&entry);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const Entry *a, const Entry *b) {
        if (a->symbiant.slot != b->symbiant.slot)
            return a->symbiant.slot < b->symbiant.slot;
        if (const int byName = ludra::CompareText(a->symbiant.name, b->symbiant.name))
            return byName < 0;
        return a->symbiant.level < b->symbiant.level;
    });

    out.symbiantLines.append(ludra::SymbiantHeader());
    for (const Entry *entry : ordered) {
        const ludra::Symbiant &s = entry->symbiant;
        const QString line = ludra::SymbiantLine(s, ludra::BodySlotNames());
        // The line must read back as the symbiant it was made from.
        const ludra::SymbiantTable check =
            ludra::SymbiantTable::parse({line}, ludra::BodySlotNames());
        if (check.all().size() != 1 || !(check.all().first() == s))
            throw GenerationError(QStringLiteral("symbiants.csv: the line of \"%1\" (QL %2) would not read back: %3")
                                      .arg(s.name).arg(s.level).arg(line));
        out.symbiantLines.append(line);
    }
    const ludra::SymbiantTable whole = ludra::SymbiantTable::parse(out.symbiantLines, ludra::BodySlotNames());
    if (whole.skipped() != 0)
        throw GenerationError(QStringLiteral("symbiants.csv: %1 symbiants share a name and level with another")
                                  .arg(whole.skipped()));
}

} // namespace

QList<QStringList> ParseCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool atFieldStart = true;
    bool pending = false; // something of the current record has been read

    auto endField = [&] {
        record.append(field);
        field.clear();
        atFieldStart = true;
    };
    auto endRecord = [&] {
        endField();
        records.append(record);
        record.clear();
        pending = false;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(QLatin1Char('"'));
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.append(c);
            }
            continue;
        }
        if (c == QLatin1Char('"') && atFieldStart) {
            quoted = true;
            atFieldStart = false;
            pending = true;
        } else if (c == QLatin1Char(',')) {
            endField();
            pending = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (pending || !field.isEmpty())
                endRecord();
        } else {
            field.append(c);
            atFieldStart = false;
            pending = true;
        }
    }
    if (quoted)
        throw GenerationError(QStringLiteral("a quoted field is not closed"));
    if (pending || !field.isEmpty())
        endRecord();
    return records;
}

Output Generate(const QString &inputDir)
{
    const Table clusters = readTable(inputDir, QStringLiteral("Cluster.csv"));
    const Table placements = readTable(inputDir, QStringLiteral("ClusterImplantMap.csv"));
    const Table implantTypes = readTable(inputDir, QStringLiteral("ImplantType.csv"));
    const Table recipes = readTable(inputDir, QStringLiteral("ImplantMatrix.csv"));
    const Table abilities = readTable(inputDir, QStringLiteral("Ability.csv"));
    const Table trickle = readTable(inputDir, QStringLiteral("Trickle.csv"));
    const Table symbiants = readTable(inputDir, QStringLiteral("Symbiant.csv"));
    const Table symbiantAbilities = readTable(inputDir, QStringLiteral("SymbiantAbilityMatrix.csv"));
    const Table symbiantBonuses = readTable(inputDir, QStringLiteral("SymbiantClusterMatrix.csv"));
    const Table symbiantProfessions = readTable(inputDir, QStringLiteral("SymbiantProfessionMatrix.csv"));
    const Table professions = readTable(inputDir, QStringLiteral("Profession.csv"));

    QHash<int, QString> slotOfImplantType;
    for (int r = 0; r < implantTypes.rows.size(); ++r) {
        const QString slot = ludra::UpperAscii(implantTypes.text(r, QStringLiteral("Name")));
        if (!ludra::BodySlotNames().contains(slot))
            throw GenerationError(QStringLiteral("ImplantType.csv row %1: \"%2\" is not one of the thirteen slots")
                                      .arg(r + 2).arg(slot));
        slotOfImplantType.insert(implantTypes.number(r, QStringLiteral("ImplantTypeID")), slot);
    }

    QMap<int, Family> families;
    for (int r = 0; r < clusters.rows.size(); ++r) {
        const int id = clusters.number(r, QStringLiteral("ClusterID"));
        if (id == 0)
            continue; // the empty placeholder row
        const QString where = QStringLiteral("Cluster.csv row %1").arg(r + 2);
        Family family;
        family.id = id;
        family.clusterName = clusters.text(r, QStringLiteral("OfficialName"));
        QString longName = clusters.text(r, QStringLiteral("LongName"));
        family.special = longName.endsWith(QLatin1Char('*'));
        if (family.special)
            longName.chop(1);
        family.skillName = plannerSkillName(ludra::TrimCtl(longName));
        family.npReq = family.special ? 0 : clusters.number(r, QStringLiteral("NPReq"));
        const int effect = clusters.number(r, QStringLiteral("EffectTypeID"));
        if (!categoryOfEffect().contains(effect))
            throw GenerationError(QStringLiteral("%1: unknown effect type %2").arg(where).arg(effect));
        family.category = categoryOfEffect().value(effect);
        family.gameSkillId = clusters.text(r, QStringLiteral("SkillID"));
        if (family.clusterName.isEmpty() || family.skillName.isEmpty())
            throw GenerationError(QStringLiteral("%1: empty cluster or skill name").arg(where));
        requireNoComma(family.clusterName, QStringLiteral("cluster name"), where);
        requireNoComma(family.skillName, QStringLiteral("skill name"), where);
        if (families.contains(id))
            throw GenerationError(QStringLiteral("%1: cluster %2 listed twice").arg(where).arg(id));
        families.insert(id, family);
    }

    for (int r = 0; r < placements.rows.size(); ++r) {
        const QString where = QStringLiteral("ClusterImplantMap.csv row %1").arg(r + 2);
        const int id = placements.number(r, QStringLiteral("ClusterID"));
        const int type = placements.number(r, QStringLiteral("ClusterTypeID"));
        const int implant = placements.number(r, QStringLiteral("ImplantTypeID"));
        if (!families.contains(id))
            throw GenerationError(QStringLiteral("%1: unknown cluster %2").arg(where).arg(id));
        if (type < 1 || type > 3)
            throw GenerationError(QStringLiteral("%1: unknown cluster type %2").arg(where).arg(type));
        if (!slotOfImplantType.contains(implant))
            throw GenerationError(QStringLiteral("%1: implant type %2 is not one of the thirteen slots")
                                      .arg(where).arg(implant));
        QString &slot = families[id].slotOfType[type];
        if (!slot.isEmpty())
            throw GenerationError(QStringLiteral("%1: cluster %2 has two slots for type %3").arg(where).arg(id).arg(type));
        slot = slotOfImplantType.value(implant);
    }

    QList<Family> ordered = families.values();
    for (const Family &family : ordered) {
        for (int type = 1; type <= 3; ++type) {
            if (family.slotOfType[type].isEmpty())
                throw GenerationError(QStringLiteral("cluster %1 (%2) has no slot for type %3")
                                          .arg(family.id).arg(family.clusterName).arg(type));
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const Family &a, const Family &b) {
        return ludra::CompareText(a.skillName, b.skillName) < 0;
    });

    Output out;
    for (const Family &family : ordered) {
        out.dataLines.append(QStringList{family.clusterName, family.skillName, family.slotOfType[3], family.slotOfType[2],
                                         family.slotOfType[1], QString::number(family.category)}
                                 .join(QLatin1Char(',')));
        out.requireLines.append(QStringList{family.clusterName, family.skillName, QString::number(family.npReq)}
                                    .join(QLatin1Char(',')));
    }

    QHash<int, QString> abilityNames;
    for (int r = 0; r < abilities.rows.size(); ++r) {
        const QString name = abilities.text(r, QStringLiteral("Name"));
        requireNoComma(name, QStringLiteral("attribute"), QStringLiteral("Ability.csv row %1").arg(r + 2));
        abilityNames.insert(abilities.number(r, QStringLiteral("AbilityID")), name);
    }
    for (int r = 0; r < recipes.rows.size(); ++r) {
        const QString where = QStringLiteral("ImplantMatrix.csv row %1").arg(r + 2);
        const int ability = recipes.number(r, QStringLiteral("AbilityID"));
        if (!abilityNames.contains(ability))
            throw GenerationError(QStringLiteral("%1: unknown attribute %2").arg(where).arg(ability));
        QStringList line{abilityNames.value(ability)};
        for (const QString &column : {QStringLiteral("BrightID"), QStringLiteral("FadedID"), QStringLiteral("ShiningID")}) {
            const int id = recipes.number(r, column);
            if (id == 0) {
                line.append(QStringLiteral("Empty"));
            } else if (families.contains(id)) {
                line.append(families.value(id).clusterName);
            } else {
                throw GenerationError(QStringLiteral("%1: %2 %3 names a cluster that %4 lacks")
                                          .arg(where, column)
                                          .arg(id)
                                          .arg(ludra::RefFile::Catalogue));
            }
        }
        out.secSkillLines.append(line.join(QLatin1Char(',')));

        // The recipes whose requirements are not the build's formulas.
        static const QStringList pointColumns{
            QStringLiteral("TreatQL1"),   QStringLiteral("AbilityQL1"),   QStringLiteral("TreatQL200"),
            QStringLiteral("AbilityQL200"), QStringLiteral("TreatQL201"), QStringLiteral("AbilityQL201"),
            QStringLiteral("TreatQL300"), QStringLiteral("AbilityQL300")};
        static const QList<int> formulaPoints{11, 6, 951, 404, 1001, 426, 2051, 1095};
        QList<int> points;
        for (const QString &column : pointColumns)
            points.append(recipes.number(r, column));
        if (points == formulaPoints)
            continue;
        QStringList profile;
        for (const QString &column : {QStringLiteral("ShiningID"), QStringLiteral("BrightID"), QStringLiteral("FadedID")}) {
            const int id = recipes.number(r, column);
            profile.append(id == 0 ? QString() : families.value(id).clusterName);
        }
        for (int point : points)
            profile.append(QString::number(point));
        out.profileLines.append(profile.join(QLatin1Char(',')));
    }
    if (!out.profileLines.isEmpty())
        out.profileLines.prepend(QStringLiteral("Shining,Bright,Faded,TreatQL1,AbilityQL1,TreatQL200,AbilityQL200,"
                                                "TreatQL201,AbilityQL201,TreatQL300,AbilityQL300"));

    // Trickle-down weights by the skill names the catalogue uses.
    QHash<QString, QString> skillOfGameId;
    for (const Family &family : ordered)
        if (!family.gameSkillId.isEmpty() && !skillOfGameId.contains(family.gameSkillId))
            skillOfGameId.insert(family.gameSkillId, family.skillName);
    static const QStringList weightColumns{QStringLiteral("Agility"), QStringLiteral("Intelligence"),
                                           QStringLiteral("Psychic"), QStringLiteral("Sense"),
                                           QStringLiteral("Stamina"), QStringLiteral("Strength")};
    out.trickleLines.append(QStringLiteral("Skill,") + weightColumns.join(QLatin1Char(',')));
    for (int r = 0; r < trickle.rows.size(); ++r) {
        const QString where = QStringLiteral("Trickle.csv row %1").arg(r + 2);
        const QString id = trickle.text(r, QStringLiteral("SkillID"));
        if (!skillOfGameId.contains(id))
            continue; // a skill no cluster raises
        QStringList line{skillOfGameId.value(id)};
        for (const QString &column : weightColumns)
            line.append(trickle.text(r, column));
        const QString text = line.join(QLatin1Char(','));
        if (!ludra::TrickleTable::parse({text}))
            throw GenerationError(QStringLiteral("%1: a weight is not a decimal of at most three places").arg(where));
        out.trickleLines.append(text);
    }

    generateSymbiants(symbiants, symbiantAbilities, symbiantBonuses, symbiantProfessions, professions,
                      slotOfImplantType, abilityNames, families, out);
    return out;
}

void WriteOutput(const Output &output, const QString &outputDir)
{
    const QList<QPair<QString, const QStringList *>> files{
        {ludra::RefFile::Catalogue, &output.dataLines},
        {ludra::RefFile::SecSkills, &output.secSkillLines},
        {ludra::RefFile::Requirements, &output.requireLines},
        {ludra::RefFile::Trickle, &output.trickleLines},
        {ludra::RefFile::RequirementProfiles, &output.profileLines},
        {ludra::RefFile::Symbiants, &output.symbiantLines},
    };
    for (const auto &[name, lines] : files) {
        // The writer refuses a character an 8-bit file cannot hold.
        QString reason;
        if (!ludra::WriteLines(QDir(outputDir).filePath(name), *lines, &reason))
            throw GenerationError(QStringLiteral("cannot write %1: %2").arg(name, reason));
    }
}

} // namespace refgen
