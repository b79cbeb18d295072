// Times the layout core on a catalogue file and on a generated catalogue of
// 399 records (the most the cell tables cover), with every skill selected and
// allocated, so that every slot is taken:
//
//   layout_bench [CATALOGUE] [ROUNDS]
//
// Prints the median and the fastest of ROUNDS runs (default 201) of each
// operation, in microseconds.

#include "support/benchsupport.h"
#include "build/buildsettings.h"
#include "build/stockstatus.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "layout/layoutgrid.h"
#include "layout/layoutstate.h"
#include "stock/stocksourcing.h"
#include "stock/stockstate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace ludra;

namespace {

TNanoList generated(int count)
{
    const QStringList &bodySlots = BodySlotNames();
    TNanoList list;
    for (int i = 0; i < count; ++i) {
        auto nano = std::make_unique<TNano>();
        nano->SkillName = QStringLiteral("Generated skill %1").arg(i);
        nano->ClusterName = QStringLiteral("Generated cluster %1").arg(i);
        nano->ShiningSlot = bodySlots.at(i % 13);
        nano->BrightSlot = bodySlots.at((i + 5) % 13);
        nano->FadedSlot = bodySlots.at((i + 9) % 13);
        nano->IncCategory = QStringLiteral("1");
        list.add(std::move(nano));
    }
    return list;
}

// A layout in the body-placement view with every skill selected and
// allocated.
void prepare(LayoutState &layout, const TNanoList &catalogue)
{
    layout.setCatalogue(catalogue);
    QList<SkillEntry> entries;
    for (int i = 0; i < catalogue.count(); ++i)
        entries.append(SkillEntry{catalogue.name(i), catalogue.at(i)});
    layout.skills().assignAvailable(entries);
    while (layout.skills().add()) {
    }
    layout.allocate();
}

void run(const char *title, const TNanoList &catalogue, int rounds)
{
    std::printf("== %s: %d records\n", title, catalogue.count());
    LayoutState layout;
    prepare(layout, catalogue);
    const auto toBody = [&] {
        if (layout.currentView() != LayoutView::BodyPlacement)
            layout.setView(LayoutView::BodyPlacement);
    };
    const auto toSkill = [&] {
        if (layout.currentView() != LayoutView::SkillSet)
            layout.setView(LayoutView::SkillSet);
    };
    const auto toSkillNames = [&] { layout.setNames(LayoutNames::SkillNames); };

    // The grid as the page has it: its model over the layout, in a view that
    // is on screen. Each timed step ends as a handler does, with the model's
    // refresh, and then paints the grid at once.
    LayoutTableModel model(layout);
    QTableView grid;
    grid.setModel(&model);
    grid.resize(560, 330);
    grid.show();
    QCoreApplication::processEvents();
    const auto shown = [&] {
        model.refresh();
        grid.viewport()->repaint();
    };

    measure("view switch to skill/cluster set", rounds, toBody, [&] {
        layout.setView(LayoutView::SkillSet);
        shown();
    });
    measure("view switch to body placement", rounds, toSkill, [&] {
        layout.setView(LayoutView::BodyPlacement);
        shown();
    });
    measure("names to cluster names, body placement", rounds, [&] { toBody(); toSkillNames(); },
            [&] {
                layout.setNames(LayoutNames::ClusterNames);
                shown();
            });
    measure("names to cluster names, skill/cluster set", rounds, [&] { toSkill(); toSkillNames(); },
            [&] {
                layout.setNames(LayoutNames::ClusterNames);
                shown();
            });
    measure("allocation, every skill selected", rounds, [&] { toBody(); toSkillNames(); },
            [&] {
                layout.allocate();
                shown();
            });

    // The stock status over the skill/cluster-set view with skill names (the
    // costliest: every cell's skill is looked up), a register holding one
    // item of every cluster and every slot's implant at the target.
    StockState stock;
    QStringList clusters;
    for (int i = 0; i < catalogue.count(); ++i)
        clusters.append(catalogue.at(i)->ClusterName);
    stock.stock().setClusterNames(clusters);
    for (StockEntry &entry : stock.stock().ClusterStock())
        entry.stock.add(StockItem{QStringLiteral("50"), QStringLiteral("1"), QStringLiteral("Bright")});
    for (StockEntry &entry : stock.stock().ImplantStock())
        entry.stock.add(StockItem{QStringLiteral("35"), QStringLiteral("1"), {}}, false);
    BuildSettings settings;
    settings.useStock = true;
    measure("stock status, every cell of the skill view", rounds, [&] { toSkill(); toSkillNames(); },
            [&] {
                CheckLayoutStock(QStringLiteral("35"), layout, settings, stock, catalogue);
                shown();
            });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 201;
    if (!path.isEmpty()) {
        TNanoList catalogue;
        UnknownCounter counter;
        if (!ReadCatalogue(path, counter, catalogue)) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 2;
        }
        run(argv[1], catalogue, rounds);
    }
    run("generated", generated(399), rounds);
    return 0;
}
