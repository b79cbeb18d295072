// The help: F1 and "Ludra Help" open the help window at the topic of the tab
// or dialog in front, and every topic and link of the help file leads to a
// place in it.

#include "app/frmhelp.h"
#include "app/frmludra.h"
#include "build/frmgraphs.h"
#include "app/helptopics.h"
#include "common/paths.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <functional>
#include <memory>

using namespace ludra;

namespace {

// The block of the help's document that carries the anchor.
QTextBlock anchorBlock(const QTextDocument &document, const QString &anchor)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block;
    return {};
}

QString helpSource()
{
    return QString::fromLatin1(readFile(sourceDir() + QStringLiteral("/resources/Ludra.hlp")));
}

} // namespace

class TstHelp : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensAtTheTopicInFront_data();
    void opensAtTheTopicInFront();
    void contentsAndBack();
    void everyTopicAndLinkLeadsSomewhere();

private:
};

void TstHelp::init()
{
    // The Graphs window built in, in place of the program's module.
    UseBuiltInGraphsWindow();
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Empty,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\n");
    QVERIFY(QFile::copy(sourceDir() + "/resources/Ludra.hlp", m_dir->filePath("Ludra.hlp")));
    m_window = std::make_unique<TfrmLudra>(m_prompter);
    m_window->makeEveryPage();
    QVERIFY(m_prompter.asked.isEmpty());
}

void TstHelp::cleanup()
{
    stopFolder();
}

using Opener = std::function<void(TfrmLudra &)>;
Q_DECLARE_METATYPE(Opener)

void TstHelp::opensAtTheTopicInFront_data()
{
    QTest::addColumn<int>("tab");
    // How the dialog in front is opened; none for a tab.
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("topic");
    const auto action = [](const char *name) {
        return Opener([name](TfrmLudra &window) { window.findChild<QAction *>(QLatin1String(name))->trigger(); });
    };
    const auto button = [](const char *name) {
        return Opener([name](TfrmLudra &window) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); });
    };
    QTest::newRow("Layout") << 0 << Opener() << "layout";
    QTest::newRow("Build") << 1 << Opener() << "build";
    QTest::newRow("Result - Skill Increases") << 2 << Opener() << "skillincreases";
    QTest::newRow("Result - Requirements") << 3 << Opener() << "requirements";
    QTest::newRow("Result - Suggestions") << 4 << Opener() << "suggestions";
    QTest::newRow("Result - Ladder") << 5 << Opener() << "ladder";
    QTest::newRow("Stock Control") << 0 << action("StockControl1") << "stock";
    QTest::newRow("Auto Allocation Rules") << 0 << action("AutoAllocateRules1") << "rules";
    QTest::newRow("Options") << 0 << action("Options1") << "options";
    QTest::newRow("Print Settings") << 0 << action("PrintSetup1") << "printsettings";
    QTest::newRow("Preview") << 0 << action("PrintPreview1") << "preview";
    QTest::newRow("Character") << 1 << button("btnCharacter") << "character";
    QTest::newRow("Implant Selections") << 1 << Opener([](TfrmLudra &window) {
        window.findChild<QRadioButton *>(QStringLiteral("rdoIndiQL"))->click();
        window.findChild<QAbstractButton *>(QStringLiteral("btnSelIndiImplants"))->click();
    }) << "selections";
    QTest::newRow("Build Log") << 2 << button("btnLogSkill") << "log";
    // The Graphs window is no dialog: it stays open beside the main window,
    // and F1 there opens the help over it.
    QTest::newRow("Graphs") << 0 << Opener([](TfrmLudra &window) {
        window.findChild<QAction *>(QStringLiteral("Graphs1"))->trigger();
        auto *graphs = window.findChild<QWidget *>(QStringLiteral("frmGraphs"));
        QVERIFY(graphs && QTest::qWaitForWindowExposed(graphs));
        QTest::keyClick(graphs->focusWidget() ? graphs->focusWidget() : graphs, Qt::Key_F1);
    }) << "graphs";
}

