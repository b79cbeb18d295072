#pragma once

#include <QDialog>

#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

namespace ludra {

// "Preview": the pages of a report as they will print, with "Previous",
// "Next", "Print" and "Close".
class TfrmPreview : public QDialog
{
    Q_OBJECT

public:
    // paint prints the report on the printer it is given; print prints it
    // for real (it asks for the printer itself).
    TfrmPreview(std::function<void(QPrinter &)> paint, std::function<void()> print, QWidget *parent = nullptr);
    ~TfrmPreview() override;

    int pageCount() const;
    int currentPage() const;

public Q_SLOTS:
    void btnPreviousClick();
    void btnNextClick();
    void btnPrintClick();

private:
    std::unique_ptr<QPrinter> m_printer;
    std::function<void()> m_print;
    QPrintPreviewWidget *m_pages = nullptr;
    QPushButton *btnPrevious = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace ludra
