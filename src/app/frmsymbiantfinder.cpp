#include "app/frmsymbiantfinder.h"

#include "build/buildsettings.h"
#include "common/command.h"
#include "common/prompter.h"
#include "data/referencedata.h"
#include "model/plandocument.h"
#include "reports/reports.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "views/texttablemodel.h"
#include "views/fittingcombobox.h"
#include "views/widgets.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

TfrmSymbiantFinder::TfrmSymbiantFinder(PlanDocument &document, Reports &reports, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_document(document), m_reports(reports), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmSymbiantFinder"));
    setWindowTitle(QStringLiteral("Find Symbiants"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);

    auto *lblSymbiantSlot = MakeLabel(QStringLiteral("&Slot:"), this);
    lblSymbiantSlot->setObjectName(QStringLiteral("lblSymbiantSlot"));
    cboSymbiantSlot = Named(new FittingComboBox(this), QStringLiteral("cboSymbiantSlot"), QStringLiteral("Body slot"));
    // "All slots", then the body slots as the game names them.
    cboSymbiantSlot->setProperty(LangDataEntries, true);
    lblSymbiantSlot->setBuddy(cboSymbiantSlot);
    grdSymbiants = MakeResultGrid(new TextTableModel(m_table, false), QStringLiteral("grdSymbiants"),
                                  QStringLiteral("Symbiants"), {90, 260, 40, 70}, this);
    grdSymbiants->setSelectionBehavior(QAbstractItemView::SelectRows);
    lblSymbiantNote = MakeStateLabel(QString(), QStringLiteral("lblSymbiantNote"),
                                     QStringLiteral("What the list rests on"), this);
    lblSymbiantNote->setWordWrap(true);
    // Its text is made as the symbiants are found.
    lblSymbiantNote->setProperty(LangFixed, true);
    btnSymbiantUse = Named(new QPushButton(QStringLiteral("&Use"), this), QStringLiteral("btnSymbiantUse"));
    btnSymbiantPrint = Named(new QPushButton(QStringLiteral("&Print..."), this), QStringLiteral("btnSymbiantPrint"));
    btnSymbiantPreview = Named(new QPushButton(QStringLiteral("Print Pre&view"), this),
                               QStringLiteral("btnSymbiantPreview"));
    btnSymbiantExport = Named(new QPushButton(QStringLiteral("&Export..."), this), QStringLiteral("btnSymbiantExport"));
    auto *exportMenu = new QMenu(btnSymbiantExport);
    exportMenu->setObjectName(QStringLiteral("mnuSymbiantExport"));
    const auto exportItem = [this, exportMenu](const QString &name, const QString &caption, Reports::Format format) {
        auto *action = new QAction(caption, exportMenu);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, format] { exportAs(int(format)); });
        exportMenu->addAction(action);
    };
    exportItem(QStringLiteral("SymbiantCSV1"), QStringLiteral("C&SV"), Reports::Format::Csv);
    exportItem(QStringLiteral("SymbiantHTML1"), QStringLiteral("H&TML"), Reports::Format::Html);
    exportItem(QStringLiteral("SymbiantWordDoc1"), QStringLiteral("&Word Doc"), Reports::Format::Rtf);
    btnSymbiantExport->setMenu(exportMenu);
    auto *btnClose = Named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("btnClose"));

    auto *chooser = new QHBoxLayout;
    chooser->addWidget(lblSymbiantSlot);
    chooser->addWidget(cboSymbiantSlot);
    chooser->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSymbiantUse);
    buttons->addSpacing(12);
    buttons->addWidget(btnSymbiantPrint);
    buttons->addWidget(btnSymbiantPreview);
    buttons->addWidget(btnSymbiantExport);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(chooser);
    layout->addWidget(grdSymbiants, 1);
    layout->addWidget(lblSymbiantNote);
    layout->addLayout(buttons);
    resize(1100, 560);

    LangApplyProgram(*this);

    cboSymbiantSlot->addItem(QStringLiteral("All slots"));
    for (const QString &slot : BodySlotNames())
        cboSymbiantSlot->addItem(slot);
    connect(cboSymbiantSlot, &QComboBox::currentIndexChanged, this, &TfrmSymbiantFinder::cboSymbiantSlotChange);
    connect(btnSymbiantUse, &QPushButton::clicked, this, &TfrmSymbiantFinder::btnSymbiantUseClick);
    connect(btnSymbiantPrint, &QPushButton::clicked, this, &TfrmSymbiantFinder::btnSymbiantPrintClick);
    connect(btnSymbiantPreview, &QPushButton::clicked, this, &TfrmSymbiantFinder::btnSymbiantPreviewClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(grdSymbiants->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { btnSymbiantUse->setEnabled(chosen() && !chosen()->current); });
    // A change of the plan (a symbiant used, a step undone) or of the
    // character finds again.
    connect(&m_document, &LayoutDocument::planChanged, this, [this] { RunCommand(m_prompter, [this] { find(); }); });
    connect(&m_document, &BuildDocument::settingsChanged, this, [this] { RunCommand(m_prompter, [this] { find(); }); });

    m_reports.setSymbiants(&m_table);
    RunCommand(m_prompter, [this] { find(); });
}

