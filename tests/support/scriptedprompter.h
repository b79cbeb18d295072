#pragma once

#include "common/prompter.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QStringList>

#include <functional>

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
    // The object names of the sub-dialogs run, in order.
    QStringList dialogsRun;

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
        const bool accepted = script.answer == Answer::Ok;
        QMetaObject::invokeMethod(&dialog, accepted ? "accept" : "reject", Qt::DirectConnection);
        return accepted ? Answer::Ok : Answer::Cancel;
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
