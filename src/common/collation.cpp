#include "common/collation.h"

#include <QCollator>
#include <QLocale>

namespace ludra {

int CompareText(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::English, QLocale::UnitedStates)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator.compare(a, b);
}

int CompareNoCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

QString CaseKey(QStringView name)
{
    return name.toString().toCaseFolded();
}

} // namespace ludra
