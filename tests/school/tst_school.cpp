// The tarot school driven as a user drives it: paging, rewriting and storing a card's
// keywords, the report, the gallery, and what happens when the database refuses a write.

#include "alleimagenes.h"
#include "allwindows.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "gallerylayout.h"
#include "lernen.h"
#include "modOrbelle.h"
#include "popup.h"
#include "program.h"
#include "recordcursor.h"
#include "rtfviewer.h"
#include "start.h"
#include "startup.h"
#include "testenv.h"
#include "windows.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>

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

// Whether a label shows the card's picture as decoded for its size on the screen.
bool showsCard(const QLabel *l, int card)
{
    const QImage shown = l->pixmap().toImage();
    return shown.convertToFormat(QImage::Format_RGB32) ==
           CardPictures::loadScaled(card, shown.size()).convertToFormat(QImage::Format_RGB32);
}

// The user's own database as another program (another tool, another Orbelle) has it open.
QSqlDatabase otherProgram()
{
    QSqlDatabase db = QSqlDatabase::contains(QStringLiteral("other"))
                          ? QSqlDatabase::database(QStringLiteral("other"), false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    db.close();
    db.setDatabaseName(CardDatabase::ownPath());
    db.open();
    return db;
}

QString ownText(int card, const QString &text)
{
    return QStringLiteral("INSERT OR REPLACE INTO keywords (card, text, replaced, changed) "
                          "VALUES (%1, '%2', '', '2026-01-02T10:00:00')")
        .arg(card)
        .arg(text);
}
} // namespace

class tst_School : public QObject
{
    Q_OBJECT
    enum Way { Guardar, Next, Exit, Frame, MainMenu, Gallery };
    enum Refusal { Locked, NoCopy, Protected };

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

    void goToCard(lernen *school, int card)
    {
        school->firstButton->click();
        while (school->currentCard() < card)
            school->nextButton->click();
    }

    // Everything the school shows belongs to one card.
    void expectCard(lernen *school, int card)
    {
        QCOMPARE(school->currentCard(), card);
        QCOMPARE(school->numberLabel->text(), QString::number(card));
        QCOMPARE(school->nameLabel->text(), TestEnv::rowText(QStringLiteral("karten"), card));
        QCOMPARE(school->Text1->toPlainText(), keywords(card));
        QVERIFY(showsCard(school->Image1, card));
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
        // Each test starts with no texts of the user's own.
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
        QCOMPARE(modOrbelle::state().dbPath, CardDatabase::ownPath());
    }

    void cleanup()
    {
        // Nothing left to ask about as the windows go.
        if (lernen *school = WindowRegistry::ifLoaded<lernen>())
            school->Data1->updateControls();
    }

    void theSchoolPagesWithinTheDeckInsideTheMainWindow()
    {
        Start *main = WindowRegistry::get<Start>();
        lernen *school = openSchool();
        QVERIFY(school && qobject_cast<QMdiSubWindow *>(school->parentWidget()));
        QVERIFY(!main->Picture1->isVisible() && !main->mnuMusik->isEnabled());
        QVERIFY(!school->saveButton->isEnabled());
        school->previousButton->click(); // "Atrás" on the first card
        expectCard(school, 1);
        for (int card = 2; card <= 78; ++card) {
            school->nextButton->click();
            QCOMPARE(school->Text1->toPlainText(), keywords(card));
        }
        school->nextButton->click(); // "Sigiente" on the last card: the info rows never show
        expectCard(school, 78);
        school->firstButton->click();
        school->lastButton->click();
        school->previousButton->click();
        expectCard(school, 77);
        QCOMPARE(school->Data2->absolutePosition(), 76);
        school->exitButton->click();
        QVERIFY(!WindowRegistry::isLoaded<lernen>() && TestEnv::mainWindowIdle() &&
                main->mnuMusik->isEnabled());
    }

