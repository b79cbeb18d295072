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
// preview of the grid as it will print with the settings as they stand.
// "Save" keeps the settings for the grid as the user's own.
class TfrmPrintSettings : public QDialog
{
    Q_OBJECT

public:
    // settings: as the grid prints with them now; reportTitle: the title
    // lines the grid prints with unless the user types others. paint prints
    // the grid with the settings it is given on the printer it is given, for
    // the preview.
    TfrmPrintSettings(const PrintSettings &settings, const QStringList &reportTitle,
                      std::function<void(QPrinter &, const PrintSettings &)> paint, QWidget *parent = nullptr);
    ~TfrmPrintSettings() override;

    // The settings as the dialog's controls have them, as the user's choice:
    // the title typed when it differs from the report's title, which an
    // emptied title box brings back.
    PrintSettings settings() const;

private:
    void showSettings(const PrintSettings &settings);
    void refreshPreview();

    PrintSettings m_base;
    QStringList m_reportTitle;
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