TfrmSymbiantFinder::~TfrmSymbiantFinder()
{
    m_reports.setSymbiants(nullptr);
}

void TfrmSymbiantFinder::find()
{
    const SymbiantTable *table = m_document.reference().symbiants();
    m_finding = table ? FindSymbiants(m_document.layout(), m_document.buildSettings(), m_document.reference(), *table)
                      : SymbiantFinding();
    const Character &character = m_document.buildSettings().character;
    if (!table)
        lblSymbiantNote->setText(LangMsg(Msg::NoSymbiantTableText).arg(RefFile::Symbiants));
    else if (m_finding.judged)
        lblSymbiantNote->setText(LangMsg(Msg::SymbiantsJudgedText).arg(character.summary()));
    else
        lblSymbiantNote->setText(LangMsg(Msg::SymbiantsNotJudgedText));
    showFinding();
}

void TfrmSymbiantFinder::showFinding()
{
    m_rows = FillSymbiantTable(m_finding, m_table, cboSymbiantSlot->currentIndex() - 1);
    grdSymbiants->clearSelection();
    btnSymbiantUse->setEnabled(false);
    for (QPushButton *button : {btnSymbiantPrint, btnSymbiantPreview, btnSymbiantExport})
        button->setEnabled(!m_rows.isEmpty());
}

const SymbiantChoice *TfrmSymbiantFinder::chosen() const
{
    const QModelIndexList rows = grdSymbiants->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    const int row = rows.first().row();
    if (row < 0 || row >= int(m_rows.size()))
        return nullptr;
    const auto [slot, index] = m_rows.at(row);
    return &m_finding.bySlot[std::size_t(slot)].at(index);
}

void TfrmSymbiantFinder::cboSymbiantSlotChange()
{
    RunCommand(m_prompter, [this] { showFinding(); });
}

void TfrmSymbiantFinder::btnSymbiantUseClick()
{
    RunCommand(m_prompter, [this] {
        const SymbiantChoice *choice = chosen();
        if (!choice)
            return;
        const int slot = choice->symbiant.slot;
        const QString title = choice->symbiant.title();
        // The plan's change finds again: the choice goes with the old list.
        m_document.editPlan(LangMsg(Msg::EditUseSymbiant),
                            [slot, &title](LayoutState &layout) { layout.setSymbiant(slot, title); });
    });
}

void TfrmSymbiantFinder::btnSymbiantPrintClick()
{
    RunCommand(m_prompter, [this] { m_reports.printGridReport(ReportGrid::Symbiants); });
}

void TfrmSymbiantFinder::btnSymbiantPreviewClick()
{
    RunCommand(m_prompter, [this] { m_reports.previewGridReport(ReportGrid::Symbiants); });
}

void TfrmSymbiantFinder::exportAs(int format)
{
    RunCommand(m_prompter,
               [this, format] { m_reports.exportGridTable(ReportGrid::Symbiants, Reports::Format(format)); });
}

} // namespace ludra
