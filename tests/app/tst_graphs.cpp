// The Graphs window on the real main window, offscreen: it opens beside the
// main window from "&Graphs", its two charts carry the lines of the plan and
// follow every change of the plan, the character and the build settings;
// the skill list, trickle-down on the bonus lines, the pointer's values, the
// palette, saving as PNG and SVG, and printing on one page.

#include "app/frmludra.h"
#include "build/buildsettings.h"
#include "model/plandocument.h"
#include "build/buildformulas.h"
#include "build/frmgraphs.h"
#include "build/buildresults.h"
#include "build/ladder.h"
#include "common/paths.h"
#include "layout/layoutpage.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"
#include "views/numberbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <QXmlStreamReader>

#include <memory>

using namespace ludra;

namespace {

QStringList seriesNames(const QChartView *view)
{
    QStringList names;
    for (const QAbstractSeries *series : view->chart()->series())
        names.append(series->name());
    return names;
}

const QXYSeries *seriesNamed(const QChartView *view, const QString &name)
{
    for (QAbstractSeries *series : view->chart()->series())
        if (series->name() == name)
            return qobject_cast<QXYSeries *>(series);
    return nullptr;
}

// The y of a line at a level; -1 when the line or the level is not there.
double valueAt(const QChartView *view, const QString &name, int level)
{
    const QXYSeries *series = seriesNamed(view, name);
    if (!series)
        return -1;
    for (const QPointF &point : series->points())
        if (point.x() == level)
            return point.y();
    return -1;
}

// A pen's dash: its style, and a custom one's pattern and offset.
QString dashOf(const QPen &pen)
{
    QStringList dash{QString::number(int(pen.style()))};
    if (pen.style() == Qt::CustomDashLine) {
        for (qreal length : pen.dashPattern())
            dash.append(QString::number(length));
        dash.append(QStringLiteral("from %1").arg(pen.dashOffset()));
    }
    return dash.join(u' ');
}

// Each line's colour and dash, and each mark's colour and shape, by name
// (the target lines share theirs).
QMap<QString, QString> looksOf(const QChartView *view)
{
    QMap<QString, QString> looks;
    for (QAbstractSeries *series : view->chart()->series()) {
        if (const auto *marks = qobject_cast<QScatterSeries *>(series))
            looks.insert(series->name(),
                         marks->color().name() + QStringLiteral(" mark %1").arg(int(marks->markerShape())));
        else if (const auto *line = qobject_cast<QLineSeries *>(series))
            looks.insert(series->name(),
                         line->pen().color().name() + QStringLiteral(" line ") + dashOf(line->pen()));
    }
    return looks;
}

QString pdfText(const QString &pdf, const char *tool = "pdftotext")
{
    QProcess process;
    process.start(QLatin1String(tool), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TstGraphs : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensBesideTheMainWindow();
    void followsThePlanAndTheSettings();
    void marksOwnStatsAndLadder();
    void everyLineHasItsOwnLook_data();
    void everyLineHasItsOwnLook();
    void waitsWhileHidden();
    void buildDoesNotRedraw();
    void skillList();
    void trickleDownOnTheBonuses();
    void trickleDownFollowsTheCharacter();
    void pointerShowsTheValues();
    void followsThePalette();
    void planThatCannotBeRead();
    void saveImage_data();
    void saveImage();
    void saveIntoMissingFolder();
    void printsOnOnePage();

private:
    TfrmGraphs *openGraphs();
    // A plan whose Intelligence trickles into its Nano Programming, with the
    // window open; its "Include trickle-down".
    QCheckBox *openWithTrickle();
    // A hand edit of a layout cell, as the grid's editor hands it over.
    void edit(int column, int row, const QString &text);
    // Treatment at 479, every ability at 2000, from the character dialog.
    void enterCharacter();
    // Every cell of the layout holds the first skill that fits it.
    void fillEveryCell();
    int slotRow(const char *slot) const
    {
        return int(m_window->document().reference().bodySlots().indexOf(QLatin1String(slot))) + 1;
    }
    QChartView *view(const char *name) const { return m_graphs->findChild<QChartView *>(QLatin1String(name)); }

    TfrmGraphs *m_graphs = nullptr;
};

void TstGraphs::init()
{
    // The Graphs window built in, in place of the program's module.
    UseBuiltInGraphsWindow();
    QVERIFY(startFolder());
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QVERIFY(QFile::copy(sourceDir() + "/resources/" + name, m_dir->filePath(name)));
    QVERIFY(showWindow());
    m_graphs = nullptr;
}

void TstGraphs::cleanup()
{
    stopFolder();
}

TfrmGraphs *TstGraphs::openGraphs()
{
    m_window->findChild<QAction *>(QStringLiteral("Graphs1"))->trigger();
    m_graphs = m_window->findChild<TfrmGraphs *>(QStringLiteral("frmGraphs"));
    if (m_graphs && !QTest::qWaitForWindowExposed(m_graphs))
        return nullptr;
    return m_graphs;
}

void TstGraphs::edit(int column, int row, const QString &text)
{
    m_window->findChild<LayoutPage *>(QStringLiteral("tabReport"))->grdReportCellValidate(column, row, text);
}

void TstGraphs::opensBesideTheMainWindow()
{
    QAction *graphs = m_window->findChild<QAction *>(QStringLiteral("Graphs1"));
    QVERIFY(graphs->isEnabled());
    QVERIFY(openGraphs());
    QVERIFY(m_graphs->isVisible());
    QVERIFY(!m_graphs->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_graphs->windowTitle(), QStringLiteral("Graphs"));
    QVERIFY(m_prompter.dialogsRun.isEmpty());
    auto *tabs = m_graphs->findChild<QTabWidget *>(QStringLiteral("pgcGraphs"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Requirements by Quality Level"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Bonuses by Quality Level"));
    // An empty plan still needs what every implant needs; the target is the
    // Build tab's one level, 1.
    QCOMPARE(seriesNames(view("chtRequirements")),
             (QStringList{"Treatment", "Secondary Skill", "Highest Nano Programming", "Target Quality Level"}));
    QCOMPARE(seriesNames(view("chtBonuses")), (QStringList{"Quality level 200/201", "Target Quality Level"}));
    QCOMPARE(view("chtRequirements")->chart()->title(), tabs->tabText(0));
    QCOMPARE(valueAt(view("chtRequirements"), "Treatment", 201), 1001.0);
    QCOMPARE(seriesNamed(view("chtRequirements"), "Treatment")->points().size(), 300);

    // The main window goes on taking commands while it is open, and the
    // item shows the same window again.
    edit(1, 1, QStringLiteral("Nano Programming"));
    QCOMPARE(m_window->document().layout().table().cell(1, 1), QStringLiteral("Nano Programming"));
    m_graphs->close();
    graphs->trigger();
    QCOMPARE(m_window->findChildren<TfrmGraphs *>().size(), 1);
    QVERIFY(m_graphs->isVisible());
}

void TstGraphs::followsThePlanAndTheSettings()
{
    QVERIFY(openGraphs());
    // HEAD Shining: a Nano Programming cluster, whose recipe needs Agility.
    edit(1, 1, QStringLiteral("Nano Programming"));
    QCOMPARE(seriesNames(view("chtBonuses")).first(), QStringLiteral("Nano Programming"));
    const ReferenceData &reference = m_window->document().reference();
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300),
             double(SkillIncrease(reference.nanoList(), reference.skillReq(), "Nano Progra", "Shining", 300)));
    QVERIFY(valueAt(view("chtRequirements"), "Highest Nano Programming", 300) > 0);
    // Emptied again, the line goes.
    edit(1, 1, QString());
    QVERIFY(!seriesNames(view("chtBonuses")).contains("Nano Programming"));
    QCOMPARE(valueAt(view("chtRequirements"), "Highest Nano Programming", 300), 0.0);
    edit(1, 1, QStringLiteral("Nano Programming"));

