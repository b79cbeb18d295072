#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QToolBar;

namespace ludra {

// "Preview": the pages of a report as they will print, with a tool bar to
// zoom in and out (Ctrl++, Ctrl+-) or fit a page's width or the whole page
// to the window, and "Previous" and "Next" (each enabled where there is a
// page to go to), "Print" and "Close".
class TfrmPreview : public QDialog
{
    Q_OBJECT

public:
    // paint prints the report on the printer it is given; print prints it
    // for real (it asks for the printer itself).
    TfrmPreview(std::function<void(QPrinter &)> paint, std::function<void()> print, QWidget *parent = nullptr);
    ~TfrmPreview() override;

    // Paints the report on the printer as the preview shows it.
    void paint(QPrinter &printer) const;

    int pageCount() const;
    // The page shown, from 1.
    int currentPage() const;
    // How large the pages are shown: 1 is their printed size on the screen.
    double zoomFactor() const;

public Q_SLOTS:
    void btnPreviousClick();
    void btnNextClick();
    void btnPrintClick();

private:
    void showPageButtons();
    // Ticks the fit the pages are shown at, none after a zoom.
    void showZoom();

    std::unique_ptr<QPrinter> m_printer;
    std::function<void(QPrinter &)> m_paint;
    std::function<void()> m_print;
    QPrintPreviewWidget *m_pages = nullptr;
    QToolBar *tbrZoom = nullptr;
    QAction *actZoomIn = nullptr;
    QAction *actZoomOut = nullptr;
    QAction *actFitWidth = nullptr;
    QAction *actFitPage = nullptr;
    QPushButton *btnPrevious = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace ludra
