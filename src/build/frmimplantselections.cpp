#include "build/frmimplantselections.h"

#include "text/langapply.h"

#include "build/frmsetall.h"
#include "common/command.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "data/nano.h"
#include "text/messages.h"
#include "views/numberbox.h"
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

// The editor of a quality cell: a line edit, opened by a double click, F2 or
// typing; Return or Tab (moving on) keeps what was typed, Escape leaves the
// cell. It takes digits alone, no more than the highest level that may be
// entered has; whether the level is in range is said on OK, naming the slot.
class QualityCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setValidator(MakeDigitsValidator(EnteredQualityLevelMax, editor));
        // Named by the grid's own texts: the column's header and the slot.
        editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString() +
                                  QStringLiteral(", ") +
                                  index.siblingAtColumn(TfrmImplantSelections::ImplantColumn).data().toString());
        return editor;
    }

    // Ends the edit in one of its editors, keeping what the editor holds.
    void finish(QWidget *editor)
    {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
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

void TfrmImplantSelections::focusQuality(int row)
{
    grdImplants->setCurrentCell(row, QualityColumn);
    grdImplants->setFocus();
}

void TfrmImplantSelections::setAllSelected(bool selected)
{
    for (int r = 0; r < grdImplants->rowCount(); ++r)
        grdImplants->item(r, SelectColumn)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void TfrmImplantSelections::accept()
{
    RunCommand(m_prompter, [this] {
        // A level still being typed counts as the grid's.
        const QModelIndex current = grdImplants->currentIndex();
        if (QWidget *editor = grdImplants->indexWidget(current); editor && current.column() == QualityColumn)
            static_cast<QualityCellDelegate *>(grdImplants->itemDelegateForColumn(QualityColumn))->finish(editor);

        // A selected slot needs a level the build can read; an unselected one
        // may stay empty. Above the game's top level the build would ask, and
        // so does OK, for all such slots at once.
        QStringList above;
        int firstAbove = -1;
        for (int r = 0; r < grdImplants->rowCount(); ++r) {
            const bool selected = grdImplants->item(r, SelectColumn)->checkState() == Qt::Checked;
            const QString text = grdImplants->item(r, QualityColumn)->text();
            const QString slot = grdImplants->item(r, ImplantColumn)->text();
            int level = 0;
            const bool inRange = TryStrToInt(text, level) && level >= 1 && level <= EnteredQualityLevelMax;
            if (!inRange && (selected || !text.isEmpty())) {
                m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::QualityCellRangeTitle),
                                   LangMsg(Msg::QualityCellRangeText).arg(slot).arg(EnteredQualityLevelMax));
                focusQuality(r);
                return;
            }
            if (selected && level > TopQualityLevel) {
                above.append(LangMsg(Msg::SelectionAboveTopEntry).arg(slot).arg(level));
                if (firstAbove < 0)
                    firstAbove = r;
            }
        }
        if (!above.isEmpty() &&
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::OkCancel, LangMsg(Msg::LevelAboveTopTitle),
                               LangMsg(Msg::SelectionAboveTopText).arg(above.join(QStringLiteral(", ")))) !=
                Prompter::Answer::Ok) {
            focusQuality(firstAbove);
            return;
        }
        QDialog::accept();
    });
}

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
