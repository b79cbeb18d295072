#pragma once

#include "layout/layoutstate.h"

#include <QString>

#include <functional>

namespace ludra {

class BuildResults;
class BuildSettings;
class Prompter;
class ReferenceData;
class StockState;

// What the window does around a build. Each step has a default that works on
// the core state alone, so a build runs without windows.
struct BuildHooks
{
    // Switches the layout to a view or to the names shown through the
    // layout's own change operation and lets the window repaint. The
    // default switches the layout state.
    std::function<void(LayoutView)> showView;
    std::function<void(LayoutNames)> showNames;
    // Turns the page to the results once the tables are filled.
    std::function<void()> showResults;
};

// The build of "&Build >>": turns the layout into the result tables.
class BuildRunner
{
public:
    BuildRunner(const ReferenceData &reference, LayoutState &layout, const BuildSettings &settings,
                BuildResults &results, StockState &stock, Prompter &prompter);

    BuildHooks hooks;
    // The stock file the build reloads the register from and, when the user
    // confirms a removal, writes.
    QString stockPath;

    // The whole build, in order: the target check, the removal question, the
    // preparation (the register reloaded, the tables emptied, the layout
    // shown by body placement with cluster names), the cell loop, the
    // suggestions, the layout's own view and names back, the results shown,
    // and the question whether to keep the removal. Returns false when the
    // target check or the first question ended it before anything changed.
    // A value that is not a whole number ends it with EConvertError; the
    // tables keep what was written, the layout is back as the user had it
    // and no build is left running.
    bool run();

    // The computation alone, on a layout shown by body placement with
    // cluster names: the tables emptied, the cell loop and the suggestions,
    // with the stock checks working as in a build. The register is used as
    // it stands.
    void compute();

private:
    void buildCell(int column, int row, int &outRow);
    void tallySkill(const QString &skill, qint64 increase);
    void removeUsedImplants();

    const ReferenceData &m_reference;
    LayoutState &m_layout;
    const BuildSettings &m_settings;
    BuildResults &m_results;
    StockState &m_stock;
    Prompter &m_prompter;
};

} // namespace ludra
