#pragma once

#include "build/graphswindow.h"
#include "build/series.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QTabWidget;

namespace ludra {

class GraphView;
class BuildDocument;
class Prompter;

// "Graphs": what each quality level of the plan needs and gives, as two
// charts on tabs: the requirements by quality level (the treatment and
// secondary-skill requirements, the highest nano-programming requirement,
// with a character its stats and the last level it can wear each implant
// at) and the bonuses by quality level (the skill totals, the eight largest
// at the top level unless the list says otherwise, with their trickle-down
// when "Include trickle-down" is ticked, and the 200/201 boundary); a line
// marks each target level. It stays open beside the main window and follows
// the plan of the document it is given through the document's signals. The
// shown chart can be saved as a PNG or SVG image and printed on one page.
class TfrmGraphs : public GraphsWindow
{
    Q_OBJECT

public:
    // The number of skill lines shown until the player picks others.
    static constexpr int DefaultSkillLines = 8;

    explicit TfrmGraphs(Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmGraphs() override;

    // The document whose plan the charts show; they follow its plan and its
    // settings from then on. Without one they show nothing.
    void setDocument(BuildDocument *document) override;

    // The plan, the character or the build settings changed: the charts are
    // drawn afresh now when the window is shown, or when it is next shown.
    void planChanged();

    // What the pointer shows over a chart (0 requirements, 1 bonuses) at a
    // level: the level and the value of every line drawn there.
    QString valuesAt(int chart, int level) const;

    // How the printer is made ready before the print dialog shows it; tests
    // print to a file.
    std::function<void(QPrinter &)> preparePrinter;

    // Command handlers.
    void btnSaveImageClick();
    void btnPrintClick();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Computes the series and draws both charts; a plan that cannot be read
    // (duplicates, a value that is no number) is told in lblProblem.
    void showSeries();
    // Draws the charts of the series held, in the colours of a palette.
    void drawCharts(const QPalette &palette);
    // Draws one chart (0 requirements, 1 bonuses) in the colours of a palette.
    void drawChart(int index, const QPalette &palette);
    void drawRequirements(const QPalette &palette);
    void drawBonuses(const QPalette &palette);
    // The skill list as the series and the player's picks have it.
    void fillSkillList();
    // "Include trickle-down" as the player left it, or ticked when a
    // character is entered until the player chooses.
    void setTrickleDefault();
    // The skills drawn, in the list's order, each with its trickle-down when
    // it is included.
    QList<SeriesLine> shownSkills() const;
    GraphView *shownView() const;
    void printChart(QPrinter &printer);

    BuildDocument *m_document = nullptr;
    QList<QMetaObject::Connection> m_connections;
    Prompter &m_prompter;
    std::optional<PlanSeries> m_series;
    // The series are out of date: the plan changed while the window was
    // hidden.
    bool m_stale = true;
    // The skills the player turned on or off in the list; every other skill
    // is shown when it is among the largest.
    QHash<QString, bool> m_skillChoices;
    bool m_fillingList = false;
    // Whether the player ticked or unticked "Include trickle-down"; until
    // then it follows whether a character is entered.
    std::optional<bool> m_trickleChoice;

    QTabWidget *pgcGraphs = nullptr;
    GraphView *chtRequirements = nullptr;
    GraphView *chtBonuses = nullptr;
    QListWidget *lbSkills = nullptr;
    QCheckBox *chkTrickle = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *btnSaveImage = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnClose = nullptr;
};

// Makes the program's Graphs windows from the copy of the window built into
// it, in place of the module (SetGraphsWindowMaker).
void UseBuiltInGraphsWindow();

} // namespace ludra
