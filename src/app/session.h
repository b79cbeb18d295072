#pragma once

#include "model/program.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

namespace ludra {

class Prompter;
class TfrmLudra;

// One run of the program with every main window it has open: the program's
// shared state (reference data, stock), started once for all of them, and the
// windows, each showing a document of its own. The windows share it; it
// lasts as long as the last of them.
class LudraSession : public std::enable_shared_from_this<LudraSession>
{
public:
    explicit LudraSession(Prompter &prompter) : m_prompter(prompter) {}

    LudraProgram &program() { return m_program; }
    Prompter &prompter() const { return m_prompter; }

    // The program's start-up, once (the stock is read later, once the first
    // window has reopened its project); the first window calls it once its
    // controls exist.
    void start();
    bool started() const { return m_started; }
    const StartReport &startReport() const { return m_report; }

    void addWindow(TfrmLudra *window);
    void removeWindow(TfrmLudra *window);
    // The open windows, in the order they were opened.
    QList<TfrmLudra *> windows() const;

    // "New Window": another main window with an empty plan, shown; when a
    // project is given, opened in it.
    TfrmLudra *newWindow(const QString &project = QString());
    // The window, other than the one given, whose document is the project.
    TfrmLudra *windowShowing(const QString &project, const TfrmLudra *except) const;

private:
    Prompter &m_prompter;
    LudraProgram m_program;
    StartReport m_report;
    bool m_started = false;
    QList<QPointer<TfrmLudra>> m_windows;
};

} // namespace ludra
