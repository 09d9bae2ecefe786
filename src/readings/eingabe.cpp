#include "eingabe.h"
#include "readaloud.h"

#include "anima.h"
#include "backdrop.h"
#include "bezi.h"
#include "cardpictures.h"
#include "legbez.h"
#include "modOrbelle.h"
#include "popup.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

QString eingabe::firstPrompt()
{
    return QStringLiteral("¿Como se llama la primera persona?");
}

QString eingabe::secondPrompt()
{
    return QStringLiteral("¿Como se llama la segunda persona?");
}

QString eingabe::emptyNameMessage()
{
    return QStringLiteral("¡Escribír un nombre, por favór!");
}

QString eingabe::shufflingMessage()
{
    return QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!");
}

eingabe::eingabe(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orbelle: Relación"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    setFixedSize(Twips::size(4680, 3345));

    promptLabel = new QLabel(this);
    promptLabel->setObjectName(QStringLiteral("promptLabel"));
    promptLabel->setGeometry(Twips::rect(480, 240, 3735, 1095));
    QFont caption = Theme::textFont(12);
    caption.setBold(true);
    promptLabel->setFont(caption);
    promptLabel->setAlignment(Qt::AlignCenter);
    promptLabel->setWordWrap(true);
    promptLabel->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Theme::caption().name()));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Twips::rect(840, 1560, 3015, 735));
    Text1->setFont(Theme::serifFont(12));
    connect(Text1, &QLineEdit::returnPressed, this, &eingabe::accept);

    firstNameButton = new QPushButton(QStringLiteral("OK"), this);
    firstNameButton->setObjectName(QStringLiteral("firstNameButton"));
    secondNameButton = new QPushButton(QStringLiteral("OK"), this);
    secondNameButton->setObjectName(QStringLiteral("secondNameButton"));
    placeButtons();
    secondNameButton->hide();
    secondNameButton->setEnabled(false);
    connect(firstNameButton, &QPushButton::clicked, this, &eingabe::acceptFirstName);
    connect(secondNameButton, &QPushButton::clicked, this, &eingabe::acceptSecondName);

    Timer1 = new Timer(this, 600);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &eingabe::timerTick);

    Popup::watch(promptLabel);
    promptLabel->setBuddy(Text1);
    setFocusProxy(Text1);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void eingabe::placeButtons()
{
    // The design's place, grown about its middle where the caption needs more at the
    // button's font and the theme's padding.
    for (QPushButton *b : {firstNameButton, secondNameButton}) {
        b->ensurePolished();
        QRect r = Twips::rect(2040, 2520, 615, 495);
        const QSize hint = b->sizeHint();
        const QPoint middle = r.center();
        r.setSize(r.size().expandedTo(hint));
        r.moveCenter(middle);
        // Within the window, under the box.
        r.moveBottom(qMin(r.bottom(), height() - 4));
        b->setGeometry(r);
    }
}

void eingabe::showEvent(QShowEvent *)
{
    placeButtons();
    // The keyboard comes to the box once the main window has gone to the task bar, which
    // happens after the window is shown.
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
        Text1->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void eingabe::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::FontChange)
        placeButtons();
    QWidget::changeEvent(e);
}

void eingabe::keyPressEvent(QKeyEvent *e)
{
    // Escape gives up the reading, as closing the window does.
    if (e->key() == Qt::Key_Escape) {
        closedByFrame();
        return;
    }
    QWidget::keyPressEvent(e);
}

void eingabe::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo2.jpg"));
    // The window asks for the first person itself, so whoever opens it needs to know
    // nothing of its steps.
    setPrompt(firstPrompt());
}

void eingabe::setPrompt(const QString &text)
{
    promptLabel->setText(text);
    // The box is read with the question it answers, and a new question is said.
    Text1->setAccessibleName(text);
    ReadAloud::announce(this, text);
}

void eingabe::acceptFirstName()
{
    // Taken as typed, blanks and all; only an empty entry is refused.
    modOrbelle::state().firstName = Text1->text();
    if (modOrbelle::state().firstName.isEmpty()) {
        setPrompt(emptyNameMessage());
        return;
    }
    setPrompt(secondPrompt());
    Text1->clear();
    firstNameButton->hide();
    firstNameButton->setEnabled(false);
    secondNameButton->show();
    secondNameButton->setEnabled(true);
    Text1->setFocus();
}

void eingabe::acceptSecondName()
{
    // The intro's music stops here at the latest, even when the name is refused.
    WindowRegistry::unload<anima>();
    modOrbelle::state().secondName = Text1->text();
    if (modOrbelle::state().secondName.isEmpty()) {
        setPrompt(emptyNameMessage());
        return;
    }
    promptLabel->setGeometry(Twips::rect(480, 1100, 3735, 2655));
    QFont f = promptLabel->font();
    f.setPointSize(12);
    promptLabel->setFont(f);
    setPrompt(shufflingMessage());
    Text1->hide();
    firstNameButton->hide();
    secondNameButton->hide();
    Timer1->setEnabled(true);
}

void eingabe::accept()
{
    if (firstNameButton->isEnabled())
        acceptFirstName();
    else if (secondNameButton->isEnabled() && !secondNameButton->isHidden())
        acceptSecondName();
}

void eingabe::timerTick()
{
    legBez *laying = WindowRegistry::get<legBez>();
    laying->show();
    laying->raise();
    laying->activateWindow();
    // The interpretation's load decides the six cards and fills the laying's slots
    // before its first back is dealt.
    WindowRegistry::get<bezi>();
    Timer1->setEnabled(false);
    WindowRegistry::unload(this);
}

void eingabe::Form_Unload()
{
    Timer1->setEnabled(false);
}

void eingabe::closedByFrame()
{
    Popup::toMainMenu();
}

void eingabe::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}
