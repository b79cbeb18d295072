#include "build/buildresults.h"

#include "build/buildsettings.h"
#include "common/collation.h"
#include "common/numbers.h"
#include "text/messages.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// Writes the data rows of a result table, keeping its one blank row when
// there are none.
void fillRows(TextTable &table, QList<QStringList> rows)
{
    if (rows.isEmpty())
        rows.append(QStringList());
    table.replaceRowsFrom(1, rows);
}

void setHeader(TextTable &table, const QStringList &headers)
{
    table.setColumnCount(int(headers.size()));
    table.setRowCount(2);
    table.setRow(0, headers);
}

const QStringList &skillHeaders()
{
    static const QStringList headers{QStringLiteral("Skill"), QStringLiteral("Increase"), QStringLiteral("Clusters"),
                                     QStringLiteral("Trickle-Down")};
    return headers;
}

const QStringList &requirementHeaders()
{
    static const QStringList headers{
        QStringLiteral("Cluster"),           QStringLiteral("Credits"),        QStringLiteral("Skill Req"),
        QStringLiteral("Implant"),           QStringLiteral("Type"),           QStringLiteral("Treatment"),
        QStringLiteral("Secondary Skill"),   QStringLiteral("Lowest Cluster QL"), QStringLiteral("Same Bonus QL"),
        QStringLiteral("Treatment Saved"),   QStringLiteral("Ability Saved")};
    return headers;
}

// A table an older project brought back may lack the later columns: a build
// gives it every column again.
void restoreHeader(TextTable &table, const QStringList &headers)
{
    if (table.columnCount() != headers.size())
        setHeader(table, headers);
}

// Whether a requirement cell asks more of the character than it has: the
// "Treatment" cell's number against its Treatment, the "Secondary Skill"
// cell's leading number against the ability its last " - " part names.
bool aboveCharacter(const Character &character, qint64 treatmentTrickle, int column, const QString &text)
{
    if (column == ReqCol::Treatment) {
        const std::optional<int> value = ZeroPrefixedNumber(text.trimmed());
        return value && *value > character.stat(Stat::Treatment) + treatmentTrickle;
    }
    // A symbiant's needs: "Agility 383, Sense 383, level 125".
    if (!text.isEmpty() && text.at(0).isLetter()) {
        for (const QString &part : text.split(QStringLiteral(", "))) {
            const qsizetype split = part.lastIndexOf(u' ');
            const std::optional<int> value = ZeroPrefixedNumber(part.mid(split + 1));
            if (split <= 0 || !value)
                continue;
            const QStringView name = QStringView(part).left(split);
            if (name == QLatin1String("level")) {
                if (*value > character.level)
                    return true;
                continue;
            }
            const int ability = StatIndex(name);
            if (ability > int(Stat::Treatment) && *value > character.stats[std::size_t(ability)])
                return true;
        }
        return false;
    }
    const qsizetype space = text.indexOf(u' ');
    const qsizetype dash = text.lastIndexOf(QStringLiteral(" - "));
    if (space <= 0 || dash < 0)
        return false;
    const int ability = StatIndex(QStringView(text).sliced(dash + 3).trimmed());
    const std::optional<int> value = ZeroPrefixedNumber(text.left(space));
    return ability > int(Stat::Treatment) && value && *value > character.stats[std::size_t(ability)];
}

} // namespace

ReqCellColor RequirementCellColor(const BuildSettings &settings, int column, int row, const QString &text,
                                  qint64 treatmentTrickle, bool reachedByLadder)
{
    if ((column == ReqCol::Treatment || column == ReqCol::SecondarySkill) && row >= 1 &&
        settings.character.entered() && aboveCharacter(settings.character, treatmentTrickle, column, text))
        return reachedByLadder ? ReqCellColor::Reached : ReqCellColor::Red;
    if (column == ReqCol::Type && row >= 1 && text == SymbiantOtherProfession)
        return ReqCellColor::Red;
    if (column != ReqCol::SkillReq || row < 1)
        return ReqCellColor::Normal;
    if (!settings.warnNanoProg)
        return ReqCellColor::Normal;
    // A cell or a maximum that is not a number (pasted into the box, say)
    // cannot be compared, and a warning that cannot be judged is not given.
    const std::optional<int> value = ZeroPrefixedNumber(text);
    const std::optional<int> maximum = ZeroPrefixedNumber(settings.maxNanoProg.text());
    if (!value || !maximum)
        return ReqCellColor::Normal;
    return *value > *maximum ? ReqCellColor::Red : ReqCellColor::Normal;
}

