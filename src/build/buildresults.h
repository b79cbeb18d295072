#pragma once

#include "build/ladder.h"
#include "build/resultrows.h"
#include "common/texttable.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace ludra {

class BuildResults;
class BuildSettings;

// Column indexes of the requirement table.
// Column indexes of the requirement table: the seven a project's result
// stream keeps, then those kept in a stream of their own.
namespace ReqCol {
inline constexpr int Cluster = 0, Credits = 1, SkillReq = 2, Implant = 3, Type = 4, Treatment = 5, SecondarySkill = 6;
inline constexpr int LowestClusterQL = 7, SameBonusQL = 8, TreatmentSaved = 9, AbilitySaved = 10;
inline constexpr int Stored = 7;
inline constexpr int Count = 11;
}
// Column indexes of the skill increase table, likewise.
namespace SkillCol {
inline constexpr int Skill = 0, Increase = 1, Clusters = 2, TrickleDown = 3;
inline constexpr int Stored = 3;
inline constexpr int Count = 4;
}
// Column indexes of the ladder table.
namespace LadderCol {
inline constexpr int Step = 0, Implant = 1, Level = 2, Treatment = 3, Ability = 4, TreatmentAfter = 5,
                     AbilityAfter = 6, Note = 7;
}
// Column indexes of the suggestion table.
namespace SuggestCol {
inline constexpr int Addition = 0, Implant = 1, NewSecondarySkill = 2;
}

// The font colour of a requirement cell as the grid draws it.
enum class ReqCellColor {
    Normal,  // the palette's text colour
    Red,     // the palette's warning red
    Reached, // above the character's own values, but reached on the ladder
};

// The colour of the requirement cell at column, row (grdReqsGetCellColor): a
// "Skill Req" data cell is red when the warning over the maximum nano
// programming skill is on and the cell's value is above the maximum, and keeps
// the normal colour otherwise. With a character entered, a "Treatment" cell
// above its Treatment with what the plan's abilities add to it through
// trickle-down (treatmentTrickle), and a "Secondary Skill" cell whose
// requirement is above the ability it names, are red too; a symbiant's
// "Secondary Skill" cell is red when any ability or the character level it
// names is above the character's, and its "Type" cell when the character's
// profession may not wear it. Every other cell is normal.
// A cell red by the character that the ladder reaches (reachedByLadder: the
// row's implant is worn at its level on the ladder) is Reached instead: the
// character wears it with the implants put on before it.
ReqCellColor RequirementCellColor(const BuildSettings &settings, int column, int row, const QString &text,
                                  qint64 treatmentTrickle = 0, bool reachedByLadder = false);

// Blanks every data cell of a result table and cuts it to one data row; the
// header row stays.
void ClearResultTable(TextTable &table);

// One column of a table's sort state, and its direction.
struct SortKey
{
    int column = 0;
    bool descending = false;

    bool operator==(const SortKey &) const = default;
};

// Sorts the data rows of a table (row 0 stays) by the keys in order: two
// cells that are both whole numbers by their value, any others as text with
// the one collation; rows that compare equal keep their order.
void SortResultRows(TextTable &table, const QList<SortKey> &keys);

// What the last build made of the layout.
enum class BuildOutcome {
    None,           // no build since start-up or a new plan, or an opened project without results
    Built,          // at least one requirement row
    NothingPlaced,  // no selected implant holds a cluster
    NothingSourced, // every cluster failed its stock check
};

// The line a result page shows for an outcome that built nothing; empty
// otherwise.
QString OutcomeText(BuildOutcome outcome);
// The line a result page shows while its results are from before the plan
// or the settings last changed.
QString StaleResultsText();

// The result tables a heading click sorts.
enum class SortableTable { SkillIncreases, Requirements };

// The ladder's rows as its grid shows them: one row per step (the treatment
// and the ability with the value it needs, then both after the step), then
// one per implant that cannot be worn, at level 0 with the reason in "Note".
void FillLadderTable(const Ladder &ladder, TextTable &table);
// The text of a build's rows in their tables, in the order given: each row's
// cells (RequirementCells; a skill total's skill, increase and clusters, blank
// for the blank first row; a suggestion's addition, slot and secondary
// skill). No rows leave the one blank data row.
void FillRequirementTable(const QList<RequirementRow> &rows, const QList<SymbiantRow> &symbiants, TextTable &table);
void FillSkillTable(const QList<SkillTotalRow> &rows, TextTable &table);
void FillSuggestionTable(const QList<SuggestionRow> &rows, TextTable &table);

// "Print Shopping List" into list: the requirement table's rows in their
// order, with the columns its own project stream keeps; a cluster to be bought reads at
// the lowest level that fits its implant, "Alpha Cluster (QL 172 or
// higher)", where one the build took from stock (a build that drew on
// stock, or a row with a cost) keeps the level it has.
void FillShoppingList(const BuildResults &results, TextTable &list);

// What a build produces: its skill total, requirement and suggestion rows as
// values, the tables the grids, printing, exporting and the project show of
// them (row 0 their headers, one blank data row until a build fills them),
// the ladder of a build at the highest levels the character can wear, the
// sort state of the requirements, and the build log.
class BuildResults
{
public:
    BuildResults();

