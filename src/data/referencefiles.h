#pragma once

#include "data/nano.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace ludra {

// The file names of the reference data (see common/paths.h for their folders).
namespace RefFile {
inline const QString Catalogue = QStringLiteral("data.csv");
inline const QString SecSkills = QStringLiteral("SecSkill.csv");
inline const QString Requirements = QStringLiteral("require.csv");
inline const QString SkillIncrease = QStringLiteral("skillreq.dat");
} // namespace RefFile

// "Unknown #" followed by a number: the name of a record whose name field is blank.
inline QString UnknownName(int number)
{
    return QStringLiteral("Unknown #") + QString::number(number);
}

// The number for the next blank name. The start-up readers share it: it
// starts at 1, the catalogue counts it up, the recipe file goes on from there,
// and the requirement file starts again from 0.
class UnknownCounter
{
public:
    void reset(int value) { m_next = value; }
    int next() const { return m_next; }
    QString take() { return UnknownName(m_next++); }
    // The trimmed field, or the next "Unknown #" name when it is blank.
    QString nameOr(QStringView field);

private:
    int m_next = 1;
};

// One line of the catalogue made into a record: six comma fields, the last
// taking the rest of the line; names trimmed, slots and category also
// upper-cased (a to z only).
std::unique_ptr<TNano> ParseCatalogueLine(QStringView line, UnknownCounter &counter);

// Reads the catalogue file, one record per line appended to the list in file
// order. Returns false, leaving the list as it was, when the file is missing.
bool ReadCatalogue(const QString &path, UnknownCounter &counter, TNanoList &list);

// The implant recipes: entry i gives the attribute (secondary skill) of an
// implant holding the Bright, Faded and Shining clusters of line i of the
// recipe file ("Empty" for a free position). The file is kept as read and
// split into fields when first asked for, since start-up needs only to know
// that it is there; a file of tens of thousands of lines then costs start-up
// no more than reading it.
class TSecSkills
{
public:
    // The file's text; blank names are numbered from firstUnknown on.
    void assign(QString text, int firstUnknown);
    void clear() { assign(QString(), 0); }

    int count() const;
    // The four fields of entry i, trimmed; empty outside the table. The views
    // stay valid until the table is assigned again.
    QStringView SecSkillNames(int i) const;
    QStringView SecSkillBright(int i) const;
    QStringView SecSkillFaded(int i) const;
    QStringView SecSkillShining(int i) const;

    // The first entry whose name is the text, exactly; -1 when none is.
    int firstNamed(QStringView name) const;
    // The first entry holding exactly these Bright, Faded and Shining
    // clusters; -1 when none does.
    int firstHolding(QStringView bright, QStringView faded, QStringView shining) const;

private:
    enum Field { Name, Bright, Faded, Shining, FieldCount };
    struct Entry
    {
        QStringView fields[FieldCount];
    };
    struct Clusters
    {
        QStringView bright, faded, shining;
        bool operator==(const Clusters &) const = default;
        friend size_t qHash(const Clusters &c, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, c.bright, c.faded, c.shining);
        }
    };
    QStringView field(int i, Field f) const;
    void split() const;
    // The lookups a build makes for every cluster and implant, made once: a
    // build would otherwise read the whole table each time.
    void index() const;

    QString m_text;
    int m_firstUnknown = 0;
    mutable bool m_split = true;
    mutable std::vector<Entry> m_entries;
    mutable std::vector<QString> m_unknownNames;
    mutable bool m_indexed = false;
    mutable QHash<QStringView, int> m_firstByName;
    mutable QHash<Clusters, int> m_firstByClusters;
};

// Reads the recipe file into the table; returns false, leaving the table as
// it was, when the file is missing. Blank names go on from the counter.
bool ReadSecSkills(const QString &path, const UnknownCounter &counter, TSecSkills &table);

// The nano-programming base value of a cluster (an entry of ReqClusters and
// ReqValues). The value stays as the file gives it: the build converts it with
// the strict integer rule, and that conversion failing is itself behaviour.
struct Requirement
{
    QString cluster;
    QString value;

    bool operator==(const Requirement &) const = default;
};
using RequirementList = QList<Requirement>;

// Reads the requirement file, appending to the list; returns false when the
// file is missing. The counter starts again from 0 for this file. The value is
// everything after the second comma, untrimmed.
bool ReadRequirements(const QString &path, UnknownCounter &counter, RequirementList &list);

} // namespace ludra
