#include "reports/reports.h"

#include "build/buildresults.h"
#include "layout/layoutstate.h"
#include "text/messages.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "reports/export.h"
#include "reports/frmpreview.h"
#include "reports/frmprintsettings.h"
#include "reports/gridprinter.h"
#include "reports/printsettingsfile.h"
#include "views/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QStandardPaths>
#include <QPrintDialog>
#include <QPrinter>
#include <QPageSize>
#include <QPrinterInfo>

namespace ludra {

const QStringList &ReportGridNames()
{
    static const QStringList names{QStringLiteral("grdReport"), QStringLiteral("grdSkillInc"),
                                   QStringLiteral("grdReqs"), QStringLiteral("grdSuggest"),
                                   QStringLiteral("grdLadder"), QStringLiteral("grdCompare"),
                                   QStringLiteral("grdSymbiants")};
    return names;
}

Reports::Reports(Prompter &prompter, QWidget &window) : m_prompter(prompter), m_window(window)
{
    // The settings the user saved last time; a grid the file does not hold,
    // or a file missing or damaged, keeps the bare settings.
    const QHash<QString, PrintSettings> saved =
        ReadPrintSettingsFile(UserFile(PrintSettingsFileName), ReportGridNames());
    for (int g = 0; g < int(ReportGridNames().size()); ++g)
        m_settings[g] = saved.value(ReportGridNames().at(g), PrintSettings());
}

void Reports::saveSettings() const
{
    QList<QPair<QString, PrintSettings>> chosen;
    for (int g = 0; g < int(ReportGridNames().size()); ++g)
        if (m_settings[g].chosen)
            chosen.append({ReportGridNames().at(g), m_settings[g]});
    WritePrintSettingsFile(UserFile(PrintSettingsFileName), chosen);
}

QString Reports::projectName() const
{
    return projectPath ? projectPath() : QString();
}

void Reports::setSources(const LayoutState &layout, const BuildResults &results)
{
    m_layout = &layout;
    m_results = &results;
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
    case ReportGrid::Skills: return m_results->skillIncTable();
    case ReportGrid::Requirements: return m_results->reqTable();
    case ReportGrid::Suggestions: return m_results->suggestTable();
    case ReportGrid::Ladder: return m_results->ladderTable();
    case ReportGrid::Comparison:
    case ReportGrid::Symbiants: {
        static const TextTable none;
        const TextTable *shown = grid == ReportGrid::Comparison ? m_comparison : m_symbiants;
        return shown ? *shown : none;
    }
    case ReportGrid::Layout: break;
    }
    return ShownLayoutTable(*m_layout, m_layoutShown);
}

QString Reports::title(ReportGrid grid) const
{
    // Results from before the last change say so wherever they go.
    if (grid != ReportGrid::Layout && grid != ReportGrid::Comparison && grid != ReportGrid::Symbiants &&
        m_results->stale())
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
    case ReportGrid::Comparison: return LangMsg(Msg::CompareReportTitle);
    case ReportGrid::Symbiants: return LangMsg(Msg::SymbiantReportTitle);
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
        const LayoutState &layout = *m_layout;
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

bool Reports::askForPrinter(QPrinter &printer)
{
    // Without any printer the system makes a PDF printer without a file;
    // the dialog would propose a folder as its file. Propose a file named
    // after the document in the user's documents instead.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        QString name = printer.docName().isEmpty() ? QStringLiteral("Ludra") : printer.docName();
        name.replace(QLatin1Char('/'), QLatin1Char('-'));
        printer.setOutputFileName(QDir(folder).filePath(name + QStringLiteral(".pdf")));
    }
    // Over the window in front: the build log prints from its own window.
    QWidget *parent = QApplication::activeModalWidget();
    QPrintDialog dialog(&printer, parent ? parent : &m_window);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return m_prompter.runDialog(dialog) == Prompter::Answer::Ok;
}

bool Reports::printerReady(const QPrinter &printer) const
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    const bool system = hasDefaultPrinter ? hasDefaultPrinter() : !QPrinterInfo::defaultPrinter().isNull();
    return system && printer.isValid();
}

void Reports::printAtOnce(const PrintableGrid &grid, const PrintSettings &settings, const QString &document)
{
    QPrinter printer(QPrinter::HighResolution);
    // The name the print queue shows, and the PDF file's name that the
    // dialog proposes.
    printer.setDocName(document);
    if (preparePrinter)
        preparePrinter(printer);
    // Without a printer the system cannot start one: the dialog offers the
    // printers there are and a PDF file.
    if (!printerReady(printer) && !askForPrinter(printer))
        return;
    print(grid, settings, printer);
}

