#include "lernen.h"

#include "alleimagenes.h"
#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "program.h"
#include "recordcursor.h"
#include "report.h"
#include "start.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QImageReader>

namespace {
constexpr int kWidth = 9720;
constexpr int kHeight = 6900;
constexpr int kCards = 78;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// The largest size of the deck's proportion within `place`.
QSize cardWithin(int card, const QSize &place)
{
    QImageReader reader(CardPictures::path(card));
    reader.setAutoTransform(true);
    QSize picture = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        picture.transpose();
    if (picture.isEmpty())
        picture = QSize(700, 1240);
    return picture.scaled(place, Qt::KeepAspectRatio);
}

bool samePath(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// What the database said, in words the user can act on.
QString reasonFor(int code, const QString &engineText)
{
    if (code == RecordCursor::FieldNotFound)
        return QStringLiteral("Su copia de los textos de las cartas no tiene dónde guardar las palabras "
                              "clave: otro programa la ha cambiado.");
    const QString t = engineText.toLower();
    if (t.contains(QLatin1String("readonly")) || t.contains(QLatin1String("read-only")))
        return QStringLiteral("El archivo de los textos está protegido contra escritura.");
    if (t.contains(QLatin1String("locked")) || t.contains(QLatin1String("busy")))
        return QStringLiteral("Otro programa está usando el archivo de los textos.");
    if (t.contains(QLatin1String("full")))
        return QStringLiteral("No queda espacio en el disco.");
    return QStringLiteral("La base de datos no aceptó el cambio.");
}
} // namespace

QString lernen::unsavedQuestion()
{
    return QStringLiteral("No ha guardado los cambios del texto de esta carta. ¿Guardarlos ahora?");
}

QString lernen::conflictQuestion(int card)
{
    return QStringLiteral("Otro programa ha cambiado el texto de la carta %1 después de que la Escuela "
                          "de Tarot lo leyera.\n\n¿Qué texto quiere conservar?")
        .arg(card);
}

QString lernen::editingHelp()
{
    return QStringLiteral(
        "Puede ecribir tus objeciones o reemplezar el texto existente. Todos los cambios se "
        "guardan, silo quiere!");
}

lernen::lernen(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Significaciones de las Cartas"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(kWidth, kHeight));

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    eint = menuBar->addAction(QStringLiteral("&Textos"));
    eint->setObjectName(QStringLiteral("eint"));
    mnuAlle = menuBar->addAction(QStringLiteral("Todas las &Cartas"));
    mnuAlle->setObjectName(QStringLiteral("mnuAlle"));
    connect(eint, &QAction::triggered, this, &lernen::eint_Click);
    connect(mnuAlle, &QAction::triggered, this, &lernen::mnuAlle_Click);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    // The layout gives the card a place; the frame fits the card within it, in the deck's
    // proportion, and the picture is decoded for the frame.
    m_cardPlace = new QWidget(this);
    m_cardPlace->setObjectName(QStringLiteral("cardPlace"));
    m_cardPlace->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_cardPlace->setMinimumSize(Twips::size(900, 1500));
    m_cardPlace->installEventFilter(this);
    Image1->raise();
    Image1->setStyleSheet(QStringLiteral("#Image1 { %1 }").arg(Theme::cardFrameStyle(6)));
    // The picture is decoded at the size it is shown, again whenever that changes.
    Image1->installEventFilter(this);

    numberLabel = new QLabel(QStringLiteral("1"), this);
    numberLabel->setObjectName(QStringLiteral("numberLabel"));
    numberLabel->setAlignment(Qt::AlignCenter);
    numberLabel->setFont(Theme::captionFont(12));
    numberLabel->installEventFilter(this);
    numberLabel->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(Theme::caption().name()));

