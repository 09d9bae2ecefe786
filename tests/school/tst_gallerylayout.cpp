// The gallery's placement, without a window: every card inside the design, none over
// another, in deck order; the keyword box inside too and clear of the pressed card's
// picture. The window scales the design to any screen, so what holds here holds on all.
// How the box stands beside a card in the shown window is tst_school's business.

#include "gallerylayout.h"

#include <QTest>

class tst_GalleryLayout : public QObject
{
    Q_OBJECT
private slots:
    void cardsLieSideBySideInDeckOrder()
    {
        const QRect whole(0, 0, GalleryLayout::kWidth, GalleryLayout::kHeight);
        for (int i = 0; i < 78; ++i) {
            const QRect c = GalleryLayout::card(i);
            QVERIFY2(whole.contains(c), qPrintable(QString::number(i + 1)));
            for (int j = 0; j < i; ++j)
                QVERIFY2(!c.intersects(GalleryLayout::card(j)),
                         qPrintable(QStringLiteral("%1 %2").arg(i + 1).arg(j + 1)));
            // Read like a page: the next card to the right in the same row, or below.
            if (i > 0) {
                const QRect before = GalleryLayout::card(i - 1);
                QVERIFY((c.top() == before.top() && c.left() > before.right()) || c.top() > before.bottom());
            }
        }
    }

    void keywordBoxStaysInsideAndClearOfThePressedCard()
    {
        const QRect whole(0, 0, GalleryLayout::kWidth, GalleryLayout::kHeight);
        QVERIFY(whole.contains(GalleryLayout::initialBox()));
        for (int i = 0; i < 78; ++i) {
            const QRect box = GalleryLayout::boxFor(i), c = GalleryLayout::card(i);
            QVERIFY2(whole.contains(box), qPrintable(QString::number(i + 1)));
            // Above the card, or hanging from low on it: its picture stays in view.
            QVERIFY2(box.bottom() < c.top() || box.top() > c.center().y(),
                     qPrintable(QString::number(i + 1)));
            // And it reaches the card's column.
            QVERIFY2(box.left() <= c.right() && box.right() >= c.left(), qPrintable(QString::number(i + 1)));
        }
    }
};

QTEST_APPLESS_MAIN(tst_GalleryLayout)
#include "tst_gallerylayout.moc"
