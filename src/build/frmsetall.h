#pragma once

#include <QDialog>

namespace ludra {

class NumberBox;

// Asks for one quality level to write into every row of the implant
// selections. The level is handed back as typed; the box takes the digits a
// quality cell takes.
class TfrmSetAll : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSetAll(QWidget *parent = nullptr);

    QString text() const;

private:
    NumberBox *edtQL = nullptr;
};

} // namespace ludra
