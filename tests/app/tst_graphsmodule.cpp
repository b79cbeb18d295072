// The Graphs window as the program shows it: loaded from its module the
// first time it is asked for, following the plan of the window's document,
// and none of the chart libraries loaded before that.

#include "app/frmludra.h"
#include "build/graphswindow.h"
#include "model/plandocument.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace ludra;

namespace {

// Whether the process has a library of that name loaded.
bool loaded(const QByteArray &name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

} // namespace

class TstGraphsModule : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void windowComesFromTheModule();
};

void TstGraphsModule::windowComesFromTheModule()
{
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Empty,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\n");
    QVERIFY(showWindow());
    QVERIFY(!loaded("libQt6Charts"));
    m_window->document().editPlan(QStringLiteral("plan"), [](LayoutState &layout) {
        layout.skills().selectNamed(QStringLiteral("Agility"));
        layout.allocate();
    });
    find<QAction>("Graphs1")->trigger();
    QVERIFY(m_prompter.asked.isEmpty());
    auto *graphs = m_window->findChild<GraphsWindow *>(QStringLiteral("frmGraphs"));
    QVERIFY(graphs);
    QVERIFY(graphs->isVisible());
    QVERIFY(loaded("ludra-graphs"));
    QVERIFY(loaded("libQt6Charts"));
    // It draws the plan: its skill list holds the plan's one skill.
    QCOMPARE(graphs->findChild<QObject *>(QStringLiteral("lbSkills"))->property("count").toInt(), 1);
    stopFolder();
}

QTEST_MAIN(TstGraphsModule)
#include "tst_graphsmodule.moc"