bool BuildResults::ladderReaches(int row) const
{
    if (row < 1 || row >= m_reqTable.rowCount())
        return false;
    // "HEAD (QL 175)": the slot and the level the row is built at.
    const QString implant = m_reqTable.cell(ReqCol::Implant, row);
    const qsizetype at = implant.lastIndexOf(QStringLiteral(" (QL "));
    if (at <= 0 || !implant.endsWith(u')'))
        return false;
    const QString slot = implant.left(at);
    const bool symbiant = m_reqTable.cell(ReqCol::Type, row) == SymbiantType;
    bool ok = false;
    const int level = QStringView(implant).sliced(at + 5).chopped(1).toInt(&ok);
    if (!symbiant && (!ok || level <= 0))
        return false;
    // Read from the ladder's table rather than the ladder, so that a project
    // opened with a ladder built marks its cells as the build did. A step
    // wearing a symbiant is noted "symbiant NAME"; an implant's last step,
    // "final level" and what it replaced.
    for (int r = 1; r < m_ladderTable.rowCount(); ++r) {
        if (m_ladderTable.cell(LadderCol::Step, r).isEmpty() || m_ladderTable.cell(LadderCol::Implant, r) != slot)
            continue;
        const QString note = m_ladderTable.cell(LadderCol::Note, r);
        if (symbiant ? note.startsWith(QStringLiteral("symbiant "))
                     : note.startsWith(QStringLiteral("final level")) &&
                           m_ladderTable.cell(LadderCol::Level, r) == QString::number(level))
            return true;
    }
    return false;
}

void ClearResultTable(TextTable &table)
{
    table.setRowCount(2);
    table.setRow(1, QStringList());
}

void SortResultRows(TextTable &table, const QList<SortKey> &keys)
{
    const int rows = table.rowCount();
    if (rows <= 2 || keys.isEmpty())
        return;
    QList<QStringList> data;
    data.reserve(rows - 1);
    for (int r = 1; r < rows; ++r)
        data.append(table.row(r));
    const auto compare = [](const QString &a, const QString &b) {
        int x = 0;
        int y = 0;
        if (TryStrToInt(a, x) && TryStrToInt(b, y))
            return x < y ? -1 : x > y ? 1 : 0;
        return CompareText(a, b);
    };
    std::stable_sort(data.begin(), data.end(), [&keys, &compare](const QStringList &a, const QStringList &b) {
        for (const SortKey &key : keys) {
            const int order = compare(a.value(key.column), b.value(key.column));
            if (order != 0)
                return key.descending ? order > 0 : order < 0;
        }
        return false;
    });
    for (int r = 1; r < rows; ++r)
        table.setRow(r, data.at(r - 1));
}

void FillShoppingList(const BuildResults &results, TextTable &list)
{
    const TextTable &table = results.reqTable();
    const int columns = std::min(table.columnCount(), int(ReqCol::Stored));
    // A symbiant is not bought as clusters: its rows stay off the list.
    QList<int> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        const QString &type = table.cell(ReqCol::Type, r);
        if (r == 0 || (type != SymbiantType && type != SymbiantOtherProfession))
            rows.append(r);
    }
    list.setColumnCount(columns);
    list.setRowCount(std::max<int>(int(rows.size()), 2));
    list.setRow(1, QStringList());
    for (int i = 0; i < rows.size(); ++i)
        list.setRow(i, table.row(rows.at(i)).mid(0, columns));
    if (table.columnCount() <= ReqCol::LowestClusterQL || results.drewOnStock())
        return;
    for (int i = 1; i < rows.size(); ++i) {
        const int r = rows.at(i);
        const QString cluster = table.cell(ReqCol::Cluster, r);
        const qsizetype level = cluster.lastIndexOf(QStringLiteral(" (QL "));
        int lowest = 0;
        if (level < 0 || !TryStrToInt(table.cell(ReqCol::LowestClusterQL, r), lowest) ||
            table.cell(ReqCol::Credits, r).trimmed() != QLatin1String("0"))
            continue;
        list.setCell(ReqCol::Cluster, i, LangMsg(Msg::ShoppingListLevel).arg(cluster.left(level), QString::number(lowest)));
    }
}

