#pragma once

#include "layout/plan.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ludra {

class BuildSettings;
class NumberBox;
class BuildDocument;
class Prompter;

// The "Build" tab: stock handling, quality level targets, the nano
// programming limit, the important attributes and the "&Build >>" button.
// The document's settings are the truth: every control writes its change
// into them at once, which controls are enabled follows from them alone, and
// a change made elsewhere (a project opened, the stock switch of the Layout
// tab) is shown as the document tells it. The implant selection belongs to
// the plan: the selection dialog changes it as a step of the plan's history,
// and the caption that tells it follows the plan.
class BuildPage : public QWidget
{
    Q_OBJECT

public:
    explicit BuildPage(Prompter &prompter, QWidget *parent = nullptr);

    // The document whose settings the page shows and changes.
    void setDocument(BuildDocument *document);

    // Sets every control from the settings and enables what they allow.
    void showSettings();

    QPushButton *buildButton() const { return btnBuild; }

    // Command handlers.

    // Runs the implant selections dialog and, on OK, makes its selection the
    // plan's (an edit of the plan, "Implant Selection").
    void btnSelIndiImplantsClick();
    // Runs the character dialog and keeps the character and top level on OK.
    void btnCharacterClick();

Q_SIGNALS:
    // A control of the page changed the settings, or the selection dialog
    // the plan's implant selection.
    void settingsChanged();

private:
    void createControls();
    void connectControls();
    // Writes a control's change into the settings, then updates what depends
    // on them.
    void changeSettings(const std::function<void(BuildSettings &)> &change);
    // Enables each control as the settings allow.
    void showEnablement();
    // The caption that tells the implant selection: how many slots it
    // selects.
    void showSelectionCaption();
    void showCharacterCaption();

    // The attribute boxes in Attribute order.
    QList<QCheckBox *> attributeBoxes() const;

    const BuildSettings &settings() const;
    const QList<ImplantSelection> &implantSelections() const;

    BuildDocument *m_document = nullptr;
    QMetaObject::Connection m_settingsChanged;
    QMetaObject::Connection m_planChanged;
    Prompter &m_prompter;
    // While showSettings sets the controls, their signals are not changes;
    // while a control changes the settings, the document's word of it is no
    // reason to set the controls again (the box being typed in among them).
    bool m_showing = false;
    bool m_changing = false;
    QString m_noSelectionCaption;
    QString m_noCharacterCaption;

    QCheckBox *chkAvaStock = nullptr;
    QCheckBox *chkQLRange = nullptr;
    NumberBox *edtQLRange = nullptr;
    QCheckBox *chkAgeStock = nullptr;
    QLabel *lblRemoveStockWarning = nullptr;
    QRadioButton *rdoOneQL = nullptr;
    NumberBox *edtImplantQL = nullptr;
    QRadioButton *rdoIndiQL = nullptr;
    QToolButton *btnSelIndiImplants = nullptr;
    QLabel *lblIndiSelected = nullptr;
    QRadioButton *rdoHighestQL = nullptr;
    QPushButton *btnCharacter = nullptr;
    QLabel *lblCharacter = nullptr;
    QCheckBox *chkUseNanoProg = nullptr;
    NumberBox *edtMaxNanoProg = nullptr;
    QCheckBox *chkStr = nullptr;
    QCheckBox *chkAgi = nullptr;
    QCheckBox *chkSta = nullptr;
    QCheckBox *chkInt = nullptr;
    QCheckBox *chkPsy = nullptr;
    QCheckBox *chkSen = nullptr;
    QPushButton *btnBuild = nullptr;
};

} // namespace ludra
