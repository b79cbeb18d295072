#pragma once

#include <QString>
#include <QStringList>

namespace ludra {

// Up to five known names like one nobody knows, for a "did you mean" line:
// those starting with it, then those holding it, then those sharing its
// first word, then those a few typing mistakes away; letter case aside.
QStringList SimilarNames(const QString &name, const QStringList &known);

} // namespace ludra
