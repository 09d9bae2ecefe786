// Another deck in the readings: pictures of any size, proportion and JPEG flavour are
// decoded at the size shown and placed into the card places without being stretched.

#include "deutf.h"
#include "deuttag.h"
#include "kreuz.h"
#include "legkreuz.h"
#include "legtag.h"
#include "paths.h"
#include "readingdriver.h"
#include "reportpicture.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTextBlock>

namespace {
// Card n is painted in colour n % 6, so a picture shows which card it is.
const std::array<QColor, 6> kColours{QColor(200, 30, 30),  QColor(30, 160, 30),  QColor(30, 30, 200),
                                     QColor(220, 200, 30), QColor(30, 190, 200), QColor(190, 30, 190)};

QColor colourOf(int card)
{
    return kColours[size_t(card % 6)];
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

QByteArray jpeg(const QImage &image, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The same JPEG with an EXIF orientation (6: the stored picture is to be turned a quarter
// clockwise to stand upright).
QByteArray withOrientation(const QByteArray &jpegBytes, quint8 orientation)
{
    QByteArray exif("\xFF\xE1\x00\x22"
                    "Exif\x00\x00"
                    "MM\x00\x2A\x00\x00\x00\x08"
                    "\x00\x01"
                    "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00"
                    "\x00\x00\x00\x00",
                    36);
    exif[29] = char(orientation);
    return jpegBytes.left(2) + exif + jpegBytes.mid(2);
}

// A deck of 78 pictures of one size; one picture is encoded per colour and copied.
void makeDeck(const QString &folder, QSize size, bool progressive)
{
    for (size_t c = 0; c < kColours.size(); ++c) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(kColours[c]);
        const QByteArray bytes = jpeg(img, progressive);
        for (int n = 1; n <= 78; ++n) {
            if (n % 6 == int(c))
                TestEnv::writeFile(CardPictures::path(folder, n), bytes);
        }
    }
}

// A picture shown in a label: framed to the label's proportion with the card's colour in
// the middle, and nothing of it stretched (the ground around it is clear).
void checkShown(const QLabel *label, int card)
{
    const QImage shown = label->pixmap().toImage();
    QVERIFY(!shown.isNull());
    const double place = label->width() / double(label->height());
    QVERIFY2(qAbs(shown.width() / double(shown.height()) / place - 1) < 0.03,
             qPrintable(label->objectName()));
    QVERIFY(near(shown.pixelColor(shown.rect().center()), colourOf(card)));
    // The deck's pictures (3 : 5) are wider than the places: clear above and below.
    QCOMPARE(shown.pixelColor(shown.width() / 2, 0).alpha(), 0);
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() - 1).alpha(), 0);
}

// A decoded card: its colour, in the deck's proportion, no larger than the screen needs.
void checkDecoded(const QImage &img, int card)
{
    QVERIFY(!img.isNull());
    QVERIFY(qAbs(img.width() / double(img.height()) - 0.6) < 0.01);
    QVERIFY(img.height() <= CardPictures::largestShown().height());
    QVERIFY(near(img.pixelColor(img.rect().center()), colourOf(card)));
}
} // namespace

