#include "common/similarnames.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace ludra {

namespace {

// Whether at most `allowed` letters inserted, deleted or changed turn one
// text into the other, letter case aside. Only the distances of the band
// within `allowed` of the table's diagonal can end within it, so only they
// are counted, each held at allowed + 1 at most; texts whose lengths differ
// by more, and a row all over the bound, end the count at once. A typed
// paragraph is then told apart from every name without a table of its
// length times theirs.
bool withinEditDistance(const QString &a, const QString &b, qsizetype allowed)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    const qsizetype n = x.size();
    const qsizetype m = y.size();
    if (n - m > allowed || m - n > allowed)
        return false;
    const qsizetype over = allowed + 1;
    std::vector<qsizetype> previous(std::size_t(m) + 1);
    std::vector<qsizetype> current(previous.size());
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

QStringList SimilarNames(const QString &name, const QStringList &known)
{
    QStringList result;
    const auto collect = [&](const std::function<bool(const QString &)> &like) {
        for (const QString &candidate : known)
            if (result.size() < 5 && !result.contains(candidate) && like(candidate))
                result.append(candidate);
    };
    collect([&name](const QString &c) { return c.startsWith(name, Qt::CaseInsensitive); });
    collect([&name](const QString &c) { return c.contains(name, Qt::CaseInsensitive); });
    const QString first = name.section(u' ', 0, 0);
    if (first.size() >= 3)
        collect([&first](const QString &c) { return c.contains(first, Qt::CaseInsensitive); });
    const qsizetype allowed = std::max<qsizetype>(2, name.size() / 4);
    collect([&name, allowed](const QString &c) { return withinEditDistance(name, c, allowed); });
    return result;
}

} // namespace ludra
