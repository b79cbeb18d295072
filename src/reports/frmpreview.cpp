#include "reports/frmpreview.h"

#include "text/langapply.h"
#include "views/widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ludra {

namespace {

// Where the preview opens on the screen, and the size it takes there when
// the screen has room: wide enough for a portrait page at about its printed
// size, so that its text reads, and tall enough to show most of it.
constexpr QPoint PreviewPosition(100, 100);
constexpr QSize PreviewSize(860, 1000);
// The least it takes on a small screen.
constexpr QSize SmallestPreviewSize(350, 300);
// Room kept free at the right and bottom edges of the screen for the
// window's frame.
constexpr int ScreenMargin = 40;

} // namespace

TfrmPreview::TfrmPreview(std::function<void(QPrinter &)> paint, std::function<void()> print, QWidget *parent)
    : QDialog(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_paint(std::move(paint)),
      m_print(std::move(print))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // The printer has the resolution a print has, so that the pages are laid
    // out exactly as they will print; a page fills the width, so that its
    // text reads.
    m_pages = Named(new QPrintPreviewWidget(m_printer.get(), this), QStringLiteral("ppvPages"),
                    QStringLiteral("Pages"));
    m_pages->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_pages->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) { this->paint(*printer); });

    btnPrevious = Named(new QPushButton(QStringLiteral("Previous"), this), QStringLiteral("btnPrevious"));
    btnNext = Named(new QPushButton(QStringLiteral("Next"), this), QStringLiteral("btnNext"));
    btnPrint = Named(new QPushButton(QStringLiteral("Print"), this), QStringLiteral("btnPrint"));
    btnClose = Named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("btnClose"));
    connect(btnPrevious, &QPushButton::clicked, this, &TfrmPreview::btnPreviousClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmPreview::btnNextClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmPreview::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    // Scrolling through the pages changes the page shown as well.
    connect(m_pages, &QPrintPreviewWidget::previewChanged, this, &TfrmPreview::showPageButtons);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {btnPrevious, btnNext, btnPrint})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    // At 100, 100 of the screen, not centred, as large as a page needs
    // where the screen has room for it.
    QSize size = PreviewSize;
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(QSize(room.right() - PreviewPosition.x() - ScreenMargin,
                                    room.bottom() - PreviewPosition.y() - ScreenMargin));
    }
    setGeometry(QRect(PreviewPosition, size.expandedTo(SmallestPreviewSize)));
    m_pages->updatePreview();
    showPageButtons();
    LangApplyProgram(*this);
}

TfrmPreview::~TfrmPreview() = default;

void TfrmPreview::paint(QPrinter &printer) const
{
    m_paint(printer);
}

int TfrmPreview::pageCount() const
{
    return m_pages->pageCount();
}

int TfrmPreview::currentPage() const
{
    return m_pages->currentPage();
}

void TfrmPreview::showPageButtons()
{
    btnPrevious->setEnabled(m_pages->currentPage() > 1);
    btnNext->setEnabled(m_pages->currentPage() < m_pages->pageCount());
}

void TfrmPreview::btnPreviousClick()
{
    m_pages->setCurrentPage(m_pages->currentPage() - 1);
    showPageButtons();
}

void TfrmPreview::btnNextClick()
{
    m_pages->setCurrentPage(m_pages->currentPage() + 1);
    showPageButtons();
}

void TfrmPreview::btnPrintClick()
{
    m_print();
}

} // namespace ludra
