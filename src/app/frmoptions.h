#pragma once

#include <QDialog>

class QCheckBox;

namespace ludra {

// "Ludra Options": whether the last project opens at start-up.
class TfrmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOptions(QWidget *parent = nullptr);

    bool autoLoad() const;
    void setAutoLoad(bool on);

private:
    QCheckBox *chkAutoLoad = nullptr;
};

} // namespace ludra
