#include "app/session.h"

#include "app/frmludra.h"
#include "common/command.h"
#include "model/documentcontroller.h"
#include "model/plandocument.h"
#include "text/langfile.h"

#include <QFileInfo>

namespace ludra {

namespace {

// One name for a file however it is spelled: its canonical path where the
// file exists, its absolute path otherwise.
QString samePath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

void LudraSession::start()
{
    if (m_started)
        return;
    m_started = true;
    m_report = m_program.start(m_prompter, StartOptions{.readStock = false});
}

void LudraSession::addWindow(TfrmLudra *window)
{
    m_windows.append(window);
}

void LudraSession::removeWindow(TfrmLudra *window)
{
    m_windows.removeAll(window);
}

QList<TfrmLudra *> LudraSession::windows() const
{
    QList<TfrmLudra *> open;
    for (const QPointer<TfrmLudra> &window : m_windows)
        if (window)
            open.append(window);
    return open;
}

TfrmLudra *LudraSession::newWindow(const QString &project)
{
    auto *window = new TfrmLudra(shared_from_this(), m_prompter);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (!project.isEmpty())
        RunCommand(m_prompter, [window, &project] { window->controller().openPath(project); });
    return window;
}

TfrmLudra *LudraSession::windowShowing(const QString &project, const TfrmLudra *except) const
{
    const QString wanted = samePath(project);
    for (TfrmLudra *window : windows()) {
        const QString &fileName = window->document().fileName();
        if (window != except && !fileName.isEmpty() && samePath(fileName) == wanted)
            return window;
    }
    return nullptr;
}

} // namespace ludra