    // The target level of the Build tab.
    m_window->findChild<NumberBox *>(QStringLiteral("edtImplantQL"))->setText(QStringLiteral("150"));
    const QXYSeries *target = seriesNamed(view("chtRequirements"), "Target Quality Level");
    QVERIFY(target);
    QCOMPARE(target->points().first().x(), 150.0);
    QCOMPARE(seriesNamed(view("chtBonuses"), "Target Quality Level")->points().first().x(), 150.0);

    // The character: its Treatment and the ability the implant needs, and
    // the last level it can wear the implant at (Treatment 900: 189).
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Ok, [](QObject &dialog) {
        dialog.findChild<NumberBox *>("edtTreatment")->setText("900");
        dialog.findChild<NumberBox *>("edtAgility")->setText("2000");
    }}};
    m_window->findChild<QPushButton *>(QStringLiteral("btnCharacter"))->click();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmCharacter"});
    const QStringList names = seriesNames(view("chtRequirements"));
    QVERIFY2(names.contains("Character's Treatment"), qPrintable(names.join(", ")));
    QVERIFY(names.contains("Character's Agility"));
    QVERIFY2(names.contains("Last wearable on your own stats at QL 189: HEAD"), qPrintable(names.join(", ")));
    QCOMPARE(valueAt(view("chtRequirements"), "Character's Treatment", 1), 900.0);

    // The nano-programming warning of the Build tab draws its maximum.
    m_window->findChild<QCheckBox *>(QStringLiteral("chkUseNanoProg"))->click();
    m_window->findChild<NumberBox *>(QStringLiteral("edtMaxNanoProg"))->setText(QStringLiteral("640"));
    QCOMPARE(valueAt(view("chtRequirements"), "Nano Programming maximum", 300), 640.0);
}

