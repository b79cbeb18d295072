#pragma once

#include "app/ludramodel.h"

#include <QMainWindow>

class QTabWidget;

namespace ludra {

class BuildPage;
class LayoutPage;
class Prompter;
class RequirementResultPage;
class SkillResultPage;
class SuggestionPage;

// The main window: owns the whole model and composes one page per tab, owns
// the menus, and runs the start-up order. Closing it ends the program without
// asking or saving anything.
class TfrmLudra : public QMainWindow
{
    Q_OBJECT

public:
    // The size of the window's client area below the menu bar.
    static constexpr int ClientWidth = 766;
    static constexpr int ClientHeight = 412;

    explicit TfrmLudra(Prompter &prompter, QWidget *parent = nullptr);

    LudraModel &model() { return m_model; }
    const LudraModel &model() const { return m_model; }

public Q_SLOTS:
    void Exit1Click();
    // Shows the rules of automatic allocation and keeps them on OK.
    void AutoAllocateRules1Click();
    void Help2Click();
    void AboutClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createPages();
    void createMenus();

    Prompter &m_prompter;
    LudraModel m_model;
    bool m_centred = false;

    QTabWidget *tabs = nullptr;
    LayoutPage *tabReport = nullptr;
    BuildPage *tabBuild = nullptr;
    SkillResultPage *tabResultSkills = nullptr;
    RequirementResultPage *tabResultCosts = nullptr;
    SuggestionPage *tabResultSuggest = nullptr;
};

} // namespace ludra
