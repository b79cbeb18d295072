#pragma once

#include "common/prompter.h"

#include <QList>
#include <QStringList>

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

    // Answers given in order; once they run out every message is answered
    // with its affirmative button (OK or Yes).
    QList<Answer> answers;
    // File names given in order to file dialogs; empty once they run out.
    QStringList fileNames;

    QList<Asked> asked;
    QList<FileRequest> fileRequests;

    Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) override
    {
        asked.append(Asked{icon, buttons, title, text});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    QString openFileName(const FileRequest &request) override { return nextFile(request); }
    QString saveFileName(const FileRequest &request) override { return nextFile(request); }

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
