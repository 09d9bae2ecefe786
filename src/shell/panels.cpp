#include "panels.h"

#include "backdrop.h"
#include "cardpictures.h"
#include "designscale.h"
#include "popup.h"
#include "program.h"
#include "readaloud.h"
#include "start.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

void styleCaption(QLabel *l, int pointSize)
{
    l->setFont(Theme::captionFont(pointSize));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Theme::panelText().name()));
}

void paintPanel(QWidget *w, const Sky &bg)
{
    QPainter p(w);
    paintCovering(p, w->rect(), bg);
    // A veil and a gold rim set the borderless panel apart from what lies behind.
    p.fillRect(w->rect(), Theme::panelVeil());
    p.setPen(QPen(Theme::deepGold(), 2));
    p.drawRect(QRectF(w->rect()).adjusted(1, 1, -1, -1));
}

void centreOnScreen(QWidget *w)
{
    if (QScreen *s = w->screen())
        w->move(s->availableGeometry().center() - w->rect().center());
}

constexpr QSize kMeldDesign(7200, 1400);
constexpr QSize kPromptDesign(5000, 2600);

} // namespace

meld::meld(QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput)
{
    // The panel only tells: clicks go through it to the backs below.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_background = Sky(QStringLiteral("nebo2.jpg"));
    resize(Twips::size(kMeldDesign.width(), kMeldDesign.height()));
    messageLabel = new QLabel(QStringLiteral("¡Saque por favor siete cartas!"), this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    styleCaption(messageLabel, 14);
    // The panel keeps its size whatever the text: a long name in a prompt must not
    // stretch it across (or far beyond) the screen.
    messageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Twips::px(300), Twips::px(150), Twips::px(300), Twips::px(150));
    layout->addWidget(messageLabel);

    Timer1 = new Timer(this, kDesignMs, true);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this, kShortMs);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    // Whichever ticks first closes the panel; a panel shown again starts afresh.
    connect(Timer1, &QTimer::timeout, this, [this] { WindowRegistry::unload(this); });
    connect(Timer2, &QTimer::timeout, this, [this] { WindowRegistry::unload(this); });
    DesignScale::install(this, size(), DesignScale::Layout::Managed);
    Program::openOnScreen(this, Twips::size(kMeldDesign.width(), kMeldDesign.height()));
}

void meld::showMessage(const QString &text, int closeAfterMs, bool say)
{
    messageLabel->setText(text);
    Timer1->setEnabled(false);
    Timer2->setIntervalMs(closeAfterMs);
    Timer2->setEnabled(true);
    show();
    if (say)
        ReadAloud::announce(this, text);
}

void meld::showUntilUnloaded(const QString &text)
{
    messageLabel->setText(text);
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    show();
    ReadAloud::announce(this, text);
}

void meld::showMessageAsDesigned(const QString &text, bool say)
{
    messageLabel->setText(text);
    show();
    if (say)
        ReadAloud::announce(this, text);
}

void meld::showEvent(QShowEvent *)
{
    centreOnScreen(this);
    if (QWidget *active = QApplication::activeWindow(); active != this)
        m_keysWereAt = active;
}

bool meld::event(QEvent *e)
{
    // The panel only tells: where a platform makes it the active window as it shows, the
    // keys go back to the window that had them (the laying draws by Space meanwhile).
    if (e->type() == QEvent::WindowActivate && m_keysWereAt && m_keysWereAt->isVisible())
        m_keysWereAt->activateWindow();
    return QWidget::event(e);
}

void meld::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        WindowRegistry::unload(this);
        return;
    }
    QWidget::keyPressEvent(e);
}

void meld::paintEvent(QPaintEvent *)
{
    paintPanel(this, m_background);
}

einfF::einfF(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    m_background = Sky(QStringLiteral("nebo2.jpg"));
    resize(Twips::size(kPromptDesign.width(), kPromptDesign.height()));
    messageLabel = new QLabel(
        QStringLiteral("¡Si quiere una respuesta de Orbelle, pon su domanda y haz un click aquí!"), this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    styleCaption(messageLabel, 15);
    messageLabel->setGeometry(Twips::rect(300, 300, 4400, 1700));
    messageLabel->setCursor(Qt::PointingHandCursor);
    messageLabel->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    ReadAloud::makePressable(this, QAccessible::Button, [this] { acceptPrompt(); });
    setAccessibleName(messageLabel->text());

    Timer1 = new Timer(this, 3000);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this, 1000);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, [this] {
        // The tick is a timer event: whatever the click left pending has run before it.
        hide(); // stays loaded until the main menu entry of the popup unloads it
        if (QWidget *laying = WindowRegistry::get(WindowId::legkreuz)) {
            laying->show();
            laying->raise();
            laying->activateWindow();
        }
        if (Start *main = WindowRegistry::ifLoaded<Start>())
            main->showMinimized();
        Timer2->setEnabled(false);
    });
    Popup::watch(this);
    DesignScale::install(this, size(), DesignScale::Layout::Placed);
    Program::openOnScreen(this, Twips::size(kPromptDesign.width(), kPromptDesign.height()));
}

void einfF::showEvent(QShowEvent *e)
{
    if (Start *main = WindowRegistry::ifLoaded<Start>()) {
        const QRect frame = main->frameGeometry();
        move(frame.left() + frame.width() / 2 - Twips::px(2500),
             frame.top() + frame.height() / 2 - frameGeometry().height());
    }
    QWidget::showEvent(e);
}

void einfF::closedByFrame()
{
    Popup::toMainMenu();
}

void einfF::acceptPrompt()
{
    // Taken once: a second press while the cards are shuffled changes nothing.
    if (Timer2->isEnabled())
        return;
    // Down by 200 twips and at 12 points, at the panel's present scale.
    DesignScale *scale = DesignScale::of(this);
    const double s = scale ? scale->scale() : 1.0;
    messageLabel->move(messageLabel->x(), messageLabel->y() + int(Twips::px(200) * s));
    QFont f = messageLabel->font();
    f.setPointSizeF(DesignScale::pointSize(12, s));
    messageLabel->setFont(f);
    messageLabel->setText(QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!"));
    Timer2->setEnabled(true);
}

bool einfF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == messageLabel && event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            acceptPrompt();
    }
    return QWidget::eventFilter(watched, event);
}

void einfF::keyPressEvent(QKeyEvent *e)
{
    // Enter and Space do what the click does; Escape gives the reading up.
    if (e->key() == Qt::Key_Escape) {
        Popup::toMainMenu();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        acceptPrompt();
        return;
    }
    QWidget::keyPressEvent(e);
}

void einfF::paintEvent(QPaintEvent *)
{
    paintPanel(this, m_background);
}
