#include "layout/skilllists.h"

#include "common/collation.h"
#include "common/text.h"

#include <algorithm>

namespace ludra {

namespace {

bool lessByName(const SkillEntry &a, const SkillEntry &b)
{
    return CompareText(a.name, b.name) < 0;
}

} // namespace

void SkillLists::assignAvailable(QList<SkillEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), lessByName);
    m_available = std::move(entries);
    m_selected.clear();
    m_selectedCurrent = -1;
    firstAvailableCurrent();
}

void SkillLists::restore(QList<SkillEntry> selected, QList<SkillEntry> available)
{
    m_selected = std::move(selected);
    m_available = std::move(available);
    m_selectedCurrent = -1;
    firstAvailableCurrent();
}

void SkillLists::setAvailableCurrent(int index)
{
    m_availableCurrent = index >= 0 && index < m_available.size() ? index : -1;
}

void SkillLists::setSelectedCurrent(int index)
{
    m_selectedCurrent = index >= 0 && index < m_selected.size() ? index : -1;
}

void SkillLists::firstAvailableCurrent()
{
    m_availableCurrent = m_available.isEmpty() ? -1 : 0;
}

void SkillLists::insertAvailable(const SkillEntry &entry)
{
    // After any entries of equal name, so a doubled skill keeps the order in
    // which its copies came back.
    const auto at = std::upper_bound(m_available.begin(), m_available.end(), entry, lessByName);
    m_available.insert(at, entry);
}

bool SkillLists::add()
{
    if (m_availableCurrent < 0 || m_availableCurrent >= m_available.size())
        return false;
    m_selected.append(m_available.takeAt(m_availableCurrent));
    firstAvailableCurrent();
    return true;
}

bool SkillLists::remove()
{
    if (m_selectedCurrent < 0 || m_selectedCurrent >= m_selected.size())
        return false;
    insertAvailable(m_selected.takeAt(m_selectedCurrent));
    m_selectedCurrent = -1;
    firstAvailableCurrent();
    return true;
}

bool SkillLists::moveUp()
{
    const int i = m_selectedCurrent;
    if (m_selected.size() < 2 || i < 1 || i >= m_selected.size())
        return false;
    m_selected.swapItemsAt(i, i - 1);
    m_selectedCurrent = i - 1;
    return true;
}

bool SkillLists::moveDown()
{
    const int i = m_selectedCurrent;
    if (m_selected.size() < 2 || i < 0 || i >= m_selected.size() - 1)
        return false;
    m_selected.swapItemsAt(i, i + 1);
    m_selectedCurrent = i + 1;
    return true;
}

void SkillLists::clearAll()
{
    while (!m_selected.isEmpty())
        insertAvailable(m_selected.takeLast());
    m_selectedCurrent = -1;
    firstAvailableCurrent();
}

int SkillLists::selectByName(const QString &name)
{
    int moved = 0;
    for (int i = int(m_available.size()) - 1; i >= 0; --i) {
        if (TrimCtl(QStringView(m_available.at(i).name)) != name)
            continue;
        m_selected.append(m_available.takeAt(i));
        firstAvailableCurrent();
        ++moved;
    }
    return moved;
}

bool SkillLists::selectNamed(const QString &name)
{
    if (selectByName(name) > 0)
        return true;
    const auto same = [&name](const SkillEntry &entry) {
        return TrimCtl(QStringView(entry.name)).compare(name, Qt::CaseInsensitive) == 0;
    };
    const auto available = std::find_if(m_available.cbegin(), m_available.cend(), same);
    if (available != m_available.cend())
        return selectByName(TrimCtl(QStringView(available->name)).toString()) > 0;
    return std::any_of(m_selected.cbegin(), m_selected.cend(), same);
}

} // namespace ludra
