// Times the main window's creation and first showing against an empty window
// of the same size, with the shipped reference files, with none, with a
// large generated catalogue and recipe file, and with the shipped files and a
// language file that replaces every text. Prints medians over many runs.
//
//   bench_startup [runs] [case] (default 40 runs of every case; case 0 to 4
//                                picks one, for profiling)
//
// The platform comes from QT_QPA_PLATFORM as usual (offscreen, xcb under Xvfb).

#include "support/benchsupport.h"
#include "app/frmludra.h"
#include "app/session.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using ludra::SilentPrompter;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds from creating a window to its being shown on screen.
double timeShow(const std::function<QWidget *()> &create)
{
    QElapsedTimer timer;
    timer.start();
    QWidget *window = create();
    window->show();
    // Spin the event loop until the window is on screen; waiting helpers that
    // sleep between polls would blur the figures by their sleeps.
    QElapsedTimer limit;
    limit.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!window->windowHandle() || !window->windowHandle()->isExposed())
        std::fprintf(stderr, "window was not exposed\n");
    QCoreApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    delete window;
    QCoreApplication::processEvents();
    return ms;
}

void copyShipped(const QString &from, const QString &to)
{
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QFile::copy(QDir(from).filePath(QString::fromLatin1(name)), QDir(to).filePath(QString::fromLatin1(name)));
}