void TstGraphs::enterCharacter()
{
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Ok, [](QObject &dialog) {
        dialog.findChild<NumberBox *>("edtTreatment")->setText("479");
        for (const char *name : {"edtStrength", "edtAgility", "edtStamina", "edtIntelligence", "edtPsychic", "edtSense"})
            dialog.findChild<NumberBox *>(name)->setText("2000");
    }}};
    m_window->findChild<QPushButton *>(QStringLiteral("btnCharacter"))->click();
}

// With "Highest I Can Wear" the chart marks, each named, how far the
// character wears each implant on its own stats and how far the ladder the
// build follows takes it: Treatment 479 wears all three to 100, and HEAD's
// Treatment bonus takes CHEST and EYE to 111.
void TstGraphs::marksOwnStatsAndLadder()
{
    edit(1, slotRow("HEAD"), QStringLiteral("Treatment"));
    edit(1, slotRow("EYE"), QStringLiteral("Aimed Shot"));
    edit(1, slotRow("CHEST"), QStringLiteral("Body Development"));
    QVERIFY(openGraphs());
    enterCharacter();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmCharacter"});
    QVERIFY(seriesNames(view("chtRequirements")).contains("Last wearable on your own stats at QL 100: HEAD, CHEST, EYE"));

    m_window->findChild<QRadioButton *>(QStringLiteral("rdoHighestQL"))->click();
    const QStringList names = seriesNames(view("chtRequirements"));
    const QString both = QStringLiteral("Last wearable on your own stats and by the ladder at QL 100: HEAD");
    const QString own = QStringLiteral("Last wearable on your own stats at QL 100: CHEST, EYE");
    const QString ladder = QStringLiteral("Ladder reaches QL 111: CHEST, EYE");
    for (const QString &name : {both, own, ladder})
        QVERIFY2(names.contains(name), qPrintable(names.join(", ")));
    // Each on the treatment requirement at its level.
    QCOMPARE(seriesNamed(view("chtRequirements"), own)->points(),
             QList<QPointF>{QPointF(100, valueAt(view("chtRequirements"), "Treatment", 100))});
    QCOMPARE(seriesNamed(view("chtRequirements"), ladder)->points(),
             QList<QPointF>{QPointF(111, valueAt(view("chtRequirements"), "Treatment", 111))});

    // The build climbs the same ladder.
    m_window->findChild<QPushButton *>(QStringLiteral("btnBuild"))->click();
    const std::optional<Ladder> &built = m_window->document().results().ladder();
    QVERIFY(built);
    QCOMPARE(built->finalLevel(QStringLiteral("EYE")), 111);
    QCOMPARE(built->finalLevel(QStringLiteral("HEAD")), 100);
}

void TstGraphs::fillEveryCell()
{
    PlanDocument &model = m_window->document();
    const QStringList &bodySlots = model.reference().bodySlots();
    for (int row = 1; row <= int(bodySlots.size()); ++row)
        for (int column = 1; column <= 3; ++column)
            model.layout().editCell(
                column, row,
                FillBodyPickList(model.reference().nanoList(), bodySlots.at(row - 1), column, LayoutNames::SkillNames)
                    .value(1));
}

