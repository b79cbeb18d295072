#include "data/gamerules.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "common/text.h"

#include <QFile>

#include <cmath>

namespace ludra {

namespace {

// The weight columns of the file, in the game's order, as indexes of
// Abilities (Strength, Agility, Stamina, Intelligence, Psychic, Sense).
constexpr std::array<int, AbilityCount> FileColumnAbility{1, 3, 4, 5, 2, 0};

// floor(a / b) for b > 0, whatever the sign of a.
qint64 FloorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// A weight as the file writes it ("0.3", "1", "0.25"), in thousandths; nothing
// for a text that is no such decimal (a sign, more than three decimals).
std::optional<qint64> ParseWeight(QStringView text)
{
    text = TrimCtl(text);
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView fraction = point < 0 ? QStringView() : text.sliced(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || whole.size() > 6 || fraction.size() > 3)
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : whole) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    qint64 thousandths = 0;
    for (int i = 0; i < 3; ++i) {
        thousandths *= 10;
        if (i < fraction.size()) {
            const QChar c = fraction[i];
            if (c < u'0' || c > u'9')
                return std::nullopt;
            thousandths += c.unicode() - u'0';
        }
    }
    return value * 1000 + thousandths;
}

QString WeightText(qint64 thousandths)
{
    QString text = QString::number(thousandths / 1000);
    if (const qint64 rest = thousandths % 1000) {
        QString digits = QStringLiteral("%1").arg(rest, 3, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text;
}

QString ProfileKey(QStringView shining, QStringView bright, QStringView faded)
{
    return TrimCtl(shining).toString() + QLatin1Char('\n') + TrimCtl(bright).toString() + QLatin1Char('\n') +
           TrimCtl(faded).toString();
}

QStringList ReadLinesOrNone(const QString &path)
{
    std::optional<QStringList> lines = ReadLines(path);
    return lines ? std::move(*lines) : QStringList();
}

} // namespace

qint64 TrickleGain(const AbilityWeights &weights, const Abilities &base, const Abilities &added)
{
    qint64 before = 0;
    qint64 after = 0;
    for (int a = 0; a < AbilityCount; ++a) {
        before += weights[std::size_t(a)] * base[std::size_t(a)];
        after += weights[std::size_t(a)] * (base[std::size_t(a)] + added[std::size_t(a)]);
    }
    // Weights are thousandths, and the game divides the sum by 4.
    return FloorDiv(after, 4000) - FloorDiv(before, 4000);
}

const TrickleTable &TrickleTable::builtIn()
{
    static const TrickleTable table = [] {
        QFile file(QStringLiteral(":/gamerules/trickle.csv"));
        file.open(QIODevice::ReadOnly);
        std::optional<TrickleTable> parsed = parse(SplitLines(file.readAll()));
        return parsed ? std::move(*parsed) : TrickleTable();
    }();
    return table;
}

std::optional<TrickleTable> TrickleTable::parse(const QStringList &lines)
{
    TrickleTable table;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 1 + AbilityCount)
            continue;
        const QString skill = TrimCtl(fields.at(0));
        if (skill.isEmpty() || table.m_weights.contains(skill))
            continue;
        AbilityWeights weights{};
        bool readable = true;
        for (int c = 0; c < AbilityCount && readable; ++c) {
            const std::optional<qint64> weight = ParseWeight(fields.at(c + 1));
            readable = weight.has_value();
            if (readable)
                weights[std::size_t(FileColumnAbility[std::size_t(c)])] = *weight;
        }
        if (!readable)
            continue;
        table.m_skills.append(skill);
        table.m_weights.insert(skill, weights);
    }
    if (table.m_skills.isEmpty())
        return std::nullopt;
    return table;
}

TrickleTable TrickleTable::load()
{
    std::optional<TrickleTable> table = parse(ReadLinesOrNone(ReferenceFile(RefFile::Trickle)));
    return table ? std::move(*table) : builtIn();
}

const AbilityWeights *TrickleTable::weights(const QString &skill) const
{
    const auto found = m_weights.constFind(TrimCtl(skill));
    return found == m_weights.constEnd() ? nullptr : &*found;
}

qint64 TrickleTable::gain(const QString &skill, const Abilities &base, const Abilities &added) const
{
    const AbilityWeights *w = weights(skill);
    return w ? TrickleGain(*w, base, added) : 0;
}

QStringList TrickleTable::lines() const
{
    QStringList lines{QStringLiteral("Skill,Agility,Intelligence,Psychic,Sense,Stamina,Strength")};
    for (const QString &skill : m_skills) {
        const AbilityWeights &weights = m_weights.value(skill);
        QStringList fields{skill};
        for (int c = 0; c < AbilityCount; ++c)
            fields.append(WeightText(weights[std::size_t(FileColumnAbility[std::size_t(c)])]));
        lines.append(fields.join(QLatin1Char(',')));
    }
    return lines;
}

qint64 ProfileValue(const std::array<qint64, 4> &points, int q)
{
    // Below 201 the line through the first two points, from 201 the last two.
    const std::size_t first = q <= ProfileLevels[1] ? 0 : 2;
    const long double q0 = ProfileLevels[first];
    const long double q1 = ProfileLevels[first + 1];
    const long double v0 = points[first];
    const long double v1 = points[first + 1];
    return qint64(std::nearbyint(v0 + (v1 - v0) * (q - q0) / (q1 - q0)));
}

RequirementProfiles RequirementProfiles::parse(const QStringList &lines)
{
    RequirementProfiles profiles;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 3 + 8)
            continue;
        RequirementProfile profile;
        bool readable = true;
        for (int i = 0; i < 8 && readable; ++i) {
            int value = 0;
            readable = TryStrToInt(TrimCtl(QStringView(fields.at(3 + i))), value) && value >= 0;
            (i % 2 == 0 ? profile.treatment : profile.ability)[std::size_t(i / 2)] = value;
        }
        if (!readable)
            continue;
        const QString key = ProfileKey(fields.at(0), fields.at(1), fields.at(2));
        if (!profiles.m_profiles.contains(key))
            profiles.m_profiles.insert(key, profile);
    }
    return profiles;
}

RequirementProfiles RequirementProfiles::load()
{
    return parse(ReadLinesOrNone(ReferenceFile(RefFile::RequirementProfiles)));
}

const RequirementProfile *RequirementProfiles::find(QStringView shining, QStringView bright, QStringView faded) const
{
    if (m_profiles.isEmpty())
        return nullptr;
    const auto found = m_profiles.constFind(ProfileKey(shining, bright, faded));
    return found == m_profiles.constEnd() ? nullptr : &*found;
}

} // namespace ludra
