// The report commands of the main window: which grid each takes on each tab,
// the exports through the menu (the requirements' HTML with the layout), the
// preview's zoom, and the shopping list printed bare and then as a report.

#include "app/frmludra.h"
#include "model/plandocument.h"
#include "common/command.h"
#include "common/paths.h"
#include "reports/formatreaders.h"
#include "reports/frmpreview.h"
#include "reports/reports.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using namespace ludra;

class TstReports : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void gridOfEachCommand_data();
    void gridOfEachCommand();
    void exportTakesTheShownGrid_data();
    void exportTakesTheShownGrid();
    void requirementsHtmlHoldsTheLayout();
    void shoppingListBareThenAsReport();
    void withoutPrinterTheDialogAsks_data();
    void withoutPrinterTheDialogAsks();
    void previewPageButtons();
    void previewZoom();
    void printSettingsSurviveARestart();

private:
    void showTab(int tab) { m_window->findChild<QTabWidget *>(QStringLiteral("pgcMain"))->setCurrentIndex(tab); }
    QString pdfText(const QString &pdf) const;
    // Runs a command that opens a dialog, with the script for that dialog.
    void runDialog(const char *action, ScriptedPrompter::DialogScript script)
    {
        m_prompter.dialogs = {std::move(script)};
        m_window->findChild<QAction *>(QLatin1String(action))->trigger();
    }

};

void TstReports::init()
{
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Empty,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\n");
    m_window = std::make_unique<TfrmLudra>(m_prompter);
    m_window->makeEveryPage();
    QVERIFY(m_prompter.asked.isEmpty());
    // The results of a build over one placed cluster.
    m_window->document().layout().editCell(1, 1, QStringLiteral("Agility"));
    showTab(1);
    m_window->findChild<QPushButton *>(QStringLiteral("btnBuild"))->click();
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstReports::cleanup()
{
    stopFolder();
}

QString TstReports::pdfText(const QString &pdf) const
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void TstReports::gridOfEachCommand_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<ReportGrid>("print");
    QTest::addColumn<ReportGrid>("preview");
    QTest::addColumn<ReportGrid>("settings");
    QTest::addColumn<ReportGrid>("exported");
    using G = ReportGrid;
    QTest::newRow("layout") << 0 << G::Layout << G::Layout << G::Layout << G::Layout;
    // No grid of its own: printing and export take the layout, the two
    // dialogs what they were last bound to (at first the layout and the
    // requirements).
    QTest::newRow("build") << 1 << G::Layout << G::Layout << G::Requirements << G::Layout;
    QTest::newRow("skills") << 2 << G::Skills << G::Skills << G::Skills << G::Skills;
    QTest::newRow("requirements") << 3 << G::Requirements << G::Requirements << G::Requirements << G::Requirements;
    QTest::newRow("suggestions") << 4 << G::Suggestions << G::Suggestions << G::Suggestions << G::Suggestions;
    QTest::newRow("ladder") << 5 << G::Ladder << G::Ladder << G::Ladder << G::Ladder;
}

void TstReports::gridOfEachCommand()
{
    QFETCH(int, tab);
    QFETCH(ReportGrid, print);
    QFETCH(ReportGrid, preview);
    QFETCH(ReportGrid, settings);
    QFETCH(ReportGrid, exported);
    Reports &reports = m_window->reports();
    QCOMPARE(reports.printGrid(tab), print);
    QCOMPARE(reports.previewGrid(tab), preview);
    QCOMPARE(reports.settingsGrid(tab), settings);
    QCOMPARE(reports.exportGrid(tab), exported);

    // Bound by a preview and by the settings dialog, the Build tab follows.
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Cancel, {}},
                          ScriptedPrompter::DialogScript{Prompter::Answer::Cancel, {}}};
    showTab(tab);
    m_window->findChild<QAction *>(QStringLiteral("PrintPreview1"))->trigger();
    m_window->findChild<QAction *>(QStringLiteral("PrintSetup1"))->trigger();
    if (tab != 1) {
        QCOMPARE(m_prompter.dialogsRun, (QStringList{"frmPreview", "frmPrintSettings"}));
        QCOMPARE(reports.previewGrid(1), print);
        QCOMPARE(reports.settingsGrid(1), print);
    } else {
        // The Build tab disables the print commands.
        QVERIFY(m_prompter.dialogsRun.isEmpty());
    }
}