void TstGraphs::everyLineHasItsOwnLook_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

// Every cell filled and every skill ticked, more lines than colours, with
// the character's abilities all at one value and skills whose bonuses are
// the same at every level: still no two lines of a chart look alike.
void TstGraphs::everyLineHasItsOwnLook()
{
    QFETCH(bool, dark);
    fillEveryCell();
    QVERIFY(openGraphs());
    enterCharacter();
    m_window->findChild<QRadioButton *>(QStringLiteral("rdoHighestQL"))->click();
    m_window->findChild<QCheckBox *>(QStringLiteral("chkUseNanoProg"))->click();
    m_window->findChild<NumberBox *>(QStringLiteral("edtMaxNanoProg"))->setText(QStringLiteral("640"));
    auto *list = m_graphs->findChild<QListWidget *>(QStringLiteral("lbSkills"));
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(Qt::Checked);
    if (dark) {
        QPalette palette = m_graphs->palette();
        palette.setColor(QPalette::Base, QColor(30, 30, 30));
        palette.setColor(QPalette::Text, QColor(230, 230, 230));
        m_graphs->setPalette(palette);
    }
    for (const char *name : {"chtRequirements", "chtBonuses"}) {
        const QMap<QString, QString> looks = looksOf(view(name));
        QVERIFY(looks.size() > 12);
        QMap<QString, QString> named;
        for (auto it = looks.begin(); it != looks.end(); ++it) {
            QVERIFY2(!named.contains(*it), qPrintable(it.key() + " looks like " + named.value(*it)));
            named.insert(*it, it.key());
        }
        // Lines drawn one over the other are dashed apart, so the one
        // beneath shows through.
        QList<const QLineSeries *> lines;
        for (QAbstractSeries *series : view(name)->chart()->series())
            if (auto *line = qobject_cast<QLineSeries *>(series); line && line->name() != "Target Quality Level")
                lines.append(line);
        int over = 0;
        for (qsizetype i = 0; i < lines.size(); ++i)
            for (qsizetype j = 0; j < i; ++j)
                if (lines.at(i)->points() == lines.at(j)->points()) {
                    ++over;
                    QVERIFY2(dashOf(lines.at(i)->pen()) != dashOf(lines.at(j)->pen()),
                             qPrintable(lines.at(i)->name() + " hides " + lines.at(j)->name()));
                }
        QVERIFY(over > 0);
    }
}

// A hidden window draws nothing; shown again, it draws the plan as it is.
void TstGraphs::waitsWhileHidden()
{
    QVERIFY(openGraphs());
    m_graphs->close();
    edit(1, 1, QStringLiteral("Nano Programming"));
    QVERIFY(!seriesNames(view("chtBonuses")).contains("Nano Programming"));
    QVERIFY(openGraphs());
    QVERIFY(seriesNames(view("chtBonuses")).contains("Nano Programming"));
}

// A build reads the plan and leaves it as it is: the charts are not drawn
// again; a switch the user makes tells the window.
void TstGraphs::buildDoesNotRedraw()
{
    edit(1, 1, QStringLiteral("Nano Programming"));
    QVERIFY(openGraphs());
    LayoutPage *page = m_window->findChild<LayoutPage *>(QStringLiteral("tabReport"));
    QSignalSpy told(&m_window->document(), &PlanDocument::planChanged);
    m_window->findChild<QPushButton *>(QStringLiteral("btnBuild"))->click();
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(m_window->document().results().skillIncTable().cell(0, 1), QStringLiteral("Nano Programming"));
    QCOMPARE(told.count(), 0);
    page->findChild<QComboBox *>(QStringLiteral("cboViewStyle"))->setCurrentIndex(1);
    QCOMPARE(told.count(), 1);
    QVERIFY(seriesNames(view("chtBonuses")).contains("Nano Programming"));
}