void TstHelp::opensAtTheTopicInFront()
{
    QFETCH(int, tab);
    QFETCH(Opener, open);
    QFETCH(QString, topic);
    m_window->findChild<QTabWidget *>(QStringLiteral("pgcMain"))->setCurrentIndex(tab);

    QString shownTopic;
    QString heading;
    bool atTop = false;
    const ScriptedPrompter::DialogScript help{Prompter::Answer::Cancel, [&](QObject &dialog) {
        auto *window = qobject_cast<TfrmHelp *>(&dialog);
        QVERIFY(window);
        shownTopic = window->topic();
        // Shown, the help has scrolled to the topic's heading.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextBrowser *browser = window->browser();
        const QTextBlock block = anchorBlock(*browser->document(), topic);
        QVERIFY2(block.isValid(), qPrintable(topic));
        heading = block.text();
        const int top = browser->cursorRect(QTextCursor(block)).top();
        const QScrollBar *scroll = browser->verticalScrollBar();
        atTop = top >= 0 && (top < browser->viewport()->height() / 4 || scroll->value() == scroll->maximum());
        QVERIFY(scroll->value() > 0);
    }};
    if (!open) {
        m_prompter.dialogs = {help};
        m_window->findChild<QAction *>(QStringLiteral("Help2"))->trigger();
        QCOMPARE(m_prompter.dialogsRun, QStringList{"frmHelp"});
    } else if (topic == QLatin1String("graphs")) {
        m_prompter.dialogs = {help};
        open(*m_window);
        QCOMPARE(m_prompter.dialogsRun, QStringList{"frmHelp"});
    } else {
        // F1 in the dialog opens the help over it.
        QString front;
        m_prompter.dialogs = {{Prompter::Answer::Cancel, [&](QObject &dialog) {
                                   front = dialog.objectName();
                                   auto &widget = static_cast<QWidget &>(dialog);
                                   QTest::keyClick(widget.focusWidget() ? widget.focusWidget() : &widget, Qt::Key_F1);
                               }},
                              help};
        open(*m_window);
        QCOMPARE(m_prompter.dialogsRun, (QStringList{front, "frmHelp"}));
    }
    QCOMPARE(shownTopic, topic);
    QVERIFY2(atTop, qPrintable(heading));
    QVERIFY(!heading.isEmpty());
    QVERIFY2(m_prompter.asked.isEmpty(), qPrintable(m_prompter.asked.value(0).text));
}

void TstHelp::contentsAndBack()
{
    m_window->findChild<QTabWidget *>(QStringLiteral("pgcMain"))->setCurrentIndex(1);
    bool seen = false;
    m_prompter.dialogs = {{Prompter::Answer::Cancel, [&seen](QObject &dialog) {
                               auto &help = static_cast<TfrmHelp &>(dialog);
                               auto *back = help.findChild<QPushButton *>(QStringLiteral("btnBack"));
                               QCOMPARE(help.topic(), QStringLiteral("build"));
                               QVERIFY(!back->isEnabled());
                               help.findChild<QPushButton *>(QStringLiteral("btnContents"))->click();
                               QCOMPARE(help.topic(), HelpContentsTopic);
                               // A link of the contents, then back twice.
                               help.showTopic(QStringLiteral("stock"));
                               QVERIFY(back->isEnabled());
                               back->click();
                               QCOMPARE(help.topic(), HelpContentsTopic);
                               back->click();
                               QCOMPARE(help.topic(), QStringLiteral("build"));
                               QVERIFY(!back->isEnabled());
                               seen = true;
                           }}};
    m_window->findChild<QAction *>(QStringLiteral("Help2"))->trigger();
    QVERIFY(seen);
}

void TstHelp::everyTopicAndLinkLeadsSomewhere()
{
    const QString html = helpSource();
    QVERIFY(!html.isEmpty());
    QStringList anchors;
    const QRegularExpression named(QStringLiteral("<a name=\"([^\"]+)\""));
    for (auto it = named.globalMatch(html); it.hasNext();) {
        const QString anchor = it.next().captured(1);
        QVERIFY2(!anchors.contains(anchor), qPrintable(anchor + " twice"));
        anchors << anchor;
    }
    // Every window's topic is a place in the file.
    QVERIFY(anchors.contains(HelpContentsTopic));
    for (auto it = HelpTopics().cbegin(); it != HelpTopics().cend(); ++it)
        QVERIFY2(anchors.contains(it.value()), qPrintable(it.key() + " -> " + it.value()));
    // Every link within the file leads to one, and every place but the
    // contents themselves is listed in them.
    QStringList linked;
    const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\""));
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        QVERIFY2(anchors.contains(target), qPrintable(target));
        linked << target;
    }
    for (const QString &anchor : anchors)
        QVERIFY2(anchor == HelpContentsTopic || linked.contains(anchor), qPrintable(anchor + " is never linked"));
}

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
