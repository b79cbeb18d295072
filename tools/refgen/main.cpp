// Generates the planner's reference files from the public game tables:
//   ludra-refgen <folder of game tables> <output folder>
#include "refgen.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ludra-refgen <game tables folder> <output folder>\n");
        return 2;
    }
    try {
        const refgen::Output output = refgen::Generate(args.at(1));
        refgen::WriteOutput(output, args.at(2));
        std::printf("data.csv: %lld lines, SecSkill.csv: %lld lines, require.csv: %lld lines, trickle.csv: %lld "
                    "lines, reqprofile.csv: %lld lines\n",
                    static_cast<long long>(output.dataLines.size()), static_cast<long long>(output.secSkillLines.size()),
                    static_cast<long long>(output.requireLines.size()), static_cast<long long>(output.trickleLines.size()),
                    static_cast<long long>(output.profileLines.size()));
        std::printf("symbiants.csv: %lld lines; bonuses left out: %d of a cluster family the catalogue lacks, %d of 0; "
                    "matrix rows naming no symbiant: %d\n",
                    static_cast<long long>(output.symbiantLines.size()), output.symbiantBonusesNotInCatalogue,
                    output.symbiantBonusesOfZero, output.symbiantRowsWithoutSymbiant);
    } catch (const refgen::GenerationError &error) {
        std::fprintf(stderr, "ludra-refgen: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
