#include "alleimagenes.h"

#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "gallerylayout.h"
#include "meaningbox.h"
#include "popup.h"
#include "program.h"
#include "readaloud.h"
#include "recordcursor.h"
#include "theme.h"
#include "twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {
// Small in the design: the box is a narrow note beside a card, and grows with the window.
constexpr int kBoxPoint = 7;
} // namespace

alleImagenes::alleImagenes(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Alle Karten"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(GalleryLayout::kWidth, GalleryLayout::kHeight));

    for (int i = 0; i < int(Image1.size()); ++i) {
        auto *card = new QLabel(this);
        card->setObjectName(QStringLiteral("Image1_%1").arg(i));
        ReadAloud::makePressable(card, QAccessible::Graphic, [this, i] { cardPressed(i); });
        card->setAccessibleName(QStringLiteral("Carta %1").arg(i + 1));
        card->setAlignment(Qt::AlignCenter);
        // Reached with Tab and the arrow keys; Enter or Space shows the keywords.
        card->setFocusPolicy(Qt::StrongFocus);
        card->installEventFilter(this);
        Image1[size_t(i)] = card;
    }

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    makeMeaningBox(Text1, kBoxPoint);
    // The right button belongs to the popup, here as everywhere in the gallery.
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    m_box = GalleryLayout::initialBox();

    closeButton = new QPushButton(QStringLiteral("&Cerrar"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setToolTip(QStringLiteral("Volver al menú principal"));
    connect(closeButton, &QPushButton::clicked, this, &alleImagenes::closedByFrame);

    nameLabel = new QLabel(this);
    nameLabel->setObjectName(QStringLiteral("nameLabel"));
    nameLabel->setFont(Theme::captionFont(12));
    nameLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
    nameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Data1 = new RecordCursor(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    // The shared connection is read-only: the box is for reading, never stored.
    connect(Data1, &RecordCursor::validate, this, [](int, bool *save) { *save = false; });

    Popup::watch(this);
    layoutControls();
}

void alleImagenes::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    // 1. The cursor stands on its first row: the box shows card 1.
    Data1->openTable(CardDatabase::shared(), QStringLiteral("stichwörter"));
    Data1->bind(Text1, QStringLiteral("Stichwörter"));
    // 2. The pictures come with the first layout at the size they are shown.
}

void alleImagenes::showGallery()
{
    if (!isVisible()) {
        // The cards at the desktop's scale where the screen has room, and "Cerrar" below them.
        const QSize design = Twips::size(GalleryLayout::kWidth, GalleryLayout::kHeight);
        const int strip = buttonStrip();
        double s = Program::desktopScale(this);
        if (const QScreen *screen = this->screen()) {
            const QRect avail = screen->availableGeometry();
            s = qMin(s, qMin(0.95 * avail.width() / design.width(),
                             (0.95 * avail.height() - 30 - strip) / design.height()));
            resize(int(design.width() * s), int(design.height() * s) + strip);
            move(avail.center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
    if (focusedCard() < 0)
        Image1[0]->setFocus(Qt::ActiveWindowFocusReason);
    showName(focusedCard());
}

void alleImagenes::showName(int index)
{
    nameLabel->setText(index >= 0 ? Image1[size_t(index)]->accessibleName() : QString());
}

int alleImagenes::buttonStrip() const
{
    // "Cerrar" keeps a strip of its own below the cards, at the size its caption needs.
    const int h = closeButton->sizeHint().height();
    return h + 2 * qMax(4, h / 4);
}

QRect alleImagenes::placed(const QRect &twips) const
{
    // Place and size are rounded each on their own, so that all cards come out the same
    // size and one decode size serves them all.
    const double k = m_scale / Twips::perPixel;
    const QPointF topLeft = m_origin + QPointF(twips.left() * k, twips.top() * k);
    return QRect(topLeft.toPoint(), QSize(qRound(twips.width() * k), qRound(twips.height() * k)));
}

void alleImagenes::layoutControls()
{
    const QSize button = closeButton->sizeHint();
    const int strip = buttonStrip();
    const int margin = (strip - button.height()) / 2;
    const QSize design = Twips::size(GalleryLayout::kWidth, GalleryLayout::kHeight);
    const int cardsHeight = qMax(1, height() - strip);
    m_scale = qMin(width() / double(design.width()), cardsHeight / double(design.height()));
    m_origin = QPointF((width() - design.width() * m_scale) / 2, (cardsHeight - design.height() * m_scale) / 2);
    const int right = int(m_origin.x() + design.width() * m_scale);
    closeButton->setGeometry(QRect(QPoint(qMax(margin, right - margin - button.width()), height() - margin - button.height()),
                                   button));
    const int left = qMax(margin, int(m_origin.x()) + margin);
    nameLabel->setGeometry(left, height() - strip, qMax(1, closeButton->x() - margin - left), strip);
    for (int i = 0; i < int(Image1.size()); ++i)
        Image1[size_t(i)]->setGeometry(placed(GalleryLayout::card(i)));
    Text1->setGeometry(placed(m_box));
    QFont f = Text1->font();
    f.setPointSizeF(DesignScale::pointSize(kBoxPoint, m_scale));
    Text1->setFont(f);
    Text1->raise();
}

void alleImagenes::loadPictures(const QSize &size)
{
    // Decoded once per size at the size shown: a full decode of 78 pictures only to
    // shrink them would make the gallery slow to open.
    if (size.isEmpty() || size == m_pictureSize)
        return;
    m_pictureSize = size;
    for (int i = 0; i < int(Image1.size()); ++i) {
        QPixmap p = QPixmap::fromImage(CardPictures::loadScaled(i + 1, size));
        p.setDevicePixelRatio(devicePixelRatioF());
        Image1[size_t(i)]->setPixmap(p);
        Image1[size_t(i)]->setAccessibleName(CardDatabase::cardText(QStringLiteral("karten"), i + 1));
    }
}

void alleImagenes::resizeEvent(QResizeEvent *)
{
    layoutControls();
    loadPictures(Image1[0]->size() * devicePixelRatioF());
}

void alleImagenes::cardPressed(int index)
{
    if (index < 0 || index >= int(Image1.size()))
        return;
    m_box = GalleryLayout::boxFor(index);
    Text1->setGeometry(placed(m_box));
    Text1->raise();
    Text1->show();
    positionAtCard(*Data1, index + 1);
}

int alleImagenes::focusedCard() const
{
    for (int i = 0; i < int(Image1.size()); ++i)
        if (Image1[size_t(i)]->hasFocus())
            return i;
    return -1;
}

bool alleImagenes::cardKey(int index, const QKeyEvent *key)
{
    using GalleryLayout::kColumns;
    const int last = int(Image1.size()) - 1;
    int to = -1;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        cardPressed(index);
        return true;
    case Qt::Key_Left:
        to = index - 1;
        break;
    case Qt::Key_Right:
        to = index + 1;
        break;
    case Qt::Key_Up:
        to = index - kColumns;
        break;
    case Qt::Key_Down:
        to = index + kColumns;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        return false;
    }
    if (to >= 0 && to <= last)
        Image1[size_t(to)]->setFocus(Qt::OtherFocusReason);
    return true;
}

bool alleImagenes::eventFilter(QObject *watched, QEvent *event)
{
    int index = -1;
    for (int i = 0; i < int(Image1.size()); ++i) {
        if (watched == Image1[size_t(i)]) {
            index = i;
            break;
        }
    }
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            cardPressed(index);
            break; // the release goes on to the popup's watch
        case QEvent::KeyPress:
            if (cardKey(index, static_cast<QKeyEvent *>(event)))
                return true;
            break;
        case QEvent::Enter:
            showName(index);
            break;
        case QEvent::Leave:
            showName(focusedCard());
            break;
        case QEvent::FocusIn:
            showName(index);
            update(); // the focus ring is painted around the card
            break;
        case QEvent::FocusOut:
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void alleImagenes::closedByFrame()
{
    Popup::toMainMenu();
}

void alleImagenes::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closedByFrame();
        return;
    }
    QWidget::keyPressEvent(event);
}

void alleImagenes::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
    const int focused = focusedCard();
    if (focused >= 0) {
        // In the gap between the cards, so the picture stays whole.
        const qreal w = qMax(2.0, 2.5 * m_scale);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Theme::gold(), w));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(Image1[size_t(focused)]->geometry()).adjusted(-w, -w, w, w), w, w);
    }
}
