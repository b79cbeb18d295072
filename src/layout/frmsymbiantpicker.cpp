#include "layout/frmsymbiantpicker.h"

#include "data/symbiants.h"
#include "data/symbiants.h"
#include "layout/symbiantslots.h"
#include "text/langapply.h"
#include "views/widgets.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

namespace {

// Whether it can be worn comes next to the name, where it is seen without
// scrolling.
enum PickerColumn { Name, Wearable, Level, Treatment, CharacterLevel, AbilitiesNeeded, Professions, FirstSkill };

// The symbiants of a slot, one row each in the order given; numbers are
// given as numbers, so that their columns sort by value.
class SymbiantPickerModel : public QAbstractTableModel
{
public:
    SymbiantPickerModel(const QList<const Symbiant *> &symbiants, const QStringList &skills,
                        const Character &character, const QPalette &palette, QObject *parent)
        : QAbstractTableModel(parent), m_symbiants(symbiants), m_skills(skills), m_palette(palette)
    {
        // With nothing entered there is nothing to judge by.
        const bool judged = character.entered() || character.level > 0;
        for (const Symbiant *symbiant : symbiants) {
            const QStringList unmet =
                judged ? SymbiantUnmet(*symbiant, character, character.stats) : QStringList();
            m_unwearable.append(!unmet.isEmpty());
            m_wearable.append(!judged           ? QStringLiteral("no character entered")
                              : unmet.isEmpty() ? QStringLiteral("yes")
                                                : unmet.join(QStringLiteral(", ")));
        }
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_symbiants.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : FirstSkill + int(m_skills.size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const QStringList fixed{QStringLiteral("Name"),      QStringLiteral("Wearable"),
                                       QStringLiteral("QL"),        QStringLiteral("Treatment Needed"),
                                       QStringLiteral("Level Needed"), QStringLiteral("Abilities Needed"),
                                       QStringLiteral("Professions")};
        if (section >= 0 && section < FirstSkill)
            return fixed.at(section);
        return m_skills.value(section - FirstSkill);
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return QVariant();
        const int row = index.row();
        const Symbiant &symbiant = *m_symbiants.at(row);
        if (role == Qt::ForegroundRole && m_unwearable.at(row))
            return index.column() == Wearable ? QVariant(WarningRed(m_palette))
                                              : QVariant(m_palette.color(QPalette::Disabled, QPalette::Text));
        if (role == Qt::TextAlignmentRole && (index.column() == Level || index.column() == Treatment ||
                                              index.column() == CharacterLevel || index.column() >= FirstSkill))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return QVariant();
        switch (index.column()) {
        case Name: return symbiant.name;
        case Level: return symbiant.level;
        case Treatment: return symbiant.treatment;
        case CharacterLevel: return symbiant.characterLevel;
        case AbilitiesNeeded: return SymbiantAbilityNeeds(symbiant);
        case Professions: return SymbiantProfessionsText(symbiant);
        case Wearable: return m_wearable.at(row);
        default: {
            const qint64 bonus = symbiant.bonus(m_skills.value(index.column() - FirstSkill));
            return bonus != 0 ? QVariant(bonus) : QVariant();
        }
        }
    }

private:
    QList<const Symbiant *> m_symbiants;
    QStringList m_skills;
    QPalette m_palette;
    QStringList m_wearable;
    QList<bool> m_unwearable;
};

} // namespace

TfrmSymbiantPicker::TfrmSymbiantPicker(const QString &slotName, const QList<const Symbiant *> &symbiants,
                                       const QString &current, const QStringList &skills,
                                       const Character &character, QWidget *parent)
    : QDialog(parent), m_symbiants(symbiants)
{
    setObjectName(QStringLiteral("frmSymbiantPicker"));
    setWindowTitle(QStringLiteral("Use Symbiant"));

    auto *lblSearch = MakeLabel(QStringLiteral("&Search:"), this);
    lblSearch->setObjectName(QStringLiteral("lblSearch"));
    edtSearch = Named(new QLineEdit(this), QStringLiteral("edtSearch"));
    edtSearch->setClearButtonEnabled(true);
    lblSearch->setBuddy(edtSearch);

    auto *model = new SymbiantPickerModel(symbiants, skills, character, palette(), this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(model);
    m_proxy->setFilterKeyColumn(Name);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);

    grdSymbiants = Named(new QTableView(this), QStringLiteral("grdSymbiants"), QStringLiteral("Symbiants"));
    grdSymbiants->setModel(m_proxy);
    grdSymbiants->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdSymbiants->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSymbiants->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSymbiants->verticalHeader()->hide();
    grdSymbiants->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    // The file's order until a heading is clicked.
    grdSymbiants->horizontalHeader()->setSortIndicatorClearable(true);
    grdSymbiants->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grdSymbiants->setSortingEnabled(true);
    grdSymbiants->resizeColumnsToContents();

    QDialogButtonBox *buttons = MakeOkCancelButtons(this, QStringLiteral("btnOK"), QStringLiteral("btnsSymbiant"));
    btnOK = buttons->button(QDialogButtonBox::Ok);
    btnOK->setDefault(true);

    // The slot's name is no text of the window's design.
    auto *lblSlot = MakeStateLabel(slotName, QStringLiteral("lblSlot"), QStringLiteral("Body slot"), this);
    lblSlot->setProperty(LangFixed, true);
    lblSlot->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(lblSlot);
    searchRow->addSpacing(12);
    searchRow->addWidget(lblSearch);
    searchRow->addWidget(edtSearch, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(grdSymbiants, 1);
    layout->addWidget(buttons);
    resize(900, 420);

    connect(edtSearch, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(grdSymbiants->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmSymbiantPicker::showChoice);
    // The filter may take the chosen row out of sight.
    connect(m_proxy, &QSortFilterProxyModel::layoutChanged, this, &TfrmSymbiantPicker::showChoice);
    connect(m_proxy, &QSortFilterProxyModel::rowsRemoved, this, &TfrmSymbiantPicker::showChoice);
    connect(grdSymbiants, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            accept();
    });

    LangApplyProgram(*this);

    for (int row = 0; row < symbiants.size(); ++row) {
        if (symbiants.at(row)->title() == current) {
            const QModelIndex shown = m_proxy->mapFromSource(model->index(row, Name));
            grdSymbiants->selectRow(shown.row());
            grdSymbiants->scrollTo(shown);
        }
    }
    showChoice();
    edtSearch->setFocus();
}

const Symbiant *TfrmSymbiantPicker::selectedSymbiant() const
{
    const QModelIndexList rows = grdSymbiants->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    const int row = m_proxy->mapToSource(rows.first()).row();
    return row >= 0 && row < m_symbiants.size() ? m_symbiants.at(row) : nullptr;
}

void TfrmSymbiantPicker::showChoice()
{
    btnOK->setEnabled(selectedSymbiant() != nullptr);
}

void TfrmSymbiantPicker::accept()
{
    const Symbiant *symbiant = selectedSymbiant();
    if (!symbiant)
        return;
    m_chosen = symbiant->title();
    QDialog::accept();
}

} // namespace ludra
