#include "common/similarnames.h"

#include <QList>

#include <algorithm>
#include <functional>

namespace ludra {

namespace {

// The letters to insert, delete or change to turn one text into the other,
// letter case aside.
qsizetype editDistance(const QString &a, const QString &b)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    QList<qsizetype> previous(y.size() + 1);
    for (qsizetype j = 0; j <= y.size(); ++j)
        previous[j] = j;
    for (qsizetype i = 1; i <= x.size(); ++i) {
        QList<qsizetype> current(y.size() + 1);
        current[0] = i;
        for (qsizetype j = 1; j <= y.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (x.at(i - 1) == y.at(j - 1) ? 0 : 1)});
        previous = current;
    }
    return previous[y.size()];
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
    collect([&name, allowed](const QString &c) { return editDistance(name, c) <= allowed; });
    return result;
}

} // namespace ludra
