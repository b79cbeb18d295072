#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ludra {

class SkillLists;

// The file of default skill selections among the reference files.
inline const QString PopupMenuFile = QStringLiteral("popup.mnu");

// The lines used when there is no "popup.mnu".
const QStringList &BuiltInPopupLines();

// One item of the default-selections menu: a heading line and its index
// among the lines (counted from 0).
struct PopupItem
{
    QString caption;
    int line = -1;
};

// The default skill selections (PopupLines): named groups of skills that move
// into the selected list in one step. A line starting with "-" is an entry
// naming a skill; any other line, an empty one included, is a heading whose
// group is the run of entries directly below it.
class DefaultSelections
{
public:
    DefaultSelections();

    // Reads "popup.mnu" (the user's own copy first), or takes the built-in lines
    // when it does not exist, and makes the menu's items.
    void load();
    void assign(QStringList lines);

    const QStringList &lines() const { return m_lines; }
    // One item per heading, in line order.
    const QList<PopupItem> &items() const { return m_items; }

    // Applies the group under the heading at the line index: each entry's
    // name, trimmed, moves the available skills of exactly that name to the
    // selected list. Names no available skill has are passed over. Returns
    // how many skills moved; a heading with no entries, or an index that is
    // no line, moves none.
    int ClickMenu(int line, SkillLists &lists) const;

private:
    QStringList m_lines;
    QList<PopupItem> m_items;
};

} // namespace ludra
