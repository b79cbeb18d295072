#pragma once

#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "stock/stocksourcing.h"

namespace ludra {

class Prompter;

// Everything the main window owns besides its controls, one owner per
// subsystem: the reference data, the layout, the build settings and the build
// results. No widgets here; the pages show this state and call its
// operations.
class LudraModel
{
public:
    ReferenceData &reference() { return m_reference; }
    const ReferenceData &reference() const { return m_reference; }
    LayoutState &layout() { return m_layout; }
    const LayoutState &layout() const { return m_layout; }
    BuildSettings &buildSettings() { return m_buildSettings; }
    const BuildSettings &buildSettings() const { return m_buildSettings; }
    BuildResults &results() { return m_results; }
    const BuildResults &results() const { return m_results; }
    // The main window's copy of the stock register and what builds draw from it.
    StockState &stock() { return m_stock; }
    const StockState &stock() const { return m_stock; }

    // The project file last opened or saved (FileName); empty before.
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }

    // Start-up steps that may have to tell the user something, run by the main
    // window in its creation order.

    // Loads the skill increase table; a failed write of the file of built-in
    // values is reported and the built-in values stay.
    void loadSkillReq(Prompter &prompter);
    // Empties the build's working state.
    void resetBuildState();
    // Reads the catalogue; when the file is missing says so and returns false.
    bool loadCatalogue(Prompter &prompter);
    // Reads the recipe file; when it is missing says so.
    void loadSecSkills(Prompter &prompter);
    // Reads the requirement file; when it is missing says so.
    void loadRequirements(Prompter &prompter);
    // Makes the stock register's entries, one per catalogue record, and
    // fills them from the stock file (ReloadStock).
    void reloadStock(Prompter &prompter);

private:
    ReferenceData m_reference;
    LayoutState m_layout;
    BuildSettings m_buildSettings;
    BuildResults m_results;
    StockState m_stock;
    QString m_fileName;
};

} // namespace ludra
