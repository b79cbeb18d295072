#pragma once

#include "common/texttable.h"
#include "reports/printsettings.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace ludra {

class BuildResults;
class LayoutState;
class Prompter;
struct PrintableGrid;
struct RtfPage;

// The grids a report can take: those of the main window's tabs, the
// comparison of two plans and the symbiants each slot could hold.
enum class ReportGrid { Layout, Skills, Requirements, Suggestions, Ladder, Comparison, Symbiants };

// The grids' names in the window, in ReportGrid order; they also name the
// grids' sections of the print settings file.
const QStringList &ReportGridNames();

// The report commands of the main window: printing, preview, print settings
// and export of the grid each tab shows, each grid with print settings of
// its own. Which grid a command takes on which tab is decided here. The
// settings the user saves in "Print Settings" are kept across starts in the
// print settings file among the user's files.
class Reports
{
public:
    // The window's tabs, in order.
    enum Tab { LayoutTab, BuildTab, SkillsTab, RequirementsTab, SuggestionsTab, LadderTab };

    Reports(Prompter &prompter, QWidget &window);

    // The grids come from a layout and a build's results (those of the
    // document the window shows); the reports keep no copy of them.
    void setSources(const LayoutState &layout, const BuildResults &results);
    // The comparison of two plans, while its window shows it; none after.
    void setComparison(const TextTable *comparison) { m_comparison = comparison; }
    // The symbiants found for the plan, while their window shows them.
    void setSymbiants(const TextTable *symbiants) { m_symbiants = symbiants; }

    // The grid of each command on a tab. The Build tab has no grid of its
    // own: printing and export take the layout there, which is what the
    // layout, the build's input, is; preview and print settings take the
    // grid they last took.
    ReportGrid printGrid(int tab) const;
    ReportGrid previewGrid(int tab) const;
    ReportGrid settingsGrid(int tab) const;
    ReportGrid exportGrid(int tab) const;

    const PrintSettings &settings(ReportGrid grid) const { return m_settings[int(grid)]; }

    // Commands; the caller runs each inside its error boundary.
    void printReport(int tab);
    void printPreview(int tab);
    void printSettings(int tab);
    // The requirements at once, with the settings they have.
    void printShoppingList();
    // The build log's lines at once.
    void printLog(const QStringList &lines);
    enum class Format { Csv, Html, Rtf };
    void exportTable(int tab, Format format);

    // The same commands for a grid named directly (the comparison's and the
    // symbiants' windows).
    void printGridReport(ReportGrid grid) { printWithDialog(grid); }
    void previewGridReport(ReportGrid grid);
    void exportGridTable(ReportGrid grid, Format format);

    // How a printer that prints without asking is made ready; by default it
    // stays as made (the system's default printer). Tests print to files.
    std::function<void(QPrinter &)> preparePrinter;
    // Whether the system has a printer to print on without asking: by
    // default, whether it has a default printer. Where it has none the print
    // dialog asks, and offers printing to a PDF file.
    std::function<bool()> hasDefaultPrinter;
    // The widths of a grid's columns as its view shows them.
    std::function<QList<int>(ReportGrid)> columnWidths;
    // The path of the project shown, which a report names; empty before
    // there is one.
    std::function<QString()> projectPath;

private:
    // Whether a printer made ready can print without asking: a file printer
    // that names its file, or the system's printer when there is one and
    // the printer is valid.
    bool printerReady(const QPrinter &printer) const;
    // Asks for the printer and prints the grid as a report.
    void printWithDialog(ReportGrid grid);
    // Runs the print dialog on the printer; false when it was cancelled.
    bool askForPrinter(QPrinter &printer);
    // Prints at once on the default printer, or asks for one when there is
    // none ready.
    void printAtOnce(const PrintableGrid &grid, const PrintSettings &settings, const QString &document);
    PrintableGrid printable(ReportGrid grid) const;
    const TextTable &table(ReportGrid grid) const;
    QString title(ReportGrid grid) const;
    QString baseTitle(ReportGrid grid) const;
    void print(const PrintableGrid &grid, const PrintSettings &settings, QPrinter &printer) const;

    // The grid as an HTML document; the requirements come with the layout.
    void exportHtml(ReportGrid grid, const QString &path) const;
    // The page a grid's RTF document is fitted to: the paper a print takes,
    // in the orientation and with the margins of the grid's print settings.
    static RtfPage exportPage(const PrintSettings &settings);

    QString projectName() const;
    // Writes the settings the user chose for every grid to the file.
    void saveSettings() const;

    const LayoutState *m_layout = nullptr;
    // The layout as printed and exported when a slot holds a symbiant: the
    // grid with the symbiant's title in place of the clusters it keeps.
    mutable TextTable m_layoutShown;
    const BuildResults *m_results = nullptr;
    const TextTable *m_comparison = nullptr;
    const TextTable *m_symbiants = nullptr;
    Prompter &m_prompter;
    QWidget &m_window;
    PrintSettings m_settings[7];
    ReportGrid m_previewBound = ReportGrid::Layout;
    ReportGrid m_settingsBound = ReportGrid::Requirements;
};

} // namespace ludra
