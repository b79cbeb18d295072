#pragma once

#include "layout/allocationrules.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace ludra {

// The rules dialog of automatic allocation: which cluster types are placed
// and whether the layout is cleared first. It shows the rules it is given and
// hands back what the controls say; the caller keeps them only on OK.
class TfrmAutoAlloc : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAutoAlloc(QWidget *parent = nullptr);

    void setRules(const AllocationRules &rules);
    AllocationRules rules() const;

private:
    QCheckBox *chkShining = nullptr;
    QCheckBox *chkBright = nullptr;
    QCheckBox *chkFaded = nullptr;
    QGroupBox *rdoOverwrite = nullptr;
    QButtonGroup *m_overwrite = nullptr;
};

} // namespace ludra
