#pragma once

#include "build/resultrows.h"
#include "build/skilltally.h"
#include "layout/layoutstate.h"

#include <QList>
#include <QString>

#include <functional>

namespace ludra {

struct Ladder;
struct RequirementProfile;
class BuildResults;
class BuildSettings;
class Prompter;
class ReferenceData;
class StockState;

// What the window does around a build: it turns the page to the results
// once the tables are filled. Without it the same build runs on the core
// state alone.
struct BuildHooks
{
    std::function<void()> showResults;
};

// What differs between a build the user starts in the window and one the
// command-line tool runs.
struct BuildOptions
{
    // Whether the build may take the stock it uses out of the register and
    // the stock file when "Remove build stock" asks for it; it then asks
    // before it starts and again before it keeps the removal. Off, nothing is
    // asked and nothing is removed, whatever the setting.
    bool removeStock = true;
    // Whether the stock file must be read: it is then read only for a build
    // that draws on stock, and a file that cannot be read ends the build.
    // Off, it is read at every build, and a file that cannot be read is
    // reported while the build goes on without stock.
    bool requireStockFile = false;
    // Whether the abilities the plan adds trickle down: into Treatment on
    // the ladder, and into every skill in the skill table's column.
    bool trickleDown = true;
};

// The build of "&Build >>": turns the layout into the result tables. The
// window and the command-line tool run the same build; hooks and options say
// what differs.
class BuildRunner
{
public:
    BuildRunner(const ReferenceData &reference, const LayoutState &layout, const BuildSettings &settings,
                BuildResults &results, StockState &stock, Prompter &prompter);

    BuildHooks hooks;
    BuildOptions options;
    // The stock file the build reloads the register from and, when the user
    // confirms a removal, writes.
    QString stockPath;

    // The whole build, in order: the target check, the removal question, the
    // preparation (the register reloaded, the tables emptied), the cell loop
    // over the plan's slots, the suggestions, the results shown, and the
    // question whether to keep the removal. Returns false when the target
    // check or the first question ended it before anything changed. A value
    // that is not a whole number ends it with EConvertError, and duplicate
    // marks that hold the plan undecided with the duplicate warning; the
    // tables keep what was written.
    bool run();

    // The computation alone: the tables emptied, the cell loop and the
    // suggestions, with the stock checks working as in a build. The register
    // is used as it stands.
    void compute();

private:
    // Whether this build removes the stock it uses.
    bool removing() const;
    void readStock();
    // Builds one cluster of the plan (slot 0 to 12, type 0 to 2) at the
    // settings' one level, or at its slot's level in the implant selection
    // given (the plan's, or the ladder's): a requirement row after the others
    // when its stock check passes. Returns whether the cell is of a selected
    // implant and holds a cluster. A value that is no whole number stops it
    // with the row as far as it got.
    bool buildCell(const QList<ImplantSelection> &selections, int slot, int type);
    // The recipe profile of the implant a slot of the plan holds (nullptr:
    // the build's formulas).
    const RequirementProfile *profileOf(int slot) const;
    // Each implant's lowest level with the same bonuses, and what it saves.
    void fillCheaperLevels();
    void removeUsedImplants();
    // The rows counted so far into the results, with their tables.
    void writeRows();
    // The plan's symbiants (those the ladder left out excepted): their rows,
    // and their bonuses counted into the skill totals.
    void countSymbiants(const QList<Symbiant> &symbiants, const Ladder *ladder);

    const ReferenceData &m_reference;
    const LayoutState &m_layout;
    const BuildSettings &m_settings;
    BuildResults &m_results;
    StockState &m_stock;
    Prompter &m_prompter;
    // The requirement rows and the skill totals as the cell loop makes them,
    // written into the results once at the end.
    QList<RequirementRow> m_rows;
    QList<SymbiantRow> m_symbiantRows;
    SkillTallies m_tallies;
};

} // namespace ludra
