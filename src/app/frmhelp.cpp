#include "app/frmhelp.h"

#include "app/helptopics.h"
#include "text/langapply.h"
#include "views/widgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ludra {

TfrmHelp::TfrmHelp(const QString &helpFile, const QString &topic, QWidget *parent)
    : QDialog(parent), m_file(QUrl::fromLocalFile(helpFile))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Ludra Help"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_browser = Named(new QTextBrowser(this), QStringLiteral("txtHelp"), QStringLiteral("Help text"));
    m_browser->setOpenExternalLinks(false);

    btnBack = Named(new QPushButton(QStringLiteral("Back"), this), QStringLiteral("btnBack"));
    btnBack->setEnabled(false);
    btnContents = Named(new QPushButton(QStringLiteral("Contents"), this), QStringLiteral("btnContents"));
    connect(btnBack, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, btnBack, &QWidget::setEnabled);
    connect(btnContents, &QPushButton::clicked, this, [this] { showTopic(HelpContentsTopic); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(btnBack);
    row->addWidget(btnContents);
    row->addStretch(1);
    row->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(row);
    resize(720, 620);
    LangApplyProgram(*this);
    if (!helpFile.isEmpty())
        showTopic(topic);
}

QString TfrmHelp::topic() const
{
    return m_browser->source().fragment();
}

void TfrmHelp::showTopic(const QString &topic)
{
    // The help file is HTML under its own name; say so, since the extension
    // does not tell the browser. The topic is the page's anchor, which the
    // browser scrolls to once it is shown.
    QUrl source = m_file;
    source.setFragment(topic.isEmpty() ? QString() : topic);
    m_browser->setSource(source, QTextDocument::HtmlResource);
}

} // namespace ludra