    nameLabel = new QLabel(this);
    nameLabel->setObjectName(QStringLiteral("nameLabel"));
    nameLabel->setFont(Theme::serifFont(14));
    nameLabel->setWordWrap(true);
    nameLabel->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(Theme::caption().name()));

    ownTextLabel = new QLabel(this);
    ownTextLabel->setObjectName(QStringLiteral("ownTextLabel"));
    ownTextLabel->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(Theme::caption().name()));
    ownTextLabel->hide();

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(Theme::textFont(11));
    Text1->setTabChangesFocus(true);
    Text1->setStyleSheet(Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit")));
    Text1->setAccessibleName(QStringLiteral("Palabras clave de la carta"));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();

    // Each letter once in the window: the menu bar has T and C.
    firstButton = button(this, "firstButton", QStringLiteral("&Primera"));
    firstButton->setToolTip(QStringLiteral("Saltar a la primera carta de baraja"));
    previousButton = button(this, "previousButton", QStringLiteral("&Atrás"));
    nextButton = button(this, "nextButton", QStringLiteral("&Sigiente"));
    lastButton = button(this, "lastButton", QStringLiteral("&Ultima"));
    lastButton->setToolTip(QStringLiteral("Saltar a la ultima carta de la baraja"));
    saveButton = button(this, "saveButton", QStringLiteral("&Guardar"));
    toViewerButton = button(this, "toViewerButton", QStringLiteral("Añadir al &Visualizador"));
    toViewerButton->setToolTip(QStringLiteral("Meter la cartas y sus significados en el viewer"));
    galleryButton = button(this, "galleryButton", QStringLiteral("T&odas las Cartas"));
    exitButton = button(this, "exitButton", QStringLiteral("Sa&lír"));
    restoreButton = button(this, "restoreButton", QStringLiteral("&Restaurar el texto original"));
    restoreButton->hide();
    saveButton->setEnabled(false);
    // Escape leaves as "Salír" does, asking first about an unsaved text.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &lernen::exitButton_Click);

    // The card beside its text, the buttons in two rows below: the rows take the width
    // their captions need, the card and the text share what is left.
    auto *right = new QVBoxLayout;
    right->addWidget(nameLabel);
    auto *own = new QHBoxLayout;
    own->addWidget(ownTextLabel, 1);
    own->addWidget(restoreButton);
    right->addLayout(own);
    right->addWidget(Text1, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_cardPlace, 2400);
    middle->addLayout(right, 6360);
    auto *buttons = new QVBoxLayout;
    const QList<QPushButton *> rows[] = {{firstButton, previousButton, nextButton, lastButton},
                                         {saveButton, toViewerButton, galleryButton, exitButton}};
    for (const QList<QPushButton *> &row : rows) {
        auto *line = new QHBoxLayout;
        for (QPushButton *b : row) {
            // Narrow sides, so a row of long captions fits a small window whole.
            b->setStyleSheet(QStringLiteral("QPushButton { padding-left: 6px; padding-right: 6px; }"));
            line->addWidget(b, b->sizeHint().width());
        }
        buttons->addLayout(line);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    const QSize edge = Twips::size(360, 180);
    layout->setContentsMargins(edge.width(), edge.height(), edge.width(), edge.height());
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    connect(exitButton, &QPushButton::clicked, this, &lernen::exitButton_Click);
    connect(nextButton, &QPushButton::clicked, this, &lernen::nextButton_Click);
    connect(previousButton, &QPushButton::clicked, this, &lernen::previousButton_Click);
    connect(galleryButton, &QPushButton::clicked, this, &lernen::galleryButton_Click);
    connect(toViewerButton, &QPushButton::clicked, this, &lernen::toViewerButton_Click);
    connect(saveButton, &QPushButton::clicked, this, &lernen::saveButton_Click);
    connect(firstButton, &QPushButton::clicked, this, &lernen::firstButton_Click);
    connect(lastButton, &QPushButton::clicked, this, &lernen::lastButton_Click);
    connect(restoreButton, &QPushButton::clicked, this, &lernen::restoreButton_Click);

    setTabOrder(restoreButton, Text1);
    setTabOrder(Text1, saveButton);
    setTabOrder(saveButton, firstButton);
    setTabOrder(firstButton, previousButton);
    setTabOrder(previousButton, nextButton);
    setTabOrder(nextButton, lastButton);
    setTabOrder(lastButton, toViewerButton);
    setTabOrder(toViewerButton, galleryButton);
    setTabOrder(galleryButton, exitButton);

    Data1 = new RecordCursor(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data2 = new RecordCursor(this);
    Data2->setObjectName(QStringLiteral("Data2"));
    // The data control's own messages never show; a failed store is told by store().
    for (RecordCursor *c : {Data1, Data2}) {
        connect(c, &RecordCursor::error, this, [this](int code, const QString &text, bool *show) {
            m_lastCode = code;
            m_lastError = text;
            *show = false;
        });
    }
    connect(Data1, &RecordCursor::reposition, this, [this] {
        saveButton->setEnabled(false);
        numberLabel->setText(QString::number(Data1->absolutePosition() + 1));
    });
    // Moves settle the edit before they start, so this only runs on paths that do not
    // (the cursor closing as the window goes); the cursor never stores on its own.
    connect(Data1, &RecordCursor::validate, this, [this](int, bool *save) {
        *save = false;
        if (!m_unloading)
            settleEdit(false);
    });

    DesignScale::install(this, size(), DesignScale::Layout::Managed);
    Program::adoptIntoMainWindow(this);
}

lernen::~lernen() = default;

void lernen::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    openConnection();
    // The texts are read through the shared connection, the user's own over the shipped
    // ones; the school's own connection writes only the user's.
    Data1->openTable(CardDatabase::shared(), QStringLiteral("stichwörter"));
    Data1->bind(Text1, QStringLiteral("Stichwörter"));
    Data2->openTable(CardDatabase::shared(), QStringLiteral("karten"));
    Data2->bind(nameLabel, QStringLiteral("Karten"));
    numberLabel->setText(QString::number(Data1->absolutePosition() + 1));
    // Connected after the binding, so the cursor has marked the edit when this runs:
    // text the cursor shows itself is no edit.
    connect(Text1, &QPlainTextEdit::textChanged, this,
            [this] { saveButton->setEnabled(Data1->dataChanged()); });
    saveButton->setEnabled(false);
    m_card = 1;
    showPicture();
    showOwnMark();
}

void lernen::showOwnMark()
{
    const QDateTime when = CardDatabase::ownKeywordDate(m_card);
    ownTextLabel->setVisible(when.isValid());
    ownTextLabel->setText(QStringLiteral("Texto propio (escrito el %1)")
                              .arg(QLocale(QLocale::Spanish).toString(when.date(), QLocale::ShortFormat)));
    restoreButton->setVisible(when.isValid());
    restoreButton->setEnabled(m_writable);
}

void lernen::restoreButton_Click()
{
    if (Dialogs::message(this,
                         QStringLiteral("¿Quieres volver al texto original de la carta %1? Tu texto "
                                        "propio se borrará.")
                             .arg(m_card),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
        return;
    const QString error = CardDatabase::restoreKeyword(m_db, m_card);
    if (!error.isEmpty()) {
        Dialogs::message(this,
                         QStringLiteral("No se pudo restaurar el texto original de la carta %1.\n\n%2")
                             .arg(m_card)
                             .arg(reasonFor(0, error)),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    Data1->refreshRow();
    saveButton->setEnabled(false);
    showOwnMark();
}

void lernen::openConnection()
{
    // The texts are written to the user's own copy only. When there is none (the program
    // runs from its pristine file), or the copy is protected against writing, the school
    // reads through the shared, read-only connection and says so when asked to store.
    const QString path = modOrbelle::state().dbPath;
    if (path.isEmpty() || samePath(path, CardDatabase::pristinePath())) {
        m_readOnlyReason = QStringLiteral("Tu archivo personal no está disponible; los textos de la "
                                          "carpeta del programa no se modifican.");
    } else if (!CardDatabase::canWrite(path)) {
        m_readOnlyReason = QStringLiteral("Tu archivo personal está protegido contra escritura; los "
                                          "cambios no se pueden guardar.");
    } else {
        QString error;
        m_db = CardDatabase::openStudy(path, &error);
        m_ownConnection = m_db.isOpen();
        if (!m_ownConnection) {
            qWarning("orbelle: the school cannot open %s: %s", qPrintable(path), qPrintable(error));
            m_readOnlyReason = QStringLiteral("No se pudo abrir tu archivo personal.");
        }
    }
    if (!m_ownConnection) {
        m_db = QSqlDatabase();
        CardDatabase::closeStudy();
    }
    m_writable = m_ownConnection;
}

void lernen::showPicture()
{
    // Decoded at the card's own proportion within its place, so the frame holds the card.
    const QSize place = Image1->contentsRect().size() * Image1->devicePixelRatioF();
    const QSize size = cardWithin(m_card, place.isEmpty() ? QSize(160, 280) : place);
    QPixmap pixmap = QPixmap::fromImage(CardPictures::loadScaled(m_card, size));
    pixmap.setDevicePixelRatio(Image1->devicePixelRatioF());
    Image1->setPixmap(pixmap);
    Image1->setAccessibleName(CardDatabase::cardText(QStringLiteral("karten"), m_card));
}

void lernen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The fonts follow the size as it changes: laid out for them now, not at the next turn
    // of the event loop, so the window never shows a caption cut by the old size.
    layout()->activate();
}

void lernen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The keys go to the school as it opens: "Sigiente" has them.
    if (!isAncestorOf(QApplication::focusWidget()))
        nextButton->setFocus(Qt::OtherFocusReason);
}

void lernen::placeCard()
{
    // The framed card with its number right below it, together in the middle of the place.
    if (!numberLabel)
        return;
    constexpr int ground = 4; // the frame's dark ground around the card
    const QRect place = m_cardPlace->geometry();
    const int number = numberLabel->sizeHint().height();
    const QSize card = cardWithin(m_card, place.size() - QSize(2 * ground + 2, 2 * ground + 2 + number));
    QRect frame(QPoint(), card + QSize(2 * ground + 2, 2 * ground + 2));
    frame.moveCenter(place.center() - QPoint(0, number / 2));
    Image1->setGeometry(frame);
    numberLabel->setGeometry(place.left(), frame.bottom() + 1, place.width(), number);
}

bool lernen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::Resize)
        showPicture();
    if ((watched == m_cardPlace && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) ||
        (watched == numberLabel && event->type() == QEvent::FontChange))
        placeCard();
    return QWidget::eventFilter(watched, event);
}

void lernen::goTo(int card)
{
    card = qBound(1, card, kCards);
    if (card == m_card)
        return; // nothing moves, so no row is left and nothing is asked
    if (!settleEdit())
        return;
    if (card == 1) {
        Data1->moveFirst();
        Data2->moveFirst();
    } else if (card == kCards) {
        positionAtCard(*Data1, kCards);
        positionAtCard(*Data2, kCards);
    } else if (card == m_card + 1) {
        Data1->moveNext();
        Data2->moveNext();
    } else {
        Data1->movePrevious();
        Data2->movePrevious();
    }
    m_card = card;
    placeCard();
    showPicture();
    showOwnMark();
}

bool lernen::settleEdit(bool mayStay)
{
    if (!Data1->dataChanged())
        return true;
    QMessageBox::StandardButtons answers = QMessageBox::Yes | QMessageBox::No;
    if (mayStay)
        answers |= QMessageBox::Cancel;
    const QMessageBox::StandardButton answer =
        Dialogs::message(this, unsavedQuestion(), answers, QMessageBox::Question);
    if (answer == QMessageBox::Yes)
        return store();
    if (answer == QMessageBox::No || !mayStay) {
        Data1->updateControls();
        saveButton->setEnabled(false);
        return true;
    }
    // "Cancelar": nothing moves and the text stays in the box, still unsaved.
    return false;
}

bool lernen::store()
{
    m_lastError.clear();
    m_lastCode = 0;
    if (m_writable) {
        // Only over the text the school read: another copy of the program may have
        // stored this card meanwhile.
        const QString read = Data1->value(QStringLiteral("stichwörter")).toString();
        if (CardDatabase::cardText(QStringLiteral("stichwörter"), m_card) != read) {
            m_lastCode = RecordCursor::WriteConflict;
            return settleConflict();
        }
        if (writeOwnText())
            return true;
    }
    tellStoreFailed(m_unloading);
    saveButton->setEnabled(true);
    return false;
}

bool lernen::writeOwnText()
{
    m_lastError = CardDatabase::storeKeyword(m_db, m_card, Text1->toPlainText());
    if (!m_lastError.isEmpty())
        return false;
    Data1->refreshRow();
    saveButton->setEnabled(false);
    showOwnMark();
    return true;
}

bool lernen::settleConflict()
{
    const int choice = Dialogs::choose(
        this, conflictQuestion(m_card),
        {QStringLiteral("Guardar el mío"), QStringLiteral("Conservar el otro"), QStringLiteral("Cancelar")},
        QMessageBox::Warning);
    if (choice == StoreMine) {
        m_lastCode = 0;
        if (writeOwnText())
            return true;
        tellStoreFailed(m_unloading);
    } else if (choice == KeepTheirs && Data1->refreshRow()) {
        saveButton->setEnabled(false);
        showOwnMark();
        return true;
    }
    // The text stays in the box and nothing moves; a window that is going shows it, so it
    // can still be copied.
    if (m_unloading && choice == KeepEditing)
        Dialogs::message(this,
                         QStringLiteral("Tu texto de la carta %1 no se guardó:\n\n%2")
                             .arg(m_card)
                             .arg(Text1->toPlainText()),
                         QMessageBox::Ok, QMessageBox::Warning);
    saveButton->setEnabled(true);
    return false;
}

void lernen::tellStoreFailed(bool leaving)
{
    const QString reason = m_writable ? reasonFor(m_lastCode, m_lastError) : m_readOnlyReason;
    QString text =
        QStringLiteral("No se pudo guardar el texto de la carta %1.\n\n%2").arg(m_card).arg(reason);
    // A window that is going cannot keep the text for a later try: the message carries
    // it, so it can still be copied.
    if (leaving)
        text += QStringLiteral("\n\nEste es el texto que escribió:\n\n") + Text1->toPlainText();
    else
        text += QStringLiteral("\n\nEl texto sigue en la caja; puede intentarlo de nuevo.");
    Dialogs::message(this, text, QMessageBox::Ok, QMessageBox::Warning);
}

void lernen::exitButton_Click()
{
    // A store the user wanted and the database refused keeps the window open with the text.
    if (!settleEdit())
        return;
    WindowRegistry::unload(this);
}

void lernen::nextButton_Click()
{
    if (Data1->absolutePosition() < kCards - 1)
        goTo(m_card + 1);
}

void lernen::previousButton_Click()
{
    if (Data1->absolutePosition() >= 1)
        goTo(m_card - 1);
}

void lernen::firstButton_Click()
{
    goTo(1);
}

void lernen::lastButton_Click()
{
    goTo(kCards);
}

void lernen::saveButton_Click()
{
    store();
}

void lernen::toViewerButton_Click()
{
    // 1. The picture as shown, and the text left-aligned as a plain text box always is.
    Picture1->setPixmap(Image1->pixmap());
    // 2.–6. The name does not go in; the text does, edits included.
    Report::setFontSize(12);
    Report::insertText(QStringLiteral("\r\n\r\n"));
    Report::insertCard(Picture1->pixmap().toImage(), m_card, false);
    Report::insertText(QStringLiteral("\r\n\r\n") + Text1->toPlainText());
    Report::insertText(QStringLiteral("\r\n"));
    // 7. The school stays in front.
    Report::show(true);
}

void lernen::galleryButton_Click()
{
    // The gallery reads the texts as it opens, so an edit is settled first: a text stored
    // on the way out would otherwise be missing from it.
    if (!settleEdit())
        return;
    WindowRegistry::get<alleImagenes>()->showGallery();
    if (Start *main = WindowRegistry::ifLoaded<Start>())
        main->showMinimized();
    WindowRegistry::unload(this);
}

void lernen::mnuAlle_Click()
{
    galleryButton_Click();
}

void lernen::eint_Click()
{
    Dialogs::message(this, editingHelp(), QMessageBox::Ok);
}

void lernen::Form_Unload()
{
    // Whatever path closes the school, an unsaved edit is offered for saving first.
    m_unloading = true;
    settleEdit(false);
    Data1->close();
    Data2->close();
    if (m_ownConnection) {
        m_db = QSqlDatabase();
        CardDatabase::closeStudy();
    }
    if (Start *main = WindowRegistry::ifLoaded<Start>())
        main->leaveSchool();
}

void lernen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}