// Every cell filled: the eight largest at level 300 are drawn until the player
// picks, and a pick stays through the next change.
void TstGraphs::skillList()
{
    fillEveryCell();
    QVERIFY(openGraphs());
    auto *list = m_graphs->findChild<QListWidget *>(QStringLiteral("lbSkills"));
    QVERIFY(list->count() > TfrmGraphs::DefaultSkillLines + 2);
    QList<double> tops;
    QStringList checked;
    for (int i = 0; i < list->count(); ++i) {
        tops.append(valueAt(view("chtBonuses"), list->item(i)->text(), 300));
        if (list->item(i)->checkState() == Qt::Checked)
            checked.append(list->item(i)->text());
    }
    QCOMPARE(checked.size(), TfrmGraphs::DefaultSkillLines);
    QCOMPARE(checked, seriesNames(view("chtBonuses")).mid(0, TfrmGraphs::DefaultSkillLines));
    // The list runs from the largest down; the ones left out are not drawn.
    for (int i = 1; i < TfrmGraphs::DefaultSkillLines; ++i)
        QVERIFY(tops.at(i - 1) >= tops.at(i));
    QCOMPARE(tops.at(TfrmGraphs::DefaultSkillLines), -1.0);

    const QString first = list->item(0)->text();
    const QString ninth = list->item(TfrmGraphs::DefaultSkillLines)->text();
    list->item(0)->setCheckState(Qt::Unchecked);
    list->item(TfrmGraphs::DefaultSkillLines)->setCheckState(Qt::Checked);
    QVERIFY(!seriesNames(view("chtBonuses")).contains(first));
    QVERIFY(seriesNames(view("chtBonuses")).contains(ninth));
    m_window->findChild<NumberBox *>(QStringLiteral("edtImplantQL"))->setText(QStringLiteral("120"));
    QVERIFY(!seriesNames(view("chtBonuses")).contains(first));
    QVERIFY(seriesNames(view("chtBonuses")).contains(ninth));
}

QCheckBox *TstGraphs::openWithTrickle()
{
    // HEAD Shining Nano Programming, which trickles from Intelligence alone,
    // and EAR Faded Intelligence: 29 at level 300.
    edit(1, 1, QStringLiteral("Nano Programming"));
    edit(3, int(m_window->document().reference().bodySlots().indexOf(QStringLiteral("EAR"))) + 1,
         QStringLiteral("Intelligence"));
    if (!openGraphs())
        return nullptr;
    return m_graphs->findChild<QCheckBox *>(QStringLiteral("chkTrickle"));
}

// "Include trickle-down" adds to each bonus line what the plan's abilities
// give it; without a character they trickle over abilities of 0.
void TstGraphs::trickleDownOnTheBonuses()
{
    QCheckBox *trickle = openWithTrickle();
    QVERIFY(trickle);
    QCOMPARE(trickle->text(), QStringLiteral("Include trickle-down"));
    QVERIFY(trickle->isEnabled());
    QVERIFY(trickle->focusPolicy() & Qt::TabFocus);
    QCOMPARE(QAccessible::queryAccessibleInterface(trickle)->text(QAccessible::Name), trickle->text());
    QVERIFY(trickle->toolTip().contains(QStringLiteral("one point off")));
    QVERIFY(!trickle->isChecked());
    const double alone = valueAt(view("chtBonuses"), "Nano Programming", 300);
    QVERIFY(alone > 0);

    // 29 / 4: 7.
    QTest::keyClick(trickle, Qt::Key_Space);
    QVERIFY(trickle->isChecked());
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300), alone + 7);
    QVERIFY(m_graphs->valuesAt(1, 300).contains(QStringLiteral("Nano Programming: %1").arg(alone + 7)));
    // The Intelligence line itself takes nothing from trickle-down.
    QCOMPARE(valueAt(view("chtBonuses"), "Intelligence", 300), 29.0);
    trickle->click();
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300), alone);
}

// With a character entered the box is ticked, and trickles over its
// abilities, until the player unticks it; that choice stays.
void TstGraphs::trickleDownFollowsTheCharacter()
{
    QCheckBox *trickle = openWithTrickle();
    QVERIFY(trickle);
    const double alone = valueAt(view("chtBonuses"), "Nano Programming", 300);
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Ok, [](QObject &dialog) {
        dialog.findChild<NumberBox *>("edtTreatment")->setText("900");
        dialog.findChild<NumberBox *>("edtIntelligence")->setText("2003");
    }}};
    m_window->findChild<QPushButton *>(QStringLiteral("btnCharacter"))->click();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmCharacter"});
    QVERIFY(trickle->isChecked());
    // (2003 + 29) / 4 = 508 against 2003 / 4 = 500: 8, one more than over 0.
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300), alone + 8);

    trickle->click();
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300), alone);
    m_window->findChild<NumberBox *>(QStringLiteral("edtImplantQL"))->setText(QStringLiteral("120"));
    QVERIFY(!trickle->isChecked());
    QCOMPARE(valueAt(view("chtBonuses"), "Nano Programming", 300), alone);
}

