#pragma once

#include <QWidget>

class QPushButton;
class QTableView;

namespace ludra {

class BuildResults;

// "Result - Skill Increases": the skill increase grid, the sort hints and the
// build log button.
class SkillResultPage : public QWidget
{
    Q_OBJECT

public:
    explicit SkillResultPage(BuildResults &results, QWidget *parent = nullptr);

private:
    QTableView *grdSkillInc = nullptr;
    QPushButton *btnLogSkill = nullptr;
};

// "Result - Requirements": the requirement grid, the sort hints, the resort
// button, the shopping list and the build log button.
class RequirementResultPage : public QWidget
{
    Q_OBJECT

public:
    explicit RequirementResultPage(BuildResults &results, QWidget *parent = nullptr);

private:
    QTableView *grdReqs = nullptr;
    QPushButton *btnLogReq = nullptr;
    QPushButton *btnPrintShoppingList = nullptr;
    QPushButton *btnResort = nullptr;
};

// "Result - Suggestions": the suggestion grid and what it needs to show
// anything.
class SuggestionPage : public QWidget
{
    Q_OBJECT

public:
    explicit SuggestionPage(BuildResults &results, QWidget *parent = nullptr);

private:
    QTableView *grdSuggest = nullptr;
};

} // namespace ludra
