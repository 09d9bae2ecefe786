// The tarot school driven as a user drives it: paging, rewriting and storing a card's
// keywords, the report, the gallery, and what happens when the database refuses a write.

#include "alleimagenes.h"
#include "allwindows.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "gallerylayout.h"
#include "lernen.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "music.h"
#include "popup.h"
#include "program.h"
#include "recordcursor.h"
#include "rtfviewer.h"
#include "start.h"
#include "startup.h"
#include "testenv.h"
#include "textbutton.h"
#include "windows.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextEdit>

namespace {
QString keywords(int card)
{
    return TestEnv::rowText(QStringLiteral("stichwörter"), card);
}

void replaceText(QPlainTextEdit *box, const QString &text)
{
    // A real keystroke first (the test's key events know ASCII only), then the rest as
    // typed text, so accented letters go through too.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text.left(1));
    box->insertPlainText(text.mid(1));
}

QImage shownPicture(const QLabel *l)
{
    return l->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage decoded(int card, const QSize &size)
{
    return CardPictures::loadScaled(card, size).convertToFormat(QImage::Format_RGB32);
}
} // namespace

class tst_School : public QObject
{
    Q_OBJECT

    // The school as the main window opens it.
    lernen *openSchool()
    {
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->schoolButton->click();
        lernen *school = WindowRegistry::ifLoaded<lernen>();
        if (school)
            [&] { QTRY_VERIFY(school->isVisible()); }();
        return school;
    }

    alleImagenes *openGallery()
    {
        lernen *school = openSchool();
        if (!school)
            return nullptr;
        school->Command4->click();
        return WindowRegistry::ifLoaded<alleImagenes>();
    }

    void goToCard(lernen *school, int card)
    {
        school->Command7->click();
        while (school->currentCard() < card)
            school->Command2->click();
    }

    // Everything the school shows belongs to one card.
    void expectCard(lernen *school, int card)
    {
        QCOMPARE(school->currentCard(), card);
        QCOMPARE(school->Label3->text(), QString::number(card));
        QCOMPARE(school->Label1->text(), TestEnv::rowText(QStringLiteral("karten"), card));
        QCOMPARE(school->Text1->toPlainText(), keywords(card));
        QCOMPARE(shownPicture(school->Image1), decoded(card, school->Image1->pixmap().size()));
    }

private slots:
    void initTestCase()
    {
        registerAllWindows();
        Program::setEndHandler([](int) {});
    }

    void init()
    {
        TestEnv::freshStart();
        // Each test starts from a fresh copy of the texts.
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
        QCOMPARE(modOrbelle::state().dbPath, CardDatabase::userCopyPath());
    }

    void cleanup()
    {
        // Nothing left to ask about as the windows go.
        if (lernen *school = WindowRegistry::ifLoaded<lernen>())
            school->Data1->updateControls();
    }

    void theMainWindowOpensTheSchoolInsideItself()
    {
        Start *main = WindowRegistry::get<Start>();
        main->show();
        lernen *school = openSchool();
        QVERIFY(school);
        QVERIFY(qobject_cast<QMdiSubWindow *>(school->parentWidget()));
        QVERIFY(!main->Picture1->isVisible());
        QVERIFY(!main->mnuMusik->isEnabled());
        expectCard(school, 1);
        QVERIFY(!school->Command6->isEnabled());
        QVERIFY(school->writable());
        school->Command1->click();
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        // The main window has its panel, caption and music entry back.
        QVERIFY(TestEnv::mainWindowIdle());
        QVERIFY(main->mnuMusik->isEnabled());
    }

    void pagingStaysWithinTheDeckAndEveryMoveShowsOneCard()
    {
        lernen *school = openSchool();
        QVERIFY(school);
        school->Command3->click(); // "Atrás" on the first card
        expectCard(school, 1);
        for (int card = 2; card <= 78; ++card) {
            school->Command2->click();
            QCOMPARE(school->currentCard(), card);
            QCOMPARE(school->Label3->text(), QString::number(card));
            QCOMPARE(school->Label1->text(), TestEnv::rowText(QStringLiteral("karten"), card));
            QCOMPARE(school->Text1->toPlainText(), keywords(card));
        }
        school->Command2->click(); // "Sigiente" on the last card: the info rows never show
        expectCard(school, 78);
        school->Command7->click();
        QCOMPARE(school->currentCard(), 1);
        school->Command8->click();
        QCOMPARE(school->currentCard(), 78);
        school->Command3->click();
        expectCard(school, 77);
        QCOMPARE(school->Data1->absolutePosition(), 76);
        QCOMPARE(school->Data2->absolutePosition(), 76);
    }