BuildResults::BuildResults()
{
    setHeader(m_skillIncTable, skillHeaders());
    setHeader(m_reqTable, requirementHeaders());
    setHeader(m_suggestTable, {QStringLiteral("Suggested Cluster Addition"), QStringLiteral("Implant"),
                               QStringLiteral("New Secondary Skill")});
    setHeader(m_ladderTable, {QStringLiteral("Step"), QStringLiteral("Implant"), QStringLiteral("QL"),
                              QStringLiteral("Treatment"), QStringLiteral("Ability"), QStringLiteral("Treatment After"),
                              QStringLiteral("Ability After"), QStringLiteral("Note")});
}

namespace {

// A change of a stat as the ladder shows it: "+12", "-3".
QString signedChange(qint64 change)
{
    return (change > 0 ? QStringLiteral("+") : QString()) + QString::number(change);
}

// The abilities a step changes, each with its value after it and by how
// much ("Agility 336 (+36), Sense 280 (+20)"); the step's own ability alone
// when it changes none.
QString abilitiesAfter(const LadderStep &step, const Stats &previous)
{
    QStringList changed;
    for (int a = int(Stat::Strength); a < StatCount; ++a) {
        const qint64 change = step.after[std::size_t(a)] - previous[std::size_t(a)];
        if (change != 0)
            changed.append(StatNames().at(a) + u' ' + QString::number(step.after[std::size_t(a)]) + QStringLiteral(" (") +
                           signedChange(change) + u')');
    }
    if (changed.isEmpty())
        return StatNames().at(int(step.ability)) + u' ' + QString::number(step.after[std::size_t(step.ability)]);
    return changed.join(QStringLiteral(", "));
}

} // namespace

void FillLadderTable(const Ladder &ladder, TextTable &table)
{
    // Each step's requirements beside what the character has for them as the
    // implant goes on (the slot's earlier implant off), and what the step
    // changes from the one before, so that a gain of an earlier step is seen
    // where it comes.
    QList<QStringList> rows;
    Stats previous = ladder.character.stats;
    for (int i = 0; i < int(ladder.steps.size()); ++i) {
        const LadderStep &step = ladder.steps.at(i);
        const QString &ability = StatNames().at(int(step.ability));
        const qint64 treatmentAfter = step.after[std::size_t(Stat::Treatment)];
        const qint64 treatmentChange = treatmentAfter - previous[std::size_t(Stat::Treatment)];
        QString note = !step.symbiant.isEmpty() ? QStringLiteral("symbiant ") + step.symbiant
                       : step.final             ? QStringLiteral("final level")
                                                : QStringLiteral("on the way");
        if (step.replaces > 0)
            note += QStringLiteral(", replaces QL %1").arg(step.replaces);
        if (step.byTrickle)
            note += QStringLiteral(", by trickle-down");
        rows.append({QString::number(i + 1), step.slot, QString::number(step.ql),
                     QStringLiteral("%1 (has %2)").arg(step.treatmentNeeded).arg(step.before[std::size_t(Stat::Treatment)]),
                     QStringLiteral("%1 %2 (has %3)")
                         .arg(ability)
                         .arg(step.abilityNeeded)
                         .arg(step.before[std::size_t(step.ability)]),
                     treatmentChange == 0 ? QString::number(treatmentAfter)
                                          : QStringLiteral("%1 (%2)").arg(treatmentAfter).arg(signedChange(treatmentChange)),
                     abilitiesAfter(step, previous), note});
        previous = step.after;
    }
    for (const LadderUnwearable &implant : ladder.unwearable)
        rows.append({QString(), implant.slot, QStringLiteral("0"), QString(), QString(), QString(), QString(),
                     implant.reason});
    fillRows(table, std::move(rows));
}

void FillRequirementTable(const QList<RequirementRow> &rows, const QList<SymbiantRow> &symbiants, TextTable &table)
{
    QList<QStringList> cells;
    cells.reserve(rows.size() + symbiants.size());
    for (const RequirementRow &row : rows)
        cells.append(RequirementCells(row));
    for (const SymbiantRow &row : symbiants)
        cells.append(SymbiantCells(row));
    fillRows(table, std::move(cells));
}

void FillSkillTable(const QList<SkillTotalRow> &rows, TextTable &table)
{
    QList<QStringList> cells;
    cells.reserve(rows.size());
    for (const SkillTotalRow &row : rows) {
        if (row.blank())
            cells.append(QStringList());
        else
            cells.append({row.skill, QString::number(row.increase), QString::number(row.clusters),
                          row.trickle ? QString::number(*row.trickle) : QString()});
    }
    fillRows(table, std::move(cells));
}