class tst_Decks : public QObject
{
    Q_OBJECT
    QTemporaryDir m_small;
    QTemporaryDir m_large;

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun();
        makeDeck(m_small.path(), QSize(300, 500), false);
        makeDeck(m_large.path(), QSize(3000, 5000), true);
    }

    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void picturesAreDecodedUprightAtTheSizeShown()
    {
        QTemporaryDir dir;
        // Stored lying on its side, with a blue stripe on its left: upright, the stripe is
        // at the top.
        QImage lying(400, 240, QImage::Format_RGB32);
        lying.fill(kColours[1]);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 60; ++x)
                lying.setPixelColor(x, y, kColours[2]);
        const QString turned = dir.filePath(QStringLiteral("turned.jpg"));
        TestEnv::writeFile(turned, withOrientation(jpeg(lying, false), 6));
        for (const QSize &bound : {QSize(1000, 1000), QSize(120, 120)}) {
            const QImage upright = CardPictures::decodeFitting(turned, bound);
            QCOMPARE(upright.size(),
                     QSize(240, 400).scaled(bound.boundedTo(QSize(240, 400)), Qt::KeepAspectRatio));
            QVERIFY(near(upright.pixelColor(upright.width() / 2, 2), kColours[2]));
            QVERIFY(near(upright.pixelColor(upright.width() / 2, upright.height() - 3), kColours[1]));
        }

        // CMYK, as scanners and print shops write it: red, with a blue band at the top.
        const QImage cmyk = CardPictures::decodeFitting(QStringLiteral(ORBELLE_READING_FIXTURES "/cmyk.jpg"),
                                                        QSize(1000, 1000));
        QCOMPARE(cmyk.size(), QSize(60, 100));
        QVERIFY(near(cmyk.pixelColor(30, 70), QColor(200, 30, 30)));
        QVERIFY(near(cmyk.pixelColor(30, 5), QColor(30, 30, 200)));

        // A large progressive scan comes out no larger than the place asks, and is kept at
        // screen size.
        const QString scan = CardPictures::path(m_large.path(), 7);
        const QImage large = CardPictures::decodeFitting(scan, QSize(300, 300));
        QCOMPARE(large.size(), QSize(180, 300));
        QVERIFY(near(large.pixelColor(90, 150), colourOf(7)));
        const QDir copies(Paths::join(Paths::userDataFolder(), QStringLiteral("barajas")));
        const QStringList kept = copies.entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);
        const QImage copy(copies.filePath(kept.first()));
        QCOMPARE(copy.size(), QSize(600, 1000).scaled(CardPictures::largestShown(), Qt::KeepAspectRatio));
        // A file that is no picture gives none.
        TestEnv::writeFile(dir.filePath(QStringLiteral("1.jpg")), "no");
        QVERIFY(CardPictures::decodeFitting(dir.filePath(QStringLiteral("1.jpg")), QSize(100, 100)).isNull());
    }

    void thumbnailsKeepTheirProportion()
    {
        modOrbelle::state().imageFolder = m_large.path();
        const QImage thumb = CardPictures::loadScaled(8, QSize(100, 200));
        QCOMPARE(thumb.size(), QSize(100, 200));
        QVERIFY(near(thumb.pixelColor(50, 100), colourOf(8)));
        // 100 × 167 of picture, centred: clear above and below.
        QCOMPARE(thumb.pixelColor(50, 2).alpha(), 0);
        QCOMPARE(thumb.pixelColor(50, 197).alpha(), 0);
    }

    void theReadingsShowTheDeck_data()
    {
        QTest::addColumn<bool>("large");
        QTest::newRow("300 x 500") << false;
        QTest::newRow("3000 x 5000 progressive") << true;
    }
    void theReadingsShowTheDeck()
    {
        QFETCH(bool, large);
        modOrbelle::state().imageFolder = large ? m_large.path() : m_small.path();
        Random::seed(4);
        auto *reading =
            qobject_cast<deutTag *>(ReadingDriver::layReading("dayCardButton", ReadingDriver::Laid));
        QVERIFY(reading);
        checkDecoded(reading->im1, reading->card());
        QCOMPARE(WindowRegistry::get<legTag>()->slotImage(1), reading->im1);
        checkShown(reading->Image1, reading->card());

        // The cross, after the card of the day in the same run.
        reading->backButton->click();
        auto *table =
            qobject_cast<legkreuz *>(ReadingDriver::layReading("crossButton", ReadingDriver::Dealing));
        QVERIFY(table);
        kreuz *cross = WindowRegistry::get<kreuz>();
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(table->slotImage(k), cross->images[size_t(k - 1)]);
        QVERIFY(ReadingDriver::layReading("crossButton", ReadingDriver::Laid));
        for (int k = 1; k <= 4; ++k) {
            const int card = cross->spread().card(k);
            checkDecoded(cross->images[size_t(k - 1)], card);
            checkShown(cross->pictures[size_t(k - 1)], card);
        }
        // Saved into the report, every picture is stored no larger than twice the size the
        // report shows it (kept for print), not at the scan's size.
        Dialogs::queueInput(QString());
        WindowRegistry::get<deutf>()->saveButton->click();
        const QTextDocument *report = WindowRegistry::get<rtfViewer>()->Box1->document();
        int stored = 0;
        for (QTextBlock b = report->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat())
                    continue;
                const QSize pixels = ReportPicture::pixelSize(report, f.toImageFormat());
                const QSizeF shown = ReportPicture::displaySize(report, f.toImageFormat());
                QVERIFY(pixels.isValid() && pixels.width() <= 2 * shown.width() + 1 &&
                        pixels.height() <= 2 * shown.height() + 1);
                ++stored;
            }
        }
        QCOMPARE(stored, 4);
    }
};

ORBELLE_TEST_MAIN(tst_Decks)
#include "tst_decks.moc"