    TextTable &skillIncTable() { return m_skillIncTable; }
    TextTable &reqTable() { return m_reqTable; }
    TextTable &suggestTable() { return m_suggestTable; }
    const TextTable &skillIncTable() const { return m_skillIncTable; }
    const TextTable &reqTable() const { return m_reqTable; }
    const TextTable &suggestTable() const { return m_suggestTable; }
    TextTable &ladderTable() { return m_ladderTable; }
    const TextTable &ladderTable() const { return m_ladderTable; }
    // The table a sort state belongs to.
    TextTable &table(SortableTable table)
    {
        return table == SortableTable::Requirements ? m_reqTable : m_skillIncTable;
    }
    const TextTable &table(SortableTable table) const
    {
        return table == SortableTable::Requirements ? m_reqTable : m_skillIncTable;
    }

    // The rows of the last build, in the order it made them (a sort orders
    // the tables alone); empty before a build and after a project was opened,
    // which brings back the tables only. Setting them writes their table,
    // in that order.
    const QList<RequirementRow> &requirementRows() const { return m_requirementRows; }
    const QList<SkillTotalRow> &skillTotalRows() const { return m_skillTotalRows; }
    const QList<SuggestionRow> &suggestionRows() const { return m_suggestionRows; }
    // The symbiants' rows come after the implants' in the table.
    void setRequirementRows(QList<RequirementRow> rows, QList<SymbiantRow> symbiants = {});
    const QList<SymbiantRow> &symbiantRows() const { return m_symbiantRows; }
    void setSkillTotalRows(QList<SkillTotalRow> rows);
    void setSuggestionRows(QList<SuggestionRow> rows);

    // What the build's ability bonuses add through trickle-down to
    // Treatment, and the selected skills they raise without a cluster of
    // their own; 0 and none when the build did not count trickle-down. An
    // opened project brings back what it stored.
    qint64 treatmentTrickle() const { return m_treatmentTrickle; }
    const QList<TrickleOnlySkill> &trickleOnly() const { return m_trickleOnly; }
    void setTrickle(qint64 treatment, QList<TrickleOnlySkill> only)
    {
        m_treatmentTrickle = treatment;
        m_trickleOnly = std::move(only);
    }

    // Whether the last build drew on stock (so every cluster of its rows is
    // owned); false after an opened project.
    bool drewOnStock() const { return m_drewOnStock; }
    void setDrewOnStock(bool drew) { m_drewOnStock = drew; }

    // The ladder of the last build, when it built at the highest levels the
    // character can wear; nothing otherwise, and after a project was opened
    // (which brings back the ladder's table only).
    const std::optional<Ladder> &ladder() const { return m_ladder; }
    // Whether the ladder wears the implant or symbiant of the requirement
    // table's row at the level the row shows, as the ladder table says (so
    // also after a project was opened); false without a ladder.
    bool ladderReaches(int row) const;
    // Keeps the ladder and shows it in the ladder table.
    void setLadder(const Ladder &ladder);
    // No ladder: the table blank.
    void clearLadder();
    // As before any build: no rows, every table blank, no ladder, no sort, no
    // log.
    void reset();

    // A table's sort state: its sort columns in order, each with its
    // direction; empty when the rows are in build order.
    const QList<SortKey> &sortKeys(SortableTable table) const
    {
        return table == SortableTable::Requirements ? m_reqSort : m_skillIncSort;
    }
    // The requirements' sort columns alone.
    QList<int> reqSortColumns() const;
    void clearSortColumns();
    // "Sort by Type/Cluster Name": the requirement rows by type, then by the
    // cluster text, ascending.
    void resortRequirements();
    // A click on a column's heading: the rows sorted by that column, or the
    // other way round when it already is the only sort column. With add
    // (Shift held), the column becomes the next sort column instead, or
    // turns round when it is one already.
    void sortByHeading(SortableTable table, int column, bool add);

    // What the last build made, and whether the results still stand for the
    // plan and settings: any change after a build makes them stale, until
    // the next build or an opened project.
    BuildOutcome outcome() const { return m_outcome; }
    void setOutcome(BuildOutcome outcome)
    {
        m_outcome = outcome;
        m_stale = false;
    }
    bool stale() const { return m_stale; }
    // The plan or the settings changed: results of a build no longer stand
    // for them.
    void markStale() { m_stale = m_outcome != BuildOutcome::None; }
    // Results taken back from a project stand for the project's plan, until
    // it changes: a skill, requirement or suggestion table that holds any
    // result counts as built. The rows of the build before are gone.
    void markRestored();

    // The failure lines of the last build (BuildLog).
    const QStringList &buildLog() const { return m_buildLog; }
    void clearBuildLog() { m_buildLog.clear(); }
    void addLogLine(const QString &line) { m_buildLog.append(line); }

private:
    TextTable m_skillIncTable;
    TextTable m_reqTable;
    TextTable m_suggestTable;
    TextTable m_ladderTable;
    QList<RequirementRow> m_requirementRows;
    QList<SymbiantRow> m_symbiantRows;
    QList<SkillTotalRow> m_skillTotalRows;
    QList<SuggestionRow> m_suggestionRows;
    std::optional<Ladder> m_ladder;
    qint64 m_treatmentTrickle = 0;
    bool m_drewOnStock = false;
    QList<TrickleOnlySkill> m_trickleOnly;
    QList<SortKey> m_reqSort;
    QList<SortKey> m_skillIncSort;
    QStringList m_buildLog;
    BuildOutcome m_outcome = BuildOutcome::None;
    bool m_stale = false;
};

} // namespace ludra
