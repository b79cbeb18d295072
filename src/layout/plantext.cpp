#include "layout/plantext.h"

#include "common/collation.h"
#include "common/similarnames.h"
#include "common/text.h"
#include "layout/layoutstate.h"

#include <QRegularExpression>

#include <optional>

namespace ludra {

namespace {

const QStringList &headerFields()
{
    static const QStringList fields = QStringList{QStringLiteral("Slot")} + ClusterTypeNames();
    return fields;
}

// Two spaces or more: compiled once, since compiling took longer than the
// reading of a whole plan.
const QRegularExpression &spaceRun()
{
    static const QRegularExpression expression(QStringLiteral("\\s{2,}"));
    return expression;
}

QStringList fieldsOf(const QString &line)
{
    QStringList fields;
    if (line.contains(u'\t'))
        fields = line.split(u'\t');
    else if (line.contains(u'|'))
        fields = line.split(u'|');
    else if (line.contains(u';'))
        fields = line.split(u';');
    else
        fields = line.split(spaceRun());
    for (QString &field : fields)
        field = TrimCtl(field);
    // A table's edges may be drawn ("| HEAD | ... |").
    while (!fields.isEmpty() && fields.constFirst().isEmpty() && line.contains(u'|'))
        fields.removeFirst();
    while (!fields.isEmpty() && fields.constLast().isEmpty())
        fields.removeLast();
    return fields;
}

} // namespace

const QStringList &PlanLabelNames()
{
    static const QStringList names{QStringLiteral("Skills"), QStringLiteral("Target"), QStringLiteral("Character"),
                                   QStringLiteral("Symbiants")};
    return names;
}

QString PlanText(const LayoutState &layout)
{
    // The plan by body placement with cluster names, whatever the grid shows.
    QString text = headerFields().join(u'\t') + u'\n';
    const Plan &plan = layout.plan();
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        QStringList fields{BodySlotNames().at(slot)};
        for (int type = 0; type < ClusterTypeCount; ++type)
            fields.append(TrimCtl(plan.cell(slot, type).shown(LayoutNames::ClusterNames, layout.catalogueNames())));
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

PlanReading ReadPlanText(const QString &text, const TNanoList &nanoList, const QStringList &bodySlots)
{
    PlanReading reading;
    reading.placed = QList<std::array<const TNano *, 3>>(bodySlots.size(), {nullptr, nullptr, nullptr});
    QList<bool> given(bodySlots.size(), false);
    // The names for "did you mean", gathered at the first name not known.
    std::optional<NameMatcher> matcher;
    const auto similar = [&](const QString &name) {
        if (!matcher) {
            QStringList knownNames;
            for (int i = 0; i < nanoList.count(); ++i)
                knownNames << nanoList.at(i)->ClusterName << nanoList.at(i)->SkillName;
            knownNames.removeDuplicates();
            matcher.emplace(std::move(knownNames));
        }
        return matcher->similar(name);
    };

    bool anySlot = false;
    int n = 0;
    ForEachLine(text, [&](QStringView line) {
        ++n;
        const QString where = QStringLiteral("Line %1: ").arg(n);
        // The labelled lines ("Skills:" and the others), with or without
        // blanks before the colon.
        const QStringView trimmed = TrimCtl(line);
        for (int k = 0; k < PlanLabelCount; ++k) {
            const QString &name = PlanLabelNames().at(k);
            if (!trimmed.startsWith(name, Qt::CaseInsensitive))
                continue;
            const QStringView rest = TrimCtl(trimmed.sliced(name.size()));
            if (!rest.startsWith(u':'))
                continue;
            PlanLabel &label = reading.labels[std::size_t(k)];
            if (label.line > 0)
                reading.problems.append(where + QStringLiteral("%1 is given twice.").arg(name));
            label = PlanLabel{n, TrimCtl(rest.sliced(1)).toString()};
            return;
        }
        const QStringList fields = fieldsOf(line.toString());
        if (fields.isEmpty())
            return;
        if (CompareNoCase(fields.constFirst(), headerFields().constFirst()) == 0)
            return;
        int slot = -1;
        for (int s = 0; s < int(bodySlots.size()); ++s)
            if (CompareNoCase(bodySlots.at(s), fields.constFirst()) == 0)
                slot = s;
        if (slot < 0) {
            reading.problems.append(where + QStringLiteral("\"%1\" is not a body slot.").arg(fields.constFirst()));
            return;
        }
        if (given[slot]) {
            reading.problems.append(where + QStringLiteral("%1 is given twice.").arg(bodySlots.at(slot)));
            return;
        }
        given[slot] = true;
        anySlot = true;
        if (fields.size() > 4)
            reading.problems.append(where + QStringLiteral("%1 has more than three clusters.").arg(bodySlots.at(slot)));
        for (int column = 1; column < int(std::min<qsizetype>(fields.size(), 4)); ++column) {
            const QString &name = fields.at(column);
            if (name.isEmpty())
                continue;
            const QString type = ClusterTypeNames().value(column - 1);
            // A cluster's name first, then a skill's; of several records the
            // first that goes into the slot as the type.
            bool named = false;
            const TNano *placed = nullptr;
            for (const bool clusters : {true, false}) {
                for (int i = 0; i < nanoList.count() && !placed; ++i) {
                    const TNano *nano = nanoList.at(i);
                    const QString &candidate = clusters ? nano->ClusterName : nano->SkillName;
                    if (CompareNoCase(candidate, name) != 0)
                        continue;
                    named = true;
                    if (NanoSlot(*nano, column) == bodySlots.at(slot))
                        placed = nano;
                }
            }
            if (placed) {
                reading.placed[slot][std::size_t(column - 1)] = placed;
            } else if (named) {
                reading.problems.append(
                    where + QStringLiteral("\"%1\" does not go into %2 as %3.").arg(name, bodySlots.at(slot), type));
            } else {
                const QStringList like = similar(name);
                reading.problems.append(where + QStringLiteral("no cluster or skill is called \"%1\"").arg(name) +
                                        (like.isEmpty() ? QStringLiteral(".")
                                                        : QStringLiteral("; did you mean: ") +
                                                              like.join(QStringLiteral(", ")) + u'?'));
            }
        }
    });
    // Text with no plan in it (an empty clipboard, a sentence) empties
    // nothing.
    if (!anySlot && reading.problems.isEmpty())
        reading.problems.append(QStringLiteral("No line names a body slot."));
    return reading;
}

void PlacePlan(LayoutState &layout, const PlanReading &reading)
{
    layout.forceBodyView();
    const TextTable &table = layout.table();
    for (int k = 0; k < int(std::min<qsizetype>(reading.placed.size(), BodySlotCount)); ++k) {
        for (int column = 1; column < LayoutColumns; ++column) {
            const TNano *nano = reading.placed.at(k)[std::size_t(column - 1)];
            const QString text = nano ? NanoName(*nano, layout.names()) : QString();
            if (table.cell(column, k + 1) != text)
                layout.editCell(column, k + 1, text);
        }
    }
}

} // namespace ludra
