#include "common/command.h"

#include "common/errors.h"
#include "common/prompter.h"

#include <new>

namespace ludra {

bool RunCommand(Prompter &prompter, const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (const Exception &error) {
        prompter.error(error.message());
    } catch (const std::bad_alloc &) {
        prompter.error(QStringLiteral("There is not enough memory to finish this command."));
    } catch (const std::exception &error) {
        prompter.error(QStringLiteral("Unexpected error: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return false;
}

} // namespace ludra
