#include "app/widgetprompter.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "text/messages.h"

namespace ludra {

std::unique_ptr<QMessageBox> WidgetPrompter::messageBox(Icon icon, Buttons buttons, const QString &title,
                                                        const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    box->setText(text);
    switch (icon) {
    case Icon::Information: box->setIcon(QMessageBox::Information); break;
    case Icon::Warning: box->setIcon(QMessageBox::Warning); break;
    case Icon::Stop: box->setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        break;
    case Buttons::SaveDiscardCancel:
    case Buttons::SaveDiscardNewWindowCancel:
        box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Save);
        box->setEscapeButton(QMessageBox::Cancel);
        if (buttons == Buttons::SaveDiscardNewWindowCancel)
            box->addButton(LangMsg(Msg::OpenInNewWindowButton), QMessageBox::AcceptRole)
                ->setObjectName(QStringLiteral("btnOpenInNewWindow"));
        break;
    case Buttons::RestoreDiscard: {
        QPushButton *restore = box->addButton(LangMsg(Msg::RestoreButton), QMessageBox::AcceptRole);
        restore->setObjectName(QStringLiteral("btnRestore"));
        box->addButton(QMessageBox::Discard);
        box->setDefaultButton(restore);
        // Escape or the close button keeps the plans for the next start.
        box->addButton(QMessageBox::Cancel)->hide();
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    }
    return box;
}

Prompter::Answer WidgetPrompter::message(Icon icon, Buttons buttons, const QString &title, const QString &text)
{
    const std::unique_ptr<QMessageBox> box = messageBox(icon, buttons, title, text, m_parent);
    const int pressed = box->exec();
    if (box->clickedButton() && box->clickedButton()->objectName() == QLatin1String("btnOpenInNewWindow"))
        return Answer::NewWindow;
    if (box->clickedButton() && box->clickedButton()->objectName() == QLatin1String("btnRestore"))
        return Answer::Restore;
    switch (pressed) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

QString WidgetPrompter::dialogFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i);
        const QString patterns = QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        // The dialog reads its patterns from the last parentheses; add them
        // when the description does not already end with them.
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        entries.append(description.endsWith(shown) ? description : QStringLiteral("%1 %2").arg(description, shown));
    }
    return entries.join(QStringLiteral(";;"));
}

QString WidgetPrompter::runFileDialog(const FileRequest &request, bool saving)
{
    const QString start =
        !request.initialPath.isEmpty() ? request.initialPath : !m_lastFolder.isEmpty() ? m_lastFolder : QDir::homePath();
    QFileDialog dialog(m_parent, request.title, start, dialogFilter(request.filter));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString WidgetPrompter::openFileName(const FileRequest &request)
{
    return runFileDialog(request, false);
}

QString WidgetPrompter::saveFileName(const FileRequest &request)
{
    return runFileDialog(request, true);
}

} // namespace ludra

namespace ludra {

Prompter::Answer WidgetPrompter::runDialog(QObject &dialog)
{
    auto *window = qobject_cast<QDialog *>(&dialog);
    Q_ASSERT(window);
    if (!window)
        return Answer::Cancel;
    return window->exec() == QDialog::Accepted ? Answer::Ok : Answer::Cancel;
}

} // namespace ludra
