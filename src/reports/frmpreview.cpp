#include "reports/frmpreview.h"

#include "text/langapply.h"
#include "views/widgets.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra {

TfrmPreview::TfrmPreview(std::function<void(QPrinter &)> paint, std::function<void()> print, QWidget *parent)
    : QDialog(parent), m_printer(std::make_unique<QPrinter>(QPrinter::ScreenResolution)), m_print(std::move(print))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_pages = Named(new QPrintPreviewWidget(m_printer.get(), this), QStringLiteral("ppvPages"),
                    QStringLiteral("Pages"));
    m_pages->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_pages->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [paint = std::move(paint)](QPrinter *printer) {
        paint(*printer);
    });

    btnPrevious = Named(new QPushButton(QStringLiteral("Previous"), this), QStringLiteral("btnPrevious"));
    btnNext = Named(new QPushButton(QStringLiteral("Next"), this), QStringLiteral("btnNext"));
    btnPrint = Named(new QPushButton(QStringLiteral("Print"), this), QStringLiteral("btnPrint"));
    btnClose = Named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("btnClose"));
    connect(btnPrevious, &QPushButton::clicked, this, &TfrmPreview::btnPreviousClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmPreview::btnNextClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmPreview::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {btnPrevious, btnNext, btnPrint})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    // Where the preview has always opened: at 100, 100 of the screen, small;
    // the user makes it larger.
    setGeometry(100, 100, 350, 300);
    m_pages->updatePreview();
    LangApplyProgram(*this);
}

TfrmPreview::~TfrmPreview() = default;

int TfrmPreview::pageCount() const
{
    return m_pages->pageCount();
}

int TfrmPreview::currentPage() const
{
    return m_pages->currentPage();
}

void TfrmPreview::btnPreviousClick()
{
    m_pages->setCurrentPage(m_pages->currentPage() - 1);
}

void TfrmPreview::btnNextClick()
{
    m_pages->setCurrentPage(m_pages->currentPage() + 1);
}

void TfrmPreview::btnPrintClick()
{
    m_print();
}

} // namespace ludra