void FillSuggestionTable(const QList<SuggestionRow> &rows, TextTable &table)
{
    QList<QStringList> cells;
    cells.reserve(rows.size());
    for (const SuggestionRow &row : rows)
        cells.append({row.addition, row.slot, row.secondarySkill});
    fillRows(table, std::move(cells));
}

void BuildResults::setRequirementRows(QList<RequirementRow> rows, QList<SymbiantRow> symbiants)
{
    restoreHeader(m_reqTable, requirementHeaders());
    m_requirementRows = std::move(rows);
    m_symbiantRows = std::move(symbiants);
    FillRequirementTable(m_requirementRows, m_symbiantRows, m_reqTable);
}

void BuildResults::setSkillTotalRows(QList<SkillTotalRow> rows)
{
    restoreHeader(m_skillIncTable, skillHeaders());
    m_skillTotalRows = std::move(rows);
    FillSkillTable(m_skillTotalRows, m_skillIncTable);
}

void BuildResults::setSuggestionRows(QList<SuggestionRow> rows)
{
    m_suggestionRows = std::move(rows);
    FillSuggestionTable(m_suggestionRows, m_suggestTable);
}

void BuildResults::setLadder(const Ladder &ladder)
{
    m_ladder = ladder;
    FillLadderTable(ladder, m_ladderTable);
}

QString OutcomeText(BuildOutcome outcome)
{
    switch (outcome) {
    case BuildOutcome::NothingPlaced:
        return LangMsg(Msg::NothingPlacedText);
    case BuildOutcome::NothingSourced:
        return LangMsg(Msg::NothingSourcedText);
    case BuildOutcome::None:
    case BuildOutcome::Built:
        break;
    }
    return QString();
}

namespace {

// Whether any data cell of a result table (below its header row) holds text.
bool HoldsResults(const TextTable &table)
{
    for (int row = 1; row < table.rowCount(); ++row)
        for (int column = 0; column < table.columnCount(); ++column)
            if (!table.cell(column, row).isEmpty())
                return true;
    return false;
}

} // namespace

void BuildResults::markRestored()
{
    m_drewOnStock = false;
    m_requirementRows.clear();
    m_symbiantRows.clear();
    m_skillTotalRows.clear();
    m_suggestionRows.clear();
    const bool held = HoldsResults(m_skillIncTable) || HoldsResults(m_reqTable) || HoldsResults(m_suggestTable);
    m_outcome = held ? BuildOutcome::Built : BuildOutcome::None;
    m_stale = false;
}

QString StaleResultsText()
{
    return LangMsg(Msg::StaleResultsText);
}

void BuildResults::reset()
{
    m_outcome = BuildOutcome::None;
    m_stale = false;
    setSkillTotalRows({});
    setRequirementRows({});
    setSuggestionRows({});
    clearLadder();
    setTrickle(0, {});
    m_drewOnStock = false;
    m_reqSort.clear();
    m_skillIncSort.clear();
    m_buildLog.clear();
}

void BuildResults::clearLadder()
{
    m_ladder.reset();
    ClearResultTable(m_ladderTable);
}

void BuildResults::clearSortColumns()
{
    m_reqSort.clear();
    m_skillIncSort.clear();
}

QList<int> BuildResults::reqSortColumns() const
{
    QList<int> columns;
    for (const SortKey &key : m_reqSort)
        columns.append(key.column);
    return columns;
}

void BuildResults::sortByHeading(SortableTable which, int column, bool add)
{
    QList<SortKey> &keys = which == SortableTable::Requirements ? m_reqSort : m_skillIncSort;
    TextTable &table = this->table(which);
    if (column < 0 || column >= table.columnCount())
        return;
    const auto found = std::find_if(keys.begin(), keys.end(), [column](const SortKey &k) { return k.column == column; });
    if (add) {
        if (found != keys.end())
            found->descending = !found->descending;
        else
            keys.append(SortKey{column, false});
    } else if (keys.size() == 1 && found != keys.end()) {
        found->descending = !found->descending;
    } else {
        keys = {SortKey{column, false}};
    }
    SortResultRows(table, keys);
}

void BuildResults::resortRequirements()
{
    m_reqSort = {SortKey{ReqCol::Type, false}, SortKey{ReqCol::Cluster, false}};
    SortResultRows(m_reqTable, m_reqSort);
}

} // namespace ludra
