#include "data/skillreq.h"

#include "common/collation.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"

#include <QHash>
#include <QStringList>

namespace ludra {

namespace {

constexpr int MinimumLines = 24;

const std::array<QString, TSkillReq::Columns> &columnSuffixes()
{
    static const std::array<QString, TSkillReq::Columns> suffixes{
        QStringLiteral("Faded"),       QStringLiteral("Bright"),       QStringLiteral("Shining"),
        QStringLiteral("Faded QL300"), QStringLiteral("Bright QL300"), QStringLiteral("Shining QL300"),
    };
    return suffixes;
}

constexpr std::array<int, TSkillReq::Count> DefaultValues{
    42,   63,  105, 57,  85,  141, // Skill
    22,   33,  55,  29,  44,  73,  // Attr
    162,  243, 405, 275, 412, 687, // AC
    162,  243, 405, 220, 330, 550, // Life/Nano
    52,   78,  130, 70,  105, 175, // AddAll
    12,   18,  30,  16,  23,  39,  // MaxNCU
    3,    4,   7,   3,   5,   8,   // XPMod
    -2,   -3,  -5,  -3,  -5,  -9,  // Nano Interrupt
    8,    12,  20,  10,  15,  25,  // Shield
    7,    10,  18,  9,   13,  22,  // Damage
    6,    9,   15,  7,   11,  19,  // Range
    -1,   -2,  -2,  -2,  -3,  -5,  // Nano Cost
};

} // namespace

const std::array<QString, TSkillReq::Categories> &TSkillReq::categoryNames()
{
    static const std::array<QString, Categories> names{
        QStringLiteral("Skill"),   QStringLiteral("Attr"),   QStringLiteral("AC"),
        QStringLiteral("Life/Nano"), QStringLiteral("AddAll"), QStringLiteral("MaxNCU"),
        QStringLiteral("XPMod"),   QStringLiteral("Nano Interrupt"), QStringLiteral("Shield"),
        QStringLiteral("Damage"),  QStringLiteral("Range"),  QStringLiteral("Nano Cost"),
    };
    return names;
}

QString TSkillReq::key(int index)
{
    if (index < 0 || index >= Count)
        return QString();
    return categoryNames()[size_t(index / Columns)] + QLatin1Char(' ') + columnSuffixes()[size_t(index % Columns)];
}

TSkillReq::TSkillReq() : m_values(DefaultValues) {}

int TSkillReq::at(int index) const
{
    return index >= 0 && index < Count ? m_values[size_t(index)] : 0;
}

bool TSkillReq::lookup(int category, int column, int &value) const
{
    if (category < 1 || category > Categories || column < 0 || column >= Columns)
        return false;
    value = m_values[size_t((category - 1) * Columns + column)];
    return true;
}

void TSkillReq::set(int index, int value)
{
    if (index < 0 || index >= Count)
        throw ERangeError(QStringLiteral("Entry %1 is outside the skill increase table of %2 entries.")
                              .arg(index)
                              .arg(Count));
    m_values[size_t(index)] = value;
}

bool SaveSkillReq(const QString &path, const TSkillReq &table, QString *error)
{
    QStringList lines;
    lines.reserve(TSkillReq::Count);
    for (int i = 0; i < TSkillReq::Count; ++i)
        lines.append(TSkillReq::key(i) + QLatin1Char('=') + QString::number(table.at(i)));
    return WriteLines(path, lines, error);
}

bool LoadSkillReq(const QString &path, TSkillReq &table, QString *writeError)
{
    table = TSkillReq();
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines || lines->size() < MinimumLines)
        return SaveSkillReq(path, table, writeError);

    // The first line naming a key wins; names match without regard to case.
    QHash<QString, QString> firstValue;
    for (const QString &line : *lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = CaseKey(line.left(eq));
        if (!firstValue.contains(name))
            firstValue.insert(name, line.mid(eq + 1));
    }
    for (int i = 0; i < TSkillReq::Count; ++i)
        table.set(i, SafeStrToInt(firstValue.value(CaseKey(TSkillReq::key(i)))));
    return true;
}

} // namespace ludra
