#include "views/widgets.h"

#include <QGuiApplication>

#include "views/texttablemodel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>

#include <algorithm>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>

namespace ludra {

QLabel *MakeLabel(const QString &text, QWidget *parent, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    return label;
}

QLabel *MakeStateLabel(const QString &text, const QString &objectName, const QString &purpose, QWidget *parent)
{
    QLabel *label = MakeLabel(text, parent);
    label->setObjectName(objectName);
    label->setAccessibleDescription(purpose);
    return label;
}

QIcon MarkerIcon(int code)
{
    return QIcon(QStringLiteral(":/markers/marker-%1.png").arg(code, 2, 10, QLatin1Char('0')));
}

bool IsDarkPalette(const QPalette &palette)
{
    return palette.color(QPalette::Active, QPalette::Base).lightness() < 128;
}

QColor WarningRed(const QPalette &palette)
{
    return IsDarkPalette(palette) ? QColor(0xff, 0x70, 0x70) : QColor(0xff, 0x00, 0x00);
}

QColor WarningRed()
{
    return WarningRed(QGuiApplication::palette());
}

void ShowAsWarning(QLabel *label)
{
    QPalette warning = label->palette();
    warning.setColor(QPalette::WindowText, WarningRed(warning));
    label->setPalette(warning);
    label->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
}

QIcon LudraIcon()
{
    // The sizes a window's title bar, task bar and About box use. The larger
    // renderings are for the desktop's launcher; handing them to the window
    // would only make it decode them at every start.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/ludra-%1.png").arg(size), QSize(size, size));
    return icon;
}

QDialogButtonBox *MakeOkCancelButtons(QDialog *dialog, const QString &okName, const QString &boxName)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    if (!boxName.isEmpty())
        buttons->setObjectName(boxName);
    Named(buttons->button(QDialogButtonBox::Ok), okName);
    Named(buttons->button(QDialogButtonBox::Cancel), QStringLiteral("btnCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QTableView *MakeResultGrid(const TextTable &table, const QString &objectName, const QString &accessibleName,
                           const QList<int> &widths, QWidget *parent)
{
    return MakeResultGrid(new TextTableModel(table, false), objectName, accessibleName, widths, parent);
}

QTableView *MakeResultGrid(TextTableModel *model, const QString &objectName, const QString &accessibleName,
                           const QList<int> &widths, QWidget *parent)
{
    auto *grid = Named(new QTableView(parent), objectName, accessibleName);
    model->setParent(grid);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setShowGrid(true);
    // The view never sorts by itself: the rows stay in the table's order,
    // which the table's own sort state sets (a heading click on a sortable
    // grid asks for it).
    grid->setSortingEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(false);
    header->setFixedHeight(GridRowHeight);
    FitResultColumns(grid, widths);
    // New contents are measured when they are shown: while a build fills
    // the tables the grids are on pages out of sight and cost nothing.
    auto *fitter = new ResultGridFitter(grid, widths);
    grid->installEventFilter(fitter);
    fitter->follow(model);
    return grid;
}

void ShowResultTable(QTableView *grid, TextTableModel *model)
{
    QAbstractItemModel *old = grid->model();
    model->setParent(grid);
    grid->setModel(model);
    delete old;
    if (auto *fitter = grid->findChild<ResultGridFitter *>()) {
        fitter->follow(model);
        grid->scrollToTop();
        if (grid->isVisible())
            fitter->fit();
    }
}

QList<int> FitResultColumns(QTableView *grid, const QList<int> &widths)
{
    QHeaderView *header = grid->horizontalHeader();
    QList<int> fitted;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        // The header's own measure of its text, margins and sort arrow space
        // included, so a long caption is never cut; the design width at
        // least; and the cells' own measure (the first thousand rows).
        grid->resizeColumnToContents(c);
        fitted.append(std::max({widths.value(c), header->sectionSizeHint(c), header->sectionSize(c)}));
    }
    SpreadColumns(grid, fitted);
    return fitted;
}

void SpreadColumns(QTableView *grid, const QList<int> &widths)
{
    QHeaderView *header = grid->horizontalHeader();
    int total = 0;
    for (int width : widths)
        total += width;
    const int room = grid->viewport()->width();
    const int extra = total > 0 && room > total ? room - total : 0;
    int given = 0;
    for (int c = 0; c < int(widths.size()); ++c) {
        // The last column takes what rounding left over.
        const int more = c + 1 == int(widths.size()) ? extra - given : int(qint64(extra) * widths.at(c) / total);
        given += more;
        header->resizeSection(c, widths.at(c) + more);
    }
}

ResultGridFitter::ResultGridFitter(QTableView *grid, QList<int> widths)
    : QObject(grid), m_grid(grid), m_widths(std::move(widths))
{
}

void ResultGridFitter::follow(QAbstractItemModel *model)
{
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        // New contents are read from their first row.
        m_grid->scrollToTop();
        if (m_grid->isVisible())
            fit();
    });
}

void ResultGridFitter::fit()
{
    m_fitted = FitResultColumns(m_grid, m_widths);
}

bool ResultGridFitter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid)
        return false;
    if (event->type() == QEvent::Show)
        fit();
    else if (event->type() == QEvent::Resize && m_grid->isVisible() && !m_fitted.isEmpty())
        // A grid that grows widens its columns; their contents are as they were.
        SpreadColumns(m_grid, m_fitted);
    return false;
}

} // namespace ludra
