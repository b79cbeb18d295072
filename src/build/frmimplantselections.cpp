#include "build/frmimplantselections.h"

#include "text/langapply.h"

#include "build/frmsetall.h"
#include "common/command.h"
#include "common/prompter.h"
#include "data/nano.h"
#include "views/widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ludra {

namespace {

// The editor of a quality cell: a plain line edit, opened by a double click,
// F2 or typing; Return or Tab (moving on) keeps what was typed, Escape leaves
// the cell. A level is not checked here; the build converts it when it reads
// it.
class QualityCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        // Named by the grid's own texts: the column's header and the slot.
        editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString() +
                                  QStringLiteral(", ") +
                                  index.siblingAtColumn(TfrmImplantSelections::ImplantColumn).data().toString());
        return editor;
    }
};

} // namespace

TfrmImplantSelections::TfrmImplantSelections(Prompter &prompter, const QList<ImplantSelection> &selections,
                                             QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmImplantSelections"));
    setWindowTitle(QStringLiteral("Implant Selections"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    const QStringList &bodySlots = BodySlotNames();
    grdImplants = Named(new QTableWidget(int(bodySlots.size()), 3, this), QStringLiteral("grdImplants"),
                        QStringLiteral("Implant selections"));
    grdImplants->setHorizontalHeaderLabels(
        {QStringLiteral("Implant"), QStringLiteral("Select"), QStringLiteral("Quality")});
    grdImplants->verticalHeader()->hide();
    grdImplants->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdImplants->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grdImplants->setSelectionMode(QAbstractItemView::SingleSelection);
    grdImplants->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdImplants->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdImplants->setItemDelegateForColumn(QualityColumn, new QualityCellDelegate(grdImplants));
    // As in the layout grid: typing in a quality cell starts editing it.
    grdImplants->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);

    QHeaderView *header = grdImplants->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setFixedHeight(GridRowHeight);
    const QList<int> widths{132, 64, 64};
    int gridWidth = 2 * grdImplants->frameWidth();
    for (int c = 0; c < int(widths.size()); ++c) {
        // Never narrower than the header needs.
        const int width = std::max(widths.at(c), header->sectionSizeHint(c));
        header->resizeSection(c, width);
        gridWidth += width;
    }
    grdImplants->setFixedSize(gridWidth,
                              GridRowHeight * (int(bodySlots.size()) + 1) + 2 * grdImplants->frameWidth());

    for (int r = 0; r < int(bodySlots.size()); ++r) {
        const ImplantSelection entry = r < selections.size() ? selections.at(r) : ImplantSelection();
        auto *slot = new QTableWidgetItem(bodySlots.at(r));
        slot->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto *select = new QTableWidgetItem;
        select->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        select->setCheckState(entry.selected ? Qt::Checked : Qt::Unchecked);
        auto *quality = new QTableWidgetItem(entry.qualityLevel.text());
        quality->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        grdImplants->setItem(r, ImplantColumn, slot);
        grdImplants->setItem(r, SelectColumn, select);
        grdImplants->setItem(r, QualityColumn, quality);
    }

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOK"), QStringLiteral("btnsImplantSelections"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grdImplants);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    createMenu();
    LangApplyProgram(*this);
}

void TfrmImplantSelections::createMenu()
{
    mnuImplants = new QMenu(this);
    mnuImplants->setObjectName(QStringLiteral("mnuImplants"));
    auto item = [this](const QString &name, const QString &caption) {
        auto *action = new QAction(caption, mnuImplants);
        action->setObjectName(name);
        mnuImplants->addAction(action);
        return action;
    };
    SelectAll1 = item(QStringLiteral("SelectAll1"), QStringLiteral("&Select All Implants"));
    DeselectAll1 = item(QStringLiteral("DeselectAll1"), QStringLiteral("&Deselect all Implants"));
    SetAllQuality1 = item(QStringLiteral("SetAllQuality1"), QStringLiteral("Set all Quality to..."));
    connect(SelectAll1, &QAction::triggered, this, &TfrmImplantSelections::SelectAll1Click);
    connect(DeselectAll1, &QAction::triggered, this, &TfrmImplantSelections::DeselectAll1Click);
    connect(SetAllQuality1, &QAction::triggered, this, &TfrmImplantSelections::SetAllQuality1Click);

    grdImplants->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grdImplants, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        mnuImplants->popup(grdImplants->viewport()->mapToGlobal(pos));
    });
}

QList<ImplantSelection> TfrmImplantSelections::selections() const
{
    QList<ImplantSelection> result;
    for (int r = 0; r < grdImplants->rowCount(); ++r)
        result.append(ImplantSelection{grdImplants->item(r, SelectColumn)->checkState() == Qt::Checked,
                                       EnteredNumber(grdImplants->item(r, QualityColumn)->text())});
    return result;
}

void TfrmImplantSelections::setAllSelected(bool selected)
{
    for (int r = 0; r < grdImplants->rowCount(); ++r)
        grdImplants->item(r, SelectColumn)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void TfrmImplantSelections::SelectAll1Click()
{
    RunCommand(m_prompter, [this] { setAllSelected(true); });
}

void TfrmImplantSelections::DeselectAll1Click()
{
    RunCommand(m_prompter, [this] { setAllSelected(false); });
}

void TfrmImplantSelections::SetAllQuality1Click()
{
    RunCommand(m_prompter, [this] {
        TfrmSetAll dialog(this);
        if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
            return;
        const QString level = dialog.text();
        for (int r = 0; r < grdImplants->rowCount(); ++r)
            grdImplants->item(r, QualityColumn)->setText(level);
    });
}

} // namespace ludra
