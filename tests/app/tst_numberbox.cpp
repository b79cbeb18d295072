#include "views/numberbox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using namespace ludra;

class TstNumberBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data();
    void typing();
    void pastedTextIsNotFiltered();
    void stepping_data();
    void stepping();
};

void TstNumberBox::typing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits pass") << "" << "150" << "150";
    QTest::newRow("letters and signs are discarded") << "" << "1a-2.+3 b" << "123";
    QTest::newRow("beyond the range is kept") << "" << "999" << "999";
    QTest::newRow("backspace passes") << "12" << "\b" << "1";
}

void TstNumberBox::typing()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    NumberBox box(1, 200, start);
    box.show();
    box.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.findChild<QLineEdit *>()->end(false);
    for (const QChar ch : typed) {
        if (ch == QLatin1Char('\b'))
            QTest::keyClick(&box, Qt::Key_Backspace);
        else
            QTest::keyClicks(&box, QString(ch));
    }
    QCOMPARE(box.text(), result);
}

void TstNumberBox::pastedTextIsNotFiltered()
{
    NumberBox box(0, 200, QString());
    box.show();
    box.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QApplication::clipboard()->setText(QStringLiteral("12ab"));
    if (QApplication::clipboard()->text() != QStringLiteral("12ab"))
        QSKIP("no clipboard on this platform");
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box.text(), QStringLiteral("12ab"));
}

void TstNumberBox::stepping_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("result");
    QTest::newRow("up from a number") << "35" << 1 << "36";
    QTest::newRow("down from a number") << "35" << -2 << "33";
    QTest::newRow("stops at the top") << "199" << 5 << "200";
    QTest::newRow("stops at the bottom") << "1" << -1 << "1";
    QTest::newRow("typed beyond the top comes back into range") << "999" << -1 << "199";
    QTest::newRow("from text that is not a number") << "abc" << 1 << "2";
}

void TstNumberBox::stepping()
{
    QFETCH(QString, start);
    QFETCH(int, steps);
    QFETCH(QString, result);
    NumberBox box(1, 200, start);
    box.stepBy(steps);
    QCOMPARE(box.text(), result);
}

QTEST_MAIN(TstNumberBox)
#include "tst_numberbox.moc"
