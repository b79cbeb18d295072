#pragma once

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
class Prompter;

// The "Build" tab: stock handling, quality level targets, the nano
// programming limit, the important attributes and the "&Build >>" button.
// The settings are the truth: every control writes its change into them at
// once, and which controls are enabled follows from them alone.
class BuildPage : public QWidget
{
    Q_OBJECT

public:
    BuildPage(BuildSettings &settings, Prompter &prompter, QWidget *parent = nullptr);

    // Sets every control from the settings and enables what they allow; for
    // when the settings were changed elsewhere (a project opened, the stock
    // switch of the Layout tab).
    void showSettings();

    QPushButton *buildButton() const { return btnBuild; }

    // Command handlers.

    // Runs the implant selections dialog and keeps its selection on OK.
    void btnSelIndiImplantsClick();
    // Runs the character dialog and keeps the character and top level on OK.
    void btnCharacterClick();

Q_SIGNALS:
    // A control changed the settings.
    void settingsChanged();

private:
    void createControls();
    void connectControls();
    // Writes a control's change into the settings, then updates what depends
    // on them.
    void changeSettings(const std::function<void(BuildSettings &)> &change);
    // Enables each control as the settings allow.
    void showEnablement();

    // The attribute boxes in Attribute order.
    QList<QCheckBox *> attributeBoxes() const;

    BuildSettings &m_settings;
    Prompter &m_prompter;
    // While showSettings sets the controls, their signals are not changes.
    bool m_showing = false;

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
