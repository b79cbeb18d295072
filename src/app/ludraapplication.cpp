#include "app/ludraapplication.h"

#include "common/errors.h"
#include "common/prompter.h"

namespace ludra {

LudraApplication::LudraApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Ludra"));
    // No display name: the desktop would add it to every window's title, and
    // the main window's title names the program already ("Ludra - path").
    setApplicationVersion(QStringLiteral(LUDRA_VERSION));
}

bool LudraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        // Every command handler has its own boundary (RunCommand); an error
        // arriving here escaped one, which is a fault of the program. It is
        // still shown rather than ending the program.
        const QString text = QString::fromUtf8(error.what());
        if (m_prompter)
            m_prompter->error(text);
        else
            qWarning("%s", error.what());
        return true;
    }
}

} // namespace ludra
