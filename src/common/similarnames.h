#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace ludra {

// Up to five known names like one nobody knows, for a "did you mean" line:
// those starting with it, then those holding it, then those sharing its
// first word, then those a few typing mistakes away; letter case aside.
QStringList SimilarNames(const QString &name, const QStringList &known);

// The same over one list of known names asked about many times (a pasted
// text of many lines): the names are lowered once, not once per question.
class NameMatcher
{
public:
    explicit NameMatcher(QStringList known);
    QStringList similar(const QString &name) const;

private:
    QStringList m_known;
    QStringList m_lower;
    // The two rows of the distance table, kept between questions.
    mutable std::vector<qsizetype> m_previous;
    mutable std::vector<qsizetype> m_current;
};

} // namespace ludra
