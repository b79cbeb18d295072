#include "reports/frmpreview.h"

#include "text/langapply.h"
#include "text/messages.h"
#include "views/widgets.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
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

    // The zoom: its texts are messages, shown beside the icons the desktop
    // theme has for them (a theme without them shows the texts alone), and
    // read by a screen reader.
    tbrZoom = Named(new QToolBar(this), QStringLiteral("tbrZoom"), LangMsg(Msg::PreviewZoomBar));
    tbrZoom->setProperty(LangFixed, true);
    tbrZoom->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto zoomAction = [this](const char *name, const MessageDef &text, const char *icon,
                                   QKeySequence::StandardKey key) {
        auto *action = new QAction(QIcon::fromTheme(QLatin1String(icon)), LangMsg(text), this);
        action->setObjectName(QLatin1String(name));
        action->setProperty(LangFixed, true);
        if (key != QKeySequence::UnknownKey)
            action->setShortcuts(key);
        tbrZoom->addAction(action);
        return action;
    };
    actZoomIn = zoomAction("actZoomIn", Msg::PreviewZoomIn, "zoom-in", QKeySequence::ZoomIn);
    actZoomOut = zoomAction("actZoomOut", Msg::PreviewZoomOut, "zoom-out", QKeySequence::ZoomOut);
    actFitWidth = zoomAction("actFitWidth", Msg::PreviewFitWidth, "zoom-fit-width", QKeySequence::UnknownKey);
    actFitPage = zoomAction("actFitPage", Msg::PreviewFitPage, "zoom-fit-best", QKeySequence::UnknownKey);
    for (QAction *fit : {actFitWidth, actFitPage})
        fit->setCheckable(true);
    // A button made from an action is read by its text.
    for (QAction *action : tbrZoom->actions())
        tbrZoom->widgetForAction(action)->setAccessibleName(action->text());
    connect(actZoomIn, &QAction::triggered, this, [this] {
        m_pages->zoomIn();
        showZoom();
    });
    connect(actZoomOut, &QAction::triggered, this, [this] {
        m_pages->zoomOut();
        showZoom();
    });
    connect(actFitWidth, &QAction::triggered, this, [this] {
        m_pages->fitToWidth();
        showZoom();
    });
    connect(actFitPage, &QAction::triggered, this, [this] {
        m_pages->fitInView();
        showZoom();
    });

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
    layout->addWidget(tbrZoom);
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
    showZoom();
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

double TfrmPreview::zoomFactor() const
{
    return m_pages->zoomFactor();
}

void TfrmPreview::showZoom()
{
    actFitWidth->setChecked(m_pages->zoomMode() == QPrintPreviewWidget::FitToWidth);
    actFitPage->setChecked(m_pages->zoomMode() == QPrintPreviewWidget::FitInView);
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
