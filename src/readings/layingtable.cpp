#include "layingtable.h"

#include "backdrop.h"
#include "cardpictures.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "music.h"
#include "paintedparts.h"
#include "panels.h"
#include "readaloud.h"
#include "popup.h"
#include "program.h"
#include "settings.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {
constexpr int kClientWidth = 12000;
constexpr int kClientHeight = 9000;

// The table as a screen reader meets it: a canvas that draws the next card when pressed,
// whose description is the prompt; its children are the slots (each card's place and name
// once revealed) and the 78 backs ("Carta boca abajo 5 de 78"), each back pressable while
// the table takes a draw.
class TableAccessible : public PaintedPartsAccessible
{
public:
    explicit TableAccessible(LayingTable *t) : PaintedPartsAccessible(t, QAccessible::Canvas) {}
    LayingTable *table() const { return static_cast<LayingTable *>(widget()); }

    // The slots first, then the backs.
    int partCount() const override { return table()->cardCount() + 78; }
    PaintedPart part(int index) const override
    {
        LayingTable *t = table();
        PaintedPart p;
        if (index < t->cardCount()) {
            const int k = index + 1;
            p.name = t->slotVisible(k) && !t->slotName(k).isEmpty()
                         ? t->slotName(k)
                         : QStringLiteral("Lugar %1 de %2, sin carta").arg(k).arg(t->cardCount());
            p.rect = t->slotCardRect(k);
            p.shown = t->slotVisible(k);
            return p;
        }
        const int back = index - t->cardCount();
        p.name = QStringLiteral("Carta boca abajo %1 de 78").arg(back + 1);
        p.rect = t->backRect(back);
        p.role = QAccessible::Button;
        p.shown = t->backVisible(back) && t->labelVisible(back) && !t->labelShrunk(back);
        if (t->mayDraw() && t->takesMouse())
            p.press = [t, back] { t->clickBack(back); };
        return p;
    }
    int partAt(const QPoint &at) const override
    {
        const int i = table()->backAt(at);
        return i >= 0 ? table()->cardCount() + i : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && table()->accessibleName().isEmpty())
            return QStringLiteral("Mesa de las cartas");
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (table()->mayDraw() && table()->takesMouse() && table()->keyboardBack() >= 0)
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            table()->drawNext();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *tableFactory(const QString &, QObject *object)
{
    if (auto *t = qobject_cast<LayingTable *>(object))
        return new TableAccessible(t);
    return nullptr;
}
} // namespace

LayingTable::LayingTable(const Design &design, QWidget *parent)
    : QWidget(parent),
      m_design(design),
      m_slotVisible(design.slotRects.size(), false),
      m_slotImage(design.slotRects.size()),
      m_slotScaled(design.slotRects.size())
{
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    m_labelVisible.fill(true);
    m_slotName.resize(int(design.slotRects.size()));
    static const bool readable = (QAccessible::installFactory(tableFactory), true);
    Q_UNUSED(readable);

    Timer1 = new Timer(this, design.dealIntervalMs);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer4 = new Timer(this, design.revealDelayMs);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    promptTimer = new Timer(this, design.firstPromptDelayMs);
    nextPromptTimer = new Timer(this, design.nextPromptDelayMs);
    gatherTimer = new Timer(this, design.gatherIntervalMs);
    endTimer = new Timer(this, design.endPauseMs);
    // Windows with designed names for these rename them.
    promptTimer->setObjectName(QStringLiteral("promptTimer"));
    nextPromptTimer->setObjectName(QStringLiteral("nextPromptTimer"));
    gatherTimer->setObjectName(QStringLiteral("gatherTimer"));
    endTimer->setObjectName(QStringLiteral("endTimer"));
    MMControl1 = new MediaControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    MMControl2 = new MediaControl(this);
    MMControl2->setObjectName(QStringLiteral("MMControl2"));
    connect(Timer1, &QTimer::timeout, this, &LayingTable::dealTick);
    connect(Timer4, &QTimer::timeout, this, &LayingTable::revealed);
    connect(promptTimer, &QTimer::timeout, this, [this] {
        Timer1->setEnabled(false);
        m_mayDraw = true;
        updateFocusMark();
        showPrompt(1);
        promptTimer->setEnabled(false);
    });
    connect(nextPromptTimer, &QTimer::timeout, this, [this] {
        if (m_drawCount < cardCount())
            showPrompt(m_drawCount + 1);
        nextPromptTimer->setEnabled(false);
    });
    connect(gatherTimer, &QTimer::timeout, this, &LayingTable::gatherTick);
    connect(endTimer, &QTimer::timeout, this, [this] {
        MMControl1->setCommand(QStringLiteral("close"));
        endTimer->setEnabled(false);
        emit laid();
    });

    // As large as the desktop allows, in the design's proportion; the table scales.
    Program::openOnScreen(this, Twips::size(kClientWidth, kClientHeight));
}

