#include "build/frmgraphs.h"

#include "build/builddocument.h"

#include "common/command.h"
#include "common/errors.h"
#include "common/prompter.h"
#include "common/wholefile.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "views/widgets.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <map>
#include <tuple>

namespace ludra {

// A chart view that tells, while the pointer moves over the plot, the level
// under it and every value there.
class GraphView : public QChartView
{
public:
    GraphView(QChart *chart, QWidget *parent) : QChartView(chart, parent)
    {
        setRenderHint(QPainter::Antialiasing);
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
    }

    // The text for a level; empty shows nothing.
    std::function<QString(int level)> valuesAt;

    // The level under a point of the view; 0 outside the plot.
    int levelAt(const QPointF &position) const
    {
        const QPointF scene = mapToScene(position.toPoint());
        const QPointF inChart = chart()->mapFromScene(scene);
        if (!chart()->plotArea().contains(inChart) || chart()->axes(Qt::Horizontal).isEmpty())
            return 0;
        const int level = int(std::lround(chart()->mapToValue(inChart).x()));
        return std::clamp(level, SeriesFirstLevel, SeriesLastLevel);
    }

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const int level = levelAt(event->position());
        const QString text = level > 0 && valuesAt ? valuesAt(level) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
        QChartView::mouseMoveEvent(event);
    }
};

namespace {

// The colours a chart is drawn in, from a palette: the chart's own theme for
// a light or a dark window, its background, text and grid from the palette,
// and line colours that stand apart on either.
struct ChartColors
{
    bool dark = false;
    QColor background;
    QColor text;
    QColor grid;
    QList<QColor> lines;

    QColor line(int i) const { return lines.at(i % lines.size()); }
};

ChartColors colorsOf(const QPalette &palette)
{
    ChartColors colors;
    colors.background = palette.color(QPalette::Base);
    colors.text = palette.color(QPalette::Text);
    colors.dark = IsDarkPalette(palette);
    colors.grid = colors.dark ? colors.background.lighter(250) : colors.background.darker(125);
    // Each colour as it reads on a light background, and a lighter one of
    // the same hue for a dark one; neighbours differ in hue.
    static const char *const names[][2] = {
        {"#1f63c6", "#74a9ff"}, {"#c8322d", "#ff7a70"}, {"#2b8a3e", "#6fd67f"}, {"#d9730d", "#ffae57"},
        {"#7b3fb5", "#c29bff"}, {"#00838f", "#4fd6df"}, {"#c2185b", "#ff7eb6"}, {"#8d5a2b", "#d9a66f"},
        {"#6f7a00", "#c9d44a"}, {"#1a3a8a", "#9fb4ff"}, {"#a67c00", "#ffd24d"}, {"#0b7fb8", "#67c8ff"}};
    for (const auto &pair : names)
        colors.lines.append(QColor(QLatin1String(pair[colors.dark ? 1 : 0])));
    return colors;
}

// The dash patterns lines take turns in.
constexpr Qt::PenStyle DashCycle[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                      Qt::DashDotDotLine};
constexpr int DashCount = int(std::size(DashCycle));

// A dash pattern a number of turns on from another in DashCycle.
Qt::PenStyle dashAfter(Qt::PenStyle style, int turns)
{
    const int at = int(std::find(std::begin(DashCycle), std::end(DashCycle), style) - std::begin(DashCycle));
    return DashCycle[(at % DashCount + turns) % DashCount];
}

// Where a line lies with others over the same values at every level: the
// how-manyeth of them it is drawn, from 0, and how many they are.
struct Overlap
{
    int index = 0;
    int count = 1;
};

// Hands out the pens of one chart's lines in the order they are drawn: each
// line the next colour of the palette, in the dash pattern asked for, or the
// next one of DashCycle that no line of that colour has yet, so that no two
// lines share both colour and dash while there are enough of them. A line
// drawn over others at the same values is dashed in slots of its own, so
// that the dashes of every one of them, the first one's between, show in
// turn along the line.
class PenSequence
{
public:
    explicit PenSequence(const ChartColors &colors) : m_colors(colors) {}

