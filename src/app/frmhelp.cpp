#include "app/frmhelp.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ludra {

TfrmHelp::TfrmHelp(const QString &helpFile, const QString &topic, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Ludra Help"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setAccessibleName(QStringLiteral("Help text"));
    m_browser->setOpenExternalLinks(false);
    // The help file is HTML under its own name; say so, since the extension
    // does not tell the browser. The topic is the page's anchor, which the
    // browser scrolls to once it is shown.
    QUrl source = QUrl::fromLocalFile(helpFile);
    source.setFragment(topic);
    m_browser->setSource(source, QTextDocument::HtmlResource);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(720, 620);
}

QString TfrmHelp::topic() const
{
    return m_browser->source().fragment();
}

} // namespace ludra
