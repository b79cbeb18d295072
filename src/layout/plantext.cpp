#include "layout/plantext.h"

#include "common/similarnames.h"
#include "common/text.h"
#include "layout/layoutstate.h"

#include <QRegularExpression>

namespace ludra {

namespace {

const QStringList &headerFields()
{
    static const QStringList fields{QStringLiteral("Slot"), QStringLiteral("Shining"), QStringLiteral("Bright"),
                                    QStringLiteral("Faded")};
    return fields;
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
        fields = line.split(QRegularExpression(QStringLiteral("\\s{2,}")));
    for (QString &field : fields)
        field = TrimCtl(QStringView(field)).toString();
    // A table's edges may be drawn ("| HEAD | ... |").
    while (!fields.isEmpty() && fields.constFirst().isEmpty() && line.contains(u'|'))
        fields.removeFirst();
    while (!fields.isEmpty() && fields.constLast().isEmpty())
        fields.removeLast();
    return fields;
}

} // namespace

QString PlanText(const LayoutState &layout, const TNanoList &nanoList, const QStringList &bodySlots)
{
    // The plan by body placement with cluster names, whatever the layout
    // shows now: a copy is turned there, the layout itself is left alone.
    LayoutState plan;
    plan.restore(layout.snapshot());
    if (plan.currentView() == LayoutView::SkillSet) {
        // Duplicate marks would hold a view switch back; the copy is turned
        // all the same, the lowest row claiming a slot winning as ever.
        plan.BuildBodyView(bodySlots);
    }
    plan.setNames(LayoutNames::ClusterNames, nanoList);

    QString text = headerFields().join(u'\t') + u'\n';
    const TextTable &table = plan.table();
    for (int row = 1; row < table.rowCount(); ++row) {
        QStringList fields{table.cell(0, row)};
        for (int column = 1; column < LayoutColumns; ++column) {
            const QString cell = table.cell(column, row);
            fields.append(TrimCtl(QStringView(cell)).toString());
        }
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

PlanReading ReadPlanText(const QString &text, const TNanoList &nanoList, const QStringList &bodySlots)
{
    PlanReading reading;
    reading.placed = QList<std::array<const TNano *, 3>>(bodySlots.size(), {nullptr, nullptr, nullptr});
    QList<bool> given(bodySlots.size(), false);
    QStringList knownNames;
    for (int i = 0; i < nanoList.count(); ++i)
        knownNames << nanoList.at(i)->ClusterName << nanoList.at(i)->SkillName;
    knownNames.removeDuplicates();

    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    bool anySlot = false;
    for (int n = 0; n < int(lines.size()); ++n) {
        const QStringList fields = fieldsOf(lines.at(n));
        if (fields.isEmpty())
            continue;
        const QString where = QStringLiteral("Line %1: ").arg(n + 1);
        if (fields.constFirst().compare(headerFields().constFirst(), Qt::CaseInsensitive) == 0)
            continue;
        int slot = -1;
        for (int s = 0; s < int(bodySlots.size()); ++s)
            if (bodySlots.at(s).compare(fields.constFirst(), Qt::CaseInsensitive) == 0)
                slot = s;
        if (slot < 0) {
            reading.problems.append(where + QStringLiteral("\"%1\" is not a body slot.").arg(fields.constFirst()));
            continue;
        }
        if (given[slot]) {
            reading.problems.append(where + QStringLiteral("%1 is given twice.").arg(bodySlots.at(slot)));
            continue;
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
                    if (candidate.compare(name, Qt::CaseInsensitive) != 0)
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
                const QStringList like = SimilarNames(name, knownNames);
                reading.problems.append(where + QStringLiteral("no cluster or skill is called \"%1\"").arg(name) +
                                        (like.isEmpty() ? QStringLiteral(".")
                                                        : QStringLiteral("; did you mean: ") +
                                                              like.join(QStringLiteral(", ")) + u'?'));
            }
        }
    }
    // Text with no plan in it (an empty clipboard, a sentence) empties
    // nothing.
    if (!anySlot && reading.problems.isEmpty())
        reading.problems.append(QStringLiteral("No line names a body slot."));
    return reading;
}

void PlacePlan(LayoutState &layout, const PlanReading &reading, const QStringList &bodySlots)
{
    if (layout.currentView() == LayoutView::SkillSet) {
        layout.BuildBodyView(bodySlots);
        for (int c = 1; c < LayoutColumns; ++c)
            for (int r = 1; r <= LayoutMaxRows; ++r)
                layout.restoreDuplicateMark(c, r, false);
    }
    const TextTable &table = layout.table();
    for (int k = 0; k < int(std::min(reading.placed.size(), bodySlots.size())); ++k) {
        for (int column = 1; column < LayoutColumns; ++column) {
            const TNano *nano = reading.placed.at(k)[std::size_t(column - 1)];
            const QString text = nano ? NanoName(*nano, layout.names()) : QString();
            if (table.cell(column, k + 1) != text)
                layout.editCell(column, k + 1, text);
        }
    }
}

} // namespace ludra