void TstReports::exportTakesTheShownGrid_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("layout csv") << 0 << "CSV1" << "Export to CSV" << ",Shining,Bright,Faded";
    QTest::newRow("build csv") << 1 << "CSV1" << "Export to CSV" << ",Shining,Bright,Faded";
    QTest::newRow("skills html") << 2 << "HTML1" << "Export to HTML" << "<th>Increase</th>";
    QTest::newRow("requirements doc") << 3 << "WordDoc1" << "Export to Word Document" << "Treatment";
    QTest::newRow("suggestions csv") << 4 << "CSV1" << "Export to CSV" << "Suggested Cluster Addition,";
    QTest::newRow("ladder html") << 5 << "HTML1" << "Export to HTML" << "<title>Ludra Ladder Report</title>";
}

void TstReports::exportTakesTheShownGrid()
{
    QFETCH(int, tab);
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    const QString path = m_dir->filePath(QStringLiteral("export.out"));
    m_prompter.fileNames = {path};
    showTab(tab);
    m_window->findChild<QAction *>(action)->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().title, title);
    QVERIFY(m_prompter.asked.isEmpty());
    const QString written = QString::fromUtf8(readFile(path));
    QVERIFY2(written.contains(expected), qPrintable(written.left(400)));
    if (action == QLatin1String("WordDoc1")) {
        // On the page a print takes, with the grid's margins (15 mm).
        const QByteArray rtf = readFile(path);
        QCOMPARE(ReadRtfNumber(rtf, "margl"), 850);
        const QList<int> edges = ReadRtfCellEdges(rtf).value(1);
        QCOMPARE(edges.size(), m_window->document().results().reqTable().columnCount());
        QVERIFY(edges.last() <= ReadRtfNumber(rtf, "paperw") - 1700);
    }

    // Cancelled: nothing written.
    QFile::remove(path);
    m_window->findChild<QAction *>(action)->trigger();
    QVERIFY(!QFile::exists(path));
    // A plan never saved leaves the folder to the dialog; a saved one's
    // exports start in its folder.
    QCOMPARE(m_prompter.fileRequests.at(1).initialPath, QString());
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("plans"))));
    m_prompter.fileNames = {m_dir->filePath(QStringLiteral("plans/plan.lud"))};
    m_window->SaveAs1Click();
    m_window->findChild<QAction *>(action)->trigger();
    QCOMPARE(m_prompter.fileRequests.last().initialPath, m_dir->filePath(QStringLiteral("plans")));
}

// The requirements under the report's title, then the layout as its grid
// shows it under a heading of its own, each cell escaped.
void TstReports::requirementsHtmlHoldsTheLayout()
{
    LayoutState &layout = m_window->document().layout();
    layout.editCell(2, 1, QStringLiteral("<b> & \"x\""));
    const QString path = m_dir->filePath(QStringLiteral("requirements.htm"));
    m_prompter.fileNames = {path};
    showTab(3);
    m_window->findChild<QAction *>(QStringLiteral("HTML1"))->trigger();
    const QString html = QString::fromUtf8(readFile(path));
    QVERIFY(html.contains(QStringLiteral("<title>Ludra Requirements and Layout Report</title>")));
    const QStringList sections = html.split(QStringLiteral("<h1>"));
    QCOMPARE(sections.size(), 3);
    QVERIFY(sections[1].startsWith(QStringLiteral("Ludra Requirements and Layout Report</h1>\n<table>")));
    QVERIFY(sections[2].startsWith(QStringLiteral("Layout</h1>\n<table>\n<thead>")));
    QList<bool> th;
    QCOMPARE(ReadHtmlTable(sections[1], &th), m_window->document().results().reqTable().rows());
    QCOMPARE(ReadHtmlTable(sections[2], &th), layout.table().rows());
    QVERIFY2(sections[2].contains(QStringLiteral("&lt;b&gt; &amp; &quot;x&quot;")), qPrintable(sections[2]));
}