void Reports::printWithDialog(ReportGrid grid)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title(grid));
    if (!askForPrinter(printer))
        return;
    PrintSettings &settings = m_settings[int(grid)];
    settings.setReportSettings(title(grid), projectName());
    print(printable(grid), settings, printer);
}

void Reports::printPreview(int tab)
{
    const ReportGrid grid = previewGrid(tab);
    m_previewBound = grid;
    previewGridReport(grid);
}

void Reports::previewGridReport(ReportGrid grid)
{
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
    // The dialog starts from the settings the report prints with, so that
    // its preview shows the report as it will print.
    PrintSettings current = m_settings[int(grid)];
    current.setReportSettings(title(grid), projectName());
    TfrmPrintSettings dialog(
        current, QStringList{title(grid), projectName()},
        [this, shown](QPrinter &printer, const PrintSettings &settings) { print(shown, settings, printer); },
        &m_window);
    if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
        return;
    m_settings[int(grid)] = dialog.settings();
    // Kept for the next start; a file that cannot be written is reported,
    // and the settings hold until Ludra closes.
    saveSettings();
}

void Reports::printShoppingList()
{
    // With the settings it has; the user's own carry the report's title for
    // the project shown now.
    PrintSettings settings = m_settings[int(ReportGrid::Requirements)];
    if (settings.chosen)
        settings.setReportSettings(title(ReportGrid::Requirements), projectName());
    // The clusters to buy at the lowest levels that fit.
    TextTable list;
    FillShoppingList(*m_results, list);
    PrintableGrid grid = printable(ReportGrid::Requirements);
    grid.table = &list;
    grid.columnWidths = grid.columnWidths.mid(0, list.columnCount());
    // Its cluster texts are longer than the grid's: the column takes the
    // longest whole, as the grid would.
    if (!grid.columnWidths.isEmpty()) {
        const QFontMetrics metrics(QApplication::font());
        for (int r = 0; r < list.rowCount(); ++r)
            grid.columnWidths[0] = std::max(grid.columnWidths[0],
                                            metrics.horizontalAdvance(list.cell(ReqCol::Cluster, r)) + 8);
    }
    printAtOnce(grid, settings, title(ReportGrid::Requirements));
}

void Reports::printLog(const QStringList &lines)
{
    TextTable log(1, 0);
    log.setRowCount(int(std::max<qsizetype>(lines.size(), 1)));
    for (int r = 0; r < int(lines.size()); ++r)
        log.setCell(0, r, lines.at(r));
    PrintableGrid grid;
    grid.table = &log;
    grid.columnWidths = QList<int>{360};
    printAtOnce(grid, PrintSettings(), QStringLiteral("Ludra"));
}

RtfPage Reports::exportPage(const PrintSettings &settings)
{
    // The paper a print takes: the default printer's, or where there is none
    // the A4 page of the toolkit's PDF printer.
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    QPageSize paper = printer.isNull() ? QPageSize() : printer.defaultPageSize();
    if (!paper.isValid())
        paper = QPageSize(QPageSize::A4);
    const QSizeF size = paper.size(QPageSize::Millimeter);
    const QMarginsF &margins = settings.marginsMm;
    return RtfPageFromMm(size.width(), size.height(), settings.landscape, margins.left(), margins.top(),
                         margins.right(), margins.bottom());
}

void Reports::exportHtml(ReportGrid grid, const QString &path) const
{
    QList<HtmlSection> sections{HtmlSection{title(grid), &table(grid)}};
    // The requirements' report holds the layout as well, as its grid shows it.
    if (grid == ReportGrid::Requirements)
        sections.append(HtmlSection{LangMsg(Msg::LayoutSectionHeading), &table(ReportGrid::Layout)});
    ExportHtml(title(grid), sections, path);
}

void Reports::exportTable(int tab, Format format)
{
    exportGridTable(exportGrid(tab), format);
}

void Reports::exportGridTable(ReportGrid grid, Format format)
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
    // The dialog opens in the project's folder, where its exports belong;
    // a plan never saved leaves it to the last folder used.
    const QString project = projectPath ? projectPath() : QString();
    if (!project.isEmpty())
        request.initialPath = QFileInfo(project).absolutePath();
    const QString path = m_prompter.saveFileName(request);
    if (path.isEmpty())
        return;
    switch (format) {
    case Format::Csv: ExportCsv(table(grid), path); break;
    case Format::Html: exportHtml(grid, path); break;
    case Format::Rtf: ExportRtf(table(grid), title(grid), path, exportPage(m_settings[int(grid)])); break;
    }
}

} // namespace ludra
