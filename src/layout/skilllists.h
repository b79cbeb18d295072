#pragma once

#include "data/referencedata.h"

#include <QList>
#include <QString>

namespace ludra {

// The two skill lists of the Layout tab: the available skills, kept sorted
// by CompareText, and the selected important skills, in the priority order
// allocation follows. Every entry is in exactly one of the two lists; the
// operations move entries (name and record together) between them. Entries
// with the same name stay separate and move independently. Each list has a
// current entry, -1 when none is chosen.
class SkillLists
{
public:
    // Fills the available list with the entries (sorted here, equal names
    // keeping their given order), empties the selected list and makes the
    // first available entry current.
    void assignAvailable(QList<SkillEntry> entries);
    // Puts back stored lists as they were stored, in their order: nothing is
    // sorted; the first available entry is current, no selected one is.
    void restore(QList<SkillEntry> selected, QList<SkillEntry> available);

    const QList<SkillEntry> &available() const { return m_available; }
    const QList<SkillEntry> &selected() const { return m_selected; }
    int availableCurrent() const { return m_availableCurrent; }
    int selectedCurrent() const { return m_selectedCurrent; }
    // Chooses an entry; an index outside the list chooses none.
    void setAvailableCurrent(int index);
    void setSelectedCurrent(int index);

    // Moves the current available entry to the end of the selected list; the
    // first available entry becomes current. False (nothing changes) when the
    // available list is empty or has no current entry.
    bool add();
    // Moves the current selected entry back to its sorted place in the
    // available list; no selected entry is current afterwards and the first
    // available entry is. False when no selected entry is current.
    bool remove();
    // Exchanges the current selected entry with the one above (below) it; the
    // moved entry stays current. False on the first (last) entry or with
    // none chosen.
    bool moveUp();
    bool moveDown();
    // Moves every selected entry back, the last first; none is current in
    // the selected list and the first available entry is current.
    void clearAll();

    // Moves every available entry whose trimmed name equals the name exactly
    // (letter case counts) to the end of the selected list, walking the
    // available list from its end; after each move the first available entry
    // becomes current. Returns how many moved.
    int selectByName(const QString &name);
    // Selects the skills a person means by a name: those named so exactly,
    // else those of the one available name that matches it without regard
    // to letter case. True when such skills are selected now, also when they
    // already were; false when no skill goes by the name.
    bool selectNamed(const QString &name);

    bool operator==(const SkillLists &) const = default;

private:
    void insertAvailable(const SkillEntry &entry);
    void firstAvailableCurrent();

    QList<SkillEntry> m_available;
    QList<SkillEntry> m_selected;
    int m_availableCurrent = -1;
    int m_selectedCurrent = -1;
};

} // namespace ludra