void TstReports::shoppingListBareThenAsReport()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = m_dir->filePath(QStringLiteral("list.pdf"));
    m_window->reports().preparePrinter = [&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    showTab(3);
    auto *button = m_window->findChild<QPushButton *>(QStringLiteral("btnPrintShoppingList"));
    button->click();
    // A printer that is ready prints without asking.
    QVERIFY(m_prompter.dialogsRun.isEmpty());
    QString text = pdfText(pdf);
    // The cluster to buy at the lowest level that fits (the page may wrap
    // the cell).
    QVERIFY2(text.contains(QStringLiteral("Agility Clu (QL 1 or")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Page")));
    QVERIFY(!text.contains(QStringLiteral("Ludra Requirements and Layout Report")));

    // After a preview of the requirements it prints as that report.
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Cancel, {}}};
    m_window->findChild<QAction *>(QStringLiteral("PrintPreview1"))->trigger();
    button->click();
    text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Ludra Requirements and Layout Report")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Page 1")));
    QVERIFY(text.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));

    // The build log prints its lines, every one.
    m_window->reports().printLog({QStringLiteral("Fail - No HEAD of Quality 5 available for X"),
                                  QStringLiteral("Fail - No Faded Y of at least Quality 5 available")});
    text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("for X")) && text.contains(QStringLiteral("Faded Y")), qPrintable(text));
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstReports::withoutPrinterTheDialogAsks_data()
{
    QTest::addColumn<bool>("log");
    QTest::newRow("shopping list") << false;
    QTest::newRow("build log") << true;
}

void TstReports::withoutPrinterTheDialogAsks()
{
    QFETCH(bool, log);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    Reports &reports = m_window->reports();
    reports.hasDefaultPrinter = [] { return false; };
    const auto print = [&] {
        if (log)
            RunCommand(m_prompter, [&] { reports.printLog({QStringLiteral("Fail - No HEAD of Quality 5")}); });
        else
            m_window->findChild<QPushButton *>(QStringLiteral("btnPrintShoppingList"))->click();
    };
    showTab(3);
    const QString pdf = m_dir->filePath(QStringLiteral("asked.pdf"));
    // The dialog asks; the player picks a file to print to.
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Ok, [&pdf, log](QObject &dialog) {
        auto *printDialog = qobject_cast<QPrintDialog *>(&dialog);
        QVERIFY(printDialog);
        // The dialog lists the printers as it opens; a PDF file is always
        // one of them.
        printDialog->show();
        auto *printers = printDialog->findChild<QComboBox *>(QStringLiteral("printers"));
        QVERIFY(printers);
        const int toFile = printers->findText(QStringLiteral("Print to File (PDF)"));
        QVERIFY(toFile >= 0);
        auto *file = printDialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(file);
        // With no printer at all, a file named after the report is proposed,
        // not a folder.
        if (printers->count() == 1)
            QVERIFY2(file->text().endsWith(log ? QStringLiteral("/Ludra.pdf")
                                               : QStringLiteral("/Ludra Requirements and Layout Report.pdf")),
                     qPrintable(file->text()));
        printers->setCurrentIndex(toFile);
        file->setText(pdf);
    }}};
    print();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"dlgPrint"});
    QVERIFY2(m_prompter.asked.isEmpty(), qPrintable(m_prompter.asked.value(0).text));
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(log ? QStringLiteral("No HEAD of Quality 5") : QStringLiteral("Agility Clu (QL 1 or")),
             qPrintable(text));

    // Cancelled: nothing printed, nothing said.
    QVERIFY(QFile::remove(pdf));
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Cancel, {}}};
    print();
    QCOMPARE(m_prompter.dialogsRun.size(), 2);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(m_prompter.asked.isEmpty());
}

