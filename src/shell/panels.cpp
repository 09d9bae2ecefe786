#include "panels.h"

#include "backdrop.h"
#include "cardpictures.h"
#include "popup.h"
#include "program.h"
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
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(pointSize);
    f.setBold(true);
    l->setFont(f);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("color: #fff4c8; background: transparent;"));
}

void paintPanel(QWidget *w, const QImage &bg)
{
    QPainter p(w);
    paintCovering(p, w->rect(), bg);
    // A veil and a gold rim set the borderless panel apart from what lies behind.
    p.fillRect(w->rect(), QColor(8, 10, 40, 70));
    p.setPen(QPen(QColor(0xd9, 0xb5, 0x5a), 2));
    p.drawRect(QRectF(w->rect()).adjusted(1, 1, -1, -1));
}

void centreOnScreen(QWidget *w)
{
    if (QScreen *s = w->screen())
        w->move(s->availableGeometry().center() - w->rect().center());
}

} // namespace

meld::meld(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_background = backgroundPicture(QStringLiteral("nebo2.jpg"));
    resize(Twips::size(7200, 1400));
    Label1 = new QLabel(QStringLiteral("¡Saque por favor siete cartas!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    styleCaption(Label1, 14);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Twips::px(300), Twips::px(150), Twips::px(300), Twips::px(150));
    layout->addWidget(Label1);

    Timer1 = new Timer(this, 2500, true);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this, 2000);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    // Whichever ticks first closes the panel; a panel shown again starts afresh.
    connect(Timer1, &QTimer::timeout, this, [] { WindowRegistry::unload(QStringLiteral("meld")); });
    connect(Timer2, &QTimer::timeout, this, [] { WindowRegistry::unload(QStringLiteral("meld")); });
    centreOnScreen(this);
}

void meld::showEvent(QShowEvent *)
{
    centreOnScreen(this);
}

void meld::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        WindowRegistry::unload(QStringLiteral("meld"));
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
    m_background = backgroundPicture(QStringLiteral("nebo2.jpg"));
    resize(Twips::size(5000, 2600));
    Label1 = new QLabel(
        QStringLiteral("¡Si quiere una respuesta de Orbelle, pon su domanda y haz un click aquí!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    styleCaption(Label1, 15);
    Label1->setGeometry(Twips::rect(300, 300, 4400, 1700));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(Label1->text());

    Timer1 = new Timer(this, 3000);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this, 1000);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, [this] {
        QApplication::processEvents();
        hide(); // stays loaded until the main menu entry of the popup unloads it
        if (QWidget *laying = WindowRegistry::get(QStringLiteral("legkreuz"))) {
            laying->show();
            laying->raise();
            laying->activateWindow();
        }
        if (QWidget *main = WindowRegistry::ifLoaded(QStringLiteral("Start")))
            main->showMinimized();
        Timer2->setEnabled(false);
    });
    Popup::watch(this);
}

void einfF::Label1_Click()
{
    Label1->move(Label1->x(), Label1->y() + Twips::px(200));
    QFont f = Label1->font();
    f.setPointSize(12);
    Label1->setFont(f);
    Label1->setText(QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!"));
    Timer2->setEnabled(true);
}

bool einfF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            Label1_Click();
    }
    return QWidget::eventFilter(watched, event);
}

void einfF::keyPressEvent(QKeyEvent *e)
{
    // The keyboard does what the click does.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
        e->key() == Qt::Key_Space) {
        Label1_Click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void einfF::paintEvent(QPaintEvent *)
{
    paintPanel(this, m_background);
}
