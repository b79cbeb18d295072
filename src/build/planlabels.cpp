#include "build/planlabels.h"

#include "common/collation.h"
#include "common/text.h"
#include "data/symbiants.h"
#include "layout/layoutstate.h"

namespace ludra {

namespace {

const QString OneLevelText = QStringLiteral("QL %1");
const QString IndividualText = QStringLiteral("Individual Implant Levels");
const QString HighestText = QStringLiteral("Highest I Can Wear");
const QString TopLevelText = QStringLiteral("up to QL %1");


// A labelled line's fields: apart by tabs, or, in a line typed without one,
// by commas.
QStringList fieldsOf(const QString &value)
{
    QStringList fields = value.split(value.contains(u'\t') ? u'\t' : u',');
    for (QString &field : fields)
        field = TrimCtl(field);
    fields.removeAll(QString());
    return fields;
}

// "QL 200" (or "200") as its level, 1 to the top level.
std::optional<int> levelOf(QStringView field)
{
    QStringView text = TrimCtl(field);
    if (text.startsWith(QLatin1String("QL"), Qt::CaseInsensitive))
        text = TrimCtl(text.sliced(2));
    bool ok = false;
    const int level = text.toInt(&ok);
    if (!ok || level < 1 || level > TopQualityLevel)
        return std::nullopt;
    return level;
}

QString where(const PlanLabel &label)
{
    return QStringLiteral("Line %1: ").arg(label.line);
}

void readTarget(const PlanLabel &label, PlanLabels &labels)
{
    const QStringList fields = fieldsOf(label.value);
    const auto bad = [&](const QString &what) {
        labels.problems.append(where(label) + QStringLiteral("the target %1.").arg(what));
    };
    if (fields.isEmpty())
        return bad(QStringLiteral("is empty"));
    const QString &first = fields.first();
    if (CompareNoCase(first, HighestText) == 0) {
        labels.target = BuildSettings::Target::Highest;
        if (fields.size() > 1) {
            const QString top = fields.at(1).startsWith(QLatin1String("up to "), Qt::CaseInsensitive)
                                    ? fields.at(1).mid(6)
                                    : fields.at(1);
            const std::optional<int> level = levelOf(top);
            if (!level)
                return bad(QStringLiteral("\"%1\" is no level from 1 to %2").arg(fields.at(1)).arg(TopQualityLevel));
            labels.ladderTopLevel = *level;
        }
        return;
    }
    if (CompareNoCase(first, IndividualText) == 0) {
        labels.target = BuildSettings::Target::Individual;
        labels.selections = QList<ImplantSelection>(BodySlotCount);
        for (const QString &field : fields.mid(1)) {
            // "HEAD QL 200": the slot, then the level.
            const qsizetype at = field.lastIndexOf(QLatin1String(" QL "), -1, Qt::CaseInsensitive);
            const int slot = at < 0 ? -1 : int(BodySlotNames().indexOf(field.left(at).trimmed().toUpper()));
            const std::optional<int> level = at < 0 ? std::nullopt : levelOf(QStringView(field).sliced(at));
            if (slot < 0 || !level)
                return bad(QStringLiteral("\"%1\" is no body slot and level from 1 to %2").arg(field).arg(TopQualityLevel));
            labels.selections[slot] = ImplantSelection{true, EnteredNumber(QString::number(*level))};
        }
        return;
    }
    const std::optional<int> level = fields.size() == 1 ? levelOf(first) : std::nullopt;
    if (!level)
        return bad(QStringLiteral("\"%1\" is neither a level from 1 to %2, \"%3\" nor \"%4\"")
                       .arg(label.value)
                       .arg(TopQualityLevel)
                       .arg(IndividualText, HighestText));
    labels.target = BuildSettings::Target::OneLevel;
    labels.implantQL = EnteredNumber(QString::number(*level));
}

// "HEAD=NAME (QL 170)", apart by tabs, or in a line typed without one by
// semicolons: a symbiant's name holds commas.
void readSymbiants(const PlanLabel &label, const SymbiantTable *table, PlanLabels &labels)
{
    QStringList &titles = *labels.symbiants;
    QStringList fields = label.value.split(label.value.contains(u'\t') ? u'\t' : u';');
    for (QString &field : fields)
        field = TrimCtl(field);
    fields.removeAll(QString());
    if (!fields.isEmpty() && !table)
        return labels.problems.append(
            where(label) + QStringLiteral("the symbiants cannot be read without the symbiant table \"%1\".")
                               .arg(RefFile::Symbiants));
    for (const QString &field : std::as_const(fields)) {
        const qsizetype equals = field.indexOf(u'=');
        const int slot = equals < 0 ? -1 : int(BodySlotNames().indexOf(TrimCtl(field.left(equals)).toUpper()));
        if (slot < 0) {
            labels.problems.append(where(label) + QStringLiteral("\"%1\" is no body slot and symbiant, as in "
                                                                 "\"HEAD=NAME\".")
                                                      .arg(field));
            continue;
        }
        const QString name = TrimCtl(field.mid(equals + 1));
        const Symbiant *symbiant = table->find(name);
        if (!symbiant)
            labels.problems.append(where(label) + QStringLiteral("no symbiant of %1 is called \"%2\".")
                                                      .arg(BodySlotNames().at(slot), name));
        else if (symbiant->slot != slot)
            labels.problems.append(where(label) + QStringLiteral("\"%1\" is worn in %2, not in %3.")
                                                      .arg(symbiant->title(), BodySlotNames().at(symbiant->slot),
                                                           BodySlotNames().at(slot)));
        else if (!titles.at(slot).isEmpty())
            labels.problems.append(where(label) + QStringLiteral("%1 is given twice.").arg(BodySlotNames().at(slot)));
        else
            titles[slot] = symbiant->title();
    }
}

} // namespace

QString LabelledPlanText(const LayoutState &layout, const BuildSettings &settings)
{
    QStringList skills;
    for (const SkillEntry &entry : layout.skills().selected())
        if (!skills.contains(entry.name))
            skills.append(entry.name);
    QString text = PlanLabelNames().at(int(PlanLabelKind::Skills)) + QStringLiteral(":\t") + skills.join(u'\t') + u'\n';

    // A level typed that is no level of the game (the build asks about or
    // refuses it) is not carried: the target line is left out, and a paste
    // keeps the target it finds.
    QStringList target;
    bool carried = true;
    const auto level = [&carried](const EnteredNumber &entered) {
        const std::optional<int> value = entered.number();
        carried = carried && value && *value >= 1 && *value <= TopQualityLevel;
        return OneLevelText.arg(entered.text());
    };
    switch (settings.target) {
    case BuildSettings::Target::OneLevel:
        target.append(level(settings.implantQL));
        break;
    case BuildSettings::Target::Individual: {
        target.append(IndividualText);
        const QList<ImplantSelection> &selections = layout.plan().implantSelections;
        for (int slot = 0; slot < int(std::min<qsizetype>(selections.size(), BodySlotCount)); ++slot)
            if (selections.at(slot).selected)
                target.append(BodySlotNames().at(slot) + u' ' + level(selections.at(slot).qualityLevel));
        break;
    }
    case BuildSettings::Target::Highest:
        target << HighestText << TopLevelText.arg(settings.ladderTopLevel);
        break;
    }
    if (carried)
        text += PlanLabelNames().at(int(PlanLabelKind::Target)) + QStringLiteral(":\t") + target.join(u'\t') + u'\n';
    // Likewise a character whose values could not be typed back.
    if (settings.character.entered() && ReadCharacterSummary(settings.character.summary()))
        text += PlanLabelNames().at(int(PlanLabelKind::Character)) + QStringLiteral(":\t") +
                settings.character.summary() + u'\n';
    const Plan &plan = layout.plan();
    if (plan.holdsSymbiants()) {
        QStringList symbiants;
        for (int slot = 0; slot < BodySlotCount; ++slot)
            if (!plan.symbiant(slot).isEmpty())
                symbiants.append(BodySlotNames().at(slot) + u'=' + plan.symbiant(slot));
        text += PlanLabelNames().at(int(PlanLabelKind::Symbiants)) + QStringLiteral(":\t") + symbiants.join(u'\t') +
                u'\n';
    }
    return text + PlanText(layout);
}

std::optional<Character> ReadCharacterSummary(const QString &text, QString *problem)
{
    const auto fail = [problem](const QString &why) -> std::optional<Character> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    Character character;
    std::array<bool, StatCount> given{};
    for (const QString &part : QString(text).replace(u'\t', u',').split(u',')) {
        const QString field = TrimCtl(part);
        if (field.isEmpty())
            continue;
        const int profession = int(ProfessionNames().indexOf(field));
        if (profession >= 0) {
            character.profession = profession;
            continue;
        }
        const qsizetype space = field.lastIndexOf(u' ');
        const QString name = space < 0 ? field : field.left(space).trimmed();
        bool ok = false;
        const qint64 value = space < 0 ? 0 : field.mid(space + 1).toLongLong(&ok);
        if (CompareNoCase(name, QStringLiteral("level")) == 0) {
            if (!ok || value < 1 || value > CharacterLevelMax)
                return fail(QStringLiteral("the level in \"%1\" is no number from 1 to %2").arg(field).arg(CharacterLevelMax));
            character.level = int(value);
            continue;
        }
        int stat = -1;
        for (int s = 0; s < StatCount; ++s)
            if (CompareNoCase(StatNames().at(s), name) == 0)
                stat = s;
        if (stat < 0)
            return fail(QStringLiteral("\"%1\" is no stat, level or profession").arg(field));
        if (!ok || value < 0 || value > StatMax)
            return fail(QStringLiteral("the value in \"%1\" is no number from 0 to %2").arg(field).arg(StatMax));
        if (given[std::size_t(stat)])
            return fail(QStringLiteral("%1 is given twice").arg(StatNames().at(stat)));
        given[std::size_t(stat)] = true;
        character.setStat(Stat(stat), value);
    }
    for (int s = 0; s < StatCount; ++s)
        if (!given[std::size_t(s)])
            return fail(QStringLiteral("%1 is missing").arg(StatNames().at(s)));
    return character;
}

PlanLabels ReadPlanLabels(const PlanReading &reading, const SkillLists &skills, const SymbiantTable *symbiants)
{
    PlanLabels labels;
    if (const PlanLabel &label = reading.label(PlanLabelKind::Skills); label.line > 0) {
        QStringList known;
        for (const QList<SkillEntry> *list : {&skills.selected(), &skills.available()})
            for (const SkillEntry &entry : *list)
                known.append(entry.name);
        QStringList names;
        for (const QString &field : fieldsOf(label.value)) {
            const auto match = std::find_if(known.cbegin(), known.cend(),
                                            [&field](const QString &name) { return CompareNoCase(name, field) == 0; });
            if (match == known.cend())
                labels.problems.append(where(label) + QStringLiteral("no skill is called \"%1\".").arg(field));
            else if (!names.contains(*match))
                names.append(*match);
        }
        labels.skills = names;
    }
    if (const PlanLabel &label = reading.label(PlanLabelKind::Target); label.line > 0)
        readTarget(label, labels);
    if (const PlanLabel &label = reading.label(PlanLabelKind::Character); label.line > 0) {
        QString problem;
        labels.character = ReadCharacterSummary(label.value, &problem);
        // All stats at 0 is the character not entered.
        if (labels.character && !labels.character->entered()) {
            labels.character.reset();
            problem = QStringLiteral("no stat is above 0");
        }
        if (!labels.character)
            labels.problems.append(where(label) + QStringLiteral("the character cannot be read: %1.").arg(problem));
    }
    // A text with labels is a whole plan: a slot its symbiants do not name
    // holds an implant.
    if (std::any_of(reading.labels.cbegin(), reading.labels.cend(), [](const PlanLabel &l) { return l.line > 0; })) {
        labels.symbiants = QStringList(BodySlotCount);
        if (const PlanLabel &label = reading.label(PlanLabelKind::Symbiants); label.line > 0)
            readSymbiants(label, symbiants, labels);
    }
    return labels;
}

LabelledPlanReading ReadLabelledPlanText(const QString &text, const TNanoList &nanoList, const SkillLists &skills,
                                         const SymbiantTable *symbiants)
{
    LabelledPlanReading reading;
    reading.plan = ReadPlanText(text, nanoList, BodySlotNames());
    reading.labels = ReadPlanLabels(reading.plan, skills, symbiants);
    reading.problems = reading.plan.problems + reading.labels.problems;
    return reading;
}

void ApplyPlanSkills(const PlanLabels &labels, LayoutState &layout)
{
    if (labels.skills) {
        layout.skills().clearAll();
        for (const QString &name : *labels.skills)
            layout.skills().selectNamed(name);
    }
    if (labels.target == BuildSettings::Target::Individual)
        layout.setImplantSelections(labels.selections);
}

void PlaceLabelledPlan(LayoutState &layout, const PlanReading &reading, const PlanLabels &labels)
{
    // A slot that holds a symbiant takes no cluster edit: the symbiants go
    // first and come back once the clusters are in.
    if (labels.symbiants)
        for (int slot = 0; slot < BodySlotCount; ++slot)
            layout.setSymbiant(slot, QString());
    PlacePlan(layout, reading);
    ApplyPlanSkills(labels, layout);
    if (labels.symbiants)
        for (int slot = 0; slot < int(std::min<qsizetype>(labels.symbiants->size(), BodySlotCount)); ++slot)
            layout.setSymbiant(slot, labels.symbiants->at(slot));
}

BuildSettings PlanLabelSettings(const PlanLabels &labels, const BuildSettings &settings)
{
    BuildSettings result = settings;
    if (labels.target) {
        result.target = *labels.target;
        if (*labels.target == BuildSettings::Target::OneLevel)
            result.implantQL = labels.implantQL;
        if (*labels.target == BuildSettings::Target::Highest)
            result.ladderTopLevel = labels.ladderTopLevel;
    }
    if (labels.character)
        result.character = *labels.character;
    return result;
}

} // namespace ludra
