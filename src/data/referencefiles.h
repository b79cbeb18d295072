#pragma once

#include "data/nano.h"

#include <QString>
#include <QStringList>

namespace ludra {

// The file names of the reference data beside the executable.
namespace RefFile {
inline const QString Catalogue = QStringLiteral("data.csv");
inline const QString SecSkills = QStringLiteral("SecSkill.csv");
inline const QString Requirements = QStringLiteral("require.csv");
inline const QString SkillIncrease = QStringLiteral("skillreq.dat");
} // namespace RefFile

// Names the records whose name field is blank: "Unknown #" followed by a
// number that the start-up readers share and count up.
class UnknownCounter
{
public:
    void reset(int value) { m_next = value; }
    int next() const { return m_next; }
    // The next name, counting the number up.
    QString take() { return QStringLiteral("Unknown #") + QString::number(m_next++); }
    // The trimmed field, or the next "Unknown #" name when it is blank.
    QString nameOr(const QString &field);

private:
    int m_next = 1;
};

// One line of the catalogue made into a record: six comma fields, the last
// taking the rest of the line; names trimmed, slots and category also
// upper-cased (a to z only).
std::unique_ptr<TNano> ParseCatalogueLine(const QString &line, UnknownCounter &counter);

// Reads the catalogue file, one record per line appended to the list in file
// order. Returns false, leaving the list as it was, when the file is missing.
bool ReadCatalogue(const QString &path, UnknownCounter &counter, TNanoList &list);

// The implant recipes: entry i of each list comes from line i of the file.
struct SecSkillLists
{
    QStringList SecSkillNames;
    QStringList SecSkillBright;
    QStringList SecSkillFaded;
    QStringList SecSkillShining;
};

// Reads the recipe file, appending to the four lists; returns false when the
// file is missing. Blank names continue the counter.
bool ReadSecSkills(const QString &path, UnknownCounter &counter, SecSkillLists &lists);

// The nano-programming base values by cluster name.
struct RequirementLists
{
    QStringList ReqClusters;
    QStringList ReqValues;
};

// Reads the requirement file, appending to the two lists; returns false when
// the file is missing. The counter starts again from 0 for this file. The
// value is everything after the second comma, untrimmed.
bool ReadRequirements(const QString &path, UnknownCounter &counter, RequirementLists &lists);

} // namespace ludra