LayingTable::~LayingTable() = default;

void LayingTable::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    // Whether the music was already playing when the laying began.
    modOrbelle::state().musicActive = Settings::get(QStringLiteral("musakt"));
    // The reading draws its cards and fills the slots before the first back is dealt.
    loadReading();
    m_dealCount = 0;
    m_drawCount = 0;
    m_gather = m_design.gatherFrom;
    for (MediaControl *mc : {MMControl1, MMControl2}) {
        mc->setNotify(false);
        mc->setWait(true);
        mc->setShareable(false);
        mc->setDeviceType(QStringLiteral("waveaudio"));
    }
    MMControl2->setFileName(CardPictures::programFile(QStringLiteral("zvuk.wav")));
    MMControl2->setCommand(QStringLiteral("open"));
    Timer1->setEnabled(true);
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
    Timer1->setEnabled(false);
    m_dealCount = 0;
    Music::startIfWanted();
    if (m_design.firstPromptDelayMs > 0) {
        if (!m_design.drawsOpenWithPrompt)
            m_mayDraw = true;
        updateFocusMark();
        promptTimer->setEnabled(true);
        return;
    }
    m_mayDraw = true;
    updateFocusMark();
    showPrompt(1);
}

void LayingTable::showPrompt(int k)
{
    const QString text = m_design.prompt ? m_design.prompt(k) : QString();
    if (text.isEmpty())
        return;
    meld *panel = WindowRegistry::get<meld>();
    if (m_design.promptCloseMs > 0)
        panel->showMessage(text, m_design.promptCloseMs, false);
    else
        panel->showMessageAsDesigned(text, false);
    // Said by the table, not the panel: the panel may close while a reader still asks
    // what it said. The table keeps it for whoever reads the table later.
    ReadAloud::announce(this, text);
    setAccessibleDescription(text);
}

void LayingTable::clickBack(int i)
{
    if (i < 0 || i > 77 || !m_mayDraw || !m_mouseOn || !m_labelVisible[size_t(i)] || m_labelShrunk[size_t(i)])
        return;
    drawn(i);
}

int LayingTable::keyboardBack() const
{
    for (int i = 77; i >= 0; --i) {
        if (m_shapeVisible[size_t(i)] && m_labelVisible[size_t(i)] && !m_labelShrunk[size_t(i)])
            return i;
    }
    return -1;
}

bool LayingTable::showsFocusMark() const
{
    return hasFocus() && m_mayDraw && m_mouseOn && keyboardBack() >= 0;
}

void LayingTable::drawNext()
{
    if (const int i = keyboardBack(); i >= 0)
        clickBack(i);
}

void LayingTable::updateFocusMark()
{
    if (const int i = keyboardBack(); i >= 0)
        update(backArea(i).adjusted(-6, -6, 6, 6));
}

void LayingTable::focusInEvent(QFocusEvent *e)
{
    updateFocusMark();
    QWidget::focusInEvent(e);
}

void LayingTable::focusOutEvent(QFocusEvent *e)
{
    updateFocusMark();
    QWidget::focusOutEvent(e);
}

