#pragma once

#include <QDialog>

class QTextBrowser;

namespace ludra {

// Shows the help file of the shipped files at a topic, one of its anchors.
class TfrmHelp : public QDialog
{
    Q_OBJECT

public:
    TfrmHelp(const QString &helpFile, const QString &topic, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    // The topic shown first.
    QString topic() const;

private:
    QTextBrowser *m_browser;
};

} // namespace ludra