    void guardarIsOnlyOnWhileAnEditIsUnsaved()
    {
        lernen *school = openSchool();
        QVERIFY(school);
        QVERIFY(!school->Command6->isEnabled());
        school->Command2->click();
        QVERIFY(!school->Command6->isEnabled());
        school->Text1->setFocus();
        school->Text1->moveCursor(QTextCursor::End);
        QTest::keyClick(school->Text1, Qt::Key_X);
        QVERIFY(school->Command6->isEnabled());
        const QString edited = school->Text1->toPlainText();
        school->Command6->click();
        QVERIFY(!school->Command6->isEnabled());
        // The shared read-only connection, which every other window reads, sees the write.
        QCOMPARE(keywords(2), edited);
        QCOMPARE(CardDatabase::cardText(QStringLiteral("stichwörter"), 2), edited);
        // A stored text is no unsaved edit: moving asks nothing.
        Dialogs::clear();
        school->Command2->click();
        QVERIFY(Dialogs::asked().isEmpty());
        QVERIFY(!school->Command6->isEnabled());
        // The program folder's own file is never written.
        QVERIFY(TestEnv::pristineText(QStringLiteral("stichwörter"), 2) != edited);
    }

    void leavingAnEditedCardAsksWhetherToStore_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes stores") << true;
        QTest::newRow("No discards") << false;
    }
    void leavingAnEditedCardAsksWhetherToStore()
    {
        QFETCH(bool, yes);
        const QString old = keywords(5);
        const QString mine = QStringLiteral("Mis propias palabras: comienzo, voluntad, ñandú.");
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 5);
        replaceText(school->Text1, mine);
        QCOMPARE(school->Text1->toPlainText(), mine);
        Dialogs::clear();
        Dialogs::queueButton(yes ? QMessageBox::Yes : QMessageBox::No);
        school->Command2->click();
        QCOMPARE(Dialogs::asked(), QStringList{lernen::unsavedQuestion()});
        expectCard(school, 6);
        QVERIFY(!school->Command6->isEnabled());
        QCOMPARE(keywords(5), yes ? mine : old);

        // A later school reads what is stored.
        school->Command1->click();
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        school = openSchool();
        goToCard(school, 5);
        QCOMPARE(school->Text1->toPlainText(), yes ? mine : old);

