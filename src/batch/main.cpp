// ludra-batch: plans, builds and exports from the command line. It links the
// core library alone, so it runs without a display.

#include "batch/batchtool.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ludra-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUDRA_VERSION));
    return ludra::RunBatch(QCoreApplication::arguments().mid(1));
}
