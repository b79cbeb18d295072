#pragma once

#include <QApplication>

namespace ludra {

class Prompter;

// The application object. Any program error that ends a command in an event
// handler arrives here and is shown as one error box; the program goes on.
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
