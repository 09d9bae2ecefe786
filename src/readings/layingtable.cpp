#include "layingtable.h"

#include "backdrop.h"
#include "cardpictures.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "popup.h"
#include "settings.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {
constexpr int kClientWidth = 12000;
constexpr int kClientHeight = 9000;
constexpr int kPanelInset = 120;
} // namespace

QColor LayingTable::frameColour()
{
    return QColor(0x1b, 0x2a, 0x5c);
}
QColor LayingTable::panelColour()
{
    return QColor(0x6b, 0x1e, 0x2e);
}
QColor LayingTable::hatchColour()
{
    return QColor(0xc9, 0xa4, 0x49, 120);
}

LayingTable::LayingTable(const Design &design, QWidget *parent)
    : QWidget(parent),
      m_design(design),
      m_slotVisible(design.slotRects.size(), false),
      m_slotImage(design.slotRects.size())
{
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    resize(Twips::size(kClientWidth, kClientHeight));
    m_labelVisible.fill(true);

    Timer1 = new Timer(this, design.dealIntervalMs);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer4 = new Timer(this, design.revealDelayMs);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    MMControl1 = new MediaControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    MMControl2 = new MediaControl(this);
    MMControl2->setObjectName(QStringLiteral("MMControl2"));
    connect(Timer1, &QTimer::timeout, this, [this] { dealTick(); });
    connect(Timer4, &QTimer::timeout, this, [this] { revealed(); });

    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

LayingTable::~LayingTable() = default;

void LayingTable::loadTable(const std::function<void()> &loadInterpretation)
{
    loadBackground();
    readMusicActive();
    // The interpretation window draws the cards and fills the slots.
    QApplication::processEvents();
    if (loadInterpretation)
        loadInterpretation();
    resetCounters();
    openSounds();
}

void LayingTable::loadBackground()
{
    m_background = backgroundPicture(QStringLiteral("nebo3.jpg"));
    update();
}

void LayingTable::readMusicActive()
{
    // Whether the music was already playing when the laying began.
    modOrbelle::musicActive = Settings::get(QStringLiteral("musakt"));
}

void LayingTable::resetCounters()
{
    m_dealCount = 0;
    m_drawCount = 0;
}

void LayingTable::openSounds()
{
    for (MediaControl *mc : {MMControl1, MMControl2}) {
        mc->setNotify(false);
        mc->setWait(true);
        mc->setShareable(false);
        mc->setDeviceType(QStringLiteral("waveaudio"));
    }
    MMControl2->setFileName(CardPictures::programFile(QStringLiteral("zvuk.wav")));
    MMControl2->setCommand(QStringLiteral("open"));
}

void LayingTable::dealTick()
{
    ++m_dealCount;
    if (m_dealCount <= 77) {
        if (m_dealCount == 1)
            showBack(0);
        showBack(m_dealCount);
        MMControl2->setCommand(QStringLiteral("play"));
        return;
    }
    dealEnded();
}

void LayingTable::dealEnded()
{
    MMControl2->setCommand(QStringLiteral("stop"));
    startMusicIfWanted();
    m_mayDraw = true;
    showPrompt(false);
    Timer1->setEnabled(false);
}

void LayingTable::startMusicIfWanted()
{
    if (!modOrbelle::isTrue(modOrbelle::musicOn) || !modOrbelle::musicActive.toString().isEmpty())
        return;
    if (auto *mc = WindowRegistry::control<MediaControl>(QStringLiteral("mojCorvin"),
                                                         QStringLiteral("MMControl1"))) {
        mc->setCommand(QStringLiteral("play"));
        Settings::set(QStringLiteral("musakt"), QStringLiteral("ja"));
    }
}

void LayingTable::showPrompt(bool closeAfterTwoSeconds)
{
    QWidget *panel = WindowRegistry::get(QStringLiteral("meld"));
    if (!panel)
        return;
    panel->show();
    if (closeAfterTwoSeconds) {
        if (auto *t = panel->findChild<Timer *>(QStringLiteral("Timer1")))
            t->setEnabled(false);
        if (auto *t = panel->findChild<Timer *>(QStringLiteral("Timer2")))
            t->setEnabled(true);
    }
    if (auto *l = panel->findChild<QLabel *>(QStringLiteral("Label1")))
        l->setText(m_design.prompt);
}

void LayingTable::clickBack(int i)
{
    if (i < 0 || i > 77 || !m_mayDraw || !m_mouseOn || !m_labelVisible[size_t(i)] || m_labelShrunk[size_t(i)])
        return;
    drawn(i);
}

void LayingTable::drawNext()
{
    for (int i = 77; i >= 0; --i) {
        if (m_shapeVisible[size_t(i)] && m_labelVisible[size_t(i)] && !m_labelShrunk[size_t(i)]) {
            clickBack(i);
            return;
        }
    }
}

void LayingTable::drawn(int i)
{
    playDrawSound();
    Timer4->setEnabled(true);
    if (m_design.multiCard)
        ++m_drawCount;
    takeAway(i);
    setMouseOn(false);
}

void LayingTable::playDrawSound()
{
    MMControl1->setFileName(CardPictures::programFile(QStringLiteral("backarte.wav")));
    MMControl1->setCommand(QStringLiteral("open"));
    MMControl1->setCommand(QStringLiteral("play"));
}

void LayingTable::takeAway(int i)
{
    if (m_design.shrinkTakenLabel)
        m_labelShrunk[size_t(i)] = true;
    else
        m_labelVisible[size_t(i)] = false;
    hideBack(i);
}

void LayingTable::revealed()
{
    setSlotVisible(m_design.multiCard ? m_drawCount : 1, true);
    if (m_design.multiCard) {
        MMControl1->setCommand(QStringLiteral("close"));
        setMouseOn(true);
    }
    Timer4->setEnabled(false);
}

void LayingTable::setMouseOn(bool on)
{
    // Only the draws are switched off: the popup stays within reach in every state.
    m_mouseOn = on;
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void LayingTable::showBack(int i)
{
    m_shapeVisible[size_t(i)] = true;
    update(backRect(i).adjusted(-2, -2, 2, 2));
}

void LayingTable::hideBack(int i)
{
    if (i < 0 || i > 77)
        return;
    // Only the back's own area is painted again: the deal and the gathering change one
    // back a tick.
    m_shapeVisible[size_t(i)] = false;
    update(backRect(i).adjusted(-2, -2, 2, 2));
}

void LayingTable::setSlotVisible(int k, bool on)
{
    if (k < 1 || k > int(m_slotVisible.size()))
        return;
    m_slotVisible[size_t(k - 1)] = on;
    update(toPixels(m_design.frameRects[size_t(k - 1)]).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void LayingTable::setSlotImage(int k, const QImage &image)
{
    if (k < 1 || k > int(m_slotImage.size()))
        return;
    m_slotImage[size_t(k - 1)] = image;
    update();
}

void LayingTable::onUnload()
{
    m_mayDraw = false;
    Timer1->setEnabled(false);
    Timer4->setEnabled(false);
}

QRectF LayingTable::toPixels(const QRect &twips) const
{
    return QRectF(m_origin.x() + twips.x() / double(Twips::perPixel) * m_scale,
                  m_origin.y() + twips.y() / double(Twips::perPixel) * m_scale,
                  twips.width() / double(Twips::perPixel) * m_scale,
                  twips.height() / double(Twips::perPixel) * m_scale);
}

QRect LayingTable::backRect(int i) const
{
    const QPoint p = (*m_design.heap)[size_t(i)];
    return toPixels(QRect(p, m_design.backSize)).toRect();
}

int LayingTable::backAt(const QPoint &pos) const
{
    for (int i = 77; i >= 0; --i) {
        if (m_labelVisible[size_t(i)] && !m_labelShrunk[size_t(i)] && backRect(i).contains(pos))
            return i;
    }
    return -1;
}

void LayingTable::resizeEvent(QResizeEvent *)
{
    // The table keeps its proportions at any window size.
    m_scale = qMin(width() / double(Twips::px(kClientWidth)), height() / double(Twips::px(kClientHeight)));
    m_origin = QPointF((width() - Twips::px(kClientWidth) * m_scale) / 2,
                       (height() - Twips::px(kClientHeight) * m_scale) / 2);
}

void LayingTable::paintBack(QPainter &p, const QRectF &r) const
{
    const double radius = r.width() * 0.07;
    p.setPen(QPen(QColor(0xe4, 0xc0, 0x62), qMax(1.0, r.width() * 0.012)));
    p.setBrush(frameColour());
    p.drawRoundedRect(r, radius, radius);
    const double inset = kPanelInset / double(Twips::perPixel) * m_scale;
    const QRectF panel = r.adjusted(inset, inset, -inset * 0.9, -inset * 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(panelColour());
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
    QBrush hatch(hatchColour(), Qt::DiagCrossPattern);
    p.setBrush(hatch);
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
    p.setPen(QPen(QColor(0xe4, 0xc0, 0x62, 170), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
}

void LayingTable::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 78; ++i) {
        if (m_shapeVisible[size_t(i)] && e->rect().intersects(backRect(i).adjusted(-2, -2, 2, 2)))
            paintBack(p, QRectF(backRect(i)));
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (size_t k = 0; k < m_design.slotRects.size(); ++k) {
        if (!m_slotVisible[k])
            continue;
        const QRectF frame = toPixels(m_design.frameRects[k]);
        p.setPen(QPen(QColor(0xe4, 0xc0, 0x62), 1.5));
        p.setBrush(QColor(8, 10, 36, 200));
        p.drawRoundedRect(frame, 6, 6);
        if (!m_slotImage[k].isNull())
            p.drawImage(toPixels(m_design.slotRects[k]), m_slotImage[k]);
    }
}

void LayingTable::mousePressEvent(QMouseEvent *e)
{
    e->accept();
}

void LayingTable::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        Popup::open(e->globalPosition().toPoint());
        return;
    }
    if (e->button() == Qt::LeftButton)
        clickBack(backAt(e->position().toPoint()));
}

void LayingTable::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        drawNext();
        return;
    }
    QWidget::keyPressEvent(e);
}
