#pragma once

#include <QApplication>

namespace ludra {

class Prompter;

// The application object. Commands report their errors at their own boundary
// (RunCommand); this is only the last net for an error that escaped one, shown
// as one error box while the program goes on.
class LudraApplication : public QApplication
{
    Q_OBJECT

public:
    LudraApplication(int &argc, char **argv);

    void setPrompter(Prompter *prompter) { m_prompter = prompter; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Prompter *m_prompter = nullptr;
};

} // namespace ludra
