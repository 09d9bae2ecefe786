// The card database as the windows use it: the user's own copy, the two connections,
// cursors with bound controls, the keyword query, card pictures and the card draw.

#include "carddatabase.h"
#include "cardpictures.h"
#include "cardtables.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "quintessence.h"
#include "random.h"
#include "recordcursor.h"
#include "settings.h"
#include "spread.h"
#include "startup.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {
QString tableName(const CardTables::Table &t)
{
    return QString::fromUtf8(t.name.data(), qsizetype(t.name.size()));
}
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

    void everyTableIsThereInCardOrder()
    {
        QSqlDatabase db = CardDatabase::shared();
        for (const auto &t : CardTables::all) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(tableName(t))) && q.next(),
                     qPrintable(tableName(t)));
            QCOMPARE(q.value(0).toInt(), t.rows);
        }
        QCOMPARE(TestEnv::rowText(QStringLiteral("karten"), 22), QStringLiteral("El Loco"));
        QCOMPARE(TestEnv::rowText(QStringLiteral("karten"), 23), QStringLiteral("As de Bastos"));
    }

    void positioningReachesCardsAndInfoRows_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("card");
        for (const auto &t : CardTables::all) {
            const QString name = tableName(t);
            QTest::addRow("%s first", qPrintable(name)) << name << 1;
            QTest::addRow("%s last", qPrintable(name)) << name << t.rows;
        }
        QTest::newRow("info 79") << QStringLiteral("stichwörter") << 79;
        QTest::newRow("karten 12") << QStringLiteral("karten") << 12;
    }
    void positioningReachesCardsAndInfoRows()
    {
        QFETCH(QString, table);
        QFETCH(int, card);
        RecordCursor cursor;
        QLabel shown;
        QVERIFY(cursor.openTable(CardDatabase::shared(), table));
        cursor.bind(&shown, table);
        positionAtCard(cursor, card);
        QCOMPARE(cursor.absolutePosition(), card - 1);
        QCOMPARE(shown.text(), TestEnv::rowText(table, card));
        QVERIFY(!shown.text().isEmpty());
    }

    void positioningFromTheLastRowStillLands()
    {
        RecordCursor cursor;
        QVERIFY(cursor.openTable(CardDatabase::shared(), QStringLiteral("karten")));
        cursor.moveLast();
        positionAtCard(cursor, 3);
        QCOMPARE(cursor.value(QStringLiteral("karten")).toString(), QStringLiteral("La Emperatriz"));
    }

    void positionOutsideTheRowsIsAnErrorNotACrash()
    {
        RecordCursor cursor;
        QVERIFY(cursor.openTable(CardDatabase::shared(), QStringLiteral("tag1")));
        QSignalSpy errors(&cursor, &RecordCursor::error);
        QVERIFY(!cursor.setAbsolutePosition(78));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(cursor.absolutePosition(), 0);
    }

    void keywordQueryForCard5()
    {
        RecordCursor cursor;
        QPlainTextEdit text;
        QVERIFY(openKeywordQuery(cursor, CardDatabase::shared(), 5));
        cursor.bind(&text, QStringLiteral("Stichwörter"));
        QCOMPARE(cursor.recordCount(), 1);
        QCOMPARE(text.toPlainText(), TestEnv::rowText(QStringLiteral("stichwörter"), 5));
        // A number is a bound value, never text pasted into the statement.
        RecordCursor hostile;
        QVERIFY(hostile.openQuery(CardDatabase::shared(),
                                  QStringLiteral("SELECT stichwörter FROM stichwörter WHERE id = ?"),
                                  {QStringLiteral("5 OR 1=1")}));
        QCOMPARE(hostile.recordCount(), 0);
    }

    void tableNamesIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("as stored") << QStringLiteral("stichwörter");
        QTest::newRow("all capitals") << QStringLiteral("STICHWÖRTER");
        QTest::newRow("QuintEnt") << QStringLiteral("QuintEnt");
    }
    void tableNamesIgnoreLetterCase()
    {
        QFETCH(QString, spelling);
        RecordCursor cursor;
        QVERIFY(cursor.openTable(CardDatabase::shared(), spelling));
        QVERIFY(cursor.recordCount() >= 22);
        QCOMPARE(cursor.table().toLower(), spelling.toLower());
        QVERIFY(!cursor.openTable(CardDatabase::shared(), QStringLiteral("stichwort")));
    }

    void boundFieldMayChangeAtRunTime()
    {
        RecordCursor cursor;
        QTextEdit box;
        QVERIFY(cursor.openTable(CardDatabase::shared(), QStringLiteral("tag2")));
        cursor.bind(&box, QStringLiteral("Tag1")); // the day card's design binding
        QCOMPARE(box.toPlainText(), QString());    // no such field in tag2: nothing shown
        cursor.setBoundField(&box, QStringLiteral("tag2"));
        positionAtCard(cursor, 40);
        QCOMPARE(box.toPlainText(), TestEnv::rowText(QStringLiteral("tag2"), 40));
        QCOMPARE(cursor.boundField(&box), QStringLiteral("tag2"));
    }

    void readOnlyConnectionRefusesWrites()
    {
        RecordCursor cursor;
        QPlainTextEdit text;
        QVERIFY(cursor.openTable(CardDatabase::shared(), QStringLiteral("stichwörter")));
        cursor.bind(&text, QStringLiteral("stichwörter"));
        positionAtCard(cursor, 7);
        const QString before = text.toPlainText();
        text.setPlainText(QStringLiteral("cambiado"));
        QSignalSpy errors(&cursor, &RecordCursor::error);
        QVERIFY(!cursor.update());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 7), before);
    }

    void studyConnectionUpdatesAndReloads()
    {
        QString error;
        QSqlDatabase study = CardDatabase::openStudy(modOrbelle::state().dbPath, &error);
        QVERIFY2(study.isOpen(), qPrintable(error));
        RecordCursor cursor;
        QPlainTextEdit text;
        QVERIFY(cursor.openTable(study, QStringLiteral("stichwörter")));
        cursor.bind(&text, QStringLiteral("Stichwörter"));
        cursor.setAbsolutePosition(4);
        const QString original = text.toPlainText();

        // Reload drops an edit.
        text.setPlainText(QStringLiteral("borrador"));
        QVERIFY(cursor.dataChanged());
        cursor.updateControls();
        QCOMPARE(text.toPlainText(), original);
        QVERIFY(!cursor.dataChanged());

        // Update stores it, and the shared connection sees it.
        text.setPlainText(QStringLiteral("Mis palabras clave: \"fe\", 'guía' y {orden}."));
        QVERIFY(cursor.update());
        QVERIFY(!cursor.dataChanged());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 5),
                 QStringLiteral("Mis palabras clave: \"fe\", 'guía' y {orden}."));
    }

    void leavingAChangedRowAsksFirst()
    {
        QSqlDatabase study = CardDatabase::openStudy(modOrbelle::state().dbPath);
        RecordCursor cursor;
        QPlainTextEdit text;
        QVERIFY(cursor.openTable(study, QStringLiteral("stichwörter")));
        cursor.bind(&text, QStringLiteral("stichwörter"));
        const QString original = text.toPlainText();
        int asked = 0;
        connect(&cursor, &RecordCursor::validate, &cursor, [&](int action, bool *) {
            ++asked;
            QCOMPARE(action, int(RecordCursor::MoveNext));
            cursor.updateControls(); // the user said No
        });
        text.setPlainText(QStringLiteral("descartado"));
        cursor.moveNext();
        QCOMPARE(asked, 1);
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 1), original);
        cursor.moveNext(); // unchanged: no question
        QCOMPARE(asked, 1);
    }

    void userCopyIsMadeOnceAndNeverOverwritten()
    {
        const QString copy = CardDatabase::userCopyPath();
        QVERIFY(QFile::exists(copy));
        QCOMPARE(modOrbelle::state().dbPath, copy);
        {
            QSqlDatabase study = CardDatabase::openStudy(copy);
            QSqlQuery q(study);
            QVERIFY(q.exec(QStringLiteral("UPDATE stichwörter SET stichwörter = 'mío' WHERE rowid = 3")));
        }
        CardDatabase::closeStudy();
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 3), QStringLiteral("mío"));
        const QString pristine = TestEnv::pristineText(QStringLiteral("stichwörter"), 3);
        QVERIFY(!pristine.isEmpty() && pristine != QStringLiteral("mío"));
    }

    void olderCopyGetsNewTextsButKeepsTheUsersKeywords()
    {
        const QString copy = CardDatabase::userCopyPath();
        CardDatabase::closeShared();
        {
            QSqlDatabase db = CardDatabase::openStudy(copy);
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("UPDATE stichwörter SET stichwörter = 'mío' WHERE rowid = 3")));
            QVERIFY(q.exec(
                QStringLiteral("UPDATE stichwörter SET stichwörter = 'Texto pendiente' WHERE rowid = 4")));
            QVERIFY(q.exec(QStringLiteral("UPDATE tag1 SET tag1 = 'viejo' WHERE rowid = 9")));
            // A copy from before the Celtic cross has no table for its positions.
            QVERIFY(q.exec(QStringLiteral("DROP TABLE kelt")));
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 1")));
        }
        CardDatabase::closeStudy();
        QVERIFY(Shell::openCardData());
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 3), QStringLiteral("mío"));
        QCOMPARE(TestEnv::rowText(QStringLiteral("stichwörter"), 4),
                 TestEnv::pristineText(QStringLiteral("stichwörter"), 4));
        QCOMPARE(TestEnv::rowText(QStringLiteral("tag1"), 9),
                 TestEnv::pristineText(QStringLiteral("tag1"), 9));
        QVERIFY(TestEnv::rowText(QStringLiteral("tag1"), 9) != QStringLiteral("viejo"));
        for (int row : {1, 10})
            QCOMPARE(TestEnv::rowText(QStringLiteral("kelt"), row),
                     TestEnv::pristineText(QStringLiteral("kelt"), row));
    }

    void incompleteCopyIsSetAsideForThePristineFile_data()
    {
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("row");
        QTest::newRow("the cross tables gone")
            << QStringList{QStringLiteral("DROP TABLE kreuz1"), QStringLiteral("DROP TABLE kreuz2"),
                           QStringLiteral("DROP TABLE kreuz3"), QStringLiteral("DROP TABLE kreuz4")}
            << QStringLiteral("kreuz3") << 40;
        QTest::newRow("last card of a table gone")
            << QStringList{QStringLiteral("DELETE FROM tag2 WHERE rowid = 78")} << QStringLiteral("tag2")
            << 78;
        QTest::newRow("quintessence row gone")
            << QStringList{QStringLiteral("DELETE FROM quintzig WHERE rowid = 22")}
            << QStringLiteral("quintzig") << 22;
        QTest::newRow("info text emptied to NULL")
            << QStringList{QStringLiteral("UPDATE stichwörter SET stichwörter = NULL WHERE rowid = 80")}
            << QStringLiteral("stichwörter") << 80;
        QTest::newRow("rows moved out of card order")
            << QStringList{QStringLiteral("UPDATE bezi4 SET rowid = rowid + 1000 WHERE rowid > 70")}
            << QStringLiteral("bezi4") << 71;
    }
    void incompleteCopyIsSetAsideForThePristineFile()
    {
        QFETCH(QStringList, damage);
        QFETCH(QString, table);
        QFETCH(int, row);
        const QString copy = CardDatabase::userCopyPath();
        CardDatabase::closeShared();
        {
            QSqlDatabase db = CardDatabase::openStudy(copy);
            QSqlQuery q(db);
            for (const QString &sql : damage)
                QVERIFY2(q.exec(sql), qPrintable(sql));
        }
        CardDatabase::closeStudy();
        const QByteArray damaged = [&] {
            QFile f(copy);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        Dialogs::clear();
        QVERIFY(Shell::openCardData());
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QDir::toNativeSeparators(copy)));
        QCOMPARE(modOrbelle::state().dbPath, CardDatabase::pristinePath());
        QCOMPARE(TestEnv::rowText(table, row), TestEnv::pristineText(table, row));
        QVERIFY(!TestEnv::rowText(table, row).isEmpty());
        // The user's file is left as it was: it may still hold their own keywords.
        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), damaged);
    }

    void missingOrDamagedDatabaseEndsWithAMessageNamingIt_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("garbage") << QByteArray("this is not a database at all\n").repeated(100) << true;
        QTest::newRow("empty file") << QByteArray() << true;
    }
    void missingOrDamagedDatabaseEndsWithAMessageNamingIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        CardDatabase::closeShared();
        TestEnv::wipeUserFiles();
        QTemporaryDir folder;
        if (create)
            TestEnv::writeFile(folder.filePath(QStringLiteral("orbelle.sqlite")), content);
        Paths::setProgramFolder(folder.path());
        Dialogs::clear();
        QVERIFY(!Shell::openCardData());
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(folder.filePath(QStringLiteral("orbelle.sqlite"))));
        QVERIFY(!QFile::exists(CardDatabase::userCopyPath()));
        Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    }

    void cardPicturesComeFromTheImageFolder()
    {
        Settings::set(QStringLiteral("Imagenes"), QStringLiteral("/otra/baraja"));
        modOrbelle::readStartSettings();
        QCOMPARE(CardPictures::path(12), QStringLiteral("/otra/baraja/12.jpg"));
        QVERIFY(CardPictures::load(12).isNull()); // missing: a null picture, no crash
    }

    void reversedCardIsTurnedHalfAround()
    {
        QImage img(3, 2, QImage::Format_RGB32);
        img.fill(Qt::black);
        img.setPixel(0, 0, qRgb(255, 0, 0));
        const QImage turned = CardPictures::halfTurn(img);
        QCOMPARE(turned.size(), img.size());
        QCOMPARE(turned.pixel(2, 1), qRgb(255, 0, 0));
        QCOMPARE(turned.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(CardPictures::halfTurn(turned), img);
    }

    // The row-by-row decode must give what decoding whole, scaling smoothly and cutting the
    // middle gives, for covers wider and taller than the picture's proportion.
    void backgroundsAreDecodedStraightToTheirCover_data()
    {
        QTest::addColumn<QSize>("cover");
        QTest::newRow("main window") << QSize(1266, 906);
        QTest::newRow("intro") << QSize(810, 543);
        QTest::newRow("eighths") << QSize(420, 240);
        QTest::newRow("tall") << QSize(300, 700);
        QTest::newRow("larger than the picture") << QSize(2000, 1100);
    }

    void backgroundsAreDecodedStraightToTheirCover()
    {
        QFETCH(QSize, cover);
        // A sky of soft gradients with sharp marks near the edges, so a cover cut or
        // scaled off by a few pixels differs clearly from the reference.
        QImage sky(1600, 1000, QImage::Format_RGB32);
        for (int y = 0; y < sky.height(); ++y)
            for (int x = 0; x < sky.width(); ++x)
                sky.setPixel(x, y, qRgb(x * 255 / 1599, y * 255 / 999, (x / 40 + y / 40) % 2 ? 200 : 40));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("nebo.jpg"));
        QVERIFY(sky.save(file, "JPEG", 95));

        const QImage got = CardPictures::decodeCovering(file, cover);
        QCOMPARE(got.size(), cover);
        const QImage whole(file);
        const QSize s = whole.size().scaled(cover, Qt::KeepAspectRatioByExpanding);
        const QImage want =
            whole.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .copy(
                    QRect(QPoint((s.width() - cover.width()) / 2, (s.height() - cover.height()) / 2), cover));
        double sum = 0;
        int worst = 0;
        for (int y = 0; y < cover.height(); ++y) {
            for (int x = 0; x < cover.width(); ++x) {
                const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
                const int d =
                    qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
                sum += d;
                worst = qMax(worst, d);
            }
        }
        const double mean = sum / (3.0 * cover.width() * cover.height());
        QVERIFY2(mean < 3.0, qPrintable(QStringLiteral("mean difference %1").arg(mean)));
        // Only the edges of the checks may differ much (a pixel's worth of blur).
        QVERIFY2(worst < 3 * 160, qPrintable(QStringLiteral("worst difference %1").arg(worst)));
    }

    void unreadableBackgroundsGiveNoCover()
    {
        QTemporaryDir dir;
        QCOMPARE(CardPictures::decodeCovering(dir.filePath(QStringLiteral("none.jpg")), QSize(80, 50)),
                 QImage());
        QImage sky(400, 250, QImage::Format_RGB32);
        sky.fill(qRgb(20, 30, 90));
        const QString file = dir.filePath(QStringLiteral("nebo.jpg"));
        QVERIFY(sky.save(file, "JPEG", 90));
        QCOMPARE(CardPictures::decodeCovering(file, QSize()), QImage());
        // Cut short: the rows that never come must not be made up, nor may it crash.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QByteArray bytes = f.readAll();
        f.resize(bytes.size() / 3);
        f.close();
        const QImage cut = CardPictures::decodeCovering(file, QSize(200, 125));
        QVERIFY(cut.isNull() || cut.size() == QSize(200, 125));
        // Another format goes the general way.
        const QString png = dir.filePath(QStringLiteral("nebo.png"));
        QVERIFY(sky.save(png, "PNG"));
        const QImage fromPng = CardPictures::decodeCovering(png, QSize(100, 100));
        QCOMPARE(fromPng.size(), QSize(100, 100));
        QCOMPARE(fromPng.pixel(50, 50), qRgb(20, 30, 90));
    }

    void theRunsMarksKeepEarlierCardsOut()
    {
        Random::seed(42);
        CardMarks &marks = modOrbelle::state().cardTaken;
        const QVector<int> four = marks.drawDistinct(4);
        QCOMPARE(QSet<int>(four.begin(), four.end()).size(), 4);
        for (int c : four)
            QVERIFY(marks.isTaken(c));
        const QVector<int> six = marks.drawDistinct(6);
        for (int c : six)
            QVERIFY(!four.contains(c));
        // A new run starts with no marks.
        modOrbelle::resetSharedState();
        QCOMPARE(modOrbelle::state().cardTaken.unmarkedCount(), 78);
    }

    void quintessenceArithmetic()
    {
        // Majors count their number, the Fool and the court cards nothing, pips their pips.
        const int values[][2] = {{1, 1},   {21, 21}, {22, 0}, {23, 1}, {32, 10}, {33, 0},  {36, 0}, {37, 1},
                                 {46, 10}, {49, 0},  {57, 7}, {62, 0}, {65, 1},  {74, 10}, {78, 0}};
        for (const auto &v : values)
            QVERIFY2(Quintessence::cardValue(v[0]) == v[1], qPrintable(QString::number(v[0])));
        const int folds[][2] = {{0, 0},    {1, 2},    {9, 18},   {10, 1},   {19, 10},  {46, 10},
                                {99, 18},  {100, 11}, {101, 12}, {109, 20}, {110, 12}, {119, 21},
                                {120, 13}, {126, 19}, {111, 13}, {7, 14}};
        for (const auto &f : folds)
            QVERIFY2(Quintessence::fold(f[0]) == f[1], qPrintable(QString::number(f[0])));
        for (int sum = 0; sum <= 126; ++sum) {
            const int q = Quintessence::fold(sum);
            QVERIFY2(q >= 0 && q <= 21, qPrintable(QString::number(sum)));
            QVERIFY(Quintessence::cardFor(q) >= 1 && Quintessence::cardFor(q) <= 22);
        }
        QCOMPARE(Quintessence::cardFor(0), 22);
        QCOMPARE(Quintessence::cardFor(13), 13);
    }

    void theSpreadSurvivesItsQuintessence()
    {
        // Six values of 0, the descending majors, and the low pips of the four suits.
        Spread zero = Spread::of({22, 33, 48, 64, 75, 36});
        QCOMPARE(Quintessence::of(zero), 0);
        Spread majors = Spread::of({21, 20, 19, 18, 17, 16});
        majors.positions[2].reversed = true;
        majors.firstName = QStringLiteral("Ana");
        majors.secondName = QStringLiteral("Juan");
        const Spread before = majors;
        QCOMPARE(Quintessence::sum(majors), 111);
        QCOMPARE(Quintessence::of(majors), 13);
        // Asked again, the same; the spread still holds its card numbers, not values.
        QCOMPARE(Quintessence::of(majors), 13);
        QCOMPARE(majors, before);
        QCOMPARE(majors.cards(), (QVector<int>{21, 20, 19, 18, 17, 16}));
        QVERIFY(majors.isReversed(3) && !majors.isReversed(1));
        QCOMPARE(Quintessence::of(Spread::of({23, 37, 51, 65, 1, 2})), 14);
        QCOMPARE(majors.card(0), 0);
        QCOMPARE(majors.card(7), 0);
    }
};

ORBELLE_TEST_MAIN(tst_CardData)
#include "tst_carddata.moc"