    QPen next(Qt::PenStyle style, qreal width, Overlap overlap = {})
    {
        const QColor colour = nextColour();
        QPen pen(colour, width);
        if (overlap.index > 0) {
            // Dashes of Slot pen widths, one in every count slots: the
            // index-th of them.
            constexpr qreal Slot = 4;
            pen.setDashPattern({Slot, Slot * (overlap.count - 1)});
            pen.setDashOffset(Slot * (overlap.count - overlap.index));
            pen.setCapStyle(Qt::FlatCap);
            return pen;
        }
        for (int turn = 0; turn < DashCount; ++turn) {
            const std::pair<QRgb, int> key{colour.rgba(), int(dashAfter(style, turn))};
            if (!m_used.contains(key)) {
                style = dashAfter(style, turn);
                m_used.append(key);
                break;
            }
        }
        pen.setStyle(style);
        pen.setCapStyle(style == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap);
        return pen;
    }

    // The next colour alone, for a mark.
    QColor nextColour() { return m_colors.line(m_next++); }

private:
    const ChartColors &m_colors;
    int m_next = 0;
    QList<std::pair<QRgb, int>> m_used;
};

// Where each of the values lies among those equal to it.
template <typename T> QList<Overlap> overlaps(const QList<T> &values)
{
    QList<Overlap> result;
    for (qsizetype i = 0; i < values.size(); ++i)
        result.append(Overlap{int(std::count(values.begin(), values.begin() + i, values.at(i))),
                              int(std::count(values.begin(), values.end(), values.at(i)))});
    return result;
}

// Empties a chart and gives it the colours, the title and its legend.
void prepareChart(QChart &chart, const QString &title, const ChartColors &colors)
{
    chart.removeAllSeries();
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    const QChart::ChartTheme theme = colors.dark ? QChart::ChartThemeDark : QChart::ChartThemeLight;
    if (chart.theme() != theme)
        chart.setTheme(theme);
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setBackgroundBrush(colors.background);
    chart.setBackgroundPen(Qt::NoPen);
    chart.setBackgroundRoundness(0);
    chart.setPlotAreaBackgroundVisible(false);
    chart.setTitle(title);
    chart.setTitleBrush(colors.text);
    QFont titleFont = chart.titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(QFont().pointSizeF() + 2);
    chart.setTitleFont(titleFont);
    // At the right, one line per entry: a legend below gets one row, which
    // cuts every name short.
    chart.legend()->setAlignment(Qt::AlignRight);
    chart.legend()->setLabelColor(colors.text);
    // Each entry drawn as its line is, in its pen, or as its mark.
    chart.legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    QFont legendFont;
    legendFont.setPointSizeF(std::max(6.0, legendFont.pointSizeF() - 1));
    chart.legend()->setFont(legendFont);
}

QValueAxis *makeAxis(const QString &title, const ChartColors &colors)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleBrush(colors.text);
    axis->setLabelsBrush(colors.text);
    axis->setLabelsFont(QFont());
    axis->setLinePenColor(colors.text);
    axis->setGridLineColor(colors.grid);
    axis->setMinorGridLineColor(colors.grid);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

// The level axis: 1 to the top, a label every 50 levels.
QValueAxis *levelAxis(const ChartColors &colors)
{
    QValueAxis *axis = makeAxis(LangMsg(Msg::GraphLevelAxis), colors);
    axis->setRange(SeriesFirstLevel, SeriesLastLevel);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(50);
    return axis;
}

// A value axis from 0 to a round number above the highest value.
QValueAxis *valueAxis(const QString &title, qint64 highest, const ChartColors &colors)
{
    QValueAxis *axis = makeAxis(title, colors);
    axis->setRange(0, double(std::max<qint64>(highest, 10)) * 1.05);
    axis->applyNiceNumbers();
    return axis;
}

// Gives a chart its level axis at the bottom and a value axis at the left
// that reaches above the highest value.
std::pair<QValueAxis *, QValueAxis *> addAxes(QChart &chart, const QString &title, qint64 highest,
                                              const ChartColors &colors)
{
    QValueAxis *x = levelAxis(colors);
    QValueAxis *y = valueAxis(title, highest, colors);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    return {x, y};
}

void attach(QChart &chart, QXYSeries *series, QValueAxis *x, QValueAxis *y)
{
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QLineSeries *curve(const SeriesLine &line, const QPen &pen)
{
    auto *series = new QLineSeries;
    series->setName(line.name);
    QList<QPointF> points;
    points.reserve(line.values.size());
    for (int q = SeriesFirstLevel; q <= SeriesLastLevel; ++q)
        points.append(QPointF(q, double(line.at(q))));
    series->replace(points);
    series->setPen(pen);
    return series;
}

QLineSeries *straight(const QString &name, QPointF from, QPointF to, const QPen &pen)
{
    auto *series = new QLineSeries;
    series->setName(name);
    series->append(from);
    series->append(to);
    series->setPen(pen);
    return series;
}

// A line across the chart, from the first level to the last, at a value.
QLineSeries *across(const QString &name, qint64 value, const QPen &pen)
{
    return straight(name, QPointF(SeriesFirstLevel, double(value)), QPointF(SeriesLastLevel, double(value)), pen);
}

// A line up the chart at a level, from 0 to the top of the value axis.
QLineSeries *upright(const QString &name, double level, const QValueAxis &y, const QPen &pen)
{
    return straight(name, QPointF(level, 0), QPointF(level, y.max()), pen);
}

// A vertical line at each target level, named once in the legend.
void drawTargets(QChart &chart, const QList<int> &targets, const ChartColors &colors, QValueAxis *x, QValueAxis *y)
{
    QPen pen(colors.text, 1.5, Qt::DashDotLine);
    for (int i = 0; i < int(targets.size()); ++i) {
        QLineSeries *series = upright(LangMsg(Msg::GraphTargetLine), targets.at(i), *y, pen);
        attach(chart, series, x, y);
        if (i > 0)
            for (QLegendMarker *marker : chart.legend()->markers(series))
                marker->setVisible(false);
    }
}

// What a mark of the requirements chart tells of the implants it names.
enum class MarkKind
{
    // The last level the character wears them at on its own stats.
    OwnStats,
    // That level, which is also the ladder's final level.
    Both,
    // The ladder's final level.
    Ladder,
};

// The marks of the requirements chart: for each implant the last level the
// character can wear it at on its own stats, on the requirement that stops
// it, and with a ladder its final level there, on the treatment
// requirement; one mark naming both where they are one level. Implants
// marked alike at one level share a mark; each mark takes the next colour.
void drawWearMarks(QChart &chart, const PlanSeries &s, PenSequence &pens, const ChartColors &colors, QValueAxis *x,
                   QValueAxis *y)
{
    // Kind, level and the stopping stat (-1 for none) to the implants.
    std::map<std::tuple<MarkKind, int, int>, QStringList> groups;
    for (const WearLimit &limit : s.limits) {
        const int stat = limit.lastLevel > 0 && limit.lastLevel < SeriesLastLevel ? int(limit.limitedBy) : -1;
        if (limit.ladderLevel == limit.lastLevel) {
            // Wearable at every level either way: nothing stops it.
            if (limit.lastLevel < SeriesLastLevel)
                groups[{MarkKind::Both, limit.lastLevel, stat}].append(limit.slot);
            continue;
        }
        if (limit.lastLevel < SeriesLastLevel)
            groups[{MarkKind::OwnStats, limit.lastLevel, stat}].append(limit.slot);
        if (limit.ladderLevel)
            groups[{MarkKind::Ladder, *limit.ladderLevel, -1}].append(limit.slot);
    }
    static constexpr QScatterSeries::MarkerShape OwnShapes[] = {
        QScatterSeries::MarkerShapeCircle, QScatterSeries::MarkerShapeRectangle, QScatterSeries::MarkerShapeTriangle,
        QScatterSeries::MarkerShapePentagon};
    int shape = 0;
    for (const auto &[key, implantSlots] : groups) {
        const auto [kind, level, stat] = key;
        const QString implants = implantSlots.join(QStringLiteral(", "));
        auto *marks = new QScatterSeries;
        switch (kind) {
        case MarkKind::OwnStats:
            marks->setName(level > 0 ? LangMsg(Msg::GraphOwnStatsWearable).arg(level).arg(implants)
                                     : LangMsg(Msg::GraphOwnStatsNotWearable).arg(implants));
            marks->setMarkerShape(OwnShapes[shape++ % std::size(OwnShapes)]);
            break;
        case MarkKind::Both:
            marks->setName(level > 0 ? LangMsg(Msg::GraphOwnStatsAndLadder).arg(level).arg(implants)
                                     : LangMsg(Msg::GraphNotWearable).arg(implants));
            marks->setMarkerShape(QScatterSeries::MarkerShapeStar);
            break;
        case MarkKind::Ladder:
            marks->setName(level > 0 ? LangMsg(Msg::GraphLadderLevel).arg(level).arg(implants)
                                     : LangMsg(Msg::GraphLadderNotWearable).arg(implants));
            marks->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
            break;
        }
        marks->setMarkerSize(kind == MarkKind::OwnStats ? 11 : 13);
        marks->setColor(level > 0 ? pens.nextColour() : colors.text);
        marks->setBorderColor(colors.text);
        if (level > 0) {
            const bool onAbility = kind != MarkKind::Ladder && stat > int(Stat::Treatment);
            marks->append(level, double(onAbility ? s.ability.at(level) : s.treatment.at(level)));
            // The ladder's levels lie close together on their target lines;
            // their legend entries tell them.
            marks->setPointLabelsVisible(kind != MarkKind::Ladder);
            marks->setPointLabelsFormat(QStringLiteral("@xPoint"));
            marks->setPointLabelsColor(colors.text);
        }
        attach(chart, marks, x, y);
    }
}

} // namespace

TfrmGraphs::TfrmGraphs(Prompter &prompter, QWidget *parent) : GraphsWindow(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmGraphs"));
    setWindowTitle(QStringLiteral("Graphs"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);

    pgcGraphs = Named(new QTabWidget(this), QStringLiteral("pgcGraphs"), QStringLiteral("Graphs"));

    auto *tabRequirements = new QWidget;
    tabRequirements->setObjectName(QStringLiteral("tabRequirements"));
    chtRequirements = Named(new GraphView(new QChart, tabRequirements), QStringLiteral("chtRequirements"),
                            QStringLiteral("Requirements by quality level"));
    chtRequirements->valuesAt = [this](int level) { return valuesAt(0, level); };
    auto *requirementsLayout = new QVBoxLayout(tabRequirements);
    requirementsLayout->setContentsMargins(0, 0, 0, 0);
    requirementsLayout->addWidget(chtRequirements);

    auto *tabBonuses = new QWidget;
    tabBonuses->setObjectName(QStringLiteral("tabBonuses"));
    chtBonuses = Named(new GraphView(new QChart, tabBonuses), QStringLiteral("chtBonuses"),
                       QStringLiteral("Bonuses by quality level"));
    chtBonuses->valuesAt = [this](int level) { return valuesAt(1, level); };
    auto *lblSkills = MakeLabel(QStringLiteral("Skills shown"), tabBonuses);
    lblSkills->setObjectName(QStringLiteral("lblSkills"));
    lbSkills = Named(new QListWidget(tabBonuses), QStringLiteral("lbSkills"), QStringLiteral("Skills shown"));
    lbSkills->setToolTip(QStringLiteral("Tick the skills to draw; the largest at level 300 are drawn until you "
                                        "choose"));
    lblSkills->setBuddy(lbSkills);
    lbSkills->setFixedWidth(200);
    chkTrickle = Named(new QCheckBox(QStringLiteral("Include trickle-down"), tabBonuses), QStringLiteral("chkTrickle"));
    chkTrickle->setToolTip(QStringLiteral("Add to each skill what the abilities of the plan's implants at that level "
                                          "add to it through trickle-down. Without a character entered, your own "
                                          "abilities count as 0, so a figure may be one point off"));
    auto *skillsColumn = new QVBoxLayout;
    skillsColumn->addWidget(lblSkills);
    skillsColumn->addWidget(lbSkills, 1);
    skillsColumn->addWidget(chkTrickle);
    auto *bonusesLayout = new QHBoxLayout(tabBonuses);
    bonusesLayout->setContentsMargins(0, 0, 4, 0);
    bonusesLayout->addWidget(chtBonuses, 1);
    bonusesLayout->addLayout(skillsColumn);

    pgcGraphs->addTab(tabRequirements, QStringLiteral("Requirements by Quality Level"));
    pgcGraphs->addTab(tabBonuses, QStringLiteral("Bonuses by Quality Level"));

    lblProblem = MakeStateLabel(QString(), QStringLiteral("lblProblem"),
                                QStringLiteral("Why the plan cannot be drawn"), this);
    lblProblem->setWordWrap(true);
    ShowAsWarning(lblProblem);
    lblProblem->hide();

    btnSaveImage = Named(new QPushButton(QStringLiteral("Save Image..."), this), QStringLiteral("btnSaveImage"));
    btnSaveImage->setToolTip(QStringLiteral("Save the chart shown as a PNG or SVG image"));
    btnPrint = Named(new QPushButton(QStringLiteral("Print..."), this), QStringLiteral("btnPrint"));
    btnClose = Named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("btnClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSaveImage);
    buttons->addWidget(btnPrint);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);

    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(lblProblem);
    layoutBox->addWidget(pgcGraphs, 1);
    layoutBox->addLayout(buttons);
    resize(1100, 620);

    connect(btnSaveImage, &QPushButton::clicked, this, &TfrmGraphs::btnSaveImageClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmGraphs::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(lbSkills, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_fillingList)
            return;
        RunCommand(m_prompter, [this, item] {
            m_skillChoices.insert(item->text(), item->checkState() == Qt::Checked);
            drawBonuses(palette());
        });
    });
    connect(chkTrickle, &QCheckBox::toggled, this, [this](bool checked) {
        RunCommand(m_prompter, [this, checked] {
            m_trickleChoice = checked;
            drawBonuses(palette());
        });
    });

    LangApplyProgram(*this);
}

TfrmGraphs::~TfrmGraphs() = default;

void TfrmGraphs::planChanged()
{
    m_stale = true;
    if (isVisible())
        showSeries();
}

void TfrmGraphs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_stale)
        showSeries();
}

