#pragma once

#include "common/prompter.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QMessageBox;

namespace ludra {

// Asks the user with the platform's message boxes and file dialogs.
class WidgetPrompter : public Prompter
{
public:
    // Boxes and dialogs are centred on the parent once it is set; before that
    // (while the main window is still being created) they stand on their own.
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    Answer runDialog(QObject &dialog) override;

    // The message box message() shows, ready to be shown: its buttons are
    // the toolkit's own, in the language of its translation.
    static std::unique_ptr<QMessageBox> messageBox(Icon icon, Buttons buttons, const QString &title,
                                                   const QString &text, QWidget *parent = nullptr);

    // "Ludra Files (*.lud)|*.lud" in the file dialog's form "Ludra Files (*.lud)".
    static QString dialogFilter(const QString &filter);

private:
    QString runFileDialog(const FileRequest &request, bool saving);

    QPointer<QWidget> m_parent;
    // The folder of the last file chosen in a file dialog: where a dialog
    // asked without a path of its own opens, rather than the working folder.
    QString m_lastFolder;
};

} // namespace ludra
