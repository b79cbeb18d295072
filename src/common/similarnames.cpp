#include "common/similarnames.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace ludra {

namespace {

// Whether at most `allowed` letters inserted, deleted or changed turn one
// lowered text into the other. Only the distances of the band within
// `allowed` of the table's diagonal can end within it, so only they are
// counted, each held at allowed + 1 at most; texts whose lengths differ by
// more, and a row all over the bound, end the count at once. A typed
// paragraph is then told apart from every name without a table of its
// length times theirs. The rows are the caller's, reused.
bool withinEditDistance(const QString &x, const QString &y, qsizetype allowed, std::vector<qsizetype> &previous,
                        std::vector<qsizetype> &current)
{
    const qsizetype n = x.size();
    const qsizetype m = y.size();
    if (n - m > allowed || m - n > allowed)
        return false;
    const qsizetype over = allowed + 1;
    previous.resize(std::size_t(m) + 1);
    current.resize(previous.size());
    for (qsizetype j = 0; j <= m; ++j)
        previous[std::size_t(j)] = std::min(j, over);
    for (qsizetype i = 1; i <= n; ++i) {
        const qsizetype low = std::max<qsizetype>(1, i - allowed);
        const qsizetype high = std::min(m, i + allowed);
        current[0] = std::min(i, over);
        current[std::size_t(low - 1)] = low == 1 ? current[0] : over;
        qsizetype least = current[std::size_t(low - 1)];
        for (qsizetype j = low; j <= high; ++j) {
            const std::size_t k = std::size_t(j);
            qsizetype d = previous[k - 1] + (x.at(i - 1) == y.at(j - 1) ? 0 : 1);
            if (previous[k] + 1 < d)
                d = previous[k] + 1;
            if (current[k - 1] + 1 < d)
                d = current[k - 1] + 1;
            current[k] = std::min(d, over);
            least = std::min(least, current[k]);
        }
        // The next row reads the cell after the band as outside it.
        if (high < m)
            current[std::size_t(high + 1)] = over;
        // No later row holds less than this row's least.
        if (least > allowed)
            return false;
        previous.swap(current);
    }
    return previous[std::size_t(m)] <= allowed;
}

} // namespace

NameMatcher::NameMatcher(QStringList known)
    : m_known(std::move(known))
{
    m_lower.reserve(m_known.size());
    for (const QString &name : std::as_const(m_known))
        m_lower.append(name.toLower());
}

QStringList NameMatcher::similar(const QString &name) const
{
    QStringList result;
    const auto collect = [&](const std::function<bool(qsizetype)> &like) {
        for (qsizetype i = 0; i < m_known.size() && result.size() < 5; ++i)
            if (!result.contains(m_known.at(i)) && like(i))
                result.append(m_known.at(i));
    };
    const QString lower = name.toLower();
    collect([&](qsizetype i) { return m_lower.at(i).startsWith(lower); });
    collect([&](qsizetype i) { return m_lower.at(i).contains(lower); });
    const QString first = lower.section(u' ', 0, 0);
    if (first.size() >= 3)
        collect([&](qsizetype i) { return m_lower.at(i).contains(first); });
    const qsizetype allowed = std::max<qsizetype>(2, name.size() / 4);
    collect([&](qsizetype i) { return withinEditDistance(lower, m_lower.at(i), allowed, m_previous, m_current); });
    return result;
}

QStringList SimilarNames(const QString &name, const QStringList &known)
{
    return NameMatcher(known).similar(name);
}

} // namespace ludra
