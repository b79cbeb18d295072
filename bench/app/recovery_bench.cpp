// Times the recovery copy: writing the copy of the full shipped plan with a
// build's results (goal: under 5 ms, since it runs on the window's thread a
// few seconds after a change), and 1,000 hand edits of layout cells with the
// copy's timer following them and without (goal: no slower, beyond the
// noise), on the shipped catalogue, offscreen.
//
//   recovery_bench RESOURCES_DIR [ROUNDS]

#include "support/benchsupport.h"
#include "app/frmludra.h"
#include "common/paths.h"
#include "layout/layoutpage.h"
#include "model/documentcontroller.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "model/recovery.h"
#include "support/fullplan.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace ludra;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: recovery_bench RESOURCES_DIR [ROUNDS]\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 101;
    QTemporaryDir dir;
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QFile::copy(resources.filePath(QLatin1String(name)), QDir(dir.path()).filePath(QLatin1String(name)));
    SetBaseDir(dir.path());

    SilentPrompter prompter;
    TfrmLudra window(prompter);
    window.makeEveryPage();
    window.show();
    QCoreApplication::processEvents();
    PlanDocument &document = window.document();
    DocumentController &controller = window.controller();

    // The full plan, built at one level with every attribute important, so
    // the copy holds every result table too.
    document.editPlan(QStringLiteral("Fill"), [&document](LayoutState &layout) {
        fillEveryCell(layout, document.program().reference());
    });
    BuildSettings settings = document.buildSettings();
    settings.implantQL = EnteredNumber(QStringLiteral("200"));
    settings.attributes.fill(true);
    document.setSettings(settings);
    if (auto *build = window.findChild<QPushButton *>(QStringLiteral("btnBuild")))
        build->click();
    QCoreApplication::processEvents();
    if (!document.isModified()) {
        std::fprintf(stderr, "the plan has nothing unsaved, so no copy is written\n");
        return 2;
    }
    // What the window's thread does; the file is written on the copy's own
    // thread, timed after.
    RecoveryCopy &copy = controller.recoveryCopy();
    measure("recovery copy of the full plan, built", rounds,
            [&] { copy.waitForWrites(); }, [&] { controller.writeRecoveryCopy(); });
    copy.waitForWrites();
    ProjectImage image;
    measure("  of which the plan's image", rounds, [] {}, [&] { image = document.projectImage({}); });
    measure("the copy's file stored whole, on its thread", rounds, [] {},
            [&] { WriteProjectFile(controller.recoveryCopy().path(), image, ProjectCompression::Stored); });
    std::printf("   copy: %lld bytes, %s\n", QFileInfo(controller.recoveryCopy().path()).size(),
                controller.recoveryCopy().exists() ? "written" : "NOT WRITTEN");

    // Each edit puts a cluster of the cell's pick list into one of the
    // thirteen slots' Shining cells, in turn (as undo_bench does).
    auto *page = window.findChild<LayoutPage *>(QStringLiteral("tabReport"));
    LayoutState &layout = document.layout();
    std::vector<std::pair<int, QString>> edits;
    for (int i = 0; i < 1000; ++i) {
        const int row = 1 + i % 13;
        const QStringList choices = layout.pickList(1, row);
        if (choices.size() > 1)
            edits.emplace_back(row, choices.at(1 + (i / 13) % (choices.size() - 1)));
    }
    const auto editAll = [&] {
        for (const auto &[row, text] : edits)
            page->grdReportCellValidate(1, row, text);
    };
    measure("1,000 cell edits, copy timer following", rounds, [&] { window.undoStack().clear(); }, editAll);
    // Without: the controller no longer hears the document's changes.
    QObject::disconnect(&document, nullptr, &controller, nullptr);
    measure("1,000 cell edits, no copy timer", rounds, [&] { window.undoStack().clear(); }, editAll);
    return 0;
}
