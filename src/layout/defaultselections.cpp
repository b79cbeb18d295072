#include "layout/defaultselections.h"

#include "common/paths.h"
#include "common/text.h"
#include "layout/skilllists.h"

namespace ludra {

namespace {

bool isEntry(const QString &line)
{
    return line.startsWith(u'-');
}

} // namespace

const QStringList &BuiltInPopupLines()
{
    static const QStringList lines{
        QStringLiteral("Fixer"),
        QStringLiteral("-MG & SMG"),
        QStringLiteral("-Burst"),
        QStringLiteral("-Computer Literacy"),
        QStringLiteral("Nano Skills"),
        QStringLiteral("-Time & Space"),
        QStringLiteral("-Matter Creation"),
        QStringLiteral("-Matter Metamorphosis"),
        QStringLiteral("-Biological Metamorphosis"),
        QStringLiteral("-Sensory Improvement & Modification"),
        QStringLiteral("-Psychological Modifications"),
    };
    return lines;
}

DefaultSelections::DefaultSelections()
{
    assign(BuiltInPopupLines());
}

void DefaultSelections::load()
{
    std::optional<QStringList> lines = ReadLines(ReferenceFile(PopupMenuFile));
    assign(lines ? std::move(*lines) : BuiltInPopupLines());
}

void DefaultSelections::assign(QStringList lines)
{
    m_lines = std::move(lines);
    m_items.clear();
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!isEntry(m_lines.at(i)))
            m_items.append(PopupItem{m_lines.at(i), i});
    }
}

int DefaultSelections::ClickMenu(int line, SkillLists &lists) const
{
    if (line < 0 || line >= m_lines.size())
        return 0;
    int moved = 0;
    for (int i = line + 1; i < m_lines.size() && isEntry(m_lines.at(i)); ++i)
        moved += lists.selectByName(TrimCtl(QStringView(m_lines.at(i)).sliced(1)).toString());
    return moved;
}

} // namespace ludra
