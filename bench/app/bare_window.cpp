// A bare Qt main window of the main window's shape: the same menus, the six
// tabs, and on the first tab the Layout page's controls (a 13-row grid of
// four columns with its headers, the two selectors, the skill drop-down and
// list, the buttons, the stock switch and its level box), at the design's
// client size, filled with nothing. The start-up benchmark starts it in turn
// with Ludra, as what any Qt program of that shape costs to start here.

#include "app/frmludra.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    const QList<QStringList> menus{
        {"&File", "&New", "New &Window", "&Open", "Recent &Projects", "&Save", "Save &As...", "Exp&ort",
         "Print S&ettings", "Print Pre&view", "&Print Report", "E&xit"},
        {"&Edit", "&Undo", "&Redo", "&Copy Plan", "&Paste Plan"},
        {"&Tools", "&Auto Allocate Rules", "Stoc&k Control", "&Graphs", "Compare &Plans...", "&Options"},
        {"&Help", "&Ludra Help", "&About"},
    };
    for (const QStringList &items : menus) {
        QMenu *menu = window.menuBar()->addMenu(items.first());
        for (const QString &item : items.mid(1))
            menu->addAction(item);
    }

    auto *layoutPage = new QWidget;
    auto *grid = new QTableView;
    auto *cells = new QStandardItemModel(13, 3, grid);
    cells->setHorizontalHeaderLabels({"Shining", "Bright", "Faded"});
    cells->setVerticalHeaderLabels({"HEAD", "CHEST", "EAR", "EYE", "LEFT ARM", "RIGHT ARM", "LEFT WRIST",
                                    "RIGHT WRIST", "LEG", "LEFT HAND", "RIGHT HAND", "WAIST", "FEET"});
    grid->setModel(cells);
    auto *side = new QVBoxLayout;
    auto *view = new QComboBox;
    view->addItems({"View by Body Placement", "View by Skill/Cluster Set"});
    auto *names = new QComboBox;
    names->addItems({"Show Skill Names", "Show Cluster Names"});
    side->addWidget(view);
    side->addWidget(names);
    side->addWidget(new QLabel(QStringLiteral(" Avaliable Skills")));
    side->addWidget(new QComboBox);
    side->addWidget(new QPushButton(QStringLiteral("&Add")));
    side->addWidget(new QToolButton);
    side->addWidget(new QLabel(QStringLiteral(" Selected Important Skills")));
    side->addWidget(new QListWidget, 1);
    side->addWidget(new QPushButton(QStringLiteral("&Remove")));
    side->addWidget(new QCheckBox(QStringLiteral("Activate Stock Control")));
    side->addWidget(new QSpinBox);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QPushButton(QStringLiteral("Key")));
    bottom->addWidget(new QLabel, 1);
    bottom->addWidget(new QPushButton(QStringLiteral("Auto Allocate Nanos")));
    auto *left = new QVBoxLayout;
    left->addWidget(grid, 1);
    left->addLayout(bottom);
    auto *page = new QHBoxLayout(layoutPage);
    page->addLayout(left, 1);
    page->addLayout(side);

    auto *tabs = new QTabWidget;
    tabs->addTab(layoutPage, QStringLiteral("Layout"));
    for (const char *name : {"Build", "Result - Skill Increases", "Result - Requirements", "Result - Suggestions",
                             "Result - Ladder"})
        tabs->addTab(new QWidget, QString::fromLatin1(name));
    tabs->setMinimumSize(ludra::TfrmLudra::ClientWidth, ludra::TfrmLudra::ClientHeight);
    window.setCentralWidget(tabs);
    window.show();
    return app.exec();
}