void TfrmGraphs::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // A new palette (a dark theme chosen while the window is open) redraws
    // the charts in its colours.
    if (event->type() == QEvent::PaletteChange && m_series)
        drawCharts(palette());
}

void TfrmGraphs::setDocument(BuildDocument *document)
{
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_document = document;
    m_connections = {
        connect(document, &BuildDocument::planChanged, this, &TfrmGraphs::planChanged),
        connect(document, &BuildDocument::settingsChanged, this, &TfrmGraphs::planChanged),
    };
    planChanged();
}

void TfrmGraphs::showSeries()
{
    m_stale = false;
    if (!m_document) {
        m_series.reset();
        btnSaveImage->setEnabled(false);
        btnPrint->setEnabled(false);
        fillSkillList();
        drawCharts(palette());
        return;
    }
    try {
        m_series = ComputeSeries(m_document->layout(), m_document->buildSettings(), m_document->reference());
        lblProblem->clear();
        lblProblem->hide();
    } catch (const Exception &e) {
        // The plan cannot be read as it stands (duplicates, a value that is
        // no number): the window says why instead of drawing old numbers.
        m_series.reset();
        lblProblem->setText(e.message());
        lblProblem->show();
    }
    btnSaveImage->setEnabled(bool(m_series));
    btnPrint->setEnabled(bool(m_series));
    setTrickleDefault();
    fillSkillList();
    drawCharts(palette());
}

