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

QImage shownPicture(const QLabel *l)
{
    return l->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage decoded(int card, const QSize &size)
{
    return CardPictures::loadScaled(card, size).convertToFormat(QImage::Format_RGB32);
}

// Another program (another copy of Orbelle, another tool) with the user's copy open.
struct OtherProgram
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    OtherProgram()
    {
        db.setDatabaseName(CardDatabase::userCopyPath());
        db.open();
    }
    ~OtherProgram()
    {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    bool exec(const QString &sql) { return QSqlQuery(db).exec(sql); }
};
} // namespace

class tst_School : public QObject
{
    Q_OBJECT
    enum Refusal { Locked, NoCopy, Protected, Renamed };

    // The school as the main window opens it.
    lernen *openSchool()
    {
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->Label8->click();
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
        school->galleryButton->click();
        return WindowRegistry::ifLoaded<alleImagenes>();
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

    void theSchoolPagesWithinTheDeckInsideTheMainWindow()
    {
        Start *main = WindowRegistry::get<Start>();
        lernen *school = openSchool();
        QVERIFY(school);
        QVERIFY(qobject_cast<QMdiSubWindow *>(school->parentWidget()));
        QVERIFY(!main->Picture1->isVisible() && !main->mnuMusik->isEnabled());
        QVERIFY(!school->saveButton->isEnabled());
        school->previousButton->click(); // "Atrás" on the first card
        expectCard(school, 1);
        for (int card = 2; card <= 78; ++card) {
            school->nextButton->click();
            QCOMPARE(school->nameLabel->text(), TestEnv::rowText(QStringLiteral("karten"), card));
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
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        QVERIFY(TestEnv::mainWindowIdle() && main->mnuMusik->isEnabled());
    }

    void anEditIsStoredOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Guardar") << int(QMessageBox::Save);
        QTest::newRow("Yes on leaving") << int(QMessageBox::Yes);
        QTest::newRow("No on leaving") << int(QMessageBox::No);
    }
    void anEditIsStoredOnlyWhenTheUserSaysSo()
    {
        QFETCH(int, how);
        const QString old = keywords(5);
        const QString mine = QStringLiteral("Mis propias palabras: comienzo, voluntad, ñandú.");
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 5);
        QVERIFY(!school->saveButton->isEnabled());
        replaceText(school->Text1, mine);
        QVERIFY(school->saveButton->isEnabled());
        Dialogs::clear();
        if (how == QMessageBox::Save) {
            school->saveButton->click();
            QVERIFY(!school->saveButton->isEnabled());
            // The shared read-only connection, which every other window reads, sees the write.
            QCOMPARE(CardDatabase::cardText(QStringLiteral("stichwörter"), 5), mine);
        } else {
            Dialogs::queueButton(QMessageBox::StandardButton(how));
        }
        school->nextButton->click();
        // A stored text is no unsaved edit: moving asks nothing.
        QCOMPARE(Dialogs::asked(),
                 how == QMessageBox::Save ? QStringList() : QStringList{lernen::unsavedQuestion()});
        expectCard(school, 6);
        QVERIFY(!school->saveButton->isEnabled());
        // A later school reads what is stored; the program folder's own file is never written.
        school->exitButton->click();
        school = openSchool();
        goToCard(school, 5);
        QCOMPARE(school->Text1->toPlainText(), how == QMessageBox::No ? old : mine);
        QCOMPARE(TestEnv::pristineText(QStringLiteral("stichwörter"), 5), old);
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
        const std::function<void()> ways[] = {[&] { school->exitButton->click(); }, [&] { school->close(); },
                                              [] { WindowRegistry::get<frmMeni>()->mnuHaupt->trigger(); },
                                              [&] { school->mnuAlle->trigger(); }};
        ways[how]();
        QCOMPARE(Dialogs::asked(), QStringList{lernen::unsavedQuestion()});
        QVERIFY(!WindowRegistry::isLoaded<lernen>());
        QCOMPARE(keywords(3), QStringLiteral("Texto nuevo"));
        Start *main = WindowRegistry::get<Start>();
        QVERIFY(main->Picture1->isVisible() && main->mnuMusik->isEnabled());
        if (how == 3) {
            // The gallery opened after the store, so it shows the new text.
            alleImagenes *gallery = WindowRegistry::get<alleImagenes>();
            QVERIFY(main->isMinimized() && gallery->isVisible());
            QTest::mouseClick(gallery->Image1[2], Qt::LeftButton);
            QCOMPARE(gallery->Text1->toPlainText(), QStringLiteral("Texto nuevo"));
        }
    }