void writeLarge(const QString &dir)
{
    static const char *slotNames[] = {"HEAD", "CHEST", "EAR", "EYE", "LEFT ARM", "RIGHT ARM", "LEFT WRIST",
                                  "RIGHT WRIST", "LEG", "LEFT HAND", "RIGHT HAND", "WAIST", "FEET"};
    QByteArray data, require, secSkill;
    for (int i = 0; i < 399; ++i) {
        const QByteArray cluster = "Cluster " + QByteArray::number(i * 7919 % 1000);
        const QByteArray skill = (i % 2 ? "skill " : "Skill ") + QByteArray::number((i * 31) % 997);
        data += cluster + ',' + skill + ',' + slotNames[i % 13] + ',' + slotNames[(i + 5) % 13] + ',' + slotNames[(i + 9) % 13] +
                ',' + QByteArray::number(i % 12 + 1) + "\r\n";
        require += cluster + ',' + skill + ',' + QByteArray::number(400 + i) + "\r\n";
    }
    for (int i = 0; i < 20000; ++i)
        secSkill += "Sense,Cluster " + QByteArray::number(i % 399) + ",Empty,Cluster " + QByteArray::number(i % 97) +
                    "\r\n";
    for (const auto &[name, bytes] : {std::pair{"data.csv", data}, std::pair{"require.csv", require},
                                      std::pair{"SecSkill.csv", secSkill}}) {
        QFile file(QDir(dir).filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
}

// The example language file shipped beside the executable, with every value
// but the settings changed, as "english.ini": every window text and message is
// looked up and replaced.
bool writeLanguageFile(const QString &from, const QString &to)
{
    const std::optional<QStringList> example =
        ludra::ReadLines(QDir(from).filePath(QStringLiteral("english.ini.example")));
    if (!example)
        return false;
    QStringList lines;
    bool settings = false;
    for (const QString &line : *example) {
        if (line.startsWith(QLatin1Char('[')))
            settings = line == QLatin1String("[SETTINGS]");
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        lines.append(settings || equals < 0 ? line
                                            : line.left(equals + 1) + QStringLiteral("Lang ") + line.mid(equals + 1));
    }
    return ludra::WriteLines(QDir(to).filePath(QStringLiteral("english.ini")), lines);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
    const int only = argc > 2 ? atoi(argv[2]) : -1;
    const QString shippedDir = QCoreApplication::applicationDirPath();

    QTemporaryDir empty, shipped, large, translated;
    copyShipped(shippedDir, shipped.path());
    writeLarge(large.path());
    copyShipped(shippedDir, translated.path());
    if (!QFile::exists(shipped.filePath(QStringLiteral("data.csv")))) {
        std::fprintf(stderr, "no shipped data.csv beside %s\n", qPrintable(shippedDir));
        return 1;
    }
    if (!writeLanguageFile(shippedDir, translated.path())) {
        std::fprintf(stderr, "no shipped english.ini.example beside %s\n", qPrintable(shippedDir));
        return 1;
    }

    SilentPrompter prompter;
    auto emptyWindow = [] {
        auto *window = new QMainWindow;
        auto *client = new QWidget(window);
        client->setFixedSize(ludra::TfrmLudra::ClientWidth, ludra::TfrmLudra::ClientHeight);
        window->setCentralWidget(client);
        return static_cast<QWidget *>(window);
    };
    auto ludraIn = [&prompter](const QString &dir) {
        return [&prompter, dir] {
            ludra::SetBaseDir(dir);
            return static_cast<QWidget *>(new ludra::TfrmLudra(prompter));
        };
    };

    struct Case
    {
        const char *name;
        std::function<QWidget *()> create;
        std::vector<double> times;
    };
    std::vector<Case> cases{
        {"empty Qt window 766x412", emptyWindow, {}},
        {"Ludra, no reference files", ludraIn(empty.path()), {}},
        {"Ludra, shipped files", ludraIn(shipped.path()), {}},
        {"Ludra, 399 records + 20000 recipes", ludraIn(large.path()), {}},
        {"Ludra, shipped files + language file", ludraIn(translated.path()), {}},
    };

    // Warm up fonts, styles and caches once per case, then interleave the
    // cases so that drift in the machine's speed touches them all alike.
    if (only >= 0 && only < int(cases.size())) {
        for (int run = 0; run < runs; ++run)
            cases[size_t(only)].times.push_back(timeShow(cases[size_t(only)].create));
        std::printf("%s: median %.2f ms\n", cases[size_t(only)].name, median(cases[size_t(only)].times));
        return 0;
    }
    for (Case &c : cases)
        timeShow(c.create);
    for (int run = 0; run < runs; ++run)
        for (Case &c : cases)
            c.times.push_back(timeShow(c.create));

    std::printf("platform: %s, runs: %d\n", qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-38s %10s %10s\n", "case", "median ms", "min ms");
    for (const Case &c : cases)
        std::printf("%-38s %10.2f %10.2f\n", c.name, median(c.times),
                    *std::min_element(c.times.begin(), c.times.end()));

    const double qtEmpty = median(cases[0].times);
    const double bare = median(cases[1].times);
    for (size_t i = 2; i < 4; ++i) {
        const double added = median(cases[i].times) - bare;
        std::printf("reference files add %.2f ms (%s) = %.0f%% of the empty window's %.2f ms (goal: at most 33%%)\n",
                    added, cases[i].name, 100.0 * added / qtEmpty, qtEmpty);
    }
    // A second window of the running program, from File, New Window, to
    // its being shown (goal: under 50 ms).
    {
        ludra::SetBaseDir(shipped.path());
        auto *first = new ludra::TfrmLudra(prompter);
        first->show();
        QCoreApplication::processEvents();
        QAction *newWindow = first->findChild<QAction *>(QStringLiteral("NewWindow1"));
        std::vector<double> times;
        for (int run = 0; run < runs && newWindow; ++run) {
            QElapsedTimer timer;
            timer.start();
            newWindow->trigger();
            QWidget *second = first->session().windows().value(1);
            while (second && !(second->windowHandle() && second->windowHandle()->isExposed()))
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::processEvents();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
            delete second;
            QCoreApplication::processEvents();
        }
        delete first;
        QCoreApplication::processEvents();
        if (!times.empty())
            std::printf("%-38s %10.2f %10.2f\n", "second window, New Window to shown", median(times),
                        *std::min_element(times.begin(), times.end()));
    }

    const double withShipped = median(cases[2].times);
    const double translatedAdded = median(cases[4].times) - withShipped;
    std::printf("the language file adds %.2f ms = %.1f%% of the start-up with the shipped files (goal: at most 10%%)\n",
                translatedAdded, 100.0 * translatedAdded / withShipped);
    return 0;
}
