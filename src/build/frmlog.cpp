#include "build/frmlog.h"

#include "text/messages.h"

#include "text/langapply.h"

#include "views/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ludra {

namespace {

// The window's client area.
constexpr int LogWidth = 400;
constexpr int LogHeight = 337;

} // namespace

TfrmLog::TfrmLog(const QStringList &lines, QWidget *parent, std::function<void()> print) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Build Log"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(LogWidth, LogHeight);

    // An empty log says so in its one row, rather than showing a blank row
    // that looks like a line that went missing.
    const QStringList shown = lines.isEmpty() ? QStringList{LangMsg(Msg::EmptyBuildLogText)} : lines;
    const int rows = int(shown.size());
    grdLog = Named(new QTableWidget(rows, 1, this), QStringLiteral("grdLog"), QStringLiteral("Build log"));
    grdLog->horizontalHeader()->hide();
    grdLog->verticalHeader()->hide();
    grdLog->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdLog->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grdLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdLog->setSelectionMode(QAbstractItemView::SingleSelection);
    grdLog->setWordWrap(false);
    // Scrolled by the pixel: by the item, a single column wider than the
    // grid would give the scroll bar nothing to scroll.
    grdLog->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (int r = 0; r < rows; ++r) {
        auto *item = new QTableWidgetItem(shown.value(r));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grdLog->setItem(r, 0, item);
    }
    // A line longer than the column widens it, so every line reads whole
    // (reached with the horizontal scroll bar).
    // Every row is measured: a view's own fitting looks only at the rows in
    // sight, and a window not yet shown has none. One pixel more for the
    // grid line.
    int width = LogColumnWidth;
    for (int r = 0; r < rows; ++r)
        width = std::max(width, grdLog->sizeHintForIndex(grdLog->model()->index(r, 0)).width() + 1);
    grdLog->setColumnWidth(0, width);

    btnPrint = Named(new QPushButton(QStringLiteral("Print"), this), QStringLiteral("btnPrint"));
    btnPrint->setEnabled(bool(print));
    if (print)
        connect(btnPrint, &QPushButton::clicked, this, [print = std::move(print)] { print(); });
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnPrint);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grdLog, 1);
    layout->addLayout(buttons);

    LangApplyProgram(*this);
}

} // namespace ludra