        // So does the gallery.
        school->Command4->click();
        alleImagenes *gallery = WindowRegistry::ifLoaded<alleImagenes>();
        QVERIFY(gallery);
        QTest::mouseClick(gallery->Image1[4], Qt::LeftButton);
        QCOMPARE(gallery->Text1->toPlainText(), yes ? mine : old);
    }

    void closingWithAnUnsavedEditAsksFirst_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Salír") << 0;
        QTest::newRow("the frame") << 1;
        QTest::newRow("Al menu principal") << 2;
        QTest::newRow("Todas las Cartas") << 3;
    }
    void closingWithAnUnsavedEditAsksFirst()
    {
        QFETCH(int, how);
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 3);
        replaceText(school->Text1, QStringLiteral("Texto nuevo"));
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::Yes);
        switch (how) {
        case 0:
            school->Command1->click();
            break;
        case 1:
            school->close();
            break;
        case 2:
            WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
            break;
        case 3:
            school->mnuAlle->trigger();
            break;
        }
        QCOMPARE(Dialogs::asked(), QStringList{lernen::unsavedQuestion()});
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        QCOMPARE(keywords(3), QStringLiteral("Texto nuevo"));
        Start *main = WindowRegistry::get<Start>();
        QVERIFY(main->Picture1->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Orbelle"));
        QVERIFY(main->mnuMusik->isEnabled());
        if (how == 3) {
            QVERIFY(main->isMinimized());
            QVERIFY(WindowRegistry::get<alleImagenes>()->isVisible());
            // The gallery opened after the store, so it shows the new text.
            QTest::mouseClick(WindowRegistry::get<alleImagenes>()->Image1[2], Qt::LeftButton);
            QCOMPARE(WindowRegistry::get<alleImagenes>()->Text1->toPlainText(),
                     QStringLiteral("Texto nuevo"));
        }
    }

    void aRefusedWriteKeepsTheTextAndSaysSo_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("another program holds the file") << true;
        QTest::newRow("no copy of one's own: read-only") << false;
    }
    void aRefusedWriteKeepsTheTextAndSaysSo()
    {
        QFETCH(bool, locked);
        QSqlDatabase locker;
        if (locked) {
            locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
            locker.setDatabaseName(CardDatabase::userCopyPath());
            QVERIFY(locker.open());
        } else {
            // A file where the data folder should be: the program runs from its pristine file.
            CardDatabase::closeShared();
            TestEnv::wipeUserFiles();
            TestEnv::writeFile(TestEnv::dataHome() + QStringLiteral("/Orbelle"), "x");
            QVERIFY(Shell::openCardData());
            QCOMPARE(modOrbelle::state().dbPath, CardDatabase::pristinePath());
            QCOMPARE(Dialogs::asked().size(), 1); // said once, at the start
            QVERIFY(Dialogs::asked().first().contains(QStringLiteral("no se podrán guardar")));
        }
        const QString old = keywords(4);
        lernen *school = openSchool();
        QVERIFY(school);
        QCOMPARE(school->writable(), locked);
        goToCard(school, 4);
        if (locked)
            QVERIFY2(QSqlQuery(locker).exec(QStringLiteral("BEGIN IMMEDIATE")), "lock");
        replaceText(school->Text1, QStringLiteral("Lo que escribí"));
        Dialogs::clear();
        school->Command6->click();
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().startsWith(
            QStringLiteral("No se pudo guardar el texto de la carta 4.")));
        QCOMPARE(school->Text1->toPlainText(), QStringLiteral("Lo que escribí"));
        QVERIFY(school->Command6->isEnabled());
        QCOMPARE(keywords(4), old);

        // Moving on with Yes cannot store either: the card stays, with the text.
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::Yes);
        school->Command2->click();
        QCOMPARE(Dialogs::asked().size(), 2);
        QCOMPARE(school->currentCard(), 4);
        QCOMPARE(school->Label3->text(), QStringLiteral("4"));
        QCOMPARE(school->Text1->toPlainText(), QStringLiteral("Lo que escribí"));
        // Nor does closing: the window stays.
        Dialogs::queueButton(QMessageBox::Yes);
        school->Command1->click();
        QVERIFY(WindowRegistry::isLoaded<lernen>());
        QCOMPARE(school->Text1->toPlainText(), QStringLiteral("Lo que escribí"));

        if (locked) {
            // Once the other program lets go, the same text is stored.
            QSqlQuery(locker).exec(QStringLiteral("ROLLBACK"));
            Dialogs::clear();
            school->Command6->click();
            QVERIFY(Dialogs::asked().isEmpty());
            QCOMPARE(keywords(4), QStringLiteral("Lo que escribí"));
            locker.close();
            locker = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("locker"));
        } else {
            // The pristine file is untouched; a window going for good carries the text
            // in its message.
            QCOMPARE(TestEnv::pristineText(QStringLiteral("stichwörter"), 4), old);
            Dialogs::clear();
            Dialogs::queueButton(QMessageBox::Yes);
            WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
            QVERIFY(!WindowRegistry::isLoaded<lernen>());
            QCOMPARE(Dialogs::asked().size(), 2);
            QVERIFY(Dialogs::asked().last().contains(QStringLiteral("Lo que escribí")));
            QFile::remove(TestEnv::dataHome() + QStringLiteral("/Orbelle"));
        }
    }

    void addingToTheViewerAppendsTheCardEachTimeAndKeepsItMinimized()
    {
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 3);
        replaceText(school->Text1, QStringLiteral("Apunte sin guardar"));
        school->Command5->click();
        school->Command5->click();
        rtfViewer *viewer = WindowRegistry::ifLoaded<rtfViewer>();
        QVERIFY(viewer);
        auto *frame = qobject_cast<QMdiSubWindow *>(viewer->parentWidget());
        QVERIFY(frame && frame->isVisible() && frame->isMinimized());
        const QString report = viewer->Box1->document()->toPlainText();
        QCOMPARE(report.count(QStringLiteral("Apunte sin guardar")), 2);
        QCOMPARE(report.count(QChar::ObjectReplacementCharacter), 2);
        // The name stays out of the report.
        QCOMPARE(report.count(school->Label1->text()), 0);
        // Appending stores nothing.
        QVERIFY(school->Command6->isEnabled());
        QVERIFY(keywords(3) != QStringLiteral("Apunte sin guardar"));
    }

    void galleryShowsTheKeywordsBesideThePressedCard_data()
    {
        QTest::addColumn<int>("card");
        for (int card : {1, 13, 66, 78})
            QTest::addRow("%d", card) << card;
    }
    void galleryShowsTheKeywordsBesideThePressedCard()
    {
        QFETCH(int, card);
        const QRect box = GalleryLayout::boxFor(card - 1);
        alleImagenes *gallery = openGallery();
        QVERIFY(gallery && gallery->isVisible());
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        QVERIFY(WindowRegistry::get<Start>()->isMinimized());
        QCOMPARE(gallery->Text1->toPlainText(), keywords(1));
        // Larger than designed, and not in the design's proportion.
        gallery->resize(1400, 1000);
        QTRY_COMPARE(gallery->size(), QSize(1400, 1000));
        QCOMPARE(gallery->Image1[0]->geometry(), gallery->placed(GalleryLayout::card(0)));
        QVERIFY(gallery->Image1[0]->width() > 735 / 15 * 3 / 2);
        // Pictures are decoded at the size they are shown.
        for (QLabel *l : gallery->Image1)
            QCOMPARE(l->pixmap().deviceIndependentSize().toSize(), l->size());
        QCOMPARE(shownPicture(gallery->Image1[size_t(card - 1)]),
                 decoded(card, gallery->Image1[size_t(card - 1)]->size() * gallery->devicePixelRatioF()));

        QTest::mousePress(gallery->Image1[size_t(card - 1)], Qt::RightButton);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(card));
        QCOMPARE(gallery->boxDesign(), box);
        QCOMPARE(gallery->Text1->geometry(), gallery->placed(box));
        const QRect c = gallery->Image1[size_t(card - 1)]->geometry();
        const QRect b = gallery->Text1->geometry();
        if (card > 52)
            QVERIFY(b.bottom() < c.top());
        else
            QVERIFY(b.top() > c.top() && b.top() < c.bottom() && b.bottom() > c.bottom());
        QVERIFY(gallery->rect().contains(b));
        // The release of the right button opens the popup.
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QVERIFY(!menu->isVisible());
        QTest::mouseRelease(gallery->Image1[size_t(card - 1)], Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    // Without a mouse: the arrows walk the grid and stop at its edges, Enter shows the
    // keywords, the context-menu key opens the popup.
    void galleryWorksFromTheKeyboard()
    {
        alleImagenes *gallery = openGallery();
        QVERIFY(gallery);
        QVERIFY(QTest::qWaitForWindowActive(gallery));
        QTRY_VERIFY(gallery->Image1[0]->hasFocus());
        QTest::keyClick(gallery->Image1[0], Qt::Key_Left); // already at the edge
        QVERIFY(gallery->Image1[0]->hasFocus());
        QTest::keyClick(gallery->Image1[0], Qt::Key_Right);
        QTest::keyClick(gallery->Image1[1], Qt::Key_Down);
        QVERIFY(gallery->Image1[14]->hasFocus());
        QTest::keyClick(gallery->Image1[14], Qt::Key_Return);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(15));
        QCOMPARE(gallery->boxDesign(), GalleryLayout::boxFor(14));
        QTest::keyClick(gallery->Image1[14], Qt::Key_End);
        QTest::keyClick(gallery->Image1[77], Qt::Key_Down);
        QVERIFY(gallery->Image1[77]->hasFocus());
        QTest::keyClick(gallery->Image1[77], Qt::Key_Space);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(78));
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::keyClick(gallery->Image1[77], Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void closingTheGalleryByItsFrameGoesBackToTheMainMenu()
    {
        alleImagenes *gallery = openGallery();
        QVERIFY(gallery);
        gallery->close();
        QVERIFY(!WindowRegistry::isLoaded<alleImagenes>());
        QVERIFY(TestEnv::mainWindowIdle());
    }
};

ORBELLE_TEST_MAIN(tst_School)
#include "tst_school.moc"
