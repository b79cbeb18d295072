#pragma once

#include "common/errors.h"

#include <QString>
#include <QStringList>

// Turns the public game tables (comma-separated with a header line and quoted
// names) into the planner's reference files.
namespace refgen {

// Tables that cannot give valid reference files.
class GenerationError : public ludra::Exception
{
public:
    using ludra::Exception::Exception;
};

// Splits comma-separated text with a header line and double-quote quoting
// ("" inside quotes is one quote; quoted fields may hold commas and line
// breaks) into records, header first.
QList<QStringList> ParseCsv(const QByteArray &text);

struct Output
{
    QStringList dataLines;     // data.csv
    QStringList secSkillLines; // SecSkill.csv
    QStringList requireLines;  // require.csv
    QStringList trickleLines;  // trickle.csv, header first
    QStringList profileLines;  // reqprofile.csv, header first
    QStringList symbiantLines; // symbiants.csv, header first
    // The symbiants' bonuses left out: those of a cluster family the
    // catalogue lacks, and those of amount 0 (which give nothing). Rows of the
    // symbiant matrices naming no symbiant of Symbiant.csv are left out too.
    int symbiantBonusesNotInCatalogue = 0;
    int symbiantBonusesOfZero = 0;
    int symbiantRowsWithoutSymbiant = 0;
};

// Builds the files from the tables in inputDir. Throws GenerationError
// naming the table and row when the tables cannot give valid files: a name
// holding a comma, a slot that is not a body slot, a family without exactly
// one slot per cluster type, an unknown effect type, a recipe naming a
// cluster the catalogue lacks, or a symbiant naming an unknown slot, ability
// or profession, or one the planner's reader would not read back.
Output Generate(const QString &inputDir);

// Writes the files into outputDir with CR LF line ends.
void WriteOutput(const Output &output, const QString &outputDir);

} // namespace refgen
