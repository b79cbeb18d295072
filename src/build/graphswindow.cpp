#include "build/graphswindow.h"

#include "common/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace ludra {

namespace {

GraphsWindowMaker &givenMaker()
{
    static GraphsWindowMaker maker = nullptr;
    return maker;
}

// Loads the module once; it stays loaded while the program runs, since the
// windows it made run its code.
GraphsWindowMaker moduleMaker()
{
    static GraphsWindowMaker maker = nullptr;
    if (maker)
        return maker;
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QStringList places{programDir.filePath(QString::fromLatin1(GraphsModuleName)),
                             programDir.filePath(QStringLiteral("../lib/ludra/") +
                                                 QString::fromLatin1(GraphsModuleName))};
    QStringList reasons;
    for (const QString &place : places) {
        QLibrary module(place);
        if (!module.load()) {
            reasons.append(module.errorString());
            continue;
        }
        maker = reinterpret_cast<GraphsWindowMaker>(module.resolve(GraphsModuleEntry));
        if (maker)
            return maker;
        reasons.append(module.errorString());
    }
    throw EStreamError(QStringLiteral("The Graphs window cannot be shown: its module cannot be loaded (%1).")
                           .arg(reasons.join(QStringLiteral("; "))));
}

} // namespace

GraphsWindow *MakeGraphsWindow(Prompter &prompter, QWidget *parent)
{
    const GraphsWindowMaker maker = givenMaker() ? givenMaker() : moduleMaker();
    return maker(prompter, parent);
}

void SetGraphsWindowMaker(GraphsWindowMaker maker)
{
    givenMaker() = maker;
}

} // namespace ludra
