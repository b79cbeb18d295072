#include "app/frmcompare.h"

#include "common/command.h"
#include "common/prompter.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "reports/reports.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "views/texttablemodel.h"
#include "views/fittingcombobox.h"
#include "views/widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

QString PlanName(const PlanDocument &document)
{
    return document.fileName().isEmpty() ? LangMsg(Msg::UntitledProject) : QFileInfo(document.fileName()).fileName();
}

TfrmCompare::TfrmCompare(LudraProgram &program, const PlanDocument &current, QList<const PlanDocument *> others,
                         Reports &reports, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_program(program), m_current(current), m_others(std::move(others)), m_reports(reports),
      m_prompter(prompter), m_table(4, 1)
{
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare Plans"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    m_table.setRow(0, {QStringLiteral("Skill or Requirement"), QString(), QString(), QStringLiteral("Difference")});

    auto *lblCompareWith = MakeLabel(QStringLiteral("Compare this plan with:"), this);
    lblCompareWith->setObjectName(QStringLiteral("lblCompareWith"));
    cboCompareWith = Named(new FittingComboBox(this), QStringLiteral("cboCompareWith"), QStringLiteral("Plan to compare with"));
    // Its entries are the names of open plans, which are data.
    cboCompareWith->setProperty(LangDataEntries, true);
    lblCompareWith->setBuddy(cboCompareWith);
    btnCompareFile = Named(new QPushButton(QStringLiteral("Project &File..."), this), QStringLiteral("btnCompareFile"));
    grdCompare = MakeResultGrid(new TextTableModel(m_table, false), QStringLiteral("grdCompare"),
                                QStringLiteral("Comparison"), {200, 110, 110, 90}, this);
    lblCompareNote = MakeStateLabel(QString(), QStringLiteral("lblCompareNote"),
                                    QStringLiteral("What the comparison rests on"), this);
    lblCompareNote->setWordWrap(true);
    // Its text is made as the plans are compared.
    lblCompareNote->setProperty(LangFixed, true);
    btnComparePrint = Named(new QPushButton(QStringLiteral("&Print..."), this), QStringLiteral("btnComparePrint"));
    btnComparePreview =
        Named(new QPushButton(QStringLiteral("Print Pre&view"), this), QStringLiteral("btnComparePreview"));
    btnCompareExport = Named(new QPushButton(QStringLiteral("&Export"), this), QStringLiteral("btnCompareExport"));
    auto *exportMenu = new QMenu(btnCompareExport);
    exportMenu->setObjectName(QStringLiteral("mnuCompareExport"));
    const auto exportItem = [this, exportMenu](const QString &name, const QString &caption, Reports::Format format) {
        auto *action = new QAction(caption, exportMenu);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, format] { exportAs(int(format)); });
        exportMenu->addAction(action);
    };
    exportItem(QStringLiteral("CompareCSV1"), QStringLiteral("C&SV"), Reports::Format::Csv);
    exportItem(QStringLiteral("CompareHTML1"), QStringLiteral("H&TML"), Reports::Format::Html);
    exportItem(QStringLiteral("CompareWordDoc1"), QStringLiteral("&Word Doc"), Reports::Format::Rtf);
    btnCompareExport->setMenu(exportMenu);
    auto *btnClose = Named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("btnClose"));

    auto *chooser = new QHBoxLayout;
    chooser->addWidget(lblCompareWith);
    chooser->addWidget(cboCompareWith, 1);
    chooser->addWidget(btnCompareFile);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnComparePrint);
    buttons->addWidget(btnComparePreview);
    buttons->addWidget(btnCompareExport);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(chooser);
    layout->addWidget(grdCompare, 1);
    layout->addWidget(lblCompareNote);
    layout->addLayout(buttons);
    resize(600, 460);

    LangApplyProgram(*this);

    for (const PlanDocument *other : m_others)
        cboCompareWith->addItem(PlanName(*other));
    connect(cboCompareWith, &QComboBox::currentIndexChanged, this, &TfrmCompare::cboCompareWithChange);
    connect(btnCompareFile, &QPushButton::clicked, this, &TfrmCompare::btnCompareFileClick);
    connect(btnComparePrint, &QPushButton::clicked, this, &TfrmCompare::btnComparePrintClick);
    connect(btnComparePreview, &QPushButton::clicked, this, &TfrmCompare::btnComparePreviewClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    m_reports.setComparison(&m_table);
    RunCommand(m_prompter, [this] { compare(); });
}

