#include "data/referencefiles.h"

#include "common/text.h"

namespace ludra {

QString UnknownCounter::nameOr(QStringView field)
{
    const QStringView name = TrimCtl(field);
    return name.isEmpty() ? take() : name.toString();
}

std::unique_ptr<TNano> ParseCatalogueLine(QStringView line, UnknownCounter &counter)
{
    FieldReader fields(line);
    auto nano = std::make_unique<TNano>();
    nano->ClusterName = counter.nameOr(fields.next());
    nano->SkillName = TrimCtl(fields.next()).toString();
    nano->ShiningSlot = UpperAscii(TrimCtl(fields.next()));
    nano->BrightSlot = UpperAscii(TrimCtl(fields.next()));
    nano->FadedSlot = UpperAscii(TrimCtl(fields.next()));
    nano->IncCategory = UpperAscii(TrimCtl(fields.rest()));
    return nano;
}

bool ReadCatalogue(const QString &path, UnknownCounter &counter, TNanoList &list)
{
    const std::optional<QString> text = ReadText(path);
    if (!text)
        return false;
    ForEachLine(*text, [&](QStringView line) { list.add(ParseCatalogueLine(line, counter)); });
    return true;
}

void TSecSkills::assign(QString text, int firstUnknown)
{
    m_text = std::move(text);
    m_firstUnknown = firstUnknown;
    m_entries.clear();
    m_unknownNames.clear();
    m_split = m_text.isEmpty();
    m_indexed = false;
    m_firstByName.clear();
    m_firstByClusters.clear();
}

void TSecSkills::split() const
{
    if (m_split)
        return;
    m_split = true;
    ForEachLine(m_text, [this](QStringView line) {
        FieldReader reader(line);
        Entry entry;
        const QStringView name = TrimCtl(reader.next());
        entry.fields[Bright] = TrimCtl(reader.next());
        entry.fields[Faded] = TrimCtl(reader.next());
        entry.fields[Shining] = TrimCtl(reader.rest());
        if (name.isEmpty()) {
            m_unknownNames.push_back(UnknownName(m_firstUnknown + int(m_unknownNames.size())));
            entry.fields[Name] = QStringView(); // filled below, once the names stop moving
        } else {
            entry.fields[Name] = name;
        }
        m_entries.push_back(entry);
    });
    // Point the blank names at their made-up names now that the vector of
    // names has its final size.
    size_t unknown = 0;
    for (Entry &entry : m_entries) {
        if (entry.fields[Name].isNull())
            entry.fields[Name] = m_unknownNames[unknown++];
    }
}

int TSecSkills::count() const
{
    split();
    return int(m_entries.size());
}

QStringView TSecSkills::field(int i, Field f) const
{
    split();
    if (i < 0 || size_t(i) >= m_entries.size())
        return QStringView();
    return m_entries[size_t(i)].fields[f];
}

void TSecSkills::index() const
{
    if (m_indexed)
        return;
    split();
    m_indexed = true;
    m_firstByName.reserve(qsizetype(m_entries.size()));
    m_firstByClusters.reserve(qsizetype(m_entries.size()));
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const Entry &entry = m_entries[size_t(i)];
        // The first of several equal entries is the one found.
        if (!m_firstByName.contains(entry.fields[Name]))
            m_firstByName.insert(entry.fields[Name], i);
        const Clusters clusters{entry.fields[Bright], entry.fields[Faded], entry.fields[Shining]};
        if (!m_firstByClusters.contains(clusters))
            m_firstByClusters.insert(clusters, i);
    }
}

int TSecSkills::firstNamed(QStringView name) const
{
    index();
    return m_firstByName.value(name, -1);
}

int TSecSkills::firstHolding(QStringView bright, QStringView faded, QStringView shining) const
{
    index();
    return m_firstByClusters.value(Clusters{bright, faded, shining}, -1);
}

QStringView TSecSkills::SecSkillNames(int i) const { return field(i, Name); }
QStringView TSecSkills::SecSkillBright(int i) const { return field(i, Bright); }
QStringView TSecSkills::SecSkillFaded(int i) const { return field(i, Faded); }
QStringView TSecSkills::SecSkillShining(int i) const { return field(i, Shining); }

bool ReadSecSkills(const QString &path, const UnknownCounter &counter, TSecSkills &table)
{
    std::optional<QString> text = ReadText(path);
    if (!text)
        return false;
    table.assign(std::move(*text), counter.next());
    return true;
}

bool ReadRequirements(const QString &path, UnknownCounter &counter, RequirementList &list)
{
    const std::optional<QString> text = ReadText(path);
    if (!text)
        return false;
    counter.reset(0);
    ForEachLine(*text, [&](QStringView line) {
        FieldReader fields(line);
        QString cluster = counter.nameOr(fields.next());
        fields.next(); // the skill name, which the requirement lookup does not use
        list.append(Requirement{std::move(cluster), fields.rest().toString()});
    });
    return true;
}

} // namespace ludra