void TfrmGraphs::setTrickleDefault()
{
    if (m_trickleChoice)
        return;
    // Not the player's choice: no redraw, and nothing kept.
    const QSignalBlocker blocker(chkTrickle);
    chkTrickle->setChecked(m_document && m_document->buildSettings().character.entered());
}

void TfrmGraphs::drawCharts(const QPalette &palette)
{
    drawChart(0, palette);
    drawChart(1, palette);
}

void TfrmGraphs::drawChart(int index, const QPalette &palette)
{
    if (index == 0)
        drawRequirements(palette);
    else
        drawBonuses(palette);
}

void TfrmGraphs::fillSkillList()
{
    m_fillingList = true;
    lbSkills->clear();
    if (m_series) {
        // Largest at the top level first; equal ones in the table's order.
        // Each item holds the index of its line among the series' skills.
        const QList<SeriesLine> &lines = m_series->skills;
        QList<int> skills;
        for (int i = 0; i < int(lines.size()); ++i)
            skills.append(i);
        std::stable_sort(skills.begin(), skills.end(), [&lines](int a, int b) {
            return lines.at(a).at(SeriesLastLevel) > lines.at(b).at(SeriesLastLevel);
        });
        for (int i = 0; i < int(skills.size()); ++i) {
            const QString &name = lines.at(skills.at(i)).name;
            auto *item = new QListWidgetItem(name, lbSkills);
            item->setData(Qt::UserRole, skills.at(i));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            const bool shown = m_skillChoices.value(name, i < DefaultSkillLines);
            item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_fillingList = false;
}

QList<SeriesLine> TfrmGraphs::shownSkills() const
{
    QList<SeriesLine> shown;
    if (!m_series)
        return shown;
    for (int i = 0; i < lbSkills->count(); ++i) {
        const QListWidgetItem *item = lbSkills->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        const int index = item->data(Qt::UserRole).toInt();
        SeriesLine line = m_series->skills.at(index);
        if (chkTrickle->isChecked()) {
            const SeriesLine &trickle = m_series->skillTrickle.at(index);
            for (qsizetype v = 0; v < line.values.size(); ++v)
                line.values[v] += trickle.values.value(v);
        }
        shown.append(line);
    }
    return shown;
}

void TfrmGraphs::drawRequirements(const QPalette &palette)
{
    const ChartColors colors = colorsOf(palette);
    QChart &chart = *chtRequirements->chart();
    prepareChart(chart, pgcGraphs->tabText(0), colors);
    qint64 highest = 0;
    if (m_series)
        for (const auto &[name, value] : RequirementValuesAt(*m_series, SeriesLastLevel))
            highest = std::max(highest, value);
    const auto [x, y] = addAxes(chart, LangMsg(Msg::GraphRequirementAxis), highest, colors);
    if (!m_series)
        return;
    const PlanSeries &s = *m_series;

    // The requirements solid, the nano-programming maximum and the
    // character's stats dashed across, each in a colour of its own; stats
    // of one value share the line in turns.
    PenSequence pens(colors);
    for (const SeriesLine *line : {&s.treatment, &s.ability, &s.nanoProgramming})
        attach(chart, curve(*line, pens.next(Qt::SolidLine, 2.5)), x, y);
    if (s.nanoProgMax)
        attach(chart, across(LangMsg(Msg::GraphNanoProgMaxLine), *s.nanoProgMax, pens.next(Qt::DashDotDotLine, 1.5)),
               x, y);
    QList<qint64> statValues;
    for (const StatLine &stat : s.character)
        statValues.append(stat.value);
    const QList<Overlap> statOverlaps = overlaps(statValues);
    for (qsizetype i = 0; i < s.character.size(); ++i)
        attach(chart,
               across(s.character.at(i).name, s.character.at(i).value,
                      pens.next(Qt::DashLine, 1.5, statOverlaps.at(i))),
               x, y);
    drawWearMarks(chart, s, pens, colors, x, y);
    drawTargets(chart, s.targets, colors, x, y);
}

void TfrmGraphs::drawBonuses(const QPalette &palette)
{
    const ChartColors colors = colorsOf(palette);
    QChart &chart = *chtBonuses->chart();
    prepareChart(chart, pgcGraphs->tabText(1), colors);
    const QList<SeriesLine> skills = shownSkills();
    qint64 highest = 0;
    for (const SeriesLine &skill : skills)
        highest = std::max(highest, skill.at(SeriesLastLevel));
    const auto [x, y] = addAxes(chart, LangMsg(Msg::GraphBonusAxis), highest, colors);
    if (!m_series)
        return;
    // Skills with the same bonus at every level share the line in turns.
    QList<QList<qint64>> values;
    for (const SeriesLine &skill : skills)
        values.append(skill.values);
    const QList<Overlap> skillOverlaps = overlaps(values);
    PenSequence pens(colors);
    for (qsizetype i = 0; i < skills.size(); ++i)
        attach(chart, curve(skills.at(i), pens.next(Qt::SolidLine, 2.0, skillOverlaps.at(i))), x, y);
    // Between 200 and 201 the bonuses change pace.
    const double boundary = SeriesBoundaryLevel + 0.5;
    attach(chart,
           upright(LangMsg(Msg::GraphBoundaryLine), boundary, *y,
                   QPen(colors.grid.lightness() < 128 ? colors.text : colors.grid.darker(160), 1.5, Qt::DotLine)),
           x, y);
    drawTargets(chart, m_series->targets, colors, x, y);
}

QString TfrmGraphs::valuesAt(int chartIndex, int level) const
{
    if (!m_series || level < SeriesFirstLevel || level > SeriesLastLevel)
        return QString();
    const PlanSeries &s = *m_series;
    QStringList lines{QStringLiteral("QL ") + QString::number(level)};
    const auto value = [&lines](const QString &name, qint64 number) {
        lines.append(name + QStringLiteral(": ") + QString::number(number));
    };
    if (chartIndex == 0) {
        for (const auto &[name, number] : RequirementValuesAt(s, level))
            value(name, number);
    } else {
        for (const SeriesLine &skill : shownSkills())
            value(skill.name, skill.at(level));
    }
    return lines.join(u'\n');
}

GraphView *TfrmGraphs::shownView() const
{
    return pgcGraphs->currentIndex() == 0 ? chtRequirements : chtBonuses;
}

void TfrmGraphs::btnSaveImageClick()
{
    RunCommand(m_prompter, [this] {
        Prompter::FileRequest request;
        request.title = LangMsg(Msg::GraphSaveTitle);
        request.filter = LangMsg(Msg::GraphSaveFilter);
        request.defaultSuffix = QStringLiteral("png");
        const QString path = m_prompter.saveFileName(request);
        if (path.isEmpty())
            return;
        // The image is made whole in memory first; the file is written only
        // then, and replaces an old one only once it is complete.
        GraphView &view = *shownView();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        bool drawn = false;
        if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(view.size());
            svg.setViewBox(QRect(QPoint(0, 0), view.size()));
            svg.setTitle(pgcGraphs->tabText(pgcGraphs->currentIndex()));
            svg.setDescription(QStringLiteral("Ludra"));
            QPainter painter;
            drawn = painter.begin(&svg);
            if (drawn) {
                view.render(&painter);
                painter.end();
            }
        } else {
            drawn = view.grab().save(&buffer, "PNG");
        }
        if (!drawn)
            throw EStreamError(CannotCreateFileMessage(path, QStringLiteral("The image cannot be drawn.")));
        WriteWholeFileOrThrow(path, buffer.data());
    });
}

void TfrmGraphs::btnPrintClick()
{
    RunCommand(m_prompter, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        if (preparePrinter)
            preparePrinter(printer);
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok)
            return;
        printChart(printer);
    });
}

