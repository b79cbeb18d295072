#include "reports/columnfit.h"

#include <algorithm>

namespace ludra {

double ShrinkToRoom(QList<double> &widths, double available)
{
    double total = 0.0;
    for (const double w : widths)
        total += w;
    if (total <= available)
        return total;
    for (double &w : widths)
        w *= available / total;
    return available;
}

bool RaiseToLeast(QList<double> &widths, const QList<double> &least, double available)
{
    double total = 0.0;
    double needed = 0.0;
    double spare = 0.0;
    for (int c = 0; c < widths.size(); ++c) {
        total += widths[c];
        if (widths[c] < least[c])
            needed += least[c] - widths[c];
        else
            spare += widths[c] - least[c];
    }
    if (needed <= 0.0)
        return true;
    const double room = std::max(0.0, available - total);
    const double taken = needed - std::min(room, needed);
    if (taken > spare + 1e-6)
        return false;
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c] < least[c])
            widths[c] = least[c];
        else if (taken > 0.0)
            widths[c] -= (widths[c] - least[c]) * taken / spare;
    }
    return true;
}

void CapToRoom(QList<double> &least, double available)
{
    QList<double> sorted = least;
    std::sort(sorted.begin(), sorted.end());
    double left = available;
    for (int i = 0; i < sorted.size(); ++i) {
        const double share = left / double(sorted.size() - i);
        if (sorted[i] > share) {
            for (double &width : least)
                width = std::min(width, share);
            return;
        }
        left -= sorted[i];
    }
}

} // namespace ludra
