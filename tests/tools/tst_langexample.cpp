#include "langexample.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

class TstLangExample : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFileMatchesTheGenerator();
};

void TstLangExample::shippedFileMatchesTheGenerator()
{
    const QString source = sourceDir();
    QVERIFY2(!source.isEmpty(), "LUDRA_SOURCE_DIR is not set");
    QTemporaryDir out;
    const QString generated = out.filePath(langexample::FileName);
    langexample::WriteExample(generated);
    const QByteArray bytes = readFile(generated);
    // The settings, fifteen windows and the messages, each a section.
    QVERIFY(bytes.count("\r\n[") == 18);
    QVERIFY2(bytes == readFile(source + "/resources/" + langexample::FileName),
             "resources/english.ini.example is not what the generator makes; "
             "run: cmake --build build --target langexample");
}

QTEST_MAIN(TstLangExample)
#include "tst_langexample.moc"
