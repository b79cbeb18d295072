#pragma once

#include "common/prompter.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
// Not in a test's child process, which has no Qt Test: there a dialog is
// taken as accepted.
#if __has_include(<QSignalSpy>)
#include <QSignalSpy>
#define LUDRA_TEST_SEES_REFUSALS 1
#endif
#include <QStringList>

#include <functional>
#include <optional>

// Answers prompts from a script and keeps a record of every prompt, so tests
// can run commands that ask the user without a display or a person.
class ScriptedPrompter : public ludra::Prompter
{
public:
    struct Asked
    {
        Icon icon;
        Buttons buttons;
        QString title;
        QString text;
    };

    // How to answer one modal sub-dialog: fill runs first, with the dialog as
    // it was made (to check it or to set its controls, as a user would), then
    // the dialog is accepted (Ok) or cancelled (Cancel) through its own slots.
    // A dialog that refuses to be accepted (its OK found a value wrong) stays
    // open for a person; for the script it is cancelled, and its name kept in
    // dialogsRefused.
    struct DialogScript
    {
        Answer answer = Answer::Ok;
        std::function<void(QObject &)> fill;
    };

    // Answers given in order; once they run out every message is answered
    // with its affirmative button (OK, Yes, Save or Restore).
    QList<Answer> answers;
    // File names given in order to file dialogs; empty once they run out.
    QStringList fileNames;
    // Sub-dialog answers in order; once they run out a dialog is accepted as
    // it stands.
    QList<DialogScript> dialogs;

    QList<Asked> asked;
    QList<FileRequest> fileRequests;
    // The object names of the sub-dialogs run, in order, and of those that
    // refused the script's OK.
    QStringList dialogsRun;
    QStringList dialogsRefused;

    Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) override
    {
        asked.append(Asked{icon, buttons, title, text});
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (buttons == Buttons::SaveDiscardCancel || buttons == Buttons::SaveDiscardNewWindowCancel)
            return Answer::Save;
        if (buttons == Buttons::RestoreDiscard)
            return Answer::Restore;
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    QString openFileName(const FileRequest &request) override { return nextFile(request); }
    QString saveFileName(const FileRequest &request) override { return nextFile(request); }

    Answer runDialog(QObject &dialog) override
    {
        dialogsRun.append(dialog.objectName());
        const DialogScript script = dialogs.isEmpty() ? DialogScript() : dialogs.takeFirst();
        if (script.fill)
            script.fill(dialog);
        if (script.answer != Answer::Ok) {
            QMetaObject::invokeMethod(&dialog, "reject", Qt::DirectConnection);
            return Answer::Cancel;
        }
        // A dialog tells that it was accepted; an object that is no dialog
        // takes the answer as given.
#ifdef LUDRA_TEST_SEES_REFUSALS
        std::optional<QSignalSpy> accepted;
        if (dialog.metaObject()->indexOfSignal("accepted()") >= 0)
            accepted.emplace(&dialog, SIGNAL(accepted()));
#endif
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
#ifdef LUDRA_TEST_SEES_REFUSALS
        if (accepted && accepted->isEmpty()) {
            dialogsRefused.append(dialog.objectName());
            return Answer::Cancel;
        }
#endif
        return Answer::Ok;
    }

    QStringList titles() const
    {
        QStringList result;
        for (const Asked &a : asked)
            result.append(a.title);
        return result;
    }

private:
    QString nextFile(const FileRequest &request)
    {
        fileRequests.append(request);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};
