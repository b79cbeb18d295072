#include "langexample.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmludra.h"
#include "app/frmoptions.h"
#include "text/langapply.h"
#include "text/langfile.h"
#include "text/messages.h"
#include "build/frmimplantselections.h"
#include "build/frmlog.h"
#include "build/frmcharacter.h"
#include "layout/frmsymbiantpicker.h"
#include "app/frmcompare.h"
#include "app/frmsymbiantfinder.h"
#include "build/frmgraphs.h"
#include "build/frmsetall.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"
#include "layout/frmautoalloc.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "reports/reports.h"
#include "stock/frmstockcontrol.h"
#include "reports/frmpreview.h"
#include "reports/frmprintsettings.h"

#include <QLocale>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace langexample {

namespace {

// Puts the base folder back however generation ends.
class BaseDirRestorer
{
public:
    BaseDirRestorer() : m_dir(ludra::BaseDir()) {}
    ~BaseDirRestorer() { ludra::SetBaseDir(m_dir); }

private:
    QString m_dir;
};

// The built-in texts of the toolkit's own controls (OK and Cancel of a
// dialog) are its English ones, whatever the system's language: the windows
// are made in the neutral locale, so the main window loads no translation of
// the toolkit, and the default locale comes back however generation ends.
class NeutralLocale
{
public:
    NeutralLocale() { QLocale::setDefault(QLocale::c()); }
    ~NeutralLocale() { QLocale::setDefault(m_locale); }

private:
    QLocale m_locale;
};

// A text as a value line holds it: a line break becomes "*|*", the mark the
// message lookup turns back into one. A window text cannot hold a line break
// (its value would end there), so one in a window's text is refused.
QString valueText(const QString &text, const QString &key, bool lineBreaks)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    if (!lineBreaks)
        throw ludra::Exception(QStringLiteral("%1 holds a line break, which a language file cannot give").arg(key));
    QString value = text;
    value.replace(QLatin1String("\r\n"), QLatin1String("*|*"));
    value.replace(QLatin1Char('\n'), QLatin1String("*|*"));
    return value;
}

// The comparison window over an empty plan of a program of its own, made
// before the window and gone after it (a base class before the window's).
struct CompareHolder
{
    ludra::SilentPrompter prompter;
    ludra::LudraProgram program;
    ludra::PlanDocument document{program};
    QWidget owner;
    ludra::Reports reports{prompter, owner};
};

class CompareWindow : private CompareHolder, public ludra::TfrmCompare
{
public:
    explicit CompareWindow(ludra::Prompter &prompter) : TfrmCompare(program, document, {}, reports, prompter) {}
};

// The symbiant finder over an empty plan of a program of its own, in a
// folder without the symbiant table.
class SymbiantFinderWindow : private CompareHolder, public ludra::TfrmSymbiantFinder
{
public:
    explicit SymbiantFinderWindow(ludra::Prompter &prompter) : TfrmSymbiantFinder(document, reports, prompter) {}
};

} // namespace

std::vector<std::unique_ptr<QWidget>> MakeWindows(ludra::Prompter &prompter)
{
    std::vector<std::unique_ptr<QWidget>> windows;
    auto main = std::make_unique<ludra::TfrmLudra>(prompter);
    // The tabs made when first shown have their texts too.
    main->makeEveryPage();
    windows.push_back(std::move(main));
    windows.push_back(std::make_unique<ludra::TfrmOptions>());
    windows.push_back(std::make_unique<ludra::TfrmAbout>());
    windows.push_back(std::make_unique<ludra::TfrmAutoAlloc>());
    windows.push_back(std::make_unique<ludra::TfrmImplantSelections>(prompter, QList<ludra::ImplantSelection>()));
    windows.push_back(std::make_unique<ludra::TfrmSetAll>());
    windows.push_back(std::make_unique<ludra::TfrmCharacter>(prompter, ludra::Character(), ludra::TopQualityLevel));
    windows.push_back(std::make_unique<ludra::TfrmSymbiantPicker>(QStringLiteral("HEAD"), QList<const ludra::Symbiant *>(),
                                                                  QString(), QStringList(), ludra::Character()));
    windows.push_back(std::make_unique<ludra::TfrmLog>(QStringList()));
    windows.push_back(std::make_unique<ludra::TfrmStockControl>(prompter));
    // The Graphs window without a document, which shows no plan.
    windows.push_back(std::make_unique<ludra::TfrmGraphs>(prompter));
    // The comparison over an empty plan with no other to compare with.
    windows.push_back(std::make_unique<CompareWindow>(prompter));
    windows.push_back(std::make_unique<SymbiantFinderWindow>(prompter));
    // The report windows, each over an empty report, and the help without a
    // file: their texts alone are wanted.
    windows.push_back(
        std::make_unique<ludra::TfrmPreview>([](QPrinter &) {}, [] {}));
    windows.push_back(std::make_unique<ludra::TfrmPrintSettings>(
        ludra::PrintSettings(), QStringList(), [](QPrinter &, const ludra::PrintSettings &) {}));
    windows.push_back(std::make_unique<ludra::TfrmHelp>(QString(), QString()));
    return windows;
}

QStringList ExampleLines()
{
    BaseDirRestorer restoreBaseDir;
    QTemporaryDir empty;
    if (!empty.isValid())
        throw ludra::Exception(QStringLiteral("cannot make a temporary folder: %1").arg(empty.errorString()));
    ludra::SetBaseDir(empty.path());
    NeutralLocale neutral;

    ludra::SilentPrompter prompter;
    const std::vector<std::unique_ptr<QWidget>> windows = MakeWindows(prompter);
    // With no language file in an empty folder every window keeps its
    // built-in texts.
    if (ludra::LangFile())
        throw ludra::Exception(QStringLiteral("a language file was read; the texts would not be the built-in ones"));

    QStringList lines{
        QStringLiteral("; Ludra language file example: every text a language file can replace,"),
        QStringLiteral("; with the text the program has built in. To use it, save it as"),
        QStringLiteral("; \"english.ini\" beside the program and change the values; a key left out"),
        QStringLiteral("; or left empty keeps the built-in text. In [Misc], \"*|*\" starts a new line."),
        QStringLiteral("; Blanks at both ends of a value are not read."),
        QString(),
        QStringLiteral("[SETTINGS]"),
        QStringLiteral("Font="),
        QStringLiteral("Charset=0"),
        QStringLiteral("; The language of the buttons and dialogs that come with the toolkit (Yes,"),
        QStringLiteral("; No, Cancel, the file dialogs), for example \"de\"; empty, the system's."),
        QStringLiteral("Locale="),
    };
    for (const std::unique_ptr<QWidget> &window : windows) {
        lines.append(QString());
        lines.append(QLatin1Char('[') + window->objectName() + QLatin1Char(']'));
        for (const ludra::LangKey &key : ludra::LangKeys(*window))
            lines.append(key.key + QLatin1Char('=') + valueText(key.text, key.key, false));
    }
    lines.append(QString());
    lines.append(QStringLiteral("[Misc]"));
    for (const ludra::MessageDef &message : ludra::Msg::All) {
        const QString key = QLatin1String(message.key);
        lines.append(key + QLatin1Char('=') + valueText(QLatin1String(message.text), key, true));
    }
    return lines;
}

void WriteExample(const QString &path)
{
    QString error;
    if (!ludra::WriteLines(path, ExampleLines(), &error))
        throw ludra::Exception(error);
}

} // namespace langexample
