// Times a full build: every slot and every cluster type of the layout filled,
// the shipped catalogue, recipes and requirements, all six attributes ticked,
// quality level 200. First the computation alone (the tables emptied, the
// cell loop, the suggestions), then the ladder of that plan for a character
// (goal: under 5 ms), the series of both graphs of that plan (goal: under
// 20 ms), the symbiants all thirteen slots could hold for that character
// (goal: under 50 ms), then the whole "&Build >>" click in the main window, the repaint of
// the results included, and the Graphs window: made and
// shown with both charts painted (goal: under 150 ms), shown again from its
// menu item, and redrawn after a cell edit.
//
//   build_bench RESOURCES_DIR [ROUNDS]
//
// Prints the median and the fastest of ROUNDS runs (default 201), in
// microseconds.

#include "support/benchsupport.h"
#include "support/fullplan.h"
#include "app/frmludra.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "build/buildrunner.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/frmgraphs.h"
#include "build/series.h"
#include "build/ladder.h"
#include "build/symbiantfinder.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "data/referencedata.h"
#include "layout/layoutpage.h"
#include "layout/layoutstate.h"
#include "stock/stocksourcing.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace ludra;

namespace {

void settingsForBench(BuildSettings &settings)
{
    settings.implantQL = EnteredNumber(QStringLiteral("200"));
    settings.attributes.fill(true);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UseBuiltInGraphsWindow();
    if (argc < 2) {
        std::fprintf(stderr, "usage: build_bench RESOURCES_DIR [ROUNDS]\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 201;

    // The reference files in a folder of their own, where the skill increase
    // file can be written.
    QTemporaryDir dir;
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv", "symbiants.csv"}) {
        if (!QFile::copy(resources.filePath(QLatin1String(name)), QDir(dir.path()).filePath(QLatin1String(name)))) {
            std::fprintf(stderr, "cannot copy %s from %s\n", name, argv[1]);
            return 2;
        }
    }
    SetBaseDir(dir.path());

    {
        LudraProgram program;
        SilentPrompter prompter;
        program.start(prompter);
        PlanDocument model(program);
        const ReferenceData &reference = model.reference();
        LayoutState &layout = model.layout();
        layout.setNames(LayoutNames::ClusterNames);
        const int cells = fillEveryCell(layout, reference);
        BuildSettings settings = model.buildSettings();
        settingsForBench(settings);
        const BuildResults &results = model.results();
        BuildRunner runner(reference, layout, settings, model.results(), model.stock(), prompter);
        std::printf("== %d catalogue records, %d recipes, %d layout cells filled\n", reference.nanoList().count(),
                    reference.secSkills().count(), cells);
        measure("computation alone", rounds, [] {}, [&] { runner.compute(); });
        std::printf("   %d requirement rows, %d skill rows, %d suggestion rows\n",
                    results.reqTable().rowCount() - 1, results.skillIncTable().rowCount() - 1,
                    results.suggestTable().rowCount() - 1);

        // The ladder of the same plan, every slot held, for a character part
        // of the way up.
        Character character;
        character.stats.fill(300);
        character.setStat(Stat::Treatment, 600);
        const QList<PlannedImplant> plan = PlannedImplants(layout.plan(), layout.catalogueNames());
        Ladder ladder;
        measure("ladder of the plan", rounds, [] {},
                [&] { ladder = PlanLadder(plan, character, TopQualityLevel, reference); });
        std::printf("   %d implants, %d steps, %d that cannot be worn\n", int(plan.size()),
                    int(ladder.steps.size()), int(ladder.unwearable.size()));

        // The numbers behind both graphs, with the character's lines and
        // limits, the layout read as the window shows it (skill names: from
        // a copy switched to cluster names).
        settings.character = character;
        layout.setNames(LayoutNames::SkillNames);
        PlanSeries series;
        measure("series of both graphs", rounds, [] {}, [&] { series = ComputeSeries(layout, settings, reference); });
        std::printf("   %d skill lines, %d character lines, %d wear limits\n", int(series.skills.size()),
                    int(series.character.size()), int(series.limits.size()));

        // The symbiants of all thirteen slots for that character (a level
        // and a profession too) at "Highest I Can Wear", the skills the
        // plan raises selected: fourteen ladders and the ranking.
        const SymbiantTable *symbiants = reference.symbiants();
        if (!symbiants) {
            std::fprintf(stderr, "cannot read symbiants.csv from %s\n", argv[1]);
            return 2;
        }
        for (const SkillEntry &entry : reference.skillEntries())
            if (entry.name == QLatin1String("Burst") || entry.name == QLatin1String("Treatment") ||
                entry.name == QLatin1String("Computer Literacy") || entry.name == QLatin1String("Agility") ||
                entry.name == QLatin1String("Max Health"))
                layout.skills().selectByName(entry.name);
        settings.character.level = 200;
        settings.character.profession = int(ProfessionNames().indexOf(QStringLiteral("Doctor")));
        settings.target = BuildSettings::Target::Highest;
        SymbiantFinding finding;
        measure("symbiant finder, all slots", rounds, [] {},
                [&] { finding = FindSymbiants(layout, settings, reference, *symbiants); });
        int kept = 0;
        for (const QList<SymbiantChoice> &choices : finding.bySlot)
            kept += int(choices.size());
        std::printf("   %d of %d symbiants wearable, %d skills selected\n", kept, int(symbiants->all().size()),
                    int(finding.skills.size()));
    }

    {
        SilentPrompter prompter;
        TfrmLudra window(prompter);
        window.makeEveryPage();
        PlanDocument &model = window.document();
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("pgcMain"));
        auto *build = window.findChild<QPushButton *>(QStringLiteral("btnBuild"));
        if (!tabs || !build) {
            std::fprintf(stderr, "the main window has no pages or no build button\n");
            return 2;
        }
        model.layout().setNames(LayoutNames::ClusterNames);
        fillEveryCell(model.layout(), model.reference());
        model.layout().setNames(LayoutNames::SkillNames);
        BuildSettings settings = model.buildSettings();
        settingsForBench(settings);
        model.setSettings(settings);
        window.show();
        QCoreApplication::processEvents();
        measure("the whole click, results painted", rounds,
                [&] {
                    tabs->setCurrentIndex(1);
                    QCoreApplication::processEvents();
                },
                [&] {
                    build->click();
                    QCoreApplication::processEvents();
                });
        std::printf("   page after the build: %s\n", qPrintable(tabs->tabText(tabs->currentIndex())));

        // The Graphs window over the same plan, with a character.
        settings.character.stats.fill(300);
        settings.character.setStat(Stat::Treatment, 600);
        model.setSettings(settings);
        const int graphRounds = std::max(1, rounds / 4);
        measure("Graphs window made and shown, painted", graphRounds, [] {}, [&] {
            TfrmGraphs graphs(prompter, &window);
            graphs.setDocument(&model);
            graphs.show();
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        });
        auto *item = window.findChild<QAction *>(QStringLiteral("Graphs1"));
        if (item)
            item->trigger();
        QCoreApplication::processEvents();
        auto *shown = window.findChild<TfrmGraphs *>(QStringLiteral("frmGraphs"));
        if (!item || !shown) {
            std::fprintf(stderr, "the main window has no Graphs window\n");
            return 2;
        }
        measure("Graphs window shown again from its item", graphRounds,
                [&] {
                    shown->close();
                    // A change while it is hidden: it draws on showing.
                    shown->planChanged();
                    QCoreApplication::processEvents();
                },
                [&] {
                    item->trigger();
                    QCoreApplication::processEvents();
                });
        auto *page = window.findChild<LayoutPage *>(QStringLiteral("tabReport"));
        const QString cell = model.layout().table().cell(1, 1);
        int edits = 0;
        measure("cell edit with the Graphs window open", graphRounds, [] {}, [&] {
            page->grdReportCellValidate(1, 1, ++edits % 2 ? QString() : cell);
            QCoreApplication::processEvents();
        });
    }
    return 0;
}
