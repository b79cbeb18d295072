#pragma once

#include "data/referencedata.h"
#include "layout/defaultselections.h"
#include "stock/stockstate.h"

#include <QStringList>

namespace ludra {

class Prompter;
struct MessageDef;

// What the start-up is to do besides loading the reference data.
struct StartOptions
{
    // Read the stock register from the stock file at the end. The
    // command-line tool reads it only when a build draws on stock, and the
    // window after it has reopened the last project.
    bool readStock = true;
};

// What the start-up found.
struct StartReport
{
    // The essential reference files that were missing, in the order they
    // were looked for ("data.csv", "SecSkill.csv", "require.csv"). Each was
    // reported when it was found missing; start-up went on without it.
    QStringList missingFiles;

    bool catalogueRead() const { return !missingFiles.contains(RefFile::Catalogue); }
};

// What every open plan of the program shares, one copy for the whole
// program: the reference data, the default skill selections and the stock
// register with what builds draw from it. The options are the program's too
// (ProgramOptions()). Plans live in documents (PlanDocument), each of which
// stands on one program.
class LudraProgram
{
public:
    ReferenceData &reference() { return m_reference; }
    const ReferenceData &reference() const { return m_reference; }
    const DefaultSelections &defaultSelections() const { return m_defaultSelections; }
    // The program's copy of the stock register and what builds draw from it.
    StockState &stock() { return m_stock; }
    const StockState &stock() const { return m_stock; }

    // The start-up, in its fixed order: the options file, the skill increase
    // table, the default selections, the catalogue, the recipes, the
    // requirements, and the stock register's entries (one per catalogue
    // record), filled from the stock file when asked for. Whatever cannot be
    // read is told through the prompter as it is met, and start-up goes on;
    // the report says what was missing.
    StartReport start(Prompter &prompter, const StartOptions &options = {});
    bool started() const { return m_started; }

    // Makes the stock register's entries, one per catalogue record, and
    // fills them from the stock file (ReloadStock). Returns false when the
    // file is there and cannot be read; that is reported once through the
    // prompter and the register is left empty.
    bool reloadStock(Prompter &prompter);

private:
    void loadSkillReq(Prompter &prompter);
    void makeStockEntries();
    // Reads one essential reference file; when it is missing says so and
    // adds it to the report.
    void loadReferenceFile(bool (ReferenceData::*load)(), const QString &name, const MessageDef &title,
                           const MessageDef &text, Prompter &prompter, StartReport &report);

    ReferenceData m_reference;
    DefaultSelections m_defaultSelections;
    StockState m_stock;
    bool m_started = false;
};

} // namespace ludra