// The preview's tool bar zooms by its buttons and the standard keys, ticks
// the fit the pages are shown at, and has names to be read by.
void TstReports::previewZoom()
{
    showTab(3);
    bool seen = false;
    runDialog("PrintPreview1",
              {Prompter::Answer::Cancel, [&seen](QObject &dialog) {
                   auto &preview = static_cast<TfrmPreview &>(dialog);
                   preview.show();
                   QVERIFY(QTest::qWaitForWindowActive(&preview));
                   auto *bar = preview.findChild<QToolBar *>(QStringLiteral("tbrZoom"));
                   const auto button = [&](const char *name) {
                       return qobject_cast<QToolButton *>(bar->widgetForAction(preview.findChild<QAction *>(name)));
                   };
                   QCOMPARE(bar->accessibleName(), QStringLiteral("Zoom"));
                   QCOMPARE(button("actFitPage")->accessibleName(), QStringLiteral("Fit Page"));
                   QVERIFY(button("actFitWidth")->isChecked());
                   const double width = preview.zoomFactor();
                   QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
                   QVERIFY(preview.zoomFactor() > width);
                   QVERIFY(!button("actFitWidth")->isChecked());
                   QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
                   QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
                   QVERIFY(preview.zoomFactor() < width);
                   // A whole portrait page is smaller than its width fitted.
                   button("actFitPage")->click();
                   QVERIFY(button("actFitPage")->isChecked());
                   QVERIFY(preview.zoomFactor() < width);
                   button("actFitWidth")->click();
                   QCOMPARE(preview.zoomFactor(), width);
                   QVERIFY(!button("actFitPage")->isChecked());
                   seen = true;
               }});
    QVERIFY(seen);
}