    // Stored by "Guardar", or asked about whichever way the card or the window is left:
    // "Sí" stores, "No" drops the edit, "Cancelar" stays on the card with the text in the box.
    void anEditIsStoredOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("answer");
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        QTest::newRow("Guardar") << int(Guardar) << yes;
        QTest::newRow("Sigiente, Sí") << int(Next) << yes;
        QTest::newRow("Sigiente, No") << int(Next) << no;
        QTest::newRow("Sigiente, Cancelar") << int(Next) << cancel;
        QTest::newRow("Salír, Sí") << int(Exit) << yes;
        QTest::newRow("Salír, Cancelar") << int(Exit) << cancel;
        QTest::newRow("the frame, Sí") << int(Frame) << yes;
        QTest::newRow("the frame, Cancelar") << int(Frame) << cancel;
        QTest::newRow("Al menu principal, Sí") << int(MainMenu) << yes;
        QTest::newRow("Todas las Cartas, Sí") << int(Gallery) << yes;
        QTest::newRow("Todas las Cartas, Cancelar") << int(Gallery) << cancel;
    }
    void anEditIsStoredOnlyWhenTheUserSaysSo()
    {
        QFETCH(int, way);
        QFETCH(int, answer);
        const bool yes = answer == QMessageBox::Yes, stay = answer == QMessageBox::Cancel;
        const QString old = keywords(5), mine = QStringLiteral("Mis propias palabras: voluntad, ñandú.");
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 5);
        QVERIFY(!school->saveButton->isEnabled());
        replaceText(school->Text1, mine);
        QVERIFY(school->saveButton->isEnabled());
        Dialogs::queueButton(QMessageBox::StandardButton(answer));
        if (way == Guardar)
            school->saveButton->click();
        const std::function<void()> leave[] = {[&] { school->nextButton->click(); },
                                               [&] { school->exitButton->click(); }, [&] { school->close(); },
                                               [] { WindowRegistry::get<frmMeni>()->mnuHaupt->trigger(); },
                                               [&] { school->mnuAlle->trigger(); }};
        leave[qMax(0, way - 1)]();
        // A stored text is no unsaved edit: moving on asks nothing.
        QCOMPARE(Dialogs::asked(), way == Guardar ? QStringList() : QStringList{lernen::unsavedQuestion()});
        // The shared read-only connection, which every other window reads, sees the write.
        QCOMPARE(CardDatabase::cardText(QStringLiteral("stichwörter"), 5), yes ? mine : old);
        QCOMPARE(TestEnv::pristineText(QStringLiteral("stichwörter"), 5), old);
        Start *main = WindowRegistry::get<Start>();
        if (stay) {
            // Nothing moved and nothing is lost: the text waits in the box to be stored.
            QVERIFY(WindowRegistry::isLoaded<lernen>() && !WindowRegistry::isLoaded<alleImagenes>());
            QCOMPARE(school->currentCard(), 5);
            QCOMPARE(school->Text1->toPlainText(), mine);
            QVERIFY(school->saveButton->isEnabled());
            school->saveButton->click();
            QCOMPARE(keywords(5), mine);
            return;
        }
        if (way <= Next) {
            expectCard(school, 6);
            QVERIFY(!school->saveButton->isEnabled());
            school->exitButton->click();
        } else {
            QVERIFY(!WindowRegistry::isLoaded<lernen>());
            QVERIFY(main->Picture1->isVisible() && main->mnuMusik->isEnabled());
        }
        if (way == Gallery) {
            // The gallery opened after the store, so it shows the new text.
            alleImagenes *gallery = WindowRegistry::get<alleImagenes>();
            QVERIFY(main->isMinimized() && gallery->isVisible());
            QTest::mouseClick(gallery->Image1[4], Qt::LeftButton);
            QCOMPARE(gallery->Text1->toPlainText(), mine);
            return;
        }
        // A later school reads what is stored.
        school = openSchool();
        goToCard(school, 5);
        QCOMPARE(school->Text1->toPlainText(), yes ? mine : old);
    }

    void aRefusedWriteKeepsTheTextAndSaysSo_data()
    {
        QTest::addColumn<int>("why");
        QTest::newRow("another program holds the file") << int(Locked);
        QTest::newRow("no copy of one's own") << int(NoCopy);
        QTest::newRow("the own file is protected against writing") << int(Protected);
    }
    void aRefusedWriteKeepsTheTextAndSaysSo()
    {
        QFETCH(int, why);
        QSqlQuery other(otherProgram());
        if (why == NoCopy || why == Protected) {
            CardDatabase::closeShared();
            if (why == NoCopy) { // a file where the data folder should be: the pristine file is read
                TestEnv::wipeUserFiles();
                TestEnv::writeFile(TestEnv::dataHome() + QStringLiteral("/Orbelle"), "x");
            } else {
                QVERIFY(other.exec(ownText(4, QStringLiteral("mío"))));
                other.finish();
                otherProgram().close();
                QVERIFY(QFile::setPermissions(CardDatabase::ownPath(), QFile::ReadOwner));
            }
            QVERIFY(Shell::openCardData());
        }
        lernen *school = openSchool();
        QVERIFY(school);
        QCOMPARE(school->writable(), why == Locked);
        goToCard(school, 4);
        if (why == Protected) // the user's own text, even where it cannot be changed
            QCOMPARE(school->Text1->toPlainText(), QStringLiteral("mío"));
        if (why == Locked)
            QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        replaceText(school->Text1, QStringLiteral("Lo que escribí"));
        Dialogs::clear();
        school->saveButton->click();
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().startsWith(
            QStringLiteral("No se pudo guardar el texto de la carta 4.")));
        QVERIFY(school->saveButton->isEnabled());
        // Neither moving on nor closing with Yes can store it: the card and the window stay.
        Dialogs::queueButton(QMessageBox::Yes);
        school->nextButton->click();
        Dialogs::queueButton(QMessageBox::Yes);
        school->exitButton->click();
        QVERIFY(WindowRegistry::isLoaded<lernen>() && school->currentCard() == 4);
        QCOMPARE(school->Text1->toPlainText(), QStringLiteral("Lo que escribí"));
        if (why == Locked) {
            // Once the other program lets go, the same text is stored.
            other.exec(QStringLiteral("ROLLBACK"));
            school->saveButton->click();
            QCOMPARE(keywords(4), QStringLiteral("Lo que escribí"));
            return;
        }
        // A window going for good carries the text in its message.
        Dialogs::queueButton(QMessageBox::Yes);
        WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        QVERIFY(Dialogs::asked().last().contains(QStringLiteral("Lo que escribí")));
        QFile::remove(TestEnv::dataHome() + QStringLiteral("/Orbelle"));
    }

    // Two copies of the program, each with its school open.
    void aTextAnotherCopyStoredIsNeverOverwrittenUnasked_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("store mine") << int(lernen::StoreMine);
        QTest::newRow("keep the other") << int(lernen::KeepTheirs);
        QTest::newRow("cancel") << int(lernen::KeepEditing);
    }
    void aTextAnotherCopyStoredIsNeverOverwrittenUnasked()
    {
        QFETCH(int, choice);
        const QString theirs = QStringLiteral("Texto del otro "), mine = QStringLiteral("Texto mío");
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 5);
        QSqlQuery other(otherProgram());
        for (int card : {5, 6})
            QVERIFY(other.exec(ownText(card, theirs + QString::number(card))));
        replaceText(school->Text1, mine);
        Dialogs::clear();
        Dialogs::queueChoice(choice);
        school->saveButton->click();
        QCOMPARE(Dialogs::asked(), QStringList{lernen::conflictQuestion(5)});
        QCOMPARE(keywords(5), choice == lernen::StoreMine ? mine : theirs + QLatin1Char('5'));
        QCOMPARE(school->Text1->toPlainText(),
                 choice == lernen::KeepTheirs ? theirs + QLatin1Char('5') : mine);
        QCOMPARE(school->saveButton->isEnabled(), choice == lernen::KeepEditing);
        // The next card shows what is stored now, not what was there when the school opened.
        Dialogs::queueButton(QMessageBox::No);
        school->nextButton->click();
        QCOMPARE(school->Text1->toPlainText(), theirs + QLatin1Char('6'));
    }

    // A stored text is the card's own, marked so, until the original is restored; the
    // program's file never changes.
    void anOwnTextIsMarkedAndTheOriginalCanBeRestored()
    {
        const QString original = keywords(7);
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 7);
        QVERIFY(school->ownTextLabel->isHidden() && school->restoreButton->isHidden());
        replaceText(school->Text1, QStringLiteral("Mi carta siete"));
        school->saveButton->click();
        QVERIFY(!school->ownTextLabel->isHidden() && !school->restoreButton->isHidden());
        QVERIFY(school->ownTextLabel->text().startsWith(QStringLiteral("Texto propio")));
        school->nextButton->click();
        QVERIFY(school->ownTextLabel->isHidden());
        school->previousButton->click();
        QVERIFY(!school->restoreButton->isHidden());
        Dialogs::queueButton(QMessageBox::No);
        school->restoreButton->click();
        QCOMPARE(keywords(7), QStringLiteral("Mi carta siete"));
        Dialogs::queueButton(QMessageBox::Yes);
        school->restoreButton->click();
        QCOMPARE(keywords(7), original);
        QCOMPARE(school->Text1->toPlainText(), original);
        QVERIFY(school->ownTextLabel->isHidden() && school->restoreButton->isHidden());
        QCOMPARE(TestEnv::pristineText(QStringLiteral("stichwörter"), 7), original);
    }

    void addingToTheViewerAppendsTheCardEachTimeAndKeepsItMinimized()
    {
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 3);
        replaceText(school->Text1, QStringLiteral("Apunte sin guardar"));
        school->toViewerButton->click();
        school->toViewerButton->click();
        rtfViewer *viewer = WindowRegistry::ifLoaded<rtfViewer>();
        QVERIFY(viewer && viewer->parentWidget()->isVisible() && viewer->parentWidget()->isMinimized());
        const QString report = viewer->Box1->document()->toPlainText();
        QCOMPARE(report.count(QStringLiteral("Apunte sin guardar")), 2);
        QCOMPARE(report.count(QChar::ObjectReplacementCharacter), 2); // the pictures
        QCOMPARE(report.count(school->nameLabel->text()), 0);         // the name stays out
        // Appending stores nothing.
        QVERIFY(school->saveButton->isEnabled() && keywords(3) != QStringLiteral("Apunte sin guardar"));
    }

    // The keyboard walks the grid and stops at its edges; at a size not its design's, pictures
    // are decoded at the size shown, a right click shows the keywords where the rules place
    // them and its release opens the popup; the frame's close goes back to the main menu.
    void theGalleryShowsEachCardsKeywords()
    {
        openSchool()->galleryButton->click();
        alleImagenes *gallery = WindowRegistry::ifLoaded<alleImagenes>();
        QVERIFY(gallery && gallery->isVisible() && !WindowRegistry::isLoaded<lernen>());
        QCOMPARE(gallery->Text1->toPlainText(), keywords(1));
        QVERIFY(QTest::qWaitForWindowActive(gallery));
        QTRY_VERIFY(gallery->Image1[0]->hasFocus());
        QTest::keyClick(gallery->Image1[0], Qt::Key_Left); // already at the edge
        QTest::keyClick(gallery->Image1[0], Qt::Key_Right);
        QTest::keyClick(gallery->Image1[1], Qt::Key_Down);
        QVERIFY(gallery->Image1[14]->hasFocus());
        QTest::keyClick(gallery->Image1[14], Qt::Key_Return);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(15));
        QTest::keyClick(gallery->Image1[14], Qt::Key_End);
        QTest::keyClick(gallery->Image1[77], Qt::Key_Down);
        QVERIFY(gallery->Image1[77]->hasFocus());
        QTest::keyClick(gallery->Image1[77], Qt::Key_Space);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(78));
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::keyClick(gallery->Image1[77], Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        gallery->resize(1400, 1000);
        QTRY_COMPARE(gallery->size(), QSize(1400, 1000));
        QLabel *picture = gallery->Image1[65];
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), picture->size());
        QVERIFY(showsCard(picture, 66));
        QTest::mousePress(picture, Qt::RightButton);
        QCOMPARE(gallery->Text1->toPlainText(), keywords(66));
        QCOMPARE(gallery->Text1->geometry(), gallery->placed(GalleryLayout::boxFor(65)));
        QTest::mouseRelease(picture, Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        gallery->close();
        QVERIFY(!WindowRegistry::isLoaded<alleImagenes>());
        QVERIFY(TestEnv::mainWindowIdle());
    }
};

ORBELLE_TEST_MAIN(tst_School)
#include "tst_school.moc"
