// The card database as the windows use it (the user's own copy, cursors), card pictures and
// backgrounds as they are read, and the quintessence.

#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "quintessence.h"
#include "recordcursor.h"
#include "settings.h"
#include "spread.h"
#include "startup.h"
#include "testenv.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Statements run on the user's copy by another program (another tool, another Orbelle).
void onTheCopy(const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(CardDatabase::userCopyPath());
        QVERIFY(db.open());
        for (const QString &sql : statements)
            QVERIFY2(QSqlQuery(db).exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int mode(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// A small JPEG whose frame header claims `size`: a decoder believes the header.
QByteArray claiming(QSize size, bool progressive)
{
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::darkMagenta);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(img);
    QByteArray b = buffer.data();
    for (qsizetype i = 2; i + 9 < b.size(); i += 2 + (quint8(b[i + 2]) << 8 | quint8(b[i + 3]))) {
        if ((quint8(b[i + 1]) | 2) == 0xC2) { // SOF0 or SOF2: height and width after the precision
            const char dims[] = {char(size.height() >> 8), char(size.height()), char(size.width() >> 8),
                                 char(size.width())};
            return b.replace(i + 5, 4, dims, 4);
        }
    }
    return b;
}

// A FIFO named like a picture: whoever opens it to read waits for a writer for ever. The
// guard plays that writer for such a reader (and closes at once), so a test that fails ends
// and tells.
struct Fifo
{
    QByteArray path;
    std::atomic<bool> stop{false}, opened{false};
    std::thread guard;
    explicit Fifo(const QString &name) : path(QFile::encodeName(name))
    {
        QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        guard = std::thread([this] {
            for (; !stop; std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
                // Succeeds only while someone holds the FIFO open for reading.
                if (const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                    opened = true, ::close(fd);
            }
        });
    }
    ~Fifo() { stop = true, guard.join(); }
};
} // namespace

class tst_CardData : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        CardDatabase::closeShared();
        CardDatabase::closeStudy();
        TestEnv::wipeUserFiles();
        Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
        modOrbelle::resetSharedState();
        Dialogs::clear();
        QVERIFY(Shell::openCardData());
    }

    void positioningFromTheLastRowLandsAndOutsideTheRowsIsAnError()
    {
        RecordCursor cursor;
        QVERIFY(cursor.openTable(CardDatabase::shared(), QStringLiteral("KARTEN"))); // any letter case
        cursor.moveLast();
        positionAtCard(cursor, 3);
        QCOMPARE(cursor.value(QStringLiteral("karten")).toString(),
                 TestEnv::rowText(QStringLiteral("karten"), 3));
        QVERIFY(!cursor.setAbsolutePosition(78));
        QCOMPARE(cursor.absolutePosition(), 2);
    }

    // A full copy of the texts as the previous build kept it, with one keyword rewritten
    // and one as shipped: the rewrite becomes the user's own, once; the shipped texts come
    // from the program's file; the old copy is left as it was.
    void anEarlierCopyGivesItsRewrittenKeywordsOnce()
    {
        CardDatabase::closeShared();
        TestEnv::wipeUserFiles();
        const QString copy = CardDatabase::userCopyPath();
        QVERIFY(Paths::makePrivateFolder(Paths::userDataFolder()) && QFile::copy(CardDatabase::pristinePath(), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));
        onTheCopy({QStringLiteral("UPDATE stichwörter SET stichwörter = 'mío' WHERE rowid = 3"),
                   QStringLiteral("UPDATE stichwörter SET stichwörter = 'Texto pendiente' WHERE rowid = 5"),
                   QStringLiteral("UPDATE tag1 SET tag1 = 'viejo' WHERE rowid = 9")});
        const QByteArray before = bytesOf(copy);
        QVERIFY(Shell::openCardData());
        QCOMPARE(modOrbelle::state().dbPath, CardDatabase::ownPath());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 3), QStringLiteral("mío"));
        QVERIFY(CardDatabase::ownKeywordDate(3).isValid());
        for (const auto &[table, row] : {std::pair{"stichwörter", 4}, {"stichwörter", 5}, {"tag1", 9}})
            QCOMPARE(TestEnv::rowText(QString::fromUtf8(table), row),
                     TestEnv::pristineText(QString::fromUtf8(table), row));
        QVERIFY(!CardDatabase::ownKeywordDate(4).isValid());
        QCOMPARE(bytesOf(copy), before);
        // Restored to the original, it stays so: the old copy is not read again.
        {
            QSqlDatabase own = CardDatabase::openStudy(CardDatabase::ownPath());
            QCOMPARE(CardDatabase::restoreKeyword(own, 3), QString());
        }
        CardDatabase::closeStudy();
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 3),
                 TestEnv::pristineText(QStringLiteral("stichwörter"), 3));
        QVERIFY(Dialogs::asked().isEmpty());
    }

    // Never written over: set aside whole, the user told where, and a fresh one started.
    void aDamagedOwnFileIsSetAsideForAFreshOne()
    {
        CardDatabase::closeShared();
        const QByteArray damaged = QByteArray("SQLite format 3").append(QByteArray(4000, '\x7f'));
        TestEnv::writeFile(CardDatabase::ownPath(), damaged);
        QVERIFY(Shell::openCardData());
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QStringLiteral("dañado")));
        const QStringList aside = QDir(Paths::userDataFolder())
                                      .entryList({QStringLiteral("orbelle-propio-dañado-*.sqlite")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytesOf(Paths::join(Paths::userDataFolder(), aside.first())), damaged);
        QSqlDatabase own = CardDatabase::openStudy(CardDatabase::ownPath());
        QCOMPARE(CardDatabase::storeKeyword(own, 2, QStringLiteral("nuevo")), QString());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 2), QStringLiteral("nuevo"));
        CardDatabase::closeStudy();
    }

    // Protected against writing, the own file is read as it is and stays so.
    void aProtectedOwnFileIsReadAndLeftAsItIs()
    {
        CardDatabase::closeShared();
        {
            QSqlDatabase own = CardDatabase::openStudy(CardDatabase::ownPath());
            QCOMPARE(CardDatabase::storeKeyword(own, 6, QStringLiteral("mío")), QString());
        }
        CardDatabase::closeStudy();
        QVERIFY(QFile::setPermissions(CardDatabase::ownPath(), QFile::ReadOwner));
        QVERIFY(Shell::openCardData());
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QStringLiteral("protegido contra escritura")));
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 6), QStringLiteral("mío"));
        QCOMPARE(mode(CardDatabase::ownPath()), 0400);
    }

    void aMissingOrDamagedDatabaseEndsWithAMessageNamingIt()
    {
        CardDatabase::closeShared();
        TestEnv::wipeUserFiles();
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("orbelle.sqlite"));
        Paths::setProgramFolder(folder.path());
        for (const QByteArray &content :
             {QByteArray(), QByteArray("this is not a database at all\n").repeated(100)}) {
            if (!content.isEmpty())
                TestEnv::writeFile(file, content);
            Dialogs::clear();
            QVERIFY(!Shell::openCardData());
            QCOMPARE(Dialogs::asked().size(), 1);
            QVERIFY(Dialogs::asked().first().contains(file));
            QVERIFY(!QFile::exists(CardDatabase::ownPath()));
        }
        Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    }

    void whatIsWrittenForTheUserIsTheirsAlone()
    {
        const mode_t before = ::umask(022);
        CardDatabase::closeShared();
        TestEnv::wipeUserFiles();
        Settings::reopen();
        QVERIFY(Settings::set(QStringLiteral("musikja"), QStringLiteral("ja")) && Shell::openCardData());
        QTemporaryDir deck; // a large progressive card gets a screen copy
        TestEnv::writeFile(CardPictures::path(deck.path(), 4), claiming(QSize(3000, 5000), true));
        QVERIFY(CardPictures::prepare(deck.path(), 4));
        const QString barajas = Paths::join(Paths::userDataFolder(), QStringLiteral("barajas"));
        const QStringList copies = QDir(barajas).entryList(QDir::Files);
        QVERIFY(copies.size() == 1);
        const QString data = Paths::userDataFolder(), ini = Settings::fileName();
        for (const QString &file : {ini, CardDatabase::ownPath(), Paths::join(barajas, copies.first())})
            QCOMPARE(mode(file), 0600);
        for (const QString &folder : {QFileInfo(ini).path(), data, QFileInfo(data).path(), barajas})
            QCOMPARE(mode(folder), 0700);
        // What an older build left open to all is closed at the next start.
        CardDatabase::closeShared();
        QVERIFY(QFile::setPermissions(data, QFile::Permissions(0x7755)) &&
                QFile::setPermissions(CardDatabase::ownPath(), QFile::Permissions(0x6644)));
        QVERIFY(Shell::openCardData());
        QCOMPARE(mode(data), 0700);
        QCOMPARE(mode(CardDatabase::ownPath()), 0600);
        ::umask(before);
    }

    // Refused by the header, before anything is decoded: above 100 megapixels, and a
    // progressive picture whose coefficients alone would take more than the bound.
    void picturesBeyondTheBoundsAreRefusedUnread_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<bool>("refused");
        QTest::newRow("400 megapixels, progressive") << QSize(20000, 20000) << true << true;
        QTest::newRow("400 megapixels, baseline") << QSize(20000, 20000) << false << true;
        QTest::newRow("96 megapixels, progressive") << QSize(9800, 9800) << true << true;
        QTest::newRow("96 megapixels, baseline") << QSize(9800, 9800) << false << false;
    }
    void picturesBeyondTheBoundsAreRefusedUnread()
    {
        QFETCH(QSize, size);
        QFETCH(bool, progressive);
        QFETCH(bool, refused);
        QTemporaryDir deck;
        const QString file = CardPictures::path(deck.path(), 5);
        TestEnv::writeFile(file, claiming(size, progressive));
        modOrbelle::state().imageFolder = deck.path();
        QCOMPARE(CardPictures::load(5).isNull(), refused);
        QCOMPARE(CardPictures::loadScaled(5, QSize(70, 124)).isNull(), refused);
        QCOMPARE(CardPictures::decodeCovering(file, QSize(80, 50)).isNull(), refused);
        QCOMPARE(CardPictures::canShow(file), !refused);
        const CardPictures::DeckCheck check = CardPictures::checkDeck(deck.path());
        QCOMPARE(check.tooLarge, refused ? QList<int>{5} : QList<int>{});
        QCOMPARE(CardPictures::deckProblem(check).contains(QStringLiteral("5 de esta carpeta es demasiado")),
                 refused);
    }

    // A place larger than any screen shows (a label not laid out yet, 4133 x 1240) or a
    // size asked beyond it gets no picture larger than the largest ground: the place's
    // proportion, the card undistorted in the middle. Places within it are as before.
    void nothingIsFramedOrDecodedBeyondWhatTheScreenShows()
    {
        const QSize most = CardPictures::largestShown(); // offscreen: no screen is larger
        auto within = [most](const QImage &img) {
            return !img.isNull() && img.width() <= most.width() && img.height() <= most.height();
        };
        QImage card(700, 1240, QImage::Format_RGB32);
        card.fill(Qt::darkRed);
        const QImage wide = CardPictures::framed(card, QSizeF(4133, 1240));
        QVERIFY2(within(wide), qPrintable(QStringLiteral("%1x%2").arg(wide.width()).arg(wide.height())));
        QCOMPARE(qRound(wide.width() * 10.0 / wide.height()), 33);
        QCOMPARE(wide.pixelColor(0, wide.height() / 2).alpha(), 0);
        int red = 0;
        for (int x = 0; x < wide.width(); ++x)
            red += wide.pixelColor(x, wide.height() / 2).red() > 100;
        QVERIFY(qAbs(red - wide.height() * 700 / 1240) <= 2);
        QCOMPARE(CardPictures::framed(card, QSizeF(200, 250)).size(), QSize(992, 1240));

        QTemporaryDir deck;
        QImage scan(1600, 2400, QImage::Format_RGB32);
        scan.fill(Qt::darkGreen);
        QVERIFY(scan.save(CardPictures::path(deck.path(), 6)));
        // A large baseline scan gets its screen copy when the deck is connected, like a
        // progressive one.
        QVERIFY(CardPictures::prepare(deck.path(), 6));
        modOrbelle::state().imageFolder = deck.path();
        QVERIFY(within(CardPictures::decodeFitting(CardPictures::path(6), QSize(9000, 9000))));
        const QImage thumb = CardPictures::loadScaled(6, QSize(5000, 8000));
        QCOMPARE(thumb.size(), QSize(5000, 8000).scaled(most, Qt::KeepAspectRatio));
    }

    void aFifoNamedLikeACardIsNeverOpened()
    {
        QTemporaryDir deck;
        QVERIFY(
            QFile::copy(CardPictures::path(CardPictures::ownDeck(), 2), CardPictures::path(deck.path(), 2)));
        // The first picture the start looks at, and one a reading shows.
        Fifo intro(CardPictures::path(deck.path(), 1)), card(CardPictures::path(deck.path(), 5));
        modOrbelle::state().imageFolder = deck.path();
        QVERIFY(CardPictures::load(5).isNull());
        QVERIFY(CardPictures::loadScaled(5, QSize(70, 124)).isNull());
        QVERIFY(!CardPictures::prepare(deck.path(), 5));
        QVERIFY(CardPictures::decodeCovering(CardPictures::path(5), QSize(80, 50)).isNull());
        QVERIFY(CardPictures::checkDeck(deck.path()).unreadable.contains(5));
        // The start: the intro's pictures are looked at, the deck stays.
        QVERIFY(!CardPictures::canShow(CardPictures::path(1)));
        QVERIFY(Shell::settleDeck());
        QCOMPARE(modOrbelle::state().imageFolder, deck.path());
        QVERIFY(!intro.opened && !card.opened);
    }

    // The row-by-row decode must give what decoding whole, scaling smoothly and cutting the
    // middle gives; what cannot be read gives no cover.
    void backgroundsAreDecodedStraightToTheirCover()
    {
        // Gradients with sharp checks: a cover cut or scaled off by a pixel differs clearly.
        QImage sky(1600, 1000, QImage::Format_RGB32);
        for (int y = 0; y < sky.height(); ++y)
            for (int x = 0; x < sky.width(); ++x)
                sky.setPixel(x, y, qRgb(x * 255 / 1599, y * 255 / 999, (x / 40 + y / 40) % 2 ? 200 : 40));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("nebo.jpg")),
                      png = dir.filePath(QStringLiteral("nebo.png"));
        QVERIFY(sky.save(file, "JPEG", 95) && sky.save(png, "PNG"));
        const QImage whole(file);
        for (const QSize cover : {QSize(1266, 906), QSize(300, 700), QSize(2000, 1100)}) {
            const QImage got = CardPictures::decodeCovering(file, cover);
            QCOMPARE(got.size(), cover);
            QCOMPARE(got.format(), QImage::Format_RGB888);
            const QSize s = whole.size().scaled(cover, Qt::KeepAspectRatioByExpanding);
            const QImage want =
                whole.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .copy(QRect(QPoint((s.width() - cover.width()) / 2, (s.height() - cover.height()) / 2),
                                cover));
            double sum = 0;
            for (int y = 0; y < cover.height(); ++y) {
                for (int x = 0; x < cover.width(); ++x) {
                    const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
                    sum += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
                }
            }
            QVERIFY2(sum / (3.0 * cover.width() * cover.height()) < 3.0, qPrintable(QString::number(sum)));
        }
        // Another format goes the general way.
        QCOMPARE(CardPictures::decodeCovering(png, QSize(100, 100)).size(), QSize(100, 100));
        // Cut short: the rows that never come must not be made up, nor may it crash.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite) && f.resize(f.size() / 3));
        f.close();
        const QImage cut = CardPictures::decodeCovering(file, QSize(200, 125));
        QVERIFY(cut.isNull() || cut.size() == QSize(200, 125));
    }

    void quintessenceArithmetic()
    {
        // Majors count their number, the Fool and the court cards nothing, pips their pips.
        for (const auto &[card, value] :
             {std::pair{21, 21}, {22, 0}, {23, 1}, {32, 10}, {33, 0}, {57, 7}, {78, 0}})
            QVERIFY2(Quintessence::cardValue(card) == value, qPrintable(QString::number(card)));
        for (const auto &[sum, q] :
             {std::pair{0, 0}, {9, 18}, {10, 1}, {19, 10}, {99, 18}, {100, 11}, {126, 19}})
            QVERIFY2(Quintessence::fold(sum) == q, qPrintable(QString::number(sum)));
        for (int sum = 0; sum <= 126; ++sum)
            QVERIFY(Quintessence::fold(sum) >= 0 && Quintessence::fold(sum) <= 21);
        QCOMPARE(Quintessence::cardFor(0), 22);
        // The spread keeps its card numbers, not their values, and has no card outside its places.
        Spread majors = Spread::of({21, 20, 19, 18, 17, 16});
        majors.positions[2].reversed = true;
        const Spread before = majors;
        QCOMPARE(Quintessence::of(majors), 13);
        QCOMPARE(majors, before);
        QCOMPARE(Quintessence::of(Spread::of({22, 33, 48, 64, 75, 36})), 0);
        QCOMPARE(majors.card(0) + majors.card(7), 0);
    }
};

ORBELLE_TEST_MAIN(tst_CardData)
#include "tst_carddata.moc"
