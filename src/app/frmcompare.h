#pragma once

#include "build/plancomparison.h"
#include "common/texttable.h"

#include <QDialog>
#include <QList>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ludra {

class LudraProgram;
class PlanDocument;
class Prompter;
class Reports;

// "Compare Plans": the plan of the window beside another open plan or a
// project file, each built with its own settings: per skill the total of
// each and the difference, then the highest treatment, ability and
// nano-programming requirement, the credits, the clusters and the implants,
// and with a character how many implants each lets it wear at its levels.
// The comparison prints, previews and exports like the result grids.
class TfrmCompare : public QDialog
{
    Q_OBJECT

public:
    // The other plans offered are the documents of the program's other
    // windows; the reports are the window's, which print and export.
    TfrmCompare(LudraProgram &program, const PlanDocument &current, QList<const PlanDocument *> others,
                Reports &reports, Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmCompare() override;

    const TextTable &comparison() const { return m_table; }

    // Command handlers.

    // Another plan chosen in the list.
    void cboCompareWithChange();
    // "Project File...": a project read into a plan of its own and compared.
    void btnCompareFileClick();
    void btnComparePrintClick();
    void btnComparePreviewClick();

private:
    // Builds both plans and shows them side by side; with no other plan,
    // says so.
    void compare();
    // The plans offered: the other windows', then the file read, if any.
    QList<const PlanDocument *> candidates() const;
    void exportAs(int format);

    LudraProgram &m_program;
    const PlanDocument &m_current;
    QList<const PlanDocument *> m_others;
    std::unique_ptr<PlanDocument> m_fromFile;
    Reports &m_reports;
    Prompter &m_prompter;
    TextTable m_table;

    QComboBox *cboCompareWith = nullptr;
    QPushButton *btnCompareFile = nullptr;
    QTableView *grdCompare = nullptr;
    QLabel *lblCompareNote = nullptr;
    QPushButton *btnComparePrint = nullptr;
    QPushButton *btnComparePreview = nullptr;
    QPushButton *btnCompareExport = nullptr;
};

// The name a plan goes by in a comparison: its project file's name, or "the
// new plan" before it has one.
QString PlanName(const PlanDocument &document);

} // namespace ludra
