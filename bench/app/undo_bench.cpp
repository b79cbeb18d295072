// Times the plan's history: 1,000 hand edits of layout cells in the main
// window, then undoing every one of them (goal: both together under 100 ms),
// on the shipped catalogue, offscreen.
//
//   undo_bench RESOURCES_DIR [ROUNDS]

#include "support/benchsupport.h"
#include "app/frmludra.h"
#include "model/plandocument.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "layout/layoutpage.h"
#include "layout/layoutstate.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace ludra;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: undo_bench RESOURCES_DIR [ROUNDS]\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 11;
    QTemporaryDir dir;
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QFile::copy(resources.filePath(QLatin1String(name)), QDir(dir.path()).filePath(QLatin1String(name)));
    SetBaseDir(dir.path());

    SilentPrompter prompter;
    TfrmLudra window(prompter);
    window.show();
    QCoreApplication::processEvents();
    auto *page = window.findChild<LayoutPage *>(QStringLiteral("tabReport"));
    auto *undo = window.findChild<QAction *>(QStringLiteral("Undo1"));
    LayoutState &layout = window.document().layout();

    // Each edit puts a cluster of the cell's pick list into one of the
    // thirteen slots' Shining cells, in turn.
    struct Edit
    {
        int row;
        QString text;
    };
    std::vector<Edit> edits;
    for (int i = 0; i < 1000; ++i) {
        const int row = 1 + i % 13;
        const QStringList choices = layout.pickList(1, row);
        if (choices.size() > 1)
            edits.push_back({row, choices.at(1 + (i / 13) % (choices.size() - 1))});
    }
    std::printf("== %d edits of Shining cells, then as many undos\n", int(edits.size()));
    measure("1,000 cell edits", rounds, [&] { window.undoStack().clear(); },
            [&] {
                for (const Edit &edit : edits)
                    page->grdReportCellValidate(1, edit.row, edit.text);
            });
    measure("1,000 cell edits and undoing them all", rounds, [&] { window.undoStack().clear(); },
            [&] {
                for (const Edit &edit : edits)
                    page->grdReportCellValidate(1, edit.row, edit.text);
                while (window.undoStack().canUndo())
                    undo->trigger();
            });
    std::printf("   history steps after the last round: %d, index %d\n", window.undoStack().count(),
                window.undoStack().index());
    return 0;
}
