#include "text/langapply.h"
#include "text/langfile.h"
#include "text/messages.h"
#include "common/paths.h"
#include "common/text.h"
#include "langexample.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "views/numberbox.h"
#include "app/frmludra.h"
#include "model/plandocument.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

const QString Changed = QStringLiteral("\u00a7 ");

// The example file with every value of the windows' sections and of "Misc"
// changed to Changed followed by the built-in text.
QStringList changedExample()
{
    const QStringList lines = SplitLines(readFile(sourceDir() + "/resources/" + langexample::FileName));
    QStringList changed;
    bool settings = false;
    for (const QString &line : lines) {
        if (line.startsWith('['))
            settings = line == "[SETTINGS]";
        const qsizetype equals = line.indexOf('=');
        const bool keep = settings || line.startsWith(';') || equals < 0;
        changed.append(keep ? line : line.left(equals + 1) + Changed + line.mid(equals + 1));
    }
    return changed;
}

} // namespace

class TstLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void reader_data();
    void reader();
    void messages_data();
    void messages();
    void bigFilesLoad();
    void everyWindowTextApplied();
    void linesAndEntries_data();
    void linesAndEntries();
    void askedMessagesAreChanged();

private:
    // Makes the language file of the base folder and opens it.
    void open(const QByteArray &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
};

void TstLanguage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetBaseDir(m_dir->path());
    m_prompter = ScriptedPrompter();
}

void TstLanguage::cleanup()
{
    // No language file stays open for the next test.
    QFile::remove(m_dir->filePath(TLangFile::FileName));
    LangOpen();
    QVERIFY(!LangFile());
}

void TstLanguage::open(const QByteArray &text)
{
    writeFile(m_dir->filePath(TLangFile::FileName), text);
    LangOpen();
    QVERIFY(LangFile());
}

void TstLanguage::reader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // "-" when absent

    QTest::newRow("names without regard to case") << "[misc]\r\nm01=x\r\n" << "MISC" << "M01" << "x";
    QTest::newRow("comment") << "[S]\n;K=x\n" << "S" << ";K" << "-";
    QTest::newRow("blanks around line and =") << "  [S]  \n \t K  =  a b \t\n" << "S" << "K" << "a b";
    QTest::newRow("commas and quotes verbatim") << "[S]\nK=\"a\", 'b' ,c;d\n" << "S" << "K" << "\"a\", 'b' ,c;d";
    QTest::newRow("second = is the value's") << "[S]\nK=a=b\n" << "S" << "K" << "a=b";
    QTest::newRow("empty value") << "[S]\nK=\n" << "S" << "K" << "";
    QTest::newRow("first of a doubled key") << "[S]\nK=1\nk=2\n[s]\nK=3\n" << "S" << "K" << "1";
    QTest::newRow("same section twice") << "[S]\nK=1\n[s]\nL=3\n" << "S" << "L" << "3";
    QTest::newRow("line without =") << "[S]\nK\rK v\r\n" << "S" << "K" << "-";
    QTest::newRow("key before any section") << "K=v\n[S]\n" << "S" << "K" << "-";
    QTest::newRow("no SETTINGS section") << "[frmLudra]\nFont=Serif\n" << "SETTINGS" << "Font" << "-";
}

void TstLanguage::reader()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto file = TLangFile::fromText(text);
    QCOMPARE(file->value(section, key, "-"), value);
}

void TstLanguage::messages_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    const QString builtIn = QLatin1String(Msg::ClearAllocateText.text);
    QTest::newRow("no Misc section") << QByteArray("[SETTINGS]\r\nFont=\r\n[misC2]\r\nM22=x\r\n") << builtIn;
    QTest::newRow("empty value") << QByteArray("[Misc]\r\nM22=\r\n") << builtIn;
    QTest::newRow("two breaks, three lines") << QByteArray("[Misc]\r\nM22=a *|*b*|* c\r\n") << "a \nb\n c";
    QTest::newRow("starts with a break") << QByteArray("[Misc]\r\nm22=*|*b\r\n") << "\nb";
}

void TstLanguage::messages()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QCOMPARE(LangMsg(Msg::ClearAllocateText), QLatin1String(Msg::ClearAllocateText.text));
    open(file);
    QCOMPARE(LangMsg(Msg::ClearAllocateText), text);
}

void TstLanguage::bigFilesLoad()
{
    // One line of 4 MB, then 100,000 keys.
    QByteArray text = "[S]\r\nLong=" + QByteArray(4 << 20, 'x') + "\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "K" + QByteArray::number(i) + "=v" + QByteArray::number(i) + "\r\n";
    open(text);
    QCOMPARE(LangFile()->keyCount(), 100001);
    QCOMPARE(LangFile()->value("S", "Long").size(), 4 << 20);
    QCOMPARE(LangFile()->value("s", "k99999"), QStringLiteral("v99999"));
}

