#include "reports/frmprintsettings.h"

#include "text/langapply.h"
#include "views/widgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ludra {

namespace {

QDoubleSpinBox *millimetres(const QString &name, const QString &accessible, QWidget *parent)
{
    auto *box = Named(new QDoubleSpinBox(parent), name, accessible);
    box->setRange(0.0, MaxPrintMarginMm);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

TfrmPrintSettings::TfrmPrintSettings(const PrintSettings &settings, const QStringList &reportTitle,
                                     std::function<void(QPrinter &, const PrintSettings &)> paint,
                                     QWidget *parent)
    : QDialog(parent), m_base(settings), m_reportTitle(reportTitle), m_paint(std::move(paint)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmPrintSettings"));
    setWindowTitle(QStringLiteral("Print Settings"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Borders and general.
    auto *grpGeneral = Named(new QGroupBox(QStringLiteral("General"), this), QStringLiteral("grpGeneral"));
    chkBorders = Named(new QCheckBox(QStringLiteral("Borders around the cells"), grpGeneral),
                       QStringLiteral("chkBorders"));
    chkCentred = Named(new QCheckBox(QStringLiteral("Centre the table on the page"), grpGeneral),
                       QStringLiteral("chkCentred"));
    chkGraphics = Named(new QCheckBox(QStringLiteral("Print cell images"), grpGeneral), QStringLiteral("chkGraphics"));
    auto *generalLayout = new QVBoxLayout(grpGeneral);
    for (QWidget *w : {static_cast<QWidget *>(chkBorders), static_cast<QWidget *>(chkCentred),
                       static_cast<QWidget *>(chkGraphics)})
        generalLayout->addWidget(w);

    // Fonts.
    auto *grpFonts = Named(new QGroupBox(QStringLiteral("Fonts"), this), QStringLiteral("grpFonts"));
    cboFont = Named(new QFontComboBox(grpFonts), QStringLiteral("cboFont"), QStringLiteral("Cell font"));
    // The system's fonts, which a language file does not rename.
    cboFont->setProperty(LangDataEntries, true);
    edtFontSize = Named(new QSpinBox(grpFonts), QStringLiteral("edtFontSize"), QStringLiteral("Cell font size"));
    edtFontSize->setRange(MinPrintPointSize, MaxPrintPointSize);
    chkHeaderBold = Named(new QCheckBox(QStringLiteral("Bold header"), grpFonts), QStringLiteral("chkHeaderBold"));
    edtHeaderSize = Named(new QSpinBox(grpFonts), QStringLiteral("edtHeaderSize"),
                          QStringLiteral("Header font size"));
    edtHeaderSize->setRange(MinPrintPointSize, MaxPrintPointSize);
    auto *fontLayout = new QFormLayout(grpFonts);
    fontLayout->addRow(MakeLabel(QStringLiteral("Cells"), grpFonts), cboFont);
    fontLayout->addRow(MakeLabel(QStringLiteral("Size"), grpFonts), edtFontSize);
    fontLayout->addRow(chkHeaderBold, edtHeaderSize);

    // Title, date and time, pages.
    auto *grpTitle = Named(new QGroupBox(QStringLiteral("Title, date and pages"), this), QStringLiteral("grpTitle"));
    memTitle = Named(new QPlainTextEdit(grpTitle), QStringLiteral("memTitle"), QStringLiteral("Title lines"));
    memTitle->setFixedHeight(52);
    // The title is the user's, not a text of the window.
    memTitle->setProperty(LangDataEntries, true);
    // An empty box prints the report's own title.
    memTitle->setPlaceholderText(reportTitle.join(QLatin1Char('\n')));
    chkDate = Named(new QCheckBox(QStringLiteral("Date"), grpTitle), QStringLiteral("chkDate"));
    edtDateFormat = Named(new QLineEdit(grpTitle), QStringLiteral("edtDateFormat"), QStringLiteral("Date format"));
    chkPageNumbers = Named(new QCheckBox(QStringLiteral("Page numbers"), grpTitle), QStringLiteral("chkPageNumbers"));
    edtPagePrefix = Named(new QLineEdit(grpTitle), QStringLiteral("edtPagePrefix"),
                          QStringLiteral("Page number prefix"));
    auto *titleLayout = new QFormLayout(grpTitle);
    titleLayout->addRow(MakeLabel(QStringLiteral("Title"), grpTitle), memTitle);
    titleLayout->addRow(chkDate, edtDateFormat);
    titleLayout->addRow(chkPageNumbers, edtPagePrefix);

    // Margins, spacing and orientation.
    auto *grpPage = Named(new QGroupBox(QStringLiteral("Page"), this), QStringLiteral("grpPage"));
    edtMarginLeft = millimetres(QStringLiteral("edtMarginLeft"), QStringLiteral("Left margin"), grpPage);
    edtMarginTop = millimetres(QStringLiteral("edtMarginTop"), QStringLiteral("Top margin"), grpPage);
    edtMarginRight = millimetres(QStringLiteral("edtMarginRight"), QStringLiteral("Right margin"), grpPage);
    edtMarginBottom = millimetres(QStringLiteral("edtMarginBottom"), QStringLiteral("Bottom margin"), grpPage);
    edtSpacing = millimetres(QStringLiteral("edtSpacing"), QStringLiteral("Space between rows"), grpPage);
    rdoPortrait = Named(new QRadioButton(QStringLiteral("Portrait"), grpPage), QStringLiteral("rdoPortrait"));
    rdoLandscape = Named(new QRadioButton(QStringLiteral("Landscape"), grpPage), QStringLiteral("rdoLandscape"));
    auto *pageLayout = new QGridLayout(grpPage);
    pageLayout->addWidget(MakeLabel(QStringLiteral("Left"), grpPage), 0, 0);
    pageLayout->addWidget(edtMarginLeft, 0, 1);
    pageLayout->addWidget(MakeLabel(QStringLiteral("Right"), grpPage), 0, 2);
    pageLayout->addWidget(edtMarginRight, 0, 3);
    pageLayout->addWidget(MakeLabel(QStringLiteral("Top"), grpPage), 1, 0);
    pageLayout->addWidget(edtMarginTop, 1, 1);
    pageLayout->addWidget(MakeLabel(QStringLiteral("Bottom"), grpPage), 1, 2);
    pageLayout->addWidget(edtMarginBottom, 1, 3);
    pageLayout->addWidget(MakeLabel(QStringLiteral("Row spacing"), grpPage), 2, 0);
    pageLayout->addWidget(edtSpacing, 2, 1);
    pageLayout->addWidget(rdoPortrait, 3, 0, 1, 2);
    pageLayout->addWidget(rdoLandscape, 3, 2, 1, 2);

    ppvSample = Named(new QPrintPreviewWidget(m_printer.get(), this), QStringLiteral("ppvSample"),
                      QStringLiteral("Preview of the first page"));
    ppvSample->setViewMode(QPrintPreviewWidget::SinglePageView);
    ppvSample->setZoomMode(QPrintPreviewWidget::FitInView);
    ppvSample->setMinimumSize(220, 280);
    connect(ppvSample, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { m_paint(*printer, this->settings()); });

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOk"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Save"));

    auto *left = new QVBoxLayout;
    left->addWidget(grpGeneral);
    left->addWidget(grpFonts);
    auto *middle = new QVBoxLayout;
    middle->addWidget(grpTitle);
    middle->addWidget(grpPage);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addWidget(ppvSample, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);

    showSettings(settings);
    LangApplyProgram(*this);

    // Every change shows in the preview.
    for (QCheckBox *box : {chkBorders, chkCentred, chkGraphics, chkHeaderBold, chkDate, chkPageNumbers})
        connect(box, &QCheckBox::toggled, this, &TfrmPrintSettings::refreshPreview);
    for (QSpinBox *box : {edtFontSize, edtHeaderSize})
        connect(box, &QSpinBox::valueChanged, this, &TfrmPrintSettings::refreshPreview);
    for (QDoubleSpinBox *box : {edtMarginLeft, edtMarginTop, edtMarginRight, edtMarginBottom, edtSpacing})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TfrmPrintSettings::refreshPreview);
    for (QLineEdit *edit : {edtDateFormat, edtPagePrefix})
        connect(edit, &QLineEdit::textChanged, this, &TfrmPrintSettings::refreshPreview);
    connect(memTitle, &QPlainTextEdit::textChanged, this, &TfrmPrintSettings::refreshPreview);
    connect(cboFont, &QFontComboBox::currentFontChanged, this, &TfrmPrintSettings::refreshPreview);
    connect(rdoLandscape, &QRadioButton::toggled, this, &TfrmPrintSettings::refreshPreview);
}

TfrmPrintSettings::~TfrmPrintSettings() = default;

void TfrmPrintSettings::showSettings(const PrintSettings &s)
{
    chkBorders->setChecked(s.borders);
    chkCentred->setChecked(s.centred);
    chkGraphics->setChecked(s.cellGraphics);
    if (!s.fontFamily.isEmpty())
        cboFont->setCurrentFont(QFont(s.fontFamily));
    edtFontSize->setValue(s.fontPointSize);
    chkHeaderBold->setChecked(s.headerBold);
    edtHeaderSize->setValue(s.headerPointSize);
    chkDate->setChecked(s.showDate);
    edtDateFormat->setText(s.dateFormat);
    memTitle->setPlainText(s.titleLines.join(QLatin1Char('\n')));
    chkPageNumbers->setChecked(s.showPageNumbers);
    edtPagePrefix->setText(s.pagePrefix);
    edtMarginLeft->setValue(s.marginsMm.left());
    edtMarginTop->setValue(s.marginsMm.top());
    edtMarginRight->setValue(s.marginsMm.right());
    edtMarginBottom->setValue(s.marginsMm.bottom());
    edtSpacing->setValue(s.rowSpacingMm);
    rdoLandscape->setChecked(s.landscape);
    rdoPortrait->setChecked(!s.landscape);
}

PrintSettings TfrmPrintSettings::settings() const
{
    PrintSettings s = m_base;
    s.borders = chkBorders->isChecked();
    s.centred = chkCentred->isChecked();
    s.cellGraphics = chkGraphics->isChecked();
    s.fontFamily = cboFont->currentFont().family();
    s.fontPointSize = edtFontSize->value();
    s.headerBold = chkHeaderBold->isChecked();
    s.headerPointSize = edtHeaderSize->value();
    s.showDate = chkDate->isChecked();
    s.dateFormat = edtDateFormat->text();
    const QString title = memTitle->toPlainText();
    const QStringList lines = title.isEmpty() ? QStringList() : title.split(QLatin1Char('\n'));
    s.ownTitle = !lines.isEmpty() && lines != m_reportTitle;
    s.titleLines = s.ownTitle ? lines : m_reportTitle;
    s.chosen = true;
    s.showPageNumbers = chkPageNumbers->isChecked();
    s.pagePrefix = edtPagePrefix->text();
    s.marginsMm = QMarginsF(edtMarginLeft->value(), edtMarginTop->value(), edtMarginRight->value(),
                            edtMarginBottom->value());
    s.rowSpacingMm = edtSpacing->value();
    s.landscape = rdoLandscape->isChecked();
    return s;
}

void TfrmPrintSettings::refreshPreview()
{
    ppvSample->updatePreview();
}

} // namespace ludra
