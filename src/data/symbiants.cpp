#include "data/symbiants.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "common/text.h"

#include <algorithm>

namespace ludra {

namespace {

constexpr int FieldCount = 14;
constexpr int QualityMax = 300;
constexpr qint64 NeedMax = 100000;
constexpr qint64 AmountMax = 100000;

const QString Header = QStringLiteral("Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,"
                                      "Psychic,Sense,Professions,Bonuses");

// The fields of one line, apart by commas, as views of the line. A field that
// starts with a double quote runs to the quote that closes it, "" inside
// standing for one quote (such a field is a view of its text with the quotes
// undone, kept in unquoted); false when such a field is not closed or text
// follows its closing quote. Views rather than copies: the file has some
// 20,000 fields, and their copies were a third of its reading.
bool splitFields(QStringView line, QList<QStringView> &fields, QStringList &unquoted)
{
    fields.clear();
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (true) {
        if (i < size && line[i] == u'"') {
            const qsizetype start = ++i;
            bool doubled = false;
            bool closed = false;
            while (i < size) {
                if (line[i] == u'"') {
                    if (i + 1 < size && line[i + 1] == u'"') {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                ++i;
            }
            if (!closed)
                return false;
            const QStringView text = line.sliced(start, i - start);
            ++i; // the closing quote
            if (i < size && line[i] != u',')
                return false;
            if (doubled) {
                unquoted.append(text.toString().replace(QStringLiteral("\"\""), QStringLiteral("\"")));
                fields.append(unquoted.last());
            } else {
                fields.append(text);
            }
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? size : comma;
            fields.append(line.sliced(i, end - i));
            i = end;
        }
        if (i >= size)
            return true;
        ++i; // the comma
        if (i == size) {
            fields.append(QStringView()); // an empty last field
            return true;
        }
    }
}

// A field as the file writes it: in double quotes when it holds a comma or a
// quote.
QString quoted(const QString &field)
{
    if (!field.contains(u',') && !field.contains(u'"'))
        return field;
    QString text = field;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

// A whole number from min to max, nothing for other text.
std::optional<qint64> number(QStringView text, qint64 min, qint64 max)
{
    int value = 0;
    if (!TryStrToInt(TrimCtl(text), value) || value < min || value > max)
        return std::nullopt;
    return value;
}

QString key(QStringView text)
{
    return TrimCtl(text).toString().toCaseFolded();
}

int slotIndex(const QStringList &bodySlots, QStringView name)
{
    for (int s = 0; s < int(bodySlots.size()); ++s)
        if (QStringView(bodySlots.at(s)).compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return -1;
}

// The parts of a list field apart by ";", each trimmed; empty parts left out.
QList<QStringView> listParts(QStringView field)
{
    QList<QStringView> parts;
    for (QStringView part : field.split(u';')) {
        part = TrimCtl(part);
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts;
}

// One text for each skill name met, so that the bonuses of a file share
// their skills' texts rather than each holding a copy.
class SkillNames
{
public:
    QString get(QStringView skill)
    {
        // A key over the view's characters, without a copy.
        const QString probe = QString::fromRawData(skill.data(), skill.size());
        if (const auto found = m_names.constFind(probe); found != m_names.constEnd())
            return *found;
        const QString name = skill.toString();
        m_names.insert(name, name);
        return name;
    }

private:
    QHash<QString, QString> m_names;
};

// The symbiant of one line; nothing when any field cannot be read.
std::optional<Symbiant> readLine(QStringView line, const QStringList &bodySlots, SkillNames &skills)
{
    QList<QStringView> fields;
    fields.reserve(FieldCount);
    QStringList unquoted;
    if (!splitFields(line, fields, unquoted) || fields.size() != FieldCount)
        return std::nullopt;
    Symbiant s;
    s.name = TrimCtl(fields.at(0)).toString();
    s.slot = slotIndex(bodySlots, TrimCtl(fields.at(1)));
    if (s.name.isEmpty() || s.slot < 0)
        return std::nullopt;
    const std::optional<qint64> quality = number(fields.at(2), 1, QualityMax);
    const std::optional<qint64> treatment = number(fields.at(4), 0, NeedMax);
    const std::optional<qint64> level = number(fields.at(5), 1, CharacterLevelMax);
    if (!quality || !treatment || !level)
        return std::nullopt;
    s.level = int(*quality);
    s.unit = TrimCtl(fields.at(3)).toString();
    s.treatment = *treatment;
    s.characterLevel = int(*level);
    for (int a = 0; a < AbilityCount; ++a) {
        const std::optional<qint64> need = number(fields.at(6 + a), 0, NeedMax);
        if (!need)
            return std::nullopt;
        s.abilities[std::size_t(a)] = *need;
    }
    for (QStringView part : listParts(fields.at(12))) {
        const int profession = ProfessionIndex(part);
        if (profession < 0)
            return std::nullopt;
        if (!s.professions.contains(ProfessionNames().at(profession)))
            s.professions.append(ProfessionNames().at(profession));
    }
    const QList<QStringView> bonuses = listParts(fields.at(13));
    s.bonuses.reserve(bonuses.size());
    for (QStringView part : bonuses) {
        const qsizetype equals = part.lastIndexOf(u'=');
        if (equals < 0)
            return std::nullopt;
        const QStringView skill = TrimCtl(part.first(equals));
        const std::optional<qint64> amount = number(part.sliced(equals + 1), -AmountMax, AmountMax);
        if (skill.isEmpty() || !amount || *amount == 0)
            return std::nullopt;
        s.bonuses.append(SymbiantBonus{skills.get(skill), *amount});
    }
    return s;
}

} // namespace

const QStringList &ProfessionNames()
{
    static const QStringList names{
        QStringLiteral("Adventurer"),     QStringLiteral("Agent"),          QStringLiteral("Bureaucrat"),
        QStringLiteral("Doctor"),         QStringLiteral("Enforcer"),       QStringLiteral("Engineer"),
        QStringLiteral("Fixer"),          QStringLiteral("Keeper"),         QStringLiteral("Martial Artist"),
        QStringLiteral("Meta-Physicist"), QStringLiteral("Nano-Technician"), QStringLiteral("Shade"),
        QStringLiteral("Soldier"),        QStringLiteral("Trader"),
    };
    return names;
}

int ProfessionIndex(QStringView name)
{
    const QStringList &names = ProfessionNames();
    for (int p = 0; p < int(names.size()); ++p)
        if (QStringView(names.at(p)).compare(name, Qt::CaseInsensitive) == 0)
            return p;
    return -1;
}

QString Symbiant::title() const
{
    return QStringLiteral("%1 (QL %2)").arg(name).arg(level);
}

qint64 Symbiant::bonus(QStringView skill) const
{
    qint64 total = 0;
    for (const SymbiantBonus &b : bonuses)
        if (b.skill == skill)
            total += b.amount;
    return total;
}

bool Symbiant::allows(int profession) const
{
    if (professions.isEmpty())
        return true;
    if (profession < 0 || profession >= ProfessionCount)
        return false;
    return professions.contains(ProfessionNames().at(profession));
}

SymbiantTable SymbiantTable::parse(const QStringList &lines, const QStringList &bodySlots)
{
    SymbiantTable table;
    SkillNames skills;
    table.m_symbiants.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        if (TrimCtl(line).isEmpty())
            continue;
        // The first line is the header when its first field is "Name".
        if (i == 0 && FieldReader(line).next().compare(u"Name", Qt::CaseInsensitive) == 0)
            continue;
        std::optional<Symbiant> symbiant = readLine(line, bodySlots, skills);
        const QString titleKey = symbiant ? key(symbiant->title()) : QString();
        if (!symbiant || table.m_byTitle.contains(titleKey)) {
            ++table.m_skipped;
            continue;
        }
        const qsizetype index = table.m_symbiants.size();
        table.m_byTitle.insert(titleKey, index);
        table.m_byName[key(symbiant->name)].append(index);
        table.m_symbiants.append(std::move(*symbiant));
    }
    return table;
}

std::optional<SymbiantTable> SymbiantTable::load(const QStringList &bodySlots)
{
    const std::optional<QStringList> lines = ReadLines(ReferenceFile(RefFile::Symbiants));
    if (!lines)
        return std::nullopt;
    return parse(*lines, bodySlots);
}

QList<const Symbiant *> SymbiantTable::forSlot(int slot) const
{
    QList<const Symbiant *> found;
    for (const Symbiant &s : m_symbiants)
        if (s.slot == slot)
            found.append(&s);
    return found;
}

const Symbiant *SymbiantTable::find(QStringView nameOrTitle) const
{
    const QString k = key(nameOrTitle);
    if (const auto title = m_byTitle.constFind(k); title != m_byTitle.constEnd())
        return &m_symbiants.at(*title);
    const auto named = m_byName.constFind(k);
    if (named == m_byName.constEnd() || named->size() != 1)
        return nullptr;
    return &m_symbiants.at(named->first());
}

const QString &SymbiantHeader()
{
    return Header;
}

QString SymbiantLine(const Symbiant &s, const QStringList &bodySlots)
{
    QStringList bonuses;
    for (const SymbiantBonus &b : s.bonuses)
        bonuses.append(b.skill + u'=' + QString::number(b.amount));
    QStringList fields{quoted(s.name),
                       bodySlots.value(s.slot),
                       QString::number(s.level),
                       quoted(s.unit),
                       QString::number(s.treatment),
                       QString::number(s.characterLevel)};
    for (qint64 need : s.abilities)
        fields.append(QString::number(need));
    fields.append(quoted(s.professions.join(u';')));
    fields.append(quoted(bonuses.join(u';')));
    return fields.join(u',');
}

QStringList SymbiantTable::lines(const QStringList &bodySlots) const
{
    QStringList lines{SymbiantHeader()};
    lines.reserve(m_symbiants.size() + 1);
    for (const Symbiant &s : m_symbiants)
        lines.append(SymbiantLine(s, bodySlots));
    return lines;
}

QStringList SymbiantUnmet(const Symbiant &symbiant, const Character &character, const Stats &available)
{
    QStringList unmet;
    if (character.level < symbiant.characterLevel)
        unmet.append(QStringLiteral("level ") + QString::number(symbiant.characterLevel));
    if (!symbiant.allows(character.profession))
        unmet.append(QStringLiteral("profession"));
    if (symbiant.treatment > available[std::size_t(Stat::Treatment)])
        unmet.append(StatNames().at(int(Stat::Treatment)) + u' ' + QString::number(symbiant.treatment));
    for (int a = 0; a < AbilityCount; ++a) {
        const qint64 needed = symbiant.abilities[std::size_t(a)];
        if (needed > available[std::size_t(a + 1)])
            unmet.append(StatNames().at(a + 1) + u' ' + QString::number(needed));
    }
    return unmet;
}

QString SymbiantAbilityNeeds(const Symbiant &symbiant)
{
    QStringList needs;
    for (int a = 0; a < AbilityCount; ++a)
        if (const qint64 needed = symbiant.abilities[std::size_t(a)]; needed > 0)
            needs.append(StatNames().at(a + 1) + u' ' + QString::number(needed));
    return needs.join(QStringLiteral(", "));
}

} // namespace ludra
