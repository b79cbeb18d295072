#pragma once

#include <QDialog>

namespace ludra {

// The About box: the program's name, version and credits, and an OK button.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget *parent = nullptr);
};

} // namespace ludra
