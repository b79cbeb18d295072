#include "build/buildrunner.h"

#include "app/messages.h"
#include "build/buildformulas.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/suggestions.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/text.h"
#include "data/referencedata.h"
#include "stock/stockfile.h"
#include "stock/stocksourcing.h"

namespace ludra {

BuildRunner::BuildRunner(const ReferenceData &reference, LayoutState &layout, const BuildSettings &settings,
                         BuildResults &results, StockState &stock, Prompter &prompter)
    : m_reference(reference), m_layout(layout), m_settings(settings), m_results(results), m_stock(stock),
      m_prompter(prompter)
{
    stockPath = StockPath();
    hooks.showView = [this](LayoutView view) {
        m_layout.setView(view, m_reference.nanoList(), m_reference.bodySlots());
    };
    hooks.showNames = [this](LayoutNames names) { m_layout.setNames(names, m_reference.nanoList()); };
}

bool BuildRunner::run()
{
    if (m_settings.oneLevel && StrToInt(m_settings.implantQLText) == 0) {
        m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::NoTargetTitle),
                           LangMsg(Msg::NoTargetText));
        return false;
    }
    if (m_settings.removeStock &&
        m_prompter.message(Prompter::Icon::Stop, Prompter::Buttons::OkCancel, LangMsg(Msg::RemoveStockTitle),
                           LangMsg(Msg::RemoveStockText)) != Prompter::Answer::Ok)
        return false;

    m_results.clearSortColumns();
    m_stock.reload(stockPath, m_prompter);
    m_stock.resetUse();
    m_results.clearBuildLog();
    ClearResultTable(m_results.reqTable());
    ClearResultTable(m_results.skillIncTable());

    const LayoutView userView = m_layout.currentView();
    const LayoutNames userNames = m_layout.names();
    // Whatever ends the build from here on, the layout goes back to what the
    // user had and the build is over.
    auto restore = [&] {
        m_stock.Building = false;
        if (m_layout.currentView() != userView)
            hooks.showView(userView);
        if (m_layout.names() != userNames)
            hooks.showNames(userNames);
    };
    try {
        hooks.showView(LayoutView::BodyPlacement);
        hooks.showNames(LayoutNames::ClusterNames);
        // Duplicate marks hold the layout in the skill view; read as slots
        // its rows would give wrong results.
        if (m_layout.currentView() != LayoutView::BodyPlacement)
            throw Exception(LangMsg(Msg::DuplicatesLabel));
        compute();
    } catch (...) {
        restore();
        throw;
    }
    restore();

    if (hooks.showResults)
        hooks.showResults();

    if (m_settings.removeStock) {
        removeUsedImplants();
        const QString text = QString::number(m_stock.ImplantsDeleted) + LangMsg(Msg::RemovedCountMiddle) +
                             QString::number(m_stock.ClustersDeleted) + LangMsg(Msg::RemovedCountEnd);
        if (m_prompter.message(Prompter::Icon::Stop, Prompter::Buttons::YesNo, LangMsg(Msg::RemovedCountTitle),
                               text) == Prompter::Answer::Yes)
            m_stock.save(stockPath);
        else
            m_stock.reload(stockPath, m_prompter);
    }
    return true;
}

void BuildRunner::compute()
{
    // While the cells are built the stock checks write build log lines rather
    // than layout markers; however the computation ends, it is over after.
    struct Building
    {
        StockState &stock;
        explicit Building(StockState &s) : stock(s) { stock.Building = true; }
        ~Building() { stock.Building = false; }
    } building(m_stock);

    ClearResultTable(m_results.reqTable());
    ClearResultTable(m_results.skillIncTable());
    const TextTable &table = m_layout.table();
    int outRow = 1;
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int column = 1; column <= 3; ++column)
            buildCell(column, row, outRow);
    }
    ClearResultTable(m_results.suggestTable());
    BuildSuggestions(m_results.reqTable(), m_results.suggestTable(), m_reference.secSkills(), m_settings);
}

