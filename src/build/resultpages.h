#pragma once

#include <QStringList>

#include <functional>

#include "build/buildresults.h"
#include "views/texttablemodel.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace ludra {

class BuildResults;
class BuildSettings;
class BuildDocument;
class Prompter;

// The requirement table as grdReqs shows it: the cell texts and the colour of
// each cell's text (RequirementCellColor), judged against the build settings
// every time a cell is drawn.
class RequirementTableModel : public TextTableModel
{
    Q_OBJECT

public:
    // The colours are judged with the build settings and with what the
    // results' abilities add to Treatment through trickle-down.
    RequirementTableModel(const TextTable &table, const BuildSettings &settings, const BuildResults &results,
                          QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // How the cell is marked (RequirementCellColor, with the ladder's reach).
    ReqCellColor cellColor(const QModelIndex &index) const;
    // The "Credits" heading tells where its figures come from.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The colours follow settings kept outside the table, so a change to them
    // does not reach the grid on its own: this repaints the cells whose colour
    // can change.
    void refreshColors();

private:
    const BuildSettings &m_settings;
    const BuildResults &m_results;
};

// A result tab, over the results of the document it is given. Its note, a
// line over its grid, tells when the results are from before the plan or the
// settings last changed, or that the last build made none; otherwise it is
// hidden.
class ResultPage : public QWidget
{
    Q_OBJECT

public:
    ResultPage(const QString &noteName, QWidget *parent = nullptr);

    // The document whose results the page shows; it follows them from then
    // on.
    void setDocument(BuildDocument *document);

    // Shows the note as the results stand.
    void showState();

protected:
    QLabel *note() const { return m_note; }
    BuildDocument *document() const { return m_document; }
    BuildResults &results() const;
    // Shows the document's tables in the page's grids.
    virtual void showTables() = 0;
    // The document's settings changed.
    virtual void settingsChanged() {}
    // The results changed, or came to stand or no longer stand for the plan.
    virtual void resultsStateChanged() {}

private:
    BuildDocument *m_document = nullptr;
    QList<QMetaObject::Connection> m_connections;
    QLabel *m_note = nullptr;
};

// "Result - Skill Increases": the skill increase grid, the sort hints and the
// build log button.
class SkillResultPage : public ResultPage
{
    Q_OBJECT

public:
    explicit SkillResultPage(Prompter &prompter, QWidget *parent = nullptr);

    // How the build log window's "Print" prints its lines.
    void setLogPrinter(std::function<void(const QStringList &)> print) { m_printLog = std::move(print); }

public Q_SLOTS:
    // Shows the log of the last build.
    void btnLogSkillClick();

protected:
    void showTables() override;
    // The lines under the grid name the selected skills the plan raises
    // through trickle-down alone, and the symbiants the totals count.
    void resultsStateChanged() override;

private:
    Prompter &m_prompter;
    std::function<void(const QStringList &)> m_printLog;

    QTableView *grdSkillInc = nullptr;
    QLabel *lblTrickleOnly = nullptr;
    QLabel *lblSymbiants = nullptr;
    QPushButton *btnLogSkill = nullptr;
};

// "Result - Requirements": the requirement grid, the sort hints, the resort
// button, the shopping list and the build log button.
class RequirementResultPage : public ResultPage
{
    Q_OBJECT

public:
    explicit RequirementResultPage(Prompter &prompter, QWidget *parent = nullptr);

    void setLogPrinter(std::function<void(const QStringList &)> print) { m_printLog = std::move(print); }
    // "Print Shopping List" prints the requirements this way.
    void setShoppingListPrinter(std::function<void()> print);

Q_SIGNALS:
    // "Use the cheaper levels" was pressed: the window switches the build to
    // them and builds.
    void cheaperLevelsWanted();

public Q_SLOTS:
    // Shows the log of the last build.
    void btnLogReqClick();

protected:
    void showTables() override;
    // The nano programming warning, its maximum or the character changed:
    // the cells take their new colours.
    void settingsChanged() override;
    // "Use the cheaper levels" is there while the results stand and some
    // implant of them has a cheaper level.
    void resultsStateChanged() override;

private:
    void btnResortClick();

    Prompter &m_prompter;
    std::function<void(const QStringList &)> m_printLog;
    std::function<void()> m_printShoppingList;
    RequirementTableModel *m_reqModel = nullptr;

    QTableView *grdReqs = nullptr;
    QPushButton *btnLogReq = nullptr;
    QPushButton *btnPrintShoppingList = nullptr;
    QPushButton *btnResort = nullptr;
    QPushButton *btnCheaperLevels = nullptr;
    // What the marked cells shown mean; hidden when no cell is marked.
    QLabel *lblReqLegend = nullptr;

    void showLegend();
};

// "Result - Ladder": the steps that take the character from nothing worn to
// every implant at the highest level it can wear, then the implants that
// cannot be worn and why.
class LadderResultPage : public ResultPage
{
    Q_OBJECT

public:
    explicit LadderResultPage(QWidget *parent = nullptr);

protected:
    void showTables() override;

private:
    QTableView *grdLadder = nullptr;
};

// "Result - Suggestions": the suggestion grid and what it needs to show
// anything.
class SuggestionPage : public ResultPage
{
    Q_OBJECT

public:
    explicit SuggestionPage(QWidget *parent = nullptr);

protected:
    void showTables() override;

private:
    QTableView *grdSuggest = nullptr;
};

} // namespace ludra
