#include "views/fittingcombobox.h"

#include <QAbstractItemView>
#include <QTest>

using namespace ludra;

class TstFittingComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openListShowsTheLongestEntry();
    void cutEntryIsItsTooltip();
};

// Shows the box, a short entry and a long one in it, at the given width.
static bool showBox(FittingComboBox &box, int width)
{
    box.addItems({QStringLiteral("Bow"), QStringLiteral("Sensory Improvement & Modification")});
    box.setFixedWidth(width);
    box.show();
    return QTest::qWaitForWindowExposed(&box);
}

// A box narrower than its entries opens a list wide enough for the longest.
void TstFittingComboBox::openListShowsTheLongestEntry()
{
    FittingComboBox box;
    QVERIFY(showBox(box, 80));
    box.showPopup();
    QAbstractItemView *list = box.view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(list->width() >= list->sizeHintForColumn(0));
    QVERIFY(list->width() > box.width());
    box.hidePopup();
}

// The entry the box cannot show whole is shown as its tooltip; one that
// fits is not.
void TstFittingComboBox::cutEntryIsItsTooltip()
{
    FittingComboBox box;
    QVERIFY(showBox(box, 100));
    QVERIFY(box.showsWholeText());
    QVERIFY(box.shownToolTip().isEmpty());
    box.setCurrentIndex(1);
    QVERIFY(!box.showsWholeText());
    QCOMPARE(box.shownToolTip(), QStringLiteral("Sensory Improvement & Modification"));
    // Wide enough again, the tooltip goes.
    box.setFixedWidth(box.fontMetrics().horizontalAdvance(box.currentText()) + 200);
    QVERIFY(box.showsWholeText());
    QVERIFY(box.shownToolTip().isEmpty());
    // A tooltip of its own stays whatever the entry.
    box.setToolTip(QStringLiteral("Skills"));
    box.setFixedWidth(100);
    QCOMPARE(box.shownToolTip(), QStringLiteral("Skills"));
}

QTEST_MAIN(TstFittingComboBox)
#include "tst_fittingcombobox.moc"
