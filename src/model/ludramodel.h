#pragma once

#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "model/projectstate.h"
#include "stock/stockstate.h"

#include <QStringList>

#include <optional>

namespace ludra {

struct MessageDef;
class Prompter;

// What the start-up is to do besides loading the reference data.
struct StartOptions
{
    // Reopen the project the options file names, when it asks for that.
    bool reopenLastProject = false;
    // Read the stock register from the stock file at the end. The
    // command-line tool reads it only when a build draws on stock.
    bool readStock = true;
};

// What the start-up found.
struct StartReport
{
    // The essential reference files that were missing, in the order they
    // were looked for ("data.csv", "SecSkill.csv", "require.csv"). Each was
    // reported when it was found missing; start-up went on without it.
    QStringList missingFiles;
    // The project reopened at start-up, with what the window is to show of
    // it besides the model; nothing when none was.
    std::optional<ProjectShown> reopened;

    bool catalogueRead() const { return !missingFiles.contains(RefFile::Catalogue); }
};

// Everything the main window owns besides its controls, one owner per
// subsystem: the reference data, the layout, the build settings, the build
// results and the stock. No widgets here; the window and the command-line
// tool show this state and call its operations.
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

    // The start-up of the model, in its fixed order: the skill increase
    // table, the build's working state, the default selections, the cell
    // tables, the catalogue, the recipes, the requirements, the available
    // skills, the layout arranged by body placement, the last project when
    // asked for (recorded as the last project again), and the stock
    // register's entries, filled from the stock file when asked for. Whatever cannot be read is told
    // through the prompter as it is met, and start-up goes on; the report
    // says what was missing.
    StartReport start(Prompter &prompter, const StartOptions &options = {});

    // Makes the stock register's entries, one per catalogue record, and
    // fills them from the stock file (ReloadStock). Returns false when the
    // file is there and cannot be read; that is reported once through the
    // prompter and the register is left empty.
    bool reloadStock(Prompter &prompter);

    // Reads a project whole and, once it has been read, puts it into the
    // model and makes it the project shown. Throws, with the file's name and
    // the reason, when it cannot be read; the model is then as it was.
    ProjectShown openProject(const QString &path);
    // Writes the model to a project file, replacing it only once the new
    // file is whole, and makes it the project shown.
    void saveProject(const QString &path, const ProjectShown &shown);
    // An empty plan with the default settings, as start-up leaves it without
    // a project: every skill available, an empty layout by body placement
    // with skill names, the allocation rules and the build settings as they
    // come, no results, no project. The reference data and the stock stay.
    void newPlan();

private:
    void loadSkillReq(Prompter &prompter);
    // The stock register's entries, one per catalogue record, all empty.
    void makeStockEntries();
    // Reads one essential reference file; when it is missing says so and
    // adds it to the report.
    void loadReferenceFile(bool (ReferenceData::*load)(), const QString &name, const MessageDef &title,
                           const MessageDef &text, Prompter &prompter, StartReport &report);

    ReferenceData m_reference;
    LayoutState m_layout;
    BuildSettings m_buildSettings;
    BuildResults m_results;
    StockState m_stock;
    QString m_fileName;
};

} // namespace ludra
