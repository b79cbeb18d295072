#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace ludra {

namespace {

// The options and the argument, as --help lists them.
void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Plans the implants of a character: the skills that matter, their clusters in the thirteen "
                       "body slots, and the build's levels, costs and requirements. Each project file named opens "
                       "in a window of its own; with none, the last project opens when the options ask for it."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.lud"), QStringLiteral("Project files to open."),
                                 QStringLiteral("[FILE.lud...]"));
}

} // namespace

std::optional<int> AnswerInfoOptions(int argc, char *argv[])
{
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        asked = asked || argument == "--help" || argument == "-h" || argument == "--help-all" ||
                argument == "--version" || argument == "-v";
    }
    if (!asked)
        return std::nullopt;
    // The window program's name and version, without its window.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ludra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUDRA_VERSION));
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(core.arguments())) {
        std::fprintf(stderr, "ludra: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("ludra %s\n", LUDRA_VERSION);
        return 0;
    }
    std::printf("%s", qPrintable(parser.helpText()));
    return 0;
}

QStringList ProjectArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments))
        std::fprintf(stderr, "ludra: %s\n", qPrintable(parser.errorText()));
    // Whole paths: the recent projects and the window titles keep them
    // whatever folder the program was started in.
    QStringList projects;
    for (const QString &path : parser.positionalArguments())
        projects.append(QFileInfo(path).absoluteFilePath());
    return projects;
}

} // namespace ludra
