#pragma once

#include "layout/layoutstate.h"

#include "common/errors.h"
#include "common/prompter.h"
#include "reports/export.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace ludra {

class BuildSettings;
class LudraProgram;
class PlanDocument;

namespace batch {

// What every command of ludra-batch stands on: its output, its prompter, its
// command line, and the model started and built as the window does it.

// Arguments the tool does not understand: exit status 2.
class EUsageError : public Exception
{
public:
    using Exception::Exception;
};

void WriteStderr(const QString &text);
// Writes to standard output (an empty path or "-") or to a file, whole or
// not at all.
void WriteOutput(const QString &path, const QByteArray &bytes);

// Tells on standard error what the window would ask or report, and answers
// as a user who does not want anything changed: Cancel, No, or OK where OK is
// the only button.
class StderrPrompter : public Prompter
{
public:
    Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) override;
    QString openFileName(const FileRequest &) override { return QString(); }
    QString saveFileName(const FileRequest &) override { return QString(); }
    Answer runDialog(QObject &) override { return Answer::Cancel; }
};

// The options the commands share.
const QCommandLineOption &DataOption();
const QCommandLineOption &TableOption();
const QCommandLineOption &FormatOption();
const QCommandLineOption &OutputOption();

// A command's parser: its description, its argument, the help option.
class Command
{
public:
    // The usage line shows syntax after the options; the argument is listed
    // with its description.
    Command(const QString &description, const QString &argument, const QString &argumentDescription,
            const QString &syntax);

    QCommandLineParser &parser() { return m_parser; }
    const QCommandLineParser &parser() const { return m_parser; }
    // --table, --format, -o and --data.
    void addOutputOptions();
    // Parses the arguments after the command's name; false when they ask for
    // the help, which is then written. Throws EUsageError for arguments it
    // does not know.
    bool parse(const QString &name, const QStringList &arguments);
    // The arguments that are not options.
    QStringList positional() const;

private:
    QCommandLineParser m_parser;
};

// A whole number above 0, or a usage error naming what it is for.
int PositiveInteger(const QString &text, const QString &what);
// A quality level the game has, 1 to 300, or a usage error.
int QualityLevel(const QString &text, const QString &what);

// The character's options: --stat NAME=N (repeatable), --level N,
// --profession NAME, --ladder and --max-ql N.
void AddCharacterOptions(QCommandLineParser &parser);
// Whether --ladder was given.
bool LadderAsked(const QCommandLineParser &parser);
// Puts the options into the settings: each --stat replaces that stat of the
// character, --level its level (1 to 220), --profession its profession (a
// name of ProfessionNames, any case), --max-ql the top level (1 to 300), and
// --ladder chooses the highest levels the character can wear, which needs
// all seven stats: given by --stat, or all known already (characterKnown, a
// project's character).
void ApplyCharacterOptions(const QCommandLineParser &parser, BuildSettings &settings, bool characterKnown);

// --symbiant SLOT=NAME (repeatable): a symbiant put into a body slot in
// place of its implant.
const QCommandLineOption &SymbiantOption();
// Puts each --symbiant into the document's plan, as one step. SLOT is a body
// slot in any case, NAME a symbiant's title ("NAME (QL 250)") or a name only
// one symbiant has, in any case. Throws EUsageError naming what was wrong: a
// value without "=", an unknown slot, an unknown name (with names like it),
// a symbiant of another slot, or no symbiant table at all.
void ApplySymbiantOptions(const QCommandLineParser &parser, PlanDocument &document);

// The model started as the window starts it, without its controls, in the
// executable's folder or dataDir. A reference file it cannot read ends the
// command.
void StartProgram(LudraProgram &program, Prompter &prompter, const QString &dataDir);
// "Build >>" as the window runs it, asking nothing and removing no stock;
// the build log goes to standard error. Without trickleDown the abilities the
// plan adds do not trickle down: the ladder is planned without it and the
// skill table's column stays blank.
void BuildPlan(PlanDocument &document, Prompter &prompter, bool trickleDown = true);

// Checks the output options before any work, so a mistyped one costs nothing.
void CheckOutputOptions(const QCommandLineParser &parser);
// Writes the tables --table chooses, in the --format, to -o: the build's
// results, or the series of the model's plan. trickleDown tells whether the
// build counted trickle-down: without it the skill table is written without
// its "Trickle-Down" column. In JSON the build's tables come with the
// build's trickle-down (TrickleDownJson, under "trickleDown"), and after an
// allocation with what it could not place (under "allocation", "shortfalls":
// each with "skill", "type", "slot" and "heldBy" or "symbiant").
void WriteTables(const PlanDocument &document, const QCommandLineParser &parser, bool trickleDown = true,
                 const QList<AllocationShortfall> *allocation = nullptr);

} // namespace batch
} // namespace ludra