void LayingTable::drawn(int i)
{
    MMControl1->setFileName(CardPictures::programFile(QStringLiteral("backarte.wav")));
    MMControl1->setCommand(QStringLiteral("open"));
    MMControl1->setCommand(QStringLiteral("play"));
    Timer4->setEnabled(true);
    ++m_drawCount;
    if (m_drawCount > cardCount()) {
        // A click while the backs are being gathered: that back goes, nothing else.
        m_drawCount = cardCount();
        MMControl1->setCommand(QStringLiteral("close"));
    } else if (m_drawCount == cardCount()) {
        // The last card: the ending begins.
        if (m_design.gatherIntervalMs > 0)
            gatherTimer->setEnabled(true);
        else
            endTimer->setEnabled(true);
    }
    takeAway(i);
    // No draw until the reveal; a table of one card takes none again.
    setMouseOn(false);
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
    if (m_design.revealClosesSound)
        MMControl1->setCommand(QStringLiteral("close"));
    setSlotVisible(m_drawCount, true);
    if (const QString name = slotName(m_drawCount); !name.isEmpty())
        ReadAloud::announce(this, QStringLiteral("Has sacado: ") + name);
    if (cardCount() > 1)
        setMouseOn(true);
    Timer4->setEnabled(false);
    if (m_design.nextPromptDelayMs > 0 && m_drawCount < cardCount())
        nextPromptTimer->setEnabled(true);
}

void LayingTable::gatherTick()
{
    hideBack(77);
    --m_gather;
    hideBack(m_gather);
    if (m_gather <= 0) {
        hideBack(0);
        gatherTimer->setEnabled(false);
        endTimer->setEnabled(true);
    }
}

void LayingTable::setMouseOn(bool on)
{
    // Only the draws are switched off: the popup stays within reach in every state.
    m_mouseOn = on;
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
    updateFocusMark();
}

void LayingTable::showBack(int i)
{
    m_shapeVisible[size_t(i)] = true;
    update(backArea(i));
    tellReader(QAccessible::StateChanged, cardCount() + i);
}

void LayingTable::tellReader(QAccessible::Event what, int child) const
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(const_cast<LayingTable *>(this));
    QAccessibleInterface *part = table ? table->child(child) : nullptr;
    if (!part)
        return;
    if (what == QAccessible::StateChanged) {
        QAccessible::State changed;
        changed.invisible = true;
        QAccessibleStateChangeEvent event(part, changed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleEvent event(part, what);
        QAccessible::updateAccessibility(&event);
    }
}

void LayingTable::hideBack(int i)
{
    if (i < 0 || i > 77)
        return;
    // Only the back's own area is painted again: the deal and the gathering change one
    // back a tick.
    m_shapeVisible[size_t(i)] = false;
    update(backArea(i).adjusted(-6, -6, 6, 6));
    tellReader(QAccessible::StateChanged, cardCount() + i);
    // The mark passes to the back that now lies on top.
    updateFocusMark();
}

void LayingTable::setSlotVisible(int k, bool on)
{
    if (k < 1 || k > int(m_slotVisible.size()))
        return;
    m_slotVisible[size_t(k - 1)] = on;
    update(toPixels(m_design.frameRects[size_t(k - 1)]).toAlignedRect().adjusted(-2, -2, 2, 2));
    tellReader(QAccessible::StateChanged, k - 1);
    tellReader(QAccessible::NameChanged, k - 1);
}

void LayingTable::setSlot(int k, const QImage &image, const QString &name)
{
    if (k < 1 || k > int(m_slotImage.size()))
        return;
    m_slotImage[size_t(k - 1)] = image;
    m_slotScaled[size_t(k - 1)] = QImage();
    m_slotName[k - 1] = name;
    update();
    if (m_slotVisible[size_t(k - 1)])
        tellReader(QAccessible::NameChanged, k - 1);
}

void LayingTable::Form_Unload()
{
    m_mayDraw = false;
    for (Timer *t : {Timer1, Timer4, promptTimer, nextPromptTimer, gatherTimer, endTimer})
        t->setEnabled(false);
}