void TstReports::previewPageButtons()
{
    const auto check = [](QObject &dialog, int pages) {
        auto &preview = static_cast<TfrmPreview &>(dialog);
        auto *previous = preview.findChild<QPushButton *>(QStringLiteral("btnPrevious"));
        auto *next = preview.findChild<QPushButton *>(QStringLiteral("btnNext"));
        QCOMPARE(preview.pageCount() > 1, pages > 1);
        if (pages > 1)
            QVERIFY(preview.pageCount() >= pages);
        QCOMPARE(preview.currentPage(), 1);
        QVERIFY(!previous->isEnabled());
        QCOMPARE(next->isEnabled(), pages > 1);
        for (int page = 2; page <= preview.pageCount(); ++page) {
            next->click();
            QCOMPARE(preview.currentPage(), page);
            QVERIFY(previous->isEnabled());
            QCOMPARE(next->isEnabled(), page < preview.pageCount());
        }
        while (previous->isEnabled())
            previous->click();
        QCOMPARE(preview.currentPage(), 1);
        QCOMPARE(next->isEnabled(), pages > 1);
    };
    // The requirements of one row: one page, nowhere to go.
    showTab(3);
    bool seen = false;
    runDialog("PrintPreview1", {Prompter::Answer::Cancel, [&](QObject &dialog) {
                                    check(dialog, 1);
                                    // At 100, 100 of the screen and larger
                                    // than a page needs to be read, as far as
                                    // the screen has room.
                                    auto &preview = static_cast<QWidget &>(dialog);
                                    QCOMPARE(preview.geometry().topLeft(), QPoint(100, 100));
                                    const QRect screen = preview.screen()->availableGeometry();
                                    QVERIFY(preview.width() >= std::min(800, screen.right() - 140));
                                    QVERIFY(preview.height() >= std::min(800, screen.bottom() - 140));
                                    seen = true;
                                }});
    QVERIFY(seen);

    // The layout with rows 40 mm apart takes several pages.
    showTab(0);
    runDialog("PrintSetup1", {Prompter::Answer::Ok, [](QObject &dialog) {
                                  dialog.findChild<QDoubleSpinBox *>(QStringLiteral("edtSpacing"))->setValue(40.0);
                              }});
    seen = false;
    runDialog("PrintPreview1", {Prompter::Answer::Cancel, [&](QObject &dialog) {
                                    check(dialog, 3);
                                    seen = true;
                                }});
    QVERIFY(seen);
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstReports::printSettingsSurviveARestart()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = m_dir->filePath(QStringLiteral("list.pdf"));
    const auto toPdf = [&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    showTab(3);
    // The dialog opens as the report prints: its title, borders and so on.
    runDialog("PrintSetup1", {Prompter::Answer::Ok, [](QObject &dialog) {
                                  auto *title = dialog.findChild<QPlainTextEdit *>(QStringLiteral("memTitle"));
                                  QCOMPARE(title->toPlainText(),
                                           QStringLiteral("Ludra Requirements and Layout Report\n"));
                                  auto *borders = dialog.findChild<QCheckBox *>(QStringLiteral("chkBorders"));
                                  QVERIFY(borders->isChecked());
                                  title->setPlainText(QStringLiteral("My shopping list"));
                                  borders->setChecked(false);
                                  dialog.findChild<QRadioButton *>(QStringLiteral("rdoLandscape"))->setChecked(true);
                                  dialog.findChild<QDoubleSpinBox *>(QStringLiteral("edtMarginLeft"))->setValue(25.0);
                              }});
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("printing.ini"))));

    // Ludra closes and starts again.
    m_window.reset();
    m_window = std::make_unique<TfrmLudra>(m_prompter);
    m_window->makeEveryPage();
    const PrintSettings &kept = m_window->reports().settings(ReportGrid::Requirements);
    QVERIFY(kept.chosen);
    QCOMPARE(kept.titleLines, QStringList{"My shopping list"});
    QVERIFY(!kept.borders);
    QVERIFY(kept.landscape);
    QCOMPARE(kept.marginsMm.left(), 25.0);
    // The other grids were never set.
    QVERIFY(m_window->reports().settings(ReportGrid::Layout) == PrintSettings());

    // The typed title reaches the preview and the print, which are the same.
    m_window->document().layout().editCell(1, 1, QStringLiteral("Agility"));
    showTab(1);
    m_window->findChild<QPushButton *>(QStringLiteral("btnBuild"))->click();
    showTab(3);
    const QString previewPdf = m_dir->filePath(QStringLiteral("preview.pdf"));
    runDialog("PrintPreview1", {Prompter::Answer::Cancel, [&](QObject &dialog) {
                                    QPrinter printer(QPrinter::HighResolution);
                                    printer.setOutputFormat(QPrinter::PdfFormat);
                                    printer.setOutputFileName(previewPdf);
                                    static_cast<TfrmPreview &>(dialog).paint(printer);
                                }});
    const QString preview = pdfText(previewPdf);
    QVERIFY2(preview.contains(QStringLiteral("My shopping list")), qPrintable(preview));
    QVERIFY(!preview.contains(QStringLiteral("Ludra Requirements and Layout Report")));
    QVERIFY2(preview.contains(QStringLiteral("HEAD (QL 1)")), qPrintable(preview));
    // The shopping list takes the same settings; it lists the clusters to
    // buy at the lowest level that fits.
    m_window->reports().preparePrinter = toPdf;
    m_window->findChild<QPushButton *>(QStringLiteral("btnPrintShoppingList"))->click();
    const QString list = pdfText(pdf);
    QVERIFY2(list.contains(QStringLiteral("My shopping list")), qPrintable(list));
    QVERIFY2(list.contains(QStringLiteral("Agility Clu (QL 1 or")), qPrintable(list));

    // An emptied title box brings the report's own title back, also after
    // the next start.
    runDialog("PrintSetup1", {Prompter::Answer::Ok, [](QObject &dialog) {
                                  dialog.findChild<QPlainTextEdit *>(QStringLiteral("memTitle"))->clear();
                              }});
    m_window.reset();
    m_window = std::make_unique<TfrmLudra>(m_prompter);
    m_window->makeEveryPage();
    m_window->reports().preparePrinter = toPdf;
    m_window->findChild<QPushButton *>(QStringLiteral("btnPrintShoppingList"))->click();
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Ludra Requirements and Layout Report")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("My shopping list")));
    QVERIFY(m_prompter.asked.isEmpty());
}

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