TfrmCompare::~TfrmCompare()
{
    m_reports.setComparison(nullptr);
}

QList<const PlanDocument *> TfrmCompare::candidates() const
{
    QList<const PlanDocument *> plans = m_others;
    if (m_fromFile)
        plans.append(m_fromFile.get());
    return plans;
}

void TfrmCompare::compare()
{
    const QList<const PlanDocument *> plans = candidates();
    const int chosen = cboCompareWith->currentIndex();
    const bool any = chosen >= 0 && chosen < int(plans.size());
    for (QPushButton *button : {btnComparePrint, btnComparePreview, btnCompareExport})
        button->setEnabled(any);
    if (!any) {
        m_table.setRow(0, {QStringLiteral("Skill or Requirement"), PlanName(m_current), QString(),
                           QStringLiteral("Difference")});
        m_table.replaceRowsFrom(1, {QStringList()});
        lblCompareNote->setText(LangMsg(Msg::CompareNothingText));
        return;
    }
    const PlanDocument &other = *plans.at(chosen);
    // The player is the same for both plans: the character of this plan, or
    // the other's when only it has one.
    const Character &character = m_current.buildSettings().character.entered()
                                     ? m_current.buildSettings().character
                                     : other.buildSettings().character;
    const auto figure = [this, &character](const PlanDocument &plan) {
        return FigurePlan(plan.layout(), plan.buildSettings(), plan.reference(), m_program.stock(), character);
    };
    const PlanFigures first = figure(m_current);
    const PlanFigures second = figure(other);
    QString firstName = PlanName(m_current);
    const QString secondName = PlanName(other);
    if (firstName == secondName)
        firstName += QStringLiteral(" (this window)");
    FillComparisonTable(firstName, first, secondName, second, m_table);
    lblCompareNote->setText(
        QStringLiteral("Each plan is built with its own settings.") +
        (character.entered() ? QStringLiteral(" Wearable implants for: ") + character.summary() + u'.' : QString()));
}

void TfrmCompare::cboCompareWithChange()
{
    RunCommand(m_prompter, [this] { compare(); });
}

void TfrmCompare::btnCompareFileClick()
{
    RunCommand(m_prompter, [this] {
        Prompter::FileRequest request;
        request.title = LangMsg(Msg::CompareOpenTitle);
        request.filter = QStringLiteral("Ludra Files (*.lud)|*.lud");
        request.defaultSuffix = QStringLiteral("lud");
        request.initialPath = m_current.fileName();
        const QString path = m_prompter.openFileName(request);
        if (path.isEmpty())
            return;
        // Read whole first: a file that cannot be read changes nothing.
        auto opened = std::make_unique<PlanDocument>(m_program);
        opened->open(path);
        const bool had = bool(m_fromFile);
        m_fromFile = std::move(opened);
        const QString name = PlanName(*m_fromFile);
        if (had)
            cboCompareWith->setItemText(cboCompareWith->count() - 1, name);
        else
            cboCompareWith->addItem(name);
        const QSignalBlocker quiet(cboCompareWith);
        cboCompareWith->setCurrentIndex(cboCompareWith->count() - 1);
        compare();
    });
}

void TfrmCompare::btnComparePrintClick()
{
    RunCommand(m_prompter, [this] { m_reports.printGridReport(ReportGrid::Comparison); });
}

void TfrmCompare::btnComparePreviewClick()
{
    RunCommand(m_prompter, [this] { m_reports.previewGridReport(ReportGrid::Comparison); });
}

void TfrmCompare::exportAs(int format)
{
    RunCommand(m_prompter, [this, format] { m_reports.exportGridTable(ReportGrid::Comparison, Reports::Format(format)); });
}

} // namespace ludra