void LayingTable::closedByFrame()
{
    Popup::toMainMenu();
    // A table that is not part of a reading's windows goes all the same.
    WindowRegistry::unload(this);
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
    return toPixels(QRect(p, m_design.back.label)).toRect();
}

QRect LayingTable::slotCardRect(int k) const
{
    if (k < 1 || k > cardCount() || m_slotImage[size_t(k - 1)].isNull())
        return {};
    // As the slot's picture is made: framed to the slot's proportion (a difference under
    // 3 % is left to the scaling), then scaled to the slot.
    const QRectF slot = toPixels(m_design.slotRects[size_t(k - 1)]);
    const QImage framed = CardPictures::framed(m_slotImage[size_t(k - 1)], slot.size());
    const QSizeF picture = m_slotImage[size_t(k - 1)].size();
    const double fx = slot.width() / framed.width(), fy = slot.height() / framed.height();
    QRectF r(QPointF(), QSizeF(picture.width() * fx, picture.height() * fy));
    r.moveCenter(slot.center());
    return r.toRect();
}

QRect LayingTable::backArea(int i) const
{
    const QPoint p = (*m_design.heap)[size_t(i)];
    return toPixels(QRect(p, m_design.back.frame)).toAlignedRect().united(backRect(i)).adjusted(-2, -2, 2, 2);
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

void LayingTable::paintBack(QPainter &p, int i) const
{
    const QPoint at = (*m_design.heap)[size_t(i)];
    const QRectF r = toPixels(QRect(at, m_design.back.frame));
    const double radius = r.width() * 0.07;
    p.setPen(QPen(Theme::gold(), qMax(1.0, r.width() * 0.012)));
    p.setBrush(Theme::backFrame());
    p.drawRoundedRect(r, radius, radius);
    const QRectF panel = toPixels(m_design.back.panel.translated(at));
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::backPanel());
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
    QColor hatch = Theme::backHatch();
    hatch.setAlpha(120);
    p.setBrush(QBrush(hatch, Qt::DiagCrossPattern));
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
    QColor rim = Theme::gold();
    rim.setAlpha(170);
    p.setPen(QPen(rim, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel, radius * 0.5, radius * 0.5);
}

void LayingTable::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 78; ++i) {
        if (m_shapeVisible[size_t(i)] && e->rect().intersects(backArea(i)))
            paintBack(p, i);
    }
    if (showsFocusMark())
        paintFocusMark(p, keyboardBack());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (size_t k = 0; k < m_design.slotRects.size(); ++k) {
        if (!m_slotVisible[k])
            continue;
        const QRectF frame = toPixels(m_design.frameRects[k]);
        p.setPen(QPen(Theme::gold(), 1.5));
        p.setBrush(Theme::cardGround());
        p.drawRoundedRect(frame, 6, 6);
        if (!m_slotImage[k].isNull()) {
            const QRectF at = toPixels(m_design.slotRects[k]);
            const QSize pixels = (at.size() * devicePixelRatioF()).toSize();
            p.drawImage(at, slotPicture(k, pixels));
        }
    }
}

void LayingTable::paintFocusMark(QPainter &p, int i) const
{
    // The back Space draws: a wide bright rim around it, and a dark one outside that, so
    // that it reads on the light and the dark parts of the sky alike.
    const QPoint at = (*m_design.heap)[size_t(i)];
    const QRectF r = toPixels(QRect(at, m_design.back.frame));
    const double radius = r.width() * 0.07;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Theme::night(), 5));
    p.drawRoundedRect(r.adjusted(-2.5, -2.5, 2.5, 2.5), radius, radius);
    p.setPen(QPen(Theme::captionHover(), 3));
    p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), radius, radius);
}

const QImage &LayingTable::slotPicture(size_t k, const QSize &devicePixels) const
{
    QImage &scaled = m_slotScaled[k];
    if (scaled.size() != devicePixels)
        scaled = CardPictures::framed(m_slotImage[k], devicePixels)
                     .scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled;
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
    if (Popup::isPopupKey(e)) {
        Popup::open(mapToGlobal(rect().center()));
        return;
    }
    QWidget::keyPressEvent(e);
}