void TstLanguage::everyWindowTextApplied()
{
    const QStringList lines = changedExample();
    QVERIFY(lines.size() > 100);
    open(EncodeLines(lines).value());
    const std::vector<std::unique_ptr<QWidget>> windows = langexample::MakeWindows(m_prompter);
    for (const std::unique_ptr<QWidget> &window : windows) {
        // The window's keys are exactly those of its section, each with its
        // changed text (as read: without the blanks at its end).
        const qsizetype start = lines.indexOf('[' + window->objectName() + ']');
        QVERIFY2(start >= 0, qPrintable(window->objectName()));
        QStringList expected, found;
        for (qsizetype n = start + 1; n < lines.size() && !lines.at(n).isEmpty(); ++n)
            expected.append(TrimCtl(lines.at(n)));
        for (const LangKey &key : LangKeys(*window))
            found.append(key.key + '=' + key.text);
        QCOMPARE(found, expected);
    }
    QCOMPARE(windows.front()->findChild<QPushButton *>("btnBuild")->text(), Changed + "&Build >>");
    QCOMPARE(LangFile()->value("frmLudra", "frmLudra.btnBuild.Caption"), Changed + "&Build >>");
}

void TstLanguage::linesAndEntries_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("fontChanged");
    // Entries and lines that are data (the system's fonts, a typed title).
    QTest::addColumn<bool>("data");
    QTest::newRow("absent keys") << QByteArray("[dlgTest]\n") << "one\ntwo" << QStringList{"a", "b"} << false << false;
    QTest::newRow("empty values") << QByteArray("[SETTINGS]\nFont=\n[dlgTest]\ndlgTest.memNotes.lines[0]=\n"
                                                "dlgTest.cboPick.items[0]=\n")
                                  << "\ntwo" << QStringList{"a", "b"} << false << false;
    QTest::newRow("values, and beyond the end")
        << QByteArray("[SETTINGS]\nFont=Ludra Test Face\n[dlgTest]\ndlgTest.memNotes.lines[1]=zwei\n"
                      "dlgTest.memNotes.lines[2]=x\ndlgTest.cboPick.items[1]=B\ndlgTest.cboPick.items[2]=C\n")
        << "one\nzwei" << QStringList{"a", "B"} << true << false;
    QTest::newRow("data entries")
        << QByteArray("[dlgTest]\ndlgTest.memNotes.lines[0]=eins\ndlgTest.cboPick.items[1]=B\n"
                      "dlgTest.cboPick.AccessibleName=Wahl\n")
        << "one\ntwo" << QStringList{"a", "b"} << false << true;
}

void TstLanguage::linesAndEntries()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, memo);
    QFETCH(QStringList, items);
    QFETCH(bool, fontChanged);
    QFETCH(bool, data);
    QDialog dialog;
    dialog.setObjectName("dlgTest");
    auto *notes = new QPlainTextEdit("one\ntwo", &dialog);
    notes->setObjectName("memNotes");
    auto *pick = new QComboBox(&dialog);
    pick->setObjectName("cboPick");
    pick->addItems({"a", "b"});
    pick->setAccessibleName("Pick");
    notes->setProperty(LangDataEntries, data);
    pick->setProperty(LangDataEntries, data);
    const QString face = dialog.font().family();
    LangApply(dialog, *TLangFile::fromText(QString::fromLatin1(file)));
    QCOMPARE(notes->toPlainText(), memo);
    QCOMPARE(QStringList({pick->itemText(0), pick->itemText(1)}), items);
    QCOMPARE(pick->count(), 2);
    QCOMPARE(dialog.font().family(), fontChanged ? QStringLiteral("Ludra Test Face") : face);
    // The control's name is a text of the window all the same.
    QCOMPARE(pick->accessibleName(), data ? QStringLiteral("Wahl") : QStringLiteral("Pick"));
}

void TstLanguage::askedMessagesAreChanged()
{
    open(EncodeLines(changedExample()).value());
    QStringList changedMessages;
    for (const MessageDef &message : Msg::All)
        changedMessages.append(Changed + QLatin1String(message.text).trimmed());
    const std::vector<std::unique_ptr<QWidget>> windows = langexample::MakeWindows(m_prompter);
    QWidget &main = *windows.front();
    // Without reference files: the three missing-file messages.
    QCOMPARE(m_prompter.asked.size(), 3);
    m_prompter.answers = {Prompter::Answer::No};
    // A cell to erase, so that allocation asks first.
    qobject_cast<TfrmLudra *>(&main)->document().editPlan(
        QStringLiteral("cell"), [](LayoutState &layout) { layout.editCell(1, 1, QStringLiteral("Agility")); });
    main.findChild<QPushButton *>("btnAllocate")->click();
    main.findChild<NumberBox *>("edtImplantQL")->setText("0");
    main.findChild<QPushButton *>("btnBuild")->click();
    QCOMPARE(m_prompter.asked.size(), 5);
    QCOMPARE(m_prompter.asked.last().title, Changed + Msg::NoTargetTitle.text);
    for (const ScriptedPrompter::Asked &asked : m_prompter.asked) {
        QVERIFY2(changedMessages.contains(asked.title), qPrintable(asked.title));
        QVERIFY2(changedMessages.contains(asked.text), qPrintable(asked.text));
    }
    main.findChild<QAction *>("Save1")->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().title, Changed + Msg::SaveUnnamedTitle.text);
    QCOMPARE(m_prompter.fileRequests.first().filter, Changed + Msg::SaveUnnamedFilter.text);
}

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
