#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

namespace ludra {

// Shows the help file of the shipped files at a topic, one of its anchors,
// with "Back" to the place before a link was followed and "Contents". An
// empty file name shows nothing (the example language file's tool makes the
// window for its texts alone).
class TfrmHelp : public QDialog
{
    Q_OBJECT

public:
    TfrmHelp(const QString &helpFile, const QString &topic, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    // The topic shown.
    QString topic() const;
    void showTopic(const QString &topic);

private:
    QUrl m_file;
    QTextBrowser *m_browser = nullptr;
    QPushButton *btnBack = nullptr;
    QPushButton *btnContents = nullptr;
};

} // namespace ludra