    void aRefusedWriteKeepsTheTextAndSaysSo_data()
    {
        QTest::addColumn<int>("why");
        QTest::newRow("another program holds the file") << int(Locked);
        QTest::newRow("no copy of one's own") << int(NoCopy);
        QTest::newRow("the copy is protected against writing") << int(Protected);
        QTest::newRow("another tool renamed the text column") << int(Renamed);
    }
    void aRefusedWriteKeepsTheTextAndSaysSo()
    {
        QFETCH(int, why);
        const QString old = keywords(4);
        OtherProgram other;
        if (why == NoCopy || why == Protected) {
            CardDatabase::closeShared();
            if (why == NoCopy) {
                // A file where the data folder should be: the program runs from its pristine file.
                TestEnv::wipeUserFiles();
                TestEnv::writeFile(TestEnv::dataHome() + QStringLiteral("/Orbelle"), "x");
            } else {
                QVERIFY(
                    other.exec(QStringLiteral("UPDATE stichwörter SET stichwörter = 'mío' WHERE rowid = 4")));
                QVERIFY(QFile::setPermissions(CardDatabase::userCopyPath(), QFile::ReadOwner));
            }
            QVERIFY(Shell::openCardData());
        } else if (why == Renamed) {
            QVERIFY(
                other.exec(QStringLiteral("ALTER TABLE stichwörter RENAME COLUMN stichwörter TO palabras")));
        }
        lernen *school = openSchool();
        QVERIFY(school);
        QCOMPARE(school->writable(), why == Locked || why == Renamed);
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
        QCOMPARE(Dialogs::asked().size(), 5);
        if (why == Locked) {
            // Once the other program lets go, the same text is stored.
            other.exec(QStringLiteral("ROLLBACK"));
            school->saveButton->click();
            QCOMPARE(Dialogs::asked().size(), 5);
            QCOMPARE(keywords(4), QStringLiteral("Lo que escribí"));
            return;
        }
        QCOMPARE(TestEnv::pristineText(QStringLiteral("stichwörter"), 4), old);
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
        OtherProgram other;
        for (int card : {5, 6})
            QVERIFY(other.exec(QStringLiteral("UPDATE stichwörter SET stichwörter = '%1%2' WHERE rowid = %2")
                                   .arg(theirs)
                                   .arg(card)));
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

    void addingToTheViewerAppendsTheCardEachTimeAndKeepsItMinimized()
    {
        lernen *school = openSchool();
        QVERIFY(school);
        goToCard(school, 3);
        replaceText(school->Text1, QStringLiteral("Apunte sin guardar"));
        school->toViewerButton->click();
        school->toViewerButton->click();
        rtfViewer *viewer = WindowRegistry::ifLoaded<rtfViewer>();
        QVERIFY(viewer);
        auto *frame = qobject_cast<QMdiSubWindow *>(viewer->parentWidget());
        QVERIFY(frame && frame->isVisible() && frame->isMinimized());
        const QString report = viewer->Box1->document()->toPlainText();
        QCOMPARE(report.count(QStringLiteral("Apunte sin guardar")), 2);
        QCOMPARE(report.count(QChar::ObjectReplacementCharacter), 2);
        QCOMPARE(report.count(school->nameLabel->text()), 0); // the name stays out
        // Appending stores nothing.
        QVERIFY(school->saveButton->isEnabled());
        QVERIFY(keywords(3) != QStringLiteral("Apunte sin guardar"));
    }

    // The keyboard walks the grid and stops at its edges; at a size not its design's, pictures
    // are decoded at the size shown, a right click shows the keywords where the rules place
    // them and its release opens the popup; the frame's close goes back to the main menu.
    void theGalleryShowsEachCardsKeywords()
    {
        alleImagenes *gallery = openGallery();
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
        for (QLabel *l : gallery->Image1)
            QCOMPARE(l->pixmap().deviceIndependentSize().toSize(), l->size());
        QLabel *picture = gallery->Image1[65];
        QCOMPARE(shownPicture(picture), decoded(66, picture->size() * gallery->devicePixelRatioF()));
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
