// Writes the example language file, every replaceable text of every window
// and every message with its built-in text:
//   ludra-langexample <output file>
// Runs without a display: the windows are made offscreen and never shown.
#include "langexample.h"

#include "common/errors.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: ludra-langexample <output file>\n");
        return 2;
    }
    try {
        langexample::WriteExample(args.at(1));
    } catch (const ludra::Exception &error) {
        std::fprintf(stderr, "ludra-langexample: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
