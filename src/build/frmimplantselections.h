#pragma once

#include "layout/plan.h"

#include <QDialog>
#include <QList>

class QAction;
class QMenu;
class QTableWidget;

namespace ludra {

class Prompter;

// The implant selections dialog: one row per body slot, each with a box to
// select the slot and the quality level to build its implant at. It shows the
// selection it is given and hands back what the grid says; the caller keeps
// it only on OK. OK closes it only when every selected slot has a level from
// 1 to EnteredQualityLevelMax and every other one has such a level or none;
// otherwise it names the slot and the range and puts the focus on its cell.
// A selected level above the game's top level is asked about first.
class TfrmImplantSelections : public QDialog
{
    Q_OBJECT

public:
    enum Column { ImplantColumn, SelectColumn, QualityColumn };

    // Fills the rows in body slot order from the entries given; a slot without
    // an entry starts unselected with no level.
    TfrmImplantSelections(Prompter &prompter, const QList<ImplantSelection> &selections, QWidget *parent = nullptr);

    // One entry per body slot, as the grid stands.
    QList<ImplantSelection> selections() const;

public Q_SLOTS:
    void accept() override;
    // The grid's pop-up menu.
    void SelectAll1Click();
    void DeselectAll1Click();
    // Asks for one level and writes it, as typed, into every row on OK.
    void SetAllQuality1Click();

private:
    void createMenu();
    void focusQuality(int row);
    void setAllSelected(bool selected);

    Prompter &m_prompter;
    QTableWidget *grdImplants = nullptr;
    QMenu *mnuImplants = nullptr;
    QAction *SelectAll1 = nullptr;
    QAction *DeselectAll1 = nullptr;
    QAction *SetAllQuality1 = nullptr;
};

} // namespace ludra
