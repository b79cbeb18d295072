// The projects and the stock file of tests/fixtures/plans, made by an earlier
// version of the program: opened and saved again they are the same bytes, and
// the grids each shows through a fixed run of view and names switches are the
// grids that version showed.

#include "model/plandocument.h"
#include "model/program.h"
#include "common/paths.h"
#include "stock/stockfile.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ludra;

namespace {

QString fixturesDir()
{
    return sourceDir() + QStringLiteral("/tests/fixtures/plans");
}

// The grid as the fixtures' ".switches" files write it: the view, the names
// and the row count, then a line per row, the cells apart by "|", each with
// its duplicate mark and the marker it shows.
QString gridText(const LayoutState &layout)
{
    const TextTable &table = layout.table();
    QString text = QStringLiteral("view %1 names %2 rows %3\n")
                       .arg(int(layout.currentView()))
                       .arg(int(layout.names()))
                       .arg(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < table.columnCount(); ++c) {
            QString cell = table.cell(c, r);
            if (c > 0 && r > 0 && layout.isDuplicate(c, r))
                cell += QStringLiteral("{dup}");
            if (const int marker = int(layout.shownMarker(c, r)); marker != -1)
                cell += QStringLiteral("{m%1}").arg(marker);
            fields.append(cell);
        }
        text += fields.join(u'|') + u'\n';
    }
    return text;
}

} // namespace

class TstFixtures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void projectsSaveAsTheyWereRead_data();
    void projectsSaveAsTheyWereRead();
    void switchesShowTheGridsOfBefore_data();
    void switchesShowTheGridsOfBefore();
    void stockFileSavesAsItWasRead();

private:
    void projects();

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<LudraProgram> m_program;
    std::unique_ptr<PlanDocument> m_model;
};

void TstFixtures::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/resources/") + QLatin1String(name),
                            m_dir->filePath(QLatin1String(name))));
    SetBaseDir(m_dir->path());
    m_program = std::make_unique<LudraProgram>();
    QVERIFY(m_program->start(m_prompter, StartOptions{.readStock = false}).missingFiles.isEmpty());
    m_model = std::make_unique<PlanDocument>(*m_program);
}

void TstFixtures::cleanup()
{
    m_model.reset();
    m_program.reset();
    SetBaseDir(QString());
    m_dir.reset();
}

void TstFixtures::projects()
{
    QTest::addColumn<QString>("project");
    const QDir fixtures(fixturesDir());
    for (const QString &project : fixtures.entryList({QStringLiteral("*.lud")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(project)) << fixtures.filePath(project);
}

void TstFixtures::projectsSaveAsTheyWereRead_data()
{
    projects();
}

void TstFixtures::projectsSaveAsTheyWereRead()
{
    QFETCH(QString, project);
    const ProjectShown shown = m_model->open(project);
    const QString saved = m_dir->filePath(QStringLiteral("saved.lud"));
    m_model->save(saved, shown);
    QVERIFY(readFile(saved) == readFile(project));
}

void TstFixtures::switchesShowTheGridsOfBefore_data()
{
    projects();
}

void TstFixtures::switchesShowTheGridsOfBefore()
{
    QFETCH(QString, project);
    m_model->open(project);
    LayoutState &layout = m_model->layout();
    // A switch of the view (true) or the names, to the index given.
    const QList<std::pair<bool, int>> steps{{true, 1},  {false, 1}, {true, 0},  {false, 0}, {false, 1},
                                            {true, 1},  {false, 0}, {true, 0},  {false, 1}, {false, 0}};
    QString text = gridText(layout);
    for (const auto &[view, index] : steps) {
        if (view)
            layout.setView(LayoutView(index));
        else
            layout.setNames(LayoutNames(index));
        text += QStringLiteral("-- %1 %2\n").arg(view ? QStringLiteral("view") : QStringLiteral("names")).arg(index) +
                gridText(layout);
    }
    const QStringList expected = QString::fromUtf8(readFile(project.chopped(4) + QStringLiteral(".switches"))).split(u'\n');
    const QStringList shown = text.split(u'\n');
    for (qsizetype line = 0; line < std::min(expected.size(), shown.size()); ++line)
        QVERIFY2(shown.at(line) == expected.at(line),
                 qPrintable(QStringLiteral("line %1: \"%2\", expected \"%3\"")
                                .arg(line + 1)
                                .arg(shown.at(line), expected.at(line))));
    QCOMPARE(shown.size(), expected.size());
}

void TstFixtures::stockFileSavesAsItWasRead()
{
    const QString stock = m_dir->filePath(QStringLiteral("default.stk"));
    QVERIFY(QFile::copy(fixturesDir() + QStringLiteral("/default.stk"), stock));
    QFile::setPermissions(stock, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(m_program->reloadStock(m_prompter));
    QVERIFY(m_program->stock().stock().itemCount() > 0);
    const QString saved = m_dir->filePath(QStringLiteral("saved.stk"));
    m_program->stock().save(saved);
    QVERIFY(readFile(saved) == readFile(fixturesDir() + QStringLiteral("/default.stk")));
}

QTEST_GUILESS_MAIN(TstFixtures)
#include "tst_fixtures.moc"
