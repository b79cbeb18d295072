#pragma once

#include <QDialog>

class QCheckBox;

namespace ludra {

// "Ludra Options": whether the last project opens at start-up, and whether
// Ludra asks before unsaved changes to a plan are lost.
class TfrmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOptions(QWidget *parent = nullptr);

    bool autoLoad() const;
    void setAutoLoad(bool on);
    bool askToSave() const;
    void setAskToSave(bool on);

private:
    QCheckBox *chkAutoLoad = nullptr;
    QCheckBox *chkAskToSave = nullptr;
};

} // namespace ludra
