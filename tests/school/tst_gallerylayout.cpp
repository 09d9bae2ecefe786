// The gallery's placement rules, without a window.

#include "gallerylayout.h"

#include <QTest>

class tst_GalleryLayout : public QObject
{
    Q_OBJECT
private slots:
    void cardsFormSixRowsOfThirteen_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1, top left") << 1 << QRect(120, 100, 735, 1335);
        QTest::newRow("13, top right") << 13 << QRect(10200, 100, 735, 1335);
        QTest::newRow("14, second row") << 14 << QRect(120, 1520, 735, 1335);
        QTest::newRow("40, fourth row") << 40 << QRect(120, 4380, 735, 1335);
        QTest::newRow("66, last row") << 66 << QRect(120, 7260, 735, 1335);
        QTest::newRow("78, bottom right") << 78 << QRect(10200, 7260, 735, 1335);
    }
    void cardsFormSixRowsOfThirteen()
    {
        QFETCH(int, card);
        QFETCH(QRect, expected);
        QCOMPARE(GalleryLayout::card(card - 1), expected);
        const QRect whole(0, 0, GalleryLayout::kWidth, GalleryLayout::kHeight);
        QVERIFY(whole.contains(GalleryLayout::card(card - 1)));
    }

    void keywordBoxStandsBesideThePressedCard_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<bool>("above");
        QTest::newRow("1: below, at its left") << 1 << QPoint(120, 1400) << false;
        QTest::newRow("10: left 7680, not clamped") << 10 << QPoint(7680, 1400) << false;
        QTest::newRow("11: clamped to 7920") << 11 << QPoint(7920, 1400) << false;
        QTest::newRow("52: fourth row still hangs below") << 52 << QPoint(7920, 5680) << false;
        QTest::newRow("53: fifth row stands above") << 53 << QPoint(120, 3820) << true;
        QTest::newRow("66: last row, above") << 66 << QPoint(120, 5260) << true;
        QTest::newRow("78: last card, above, clamped") << 78 << QPoint(7920, 5260) << true;
    }
    void keywordBoxStandsBesideThePressedCard()
    {
        QFETCH(int, card);
        QFETCH(QPoint, topLeft);
        QFETCH(bool, above);
        const QRect box = GalleryLayout::boxFor(card - 1);
        const QRect c = GalleryLayout::card(card - 1);
        QCOMPARE(box.topLeft(), topLeft);
        QCOMPARE(box.size(), QSize(3015, 1935));
        if (above) {
            QVERIFY(box.top() + box.height() <= c.top());
        } else {
            // Starts just above the card's foot and hangs below it.
            QVERIFY(box.top() > c.top() && box.top() < c.top() + c.height());
            QVERIFY(box.top() + box.height() > c.top() + c.height());
        }
        // Never past the window's edges.
        const QRect whole(0, 0, GalleryLayout::kWidth, GalleryLayout::kHeight);
        QVERIFY2(whole.contains(box), qPrintable(QStringLiteral("%1,%2").arg(box.right()).arg(box.bottom())));
    }
};

QTEST_APPLESS_MAIN(tst_GalleryLayout)
#include "tst_gallerylayout.moc"