void TfrmGraphs::printChart(QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw EStreamError(QStringLiteral("The printer cannot be used."));
    // Paper is white: the chart prints in the colours of a light window
    // whatever the screen shows, and is drawn back as it was after.
    const QPalette paper(QColor(Qt::white));
    GraphView &view = *shownView();
    drawChart(pgcGraphs->currentIndex(), paper);
    // The chart lays its new series and legend out on posted events; they
    // are handled before it is drawn on paper.
    QCoreApplication::sendPostedEvents();

    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const double dpi = printer.resolution();
    // The report's head: the title lines at the left, the date at the right,
    // as the table reports have them.
    QFont titleFont = QFont();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    QFont textFont = QFont();
    textFont.setPointSize(10);
    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    const QFontMetricsF titleMetrics(titleFont, &printer);
    double y = titleMetrics.ascent();
    painter.drawText(QPointF(0, y), LangMsg(Msg::GraphReportTitle));
    painter.setFont(textFont);
    const QFontMetricsF textMetrics(textFont, &printer);
    const QString date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    painter.drawText(QPointF(page.width() - textMetrics.horizontalAdvance(date), y), date);
    y += titleMetrics.descent();
    const QString project = projectPath();
    if (!project.isEmpty()) {
        y += textMetrics.ascent();
        painter.drawText(QPointF(0, y), QDir::toNativeSeparators(project));
        y += textMetrics.descent();
    }
    y += dpi * 5 / 25.4;
    const QRectF target(0, y, page.width(), page.height() - y);
    view.render(&painter, target, view.viewport()->rect(), Qt::KeepAspectRatio);
    painter.end();
    drawCharts(palette());
}

void UseBuiltInGraphsWindow()
{
    SetGraphsWindowMaker([](Prompter &prompter, QWidget *parent) -> GraphsWindow * {
        return new TfrmGraphs(prompter, parent);
    });
}

} // namespace ludra
