#include "app/frmabout.h"

#include "text/langapply.h"

#include "common/paths.h"

#include "views/widgets.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra {

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Ludra"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgLogo"));
    icon->setPixmap(LudraIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    // The program's name and version are facts, not words: no language file
    // replaces them.
    auto *name = new QLabel(QStringLiteral("<b style=\"font-size:16pt\">Ludra</b>"), this);
    name->setObjectName(QStringLiteral("lblProductName"));
    name->setProperty(LangFixed, true);
    auto *version = new QLabel(QStringLiteral("Version %1 (Qt %2)")
                                   .arg(QStringLiteral(LUDRA_VERSION), QString::fromLatin1(qVersion())),
                               this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setProperty(LangFixed, true);
    auto *description = new QLabel(QStringLiteral("An implant planner: choose the skills that matter, lay their "
                                                  "clusters out over the thirteen body slots and work out what "
                                                  "the build needs."),
                                   this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    description->setFixedWidth(290);
    auto *credits = new QLabel(QStringLiteral("Written by the Ludra team."), this);
    credits->setObjectName(QStringLiteral("lblCredits"));
    credits->setWordWrap(true);
    credits->setFixedWidth(290);

    // Where the files are, so a user can find their own: facts, like the version.
    const FileLayout &files = CurrentLayout();
    const QString foldersText =
        files.portable
            ? QStringLiteral("Files: %1").arg(QDir::toNativeSeparators(files.dataDir))
            : QStringLiteral("Shipped files: %1\nYour files: %2")
                  .arg(QDir::toNativeSeparators(files.dataDir), QDir::toNativeSeparators(files.userDir));
    auto *folders = new QLabel(foldersText, this);
    folders->setObjectName(QStringLiteral("lblFolders"));
    folders->setProperty(LangFixed, true);
    folders->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folders->setWordWrap(true);
    folders->setFixedWidth(290);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);
    text->addSpacing(8);
    text->addWidget(credits);
    text->addSpacing(8);
    text->addWidget(folders);
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LangApplyProgram(*this);
}

} // namespace ludra