void TstGraphs::pointerShowsTheValues()
{
    edit(1, 1, QStringLiteral("Nano Programming"));
    QVERIFY(openGraphs());
    QChartView *chart = view("chtRequirements");
    const QPointF inChart = chart->chart()->mapToPosition(QPointF(150, 500));
    const QPoint at = chart->mapFromScene(chart->chart()->mapToScene(inChart));
    // The pointer moved over the plot with no button down (QTest's move does
    // not reach a widget on the offscreen platform).
    QMouseEvent move(QEvent::MouseMove, QPointF(at), chart->viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &move);
    QVERIFY(QToolTip::isVisible());
    const QStringList lines = QToolTip::text().split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("QL 150"));
    QVERIFY2(lines.contains("Treatment: 715"), qPrintable(QToolTip::text()));
    QVERIFY(lines.contains("Secondary Skill: 304"));
    QCOMPARE(m_graphs->valuesAt(0, 150), QToolTip::text());
    QVERIFY(m_graphs->valuesAt(1, 150).contains(QStringLiteral("Nano Programming: ")));
    // Off the plot, the tip goes; the tip's window is gone before the test
    // ends.
    QMouseEvent away(QEvent::MouseMove, QPointF(2, 2), chart->viewport()->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &away);
    QTRY_VERIFY(!QToolTip::isVisible());
    QTest::qWait(20);
}

void TstGraphs::followsThePalette()
{
    QVERIFY(openGraphs());
    const auto lightness = [this](const char *name) {
        const QChart *chart = view(name)->chart();
        const auto *axis = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).first());
        return std::pair{chart->backgroundBrush().color().lightness(), axis->labelsBrush().color().lightness()};
    };
    QVERIFY(lightness("chtRequirements").first > 128);
    QPalette dark = m_graphs->palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    m_graphs->setPalette(dark);
    for (const char *name : {"chtRequirements", "chtBonuses"}) {
        const auto [background, labels] = lightness(name);
        QVERIFY(background < 64);
        QVERIFY(labels > 192);
        QCOMPARE(view(name)->chart()->theme(), QChart::ChartThemeDark);
    }
    // Every line stands out from the dark background.
    for (const QAbstractSeries *series : view("chtRequirements")->chart()->series())
        if (const auto *line = qobject_cast<const QLineSeries *>(series))
            QVERIFY2(line->pen().color().lightness() > 90, qPrintable(series->name()));
}

// Duplicates hold the layout in the skill view: the window says so instead
// of drawing, and draws again once they are gone.
void TstGraphs::planThatCannotBeRead()
{
    QVERIFY(openGraphs());
    auto *problem = m_graphs->findChild<QLabel *>(QStringLiteral("lblProblem"));
    QVERIFY(!problem->isVisible());
    LayoutPage *page = m_window->findChild<LayoutPage *>(QStringLiteral("tabReport"));
    page->findChild<QComboBox *>(QStringLiteral("cboViewStyle"))->setCurrentIndex(1);
    const TextTable &table = m_window->document().layout().table();
    QVERIFY(table.rowCount() > 3);
    edit(1, 1, QStringLiteral("HEAD"));
    edit(1, 2, QStringLiteral("HEAD"));
    QVERIFY(problem->isVisible());
    QCOMPARE(problem->text(), QStringLiteral("Warning! You have duplicate nanos"));
    QVERIFY(view("chtRequirements")->chart()->series().isEmpty());
    QVERIFY(!m_graphs->findChild<QPushButton *>(QStringLiteral("btnSaveImage"))->isEnabled());
    edit(1, 2, QString());
    QVERIFY(!problem->isVisible());
    QVERIFY(!view("chtRequirements")->chart()->series().isEmpty());
    QVERIFY(m_graphs->findChild<QPushButton *>(QStringLiteral("btnSaveImage"))->isEnabled());
}

