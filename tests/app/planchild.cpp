// A child process for the tests that kill Ludra: the main window over a base
// folder, with scripted answers, doing one thing a test asks of it and
// telling what it sees on standard output, a line each. The tests start it,
// kill it with SIGKILL where a crash or a power cut would strike, and start
// it again.
//
//   planchild edit BASE [PROJECT]
//       Opens PROJECT (or starts with the new plan), fills every cell of the
//       layout and enters a character, then prints "plan " and the plan's
//       summary once its recovery copy has been written, and waits to be
//       killed.
//   planchild start BASE ANSWER THEN
//       Starts as the program does, answering the question about plans kept
//       from a run that did not end normally with ANSWER (restore, discard
//       or cancel), and prints what it asked ("asked TITLE|TEXT") and each
//       window ("window FILE|MODIFIED|SUMMARY"), then "started". THEN says
//       what follows: "save" saves every window and closes them, "close"
//       closes them discarding their changes, "wait" waits to be killed.
//   planchild write KIND PATH
//       Writes a project (KIND "project") or a stock file (KIND "stock") to
//       PATH again and again, the two versions in turn, printing "writing"
//       once it has written both; it is killed while it writes.

#include "app/frmludra.h"
#include "app/session.h"
#include "build/buildsettings.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "layout/plantext.h"
#include "model/documentcontroller.h"
#include "model/options.h"
#include "model/plandocument.h"
#include "model/recovery.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "support/fullplan.h"
#include "support/killedwrite.h"
#include "support/scriptedprompter.h"
#include "support/testcharacter.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

using namespace ludra;

namespace {

void say(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// What the tests compare of a window's plan: the layout as text and the
// character, on one line.
QString summary(const PlanDocument &document)
{
    const BuildSettings &settings = document.buildSettings();
    QString text = PlanText(document.layout()) + QStringLiteral("character ");
    for (qint64 stat : settings.character.stats)
        text += QString::number(stat) + u' ';
    return text.replace(u'\n', u'/').replace(u'\t', u',');
}

int edit(QApplication &app, const QString &project)
{
    ScriptedPrompter prompter;
    TfrmLudra window(prompter, nullptr, project.isEmpty() ? QStringList() : QStringList{project});
    window.show();
    PlanDocument &document = window.document();
    document.editPlan(QStringLiteral("Fill"), [&document](LayoutState &layout) {
        fillEveryCell(layout, document.program().reference());
    });
    BuildSettings settings = document.buildSettings();
    settings.character = uniformCharacter(411, 377);
    document.setSettings(settings);

    // Told once the copy is on disk; then nothing but the kill ends it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.controller().recoveryCopy().exists()) {
            poll.stop();
            say(QStringLiteral("plan ") + summary(document));
        }
    });
    poll.start(50);
    return app.exec();
}

int start(QApplication &app, const QString &answer, const QString &then)
{
    ScriptedPrompter prompter;
    prompter.answers = {answer == QLatin1String("restore")   ? Prompter::Answer::Restore
                        : answer == QLatin1String("discard") ? Prompter::Answer::Discard
                                                             : Prompter::Answer::Cancel,
                        // The question before unsaved changes go, when closing.
                        Prompter::Answer::Discard};
    auto *window = new TfrmLudra(prompter);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    for (const ScriptedPrompter::Asked &asked : std::as_const(prompter.asked))
        say(QStringLiteral("asked ") + asked.title + u'|' + QString(asked.text).replace(u'\n', u'/'));
    const QList<TfrmLudra *> windows = window->session().windows();
    for (TfrmLudra *shown : windows)
        say(QStringLiteral("window %1|%2|%3")
                .arg(shown->document().fileName())
                .arg(shown->document().isModified() ? 1 : 0)
                .arg(summary(shown->document())));
    say(QStringLiteral("started"));
    if (then == QLatin1String("wait"))
        return app.exec();
    for (TfrmLudra *shown : windows) {
        if (then == QLatin1String("save"))
            shown->controller().save();
        shown->close();
    }
    return 0;
}

int write(const QString &kind, const QString &path)
{
    // Told once both versions have been written, so that every kill from
    // then on strikes in the middle of the writing of one over the other.
    const auto loop = [&path](const auto &save) {
        for (unsigned n = 0;; ++n) {
            save(path, int(n % 2));
            if (n == 1)
                say(QStringLiteral("writing"));
        }
    };
    if (kind == QLatin1String("project"))
        loop([](const QString &to, int version) { WriteProjectFile(to, killedWriteProject(version)); });
    loop([](const QString &to, int version) { SaveStockFile(to, killedWriteStock(version)); });
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("write"))
        return write(args.value(2), args.value(3));
    SetBaseDir(args.value(2));
    LoadProgramOptions();
    if (mode == QLatin1String("edit"))
        return edit(app, args.value(3));
    if (mode == QLatin1String("start"))
        return start(app, args.value(3), args.value(4));
    std::fputs("usage: planchild edit BASE [PROJECT] | start BASE ANSWER THEN | write KIND PATH\n", stderr);
    return 2;
}
