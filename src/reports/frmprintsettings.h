#pragma once

#include "reports/printsettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace ludra {

// "Print Settings" of one grid: borders, general, fonts, date and time,
// title, pages, margins in millimetres, spacing and orientation, with a
// preview of the grid as the settings stand. OK keeps the settings for the
// grid.
class TfrmPrintSettings : public QDialog
{
    Q_OBJECT

public:
    // paint prints the grid with the settings it is given on the printer it
    // is given, for the preview.
    TfrmPrintSettings(const PrintSettings &settings,
                      std::function<void(QPrinter &, const PrintSettings &)> paint, QWidget *parent = nullptr);
    ~TfrmPrintSettings() override;

    // The settings as the dialog's controls have them.
    PrintSettings settings() const;

private:
    void showSettings(const PrintSettings &settings);
    void refreshPreview();

    PrintSettings m_base;
    std::function<void(QPrinter &, const PrintSettings &)> m_paint;
    std::unique_ptr<QPrinter> m_printer;

    QCheckBox *chkBorders = nullptr;
    QCheckBox *chkCentred = nullptr;
    QCheckBox *chkGraphics = nullptr;
    QFontComboBox *cboFont = nullptr;
    QSpinBox *edtFontSize = nullptr;
    QCheckBox *chkHeaderBold = nullptr;
    QSpinBox *edtHeaderSize = nullptr;
    QCheckBox *chkDate = nullptr;
    QLineEdit *edtDateFormat = nullptr;
    QPlainTextEdit *memTitle = nullptr;
    QCheckBox *chkPageNumbers = nullptr;
    QLineEdit *edtPagePrefix = nullptr;
    QDoubleSpinBox *edtMarginLeft = nullptr;
    QDoubleSpinBox *edtMarginTop = nullptr;
    QDoubleSpinBox *edtMarginRight = nullptr;
    QDoubleSpinBox *edtMarginBottom = nullptr;
    QDoubleSpinBox *edtSpacing = nullptr;
    QRadioButton *rdoPortrait = nullptr;
    QRadioButton *rdoLandscape = nullptr;
    QPrintPreviewWidget *ppvSample = nullptr;
};

} // namespace ludra
