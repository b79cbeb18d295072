#include "layout/plan.h"

#include "common/text.h"

#include <algorithm>

namespace ludra {

PlanCell PlanCell::fromText(const QString &text, LayoutNames names, const CatalogueNames &catalogue)
{
    PlanCell cell;
    if (text.isEmpty())
        return cell;
    if (const TNano *nano = catalogue.recordNamed(text, names)) {
        cell.m_nano = nano;
        return cell;
    }
    cell.m_text = text;
    // A text no switch changes reads the same under either names; it keeps
    // one kind, so that switching never changes the plan for it.
    cell.m_names = catalogue.namesNothing(text) ? LayoutNames::SkillNames : names;
    return cell;
}

PlanCell PlanCell::fromRecord(const TNano *nano)
{
    PlanCell cell;
    cell.m_nano = nano;
    return cell;
}

bool PlanCell::isBlank() const
{
    return !m_nano && TrimCtl(QStringView(m_text)).isEmpty();
}

QString PlanCell::shown(LayoutNames names, const CatalogueNames &catalogue) const
{
    if (m_nano)
        return NanoName(*m_nano, names);
    if (m_names == names)
        return m_text;
    return catalogue.translate(m_text, names);
}

PlanCell PlanCell::switchedTo(LayoutNames names, const CatalogueNames &catalogue) const
{
    if (m_nano || m_names == names)
        return *this;
    return fromText(catalogue.translate(m_text, names), names, catalogue);
}

bool PlanSlot::holdsCluster() const
{
    return std::any_of(clusters.cbegin(), clusters.cend(), [](const PlanCell &cell) { return !cell.isBlank(); });
}

int Plan::selectedImplants() const
{
    return int(std::count_if(implantSelections.cbegin(), implantSelections.cend(),
                             [](const ImplantSelection &selection) { return selection.selected; }));
}

bool Plan::cellsEmpty() const
{
    return std::all_of(bodySlots.cbegin(), bodySlots.cend(), [](const PlanSlot &slot) {
        return !slot.holdsSymbiant() && std::all_of(slot.clusters.cbegin(), slot.clusters.cend(),
                                                    [](const PlanCell &cell) { return cell.isEmpty(); });
    });
}

bool Plan::holdsSymbiants() const
{
    return std::any_of(bodySlots.cbegin(), bodySlots.cend(), [](const PlanSlot &slot) { return slot.holdsSymbiant(); });
}

} // namespace ludra
