#include "views/widgets.h"

#include "views/texttablemodel.h"

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

QTableView *MakeResultGrid(TextTable &table, const QString &objectName, const QString &accessibleName,
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
    // The rows stay in the order of the table: a header click never sorts.
    grid->setSortingEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(false);
    header->setFixedHeight(GridRowHeight);
    for (int c = 0; c < int(widths.size()); ++c) {
        // The header's own measure of its text, margins and sort arrow space
        // included, so a long caption is never cut.
        const int needed = header->sectionSizeHint(c);
        header->resizeSection(c, std::max(widths.at(c), needed));
    }
    return grid;
}

} // namespace ludra