void TstGraphs::saveImage_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("name");
    QTest::newRow("requirements as PNG") << 0 << "requirements.png";
    QTest::newRow("bonuses as SVG") << 1 << "bonuses.svg";
}

void TstGraphs::saveImage()
{
    QFETCH(int, tab);
    QFETCH(QString, name);
    edit(1, 1, QStringLiteral("Nano Programming"));
    QVERIFY(openGraphs());
    auto *tabs = m_graphs->findChild<QTabWidget *>(QStringLiteral("pgcGraphs"));
    tabs->setCurrentIndex(tab);
    QChartView *shown = view(tab == 0 ? "chtRequirements" : "chtBonuses");
    const QString path = m_dir->filePath(name);
    m_prompter.fileNames = {path};
    m_graphs->findChild<QPushButton *>(QStringLiteral("btnSaveImage"))->click();
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().title, QStringLiteral("Save Image"));
    QCOMPARE(m_prompter.fileRequests.first().filter, QStringLiteral("PNG image (*.png)|*.png|SVG image (*.svg)|*.svg"));
    QVERIFY(m_prompter.asked.isEmpty());
    const QByteArray bytes = readFile(path);
    QVERIFY(!bytes.isEmpty());
    if (name.endsWith(QLatin1String(".png"))) {
        QImage image;
        QVERIFY(image.loadFromData(bytes, "PNG"));
        QCOMPARE(image.size() / image.devicePixelRatio(), shown->size());
    } else {
        QXmlStreamReader xml(bytes);
        QString root;
        bool hasTitle = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && root.isEmpty())
                root = xml.name().toString();
            if (xml.isCharacters() && xml.text().contains(tabs->tabText(tab)))
                hasTitle = true;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(root, QStringLiteral("svg"));
        QVERIFY(hasTitle);
        QVERIFY(QSvgRenderer(bytes).isValid());
    }
}

// A file that cannot be written is told, and nothing is left behind.
void TstGraphs::saveIntoMissingFolder()
{
    QVERIFY(openGraphs());
    const QString path = m_dir->filePath(QStringLiteral("no/such/folder/chart.png"));
    m_prompter.fileNames = {path};
    m_graphs->findChild<QPushButton *>(QStringLiteral("btnSaveImage"))->click();
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY2(m_prompter.asked.first().text.contains(QStringLiteral("Cannot create file")),
             qPrintable(m_prompter.asked.first().text));
    QVERIFY(!QFile::exists(path));
}

void TstGraphs::printsOnOnePage()
{
    edit(1, 1, QStringLiteral("Nano Programming"));
    QVERIFY(openGraphs());
    const QString pdf = m_dir->filePath(QStringLiteral("graphs.pdf"));
    m_graphs->preparePrinter = [&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    // Cancelled, nothing prints; then the dialog shown, as a user sees it,
    // and accepted.
    m_prompter.dialogs = {ScriptedPrompter::DialogScript{Prompter::Answer::Cancel, {}},
                          ScriptedPrompter::DialogScript{Prompter::Answer::Ok, [](QObject &dialog) {
                              qobject_cast<QDialog *>(&dialog)->show();
                          }}};
    m_graphs->findChild<QPushButton *>(QStringLiteral("btnPrint"))->click();
    QCOMPARE(m_prompter.dialogsRun.size(), 1);
    QVERIFY(!QFile::exists(pdf));

    m_graphs->findChild<QPushButton *>(QStringLiteral("btnPrint"))->click();
    QVERIFY(m_prompter.asked.isEmpty());
    QVERIFY(QFile::exists(pdf));
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Ludra Graph Report")), qPrintable(text));
    QVERIFY(text.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
    QVERIFY(text.contains(QStringLiteral("Requirements by Quality Level")));
    QVERIFY(text.contains(QStringLiteral("Highest Nano Programming")));
    QCOMPARE(text.count(u'\f'), 1);
    // The screen keeps its own colours.
    QVERIFY(!view("chtRequirements")->chart()->series().isEmpty());
}

QTEST_MAIN(TstGraphs)
#include "tst_graphs.moc"
