#pragma once

#include <QWidget>

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
class BuildPage : public QWidget
{
    Q_OBJECT

public:
    BuildPage(BuildSettings &settings, Prompter &prompter, QWidget *parent = nullptr);

private:
    void createControls();

    BuildSettings &m_settings;
    Prompter &m_prompter;

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
