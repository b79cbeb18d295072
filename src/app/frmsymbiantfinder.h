#pragma once

#include "build/symbiantfinder.h"
#include "common/texttable.h"

#include <QDialog>
#include <QList>

#include <utility>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ludra {

class PlanDocument;
class Prompter;
class Reports;

// "Find Symbiants": per body slot the symbiants the character can wear with
// the rest of the plan on, ranked by what they add to the plan's selected
// skills over what the slot gives now (FindSymbiants). The list follows the
// plan and the build settings while the window is open; "Use" puts the
// chosen symbiant into its slot as one step of the plan's history. The table
// prints, previews and exports like the result grids.
class TfrmSymbiantFinder : public QDialog
{
    Q_OBJECT

public:
    // The reports are the window's, which print and export.
    TfrmSymbiantFinder(PlanDocument &document, Reports &reports, Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmSymbiantFinder() override;

    const TextTable &symbiants() const { return m_table; }
    const SymbiantFinding &finding() const { return m_finding; }

    // Command handlers.

    // A slot chosen in the list, or all slots.
    void cboSymbiantSlotChange();
    // Puts the symbiant of the chosen row into its slot.
    void btnSymbiantUseClick();
    void btnSymbiantPrintClick();
    void btnSymbiantPreviewClick();

private:
    // Finds the symbiants for the plan and settings as they are now.
    void find();
    // The table of the finding for the slot chosen.
    void showFinding();
    // The choice a row of the grid shows; nullptr for none.
    const SymbiantChoice *chosen() const;
    void exportAs(int format);

    PlanDocument &m_document;
    Reports &m_reports;
    Prompter &m_prompter;
    SymbiantFinding m_finding;
    TextTable m_table;
    // Per row of the table after its header: the slot and the choice's index.
    QList<std::pair<int, int>> m_rows;

    QComboBox *cboSymbiantSlot = nullptr;
    QTableView *grdSymbiants = nullptr;
    QLabel *lblSymbiantNote = nullptr;
    QPushButton *btnSymbiantUse = nullptr;
    QPushButton *btnSymbiantPrint = nullptr;
    QPushButton *btnSymbiantPreview = nullptr;
    QPushButton *btnSymbiantExport = nullptr;
};

} // namespace ludra
