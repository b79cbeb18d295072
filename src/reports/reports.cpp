#include "reports/reports.h"

#include "build/buildresults.h"
#include "layout/layoutstate.h"
#include "text/messages.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/prompter.h"
#include "reports/export.h"
#include "reports/frmpreview.h"
#include "reports/frmprintsettings.h"
#include "reports/gridprinter.h"
#include "views/widgets.h"

#include <QPrintDialog>
#include <QPrinter>

namespace ludra {

Reports::Reports(const LayoutState &layout, const BuildResults &results, Prompter &prompter, QWidget &window)
    : m_layout(layout), m_results(results), m_prompter(prompter), m_window(window)
{
}

QString Reports::projectName() const
{
    return projectPath ? projectPath() : QString();
}

ReportGrid Reports::printGrid(int tab) const
{
    switch (tab) {
    case SkillsTab: return ReportGrid::Skills;
    case RequirementsTab: return ReportGrid::Requirements;
    case SuggestionsTab: return ReportGrid::Suggestions;
    case LadderTab: return ReportGrid::Ladder;
    default: return ReportGrid::Layout;
    }
}

ReportGrid Reports::previewGrid(int tab) const
{
    return tab == BuildTab ? m_previewBound : printGrid(tab);
}

ReportGrid Reports::settingsGrid(int tab) const
{
    return tab == BuildTab ? m_settingsBound : printGrid(tab);
}

ReportGrid Reports::exportGrid(int tab) const
{
    // A user who asks for a file on the suggestions tab gets the suggestions.
    return printGrid(tab);
}

const TextTable &Reports::table(ReportGrid grid) const
{
    switch (grid) {
    case ReportGrid::Skills: return m_results.skillIncTable();
    case ReportGrid::Requirements: return m_results.reqTable();
    case ReportGrid::Suggestions: return m_results.suggestTable();
    case ReportGrid::Ladder: return m_results.ladderTable();
    case ReportGrid::Layout: break;
    }
    return m_layout.table();
}

QString Reports::title(ReportGrid grid) const
{
    // Results from before the last change say so wherever they go.
    if (grid != ReportGrid::Layout && m_results.stale())
        return baseTitle(grid) + QStringLiteral(" (") + LangMsg(Msg::StaleReportNote) + u')';
    return baseTitle(grid);
}

QString Reports::baseTitle(ReportGrid grid) const
{
    switch (grid) {
    case ReportGrid::Skills: return LangMsg(Msg::SkillReportTitle);
    case ReportGrid::Requirements: return LangMsg(Msg::RequirementsReportTitle);
    case ReportGrid::Suggestions: return LangMsg(Msg::SuggestionReportTitle);
    case ReportGrid::Ladder: return LangMsg(Msg::LadderReportTitle);
    case ReportGrid::Layout: break;
    }
    return LangMsg(Msg::ReportTitle);
}

PrintableGrid Reports::printable(ReportGrid grid) const
{
    PrintableGrid printable;
    printable.table = &table(grid);
    if (columnWidths)
        printable.columnWidths = columnWidths(grid);
    if (grid == ReportGrid::Layout) {
        const LayoutState &layout = m_layout;
        printable.cellImage = [&layout](int column, int row) {
            const Marker marker = layout.shownMarker(column, row);
            return marker == Marker::None ? QPixmap() : MarkerIcon(int(marker)).pixmap(16, 16);
        };
    }
    return printable;
}

void Reports::print(const PrintableGrid &grid, const PrintSettings &settings, QPrinter &printer) const
{
    GridPrinter(grid, settings).print(printer);
}

void Reports::printReport(int tab)
{
    printWithDialog(printGrid(tab));
}

void Reports::printWithDialog(ReportGrid grid)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &m_window);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
        return;
    PrintSettings &settings = m_settings[int(grid)];
    settings.setReportSettings(title(grid), projectName());
    print(printable(grid), settings, printer);
}

void Reports::printPreview(int tab)
{
    const ReportGrid grid = previewGrid(tab);
    m_previewBound = grid;
    PrintSettings &settings = m_settings[int(grid)];
    settings.setReportSettings(title(grid), projectName());
    const PrintableGrid shown = printable(grid);
    TfrmPreview preview([this, shown, settings](QPrinter &printer) { print(shown, settings, printer); },
                        [this, grid] { RunCommand(m_prompter, [this, grid] { printWithDialog(grid); }); },
                        &m_window);
    m_prompter.runDialog(preview);
}

void Reports::printSettings(int tab)
{
    const ReportGrid grid = settingsGrid(tab);
    m_settingsBound = grid;
    const PrintableGrid shown = printable(grid);
    TfrmPrintSettings dialog(
        m_settings[int(grid)],
        [this, shown](QPrinter &printer, const PrintSettings &settings) { print(shown, settings, printer); },
        &m_window);
    if (m_prompter.runDialog(dialog) == Prompter::Answer::Ok)
        m_settings[int(grid)] = dialog.settings();
}

void Reports::printShoppingList()
{
    QPrinter printer(QPrinter::HighResolution);
    if (preparePrinter)
        preparePrinter(printer);
    print(printable(ReportGrid::Requirements), m_settings[int(ReportGrid::Requirements)], printer);
}

void Reports::printLog(const QStringList &lines)
{
    TextTable log(1, 0);
    log.setRowCount(int(std::max<qsizetype>(lines.size(), 1)));
    for (int r = 0; r < int(lines.size()); ++r)
        log.setCell(0, r, lines.at(r));
    QPrinter printer(QPrinter::HighResolution);
    if (preparePrinter)
        preparePrinter(printer);
    PrintableGrid grid;
    grid.table = &log;
    grid.columnWidths = QList<int>{360};
    print(grid, PrintSettings(), printer);
}

void Reports::exportTable(int tab, Format format)
{
    Prompter::FileRequest request;
    switch (format) {
    case Format::Csv:
        request.title = LangMsg(Msg::ExportCsvTitle);
        request.filter = LangMsg(Msg::ExportCsvFilter);
        request.defaultSuffix = QStringLiteral("csv");
        break;
    case Format::Html:
        request.title = LangMsg(Msg::ExportHtmlTitle);
        request.filter = LangMsg(Msg::ExportHtmlFilter);
        request.defaultSuffix = QStringLiteral("htm");
        break;
    case Format::Rtf:
        request.title = LangMsg(Msg::ExportDocTitle);
        request.filter = LangMsg(Msg::ExportDocFilter);
        request.defaultSuffix = QStringLiteral("doc");
        break;
    }
    const QString path = m_prompter.saveFileName(request);
    if (path.isEmpty())
        return;
    const ReportGrid grid = exportGrid(tab);
    switch (format) {
    case Format::Csv: ExportCsv(table(grid), path); break;
    case Format::Html: ExportHtml(table(grid), title(grid), path); break;
    case Format::Rtf: ExportRtf(table(grid), title(grid), path); break;
    }
}

} // namespace ludra
