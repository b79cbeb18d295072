#include "app/ludraapplication.h"

#include "common/errors.h"
#include "common/prompter.h"

namespace ludra {

LudraApplication::LudraApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Ludra"));
    setApplicationDisplayName(QStringLiteral("Ludra"));
    setApplicationVersion(QStringLiteral(LUDRA_VERSION));
}

bool LudraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception &error) {
        if (m_prompter)
            m_prompter->error(error.message());
        else
            qWarning("%s", error.what());
        return true;
    }
}

} // namespace ludra
