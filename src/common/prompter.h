#pragma once

#include <QString>

class QObject;

namespace ludra {

// Everything that asks the user something goes through this interface. The
// program implements it with message boxes and file dialogs; tests implement
// it with scripted answers and keep a record of what was asked.
class Prompter
{
public:
    enum class Icon { Information, Warning, Stop };
    // SaveDiscardCancel: the question before a plan with unsaved changes is
    // closed or replaced; SaveDiscardNewWindowCancel the same before another
    // project is opened, which may open in a window of its own instead;
    // RestoreDiscard the question at start-up about the plans kept from a run
    // that did not end normally (closed unanswered: Cancel).
    enum class Buttons { Ok, OkCancel, YesNo, SaveDiscardCancel, SaveDiscardNewWindowCancel, RestoreDiscard };
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard, NewWindow, Restore };

    // A file dialog's settings. The filter is written as pairs of description
    // and pattern separated by "|", for example "Ludra Files (*.lud)|*.lud".
    struct FileRequest
    {
        QString title;
        QString filter;
        QString defaultSuffix;
        QString initialPath;
    };

    virtual ~Prompter() = default;

    // Shows a message box and returns the button pressed. Closing the box
    // without pressing a button answers Cancel, or No for Yes/No boxes.
    virtual Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) = 0;

    // Asks for a file to open or to save to; an empty result means cancelled.
    // Saving asks before an existing file is replaced.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;

    // Runs a modal sub-dialog the caller has made (a dialog window: this
    // interface names it by its QObject side so that core code needs no
    // widgets) and returns Ok when the user accepted it, Cancel otherwise.
    // The dialog's settings are read back from it after the call.
    virtual Answer runDialog(QObject &dialog) = 0;

    // Reports an error that ended a command: stop icon, OK, the program's name as title.
    void error(const QString &text) { message(Icon::Stop, Buttons::Ok, QStringLiteral("Ludra"), text); }
};

// Answers every message with its affirmative button and cancels every file
// and sub-dialog, showing nothing: for
// the benchmarks and tools that run the windows without a user.
class SilentPrompter : public Prompter
{
public:
    Answer message(Icon, Buttons buttons, const QString &, const QString &) override
    {
        switch (buttons) {
        case Buttons::YesNo: return Answer::Yes;
        // Nothing is saved behind anyone's back.
        case Buttons::SaveDiscardCancel:
        case Buttons::SaveDiscardNewWindowCancel: return Answer::Discard;
        // Nor deleted: kept for a run with someone to ask.
        case Buttons::RestoreDiscard: return Answer::Cancel;
        default: return Answer::Ok;
        }
    }
    QString openFileName(const FileRequest &) override { return QString(); }
    QString saveFileName(const FileRequest &) override { return QString(); }
    Answer runDialog(QObject &) override { return Answer::Cancel; }
};

} // namespace ludra