void BuildRunner::buildCell(int column, int row, int &outRow)
{
    const TextTable &table = m_layout.table();
    const QStringList &bodySlots = m_reference.bodySlots();
    const QString slot = table.cell(0, row);
    const QString cluster = table.cell(column, row);

    if (!m_settings.oneLevel && IndividualQL(m_settings, bodySlots, slot) < 0)
        return;
    if (TrimCtl(QStringView(cluster)).isEmpty())
        return;
    QStringList log;
    StockCheck check{m_layout, m_reference.nanoList(), bodySlots, m_settings, m_stock, log, QString()};
    const bool inStock = CheckStock(check, column, row);
    for (const QString &line : log)
        m_results.addLogLine(line);
    if (!inStock)
        return;

    TextTable &req = m_results.reqTable();
    if (outRow > 1)
        req.setRowCount(outRow + 1);
    req.setCell(ReqCol::Type, outRow, ClusterTypeNames().value(column - 1));
    const QString type = req.cell(ReqCol::Type, outRow);
    const QString sec = ClusterSecSkill(m_reference.secSkills(), cluster, type);
    const int q = ImplantQL(m_settings, bodySlots, slot);
    const int clusterQL = SourceCluster(m_stock, m_settings, cluster, type, q, false);
    req.setCell(ReqCol::Cluster, outRow, cluster + QStringLiteral(" (QL ") + QString::number(clusterQL) +
                                             QLatin1Char(')'));
    req.setCell(ReqCol::Implant, outRow, slot + QStringLiteral(" (QL ") + QString::number(q) + QLatin1Char(')'));
    req.setCell(ReqCol::SkillReq, outRow,
                QString::number(ClusterSkillReq(m_reference.requirements(), cluster, type,
                                                ImplantQL(m_settings, bodySlots, slot))));
    req.setCell(ReqCol::Credits, outRow,
                QString::number(StockCost(m_stock.stock(), m_settings, cluster, type, clusterQL)));
    req.setCell(ReqCol::Treatment, outRow, QString::number(TreatmentReq(q)));
    req.setCell(ReqCol::SecondarySkill, outRow, QString::number(SecondarySkillReq(q)) + QLatin1Char(' ') + sec);
    const QString skill = ClusterToSkill(m_reference.nanoList(), cluster);
    if (m_settings.removeStock)
        SourceCluster(m_stock, m_settings, cluster, type, q, true);
    tallySkill(skill, SkillIncrease(m_reference.nanoList(), m_reference.skillReq(), cluster, type, q));
    ++outRow;
}

void BuildRunner::tallySkill(const QString &skill, qint64 increase)
{
    TextTable &table = m_results.skillIncTable();
    const QStringView wanted = TrimCtl(QStringView(skill));
    for (int r = 1; r < table.rowCount(); ++r) {
        if (TrimCtl(QStringView(table.cell(SkillCol::Skill, r))) != wanted)
            continue;
        table.setCell(SkillCol::Clusters, r,
                      QString::number(qint64(StrToInt(QLatin1Char('0') + table.cell(SkillCol::Clusters, r))) + 1));
        table.setCell(SkillCol::Increase, r,
                      QString::number(qint64(StrToInt(QLatin1Char('0') + table.cell(SkillCol::Increase, r))) +
                                      increase));
        return;
    }
    // A single blank first row is written over rather than kept.
    const bool blankFirst =
        table.rowCount() == 2 && TrimCtl(QStringView(table.cell(SkillCol::Skill, 1))).isEmpty();
    if (!blankFirst)
        table.setRowCount(table.rowCount() + 1);
    table.setRow(table.rowCount() - 1, {skill, QString::number(increase), QStringLiteral("1")});
}

void BuildRunner::removeUsedImplants()
{
    const int count = int(std::min(m_stock.ImplantsUsed.size(), m_stock.ImplantsUsedQL.size()));
    for (int i = 0; i < count; ++i)
        ImplantAvailable(m_stock, m_settings, m_stock.ImplantsUsed.at(i), StrToInt(m_stock.ImplantsUsedQL.at(i)),
                         true);
}

} // namespace ludra
