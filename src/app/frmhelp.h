#pragma once

#include <QDialog>

class QTextBrowser;

namespace ludra {

// Shows the help file of the shipped files at its first topic.
class TfrmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmHelp(const QString &helpFile, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace ludra
