#include "frmdrag.h"

#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "dialogs.h"
#include "journalstore.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "music.h"
#include "popup.h"
#include "program.h"
#include "recordcursor.h"
#include "report.h"
#include "settings.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QScrollBar>

#include <cmath>
#include <numbers>

// The board's surface: it paints the background and keeps the items at the design's
// proportions whenever its size changes.
class BoardSurface : public QWidget
{
public:
    explicit BoardSurface(frmDrag *owner) : QWidget(owner), m_owner(owner)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        // Night blue when the picture is missing; the scaled picture is cached per size,
        // so a card carried over the board repaints only what it uncovers.
        paintCovering(p, rect(), m_owner->m_background);
    }
    void resizeEvent(QResizeEvent *) override { m_owner->layOut(); }

private:
    frmDrag *m_owner;
};

namespace {

// An entry of the row: its access key acts at once, as a menu bar's does (a button's own
// would press it and act only when the press ends a moment later).
class EntryButton : public QPushButton
{
public:
    EntryButton(QAction *action, QWidget *parent) : QPushButton(action->text(), parent)
    {
        setObjectName(action->objectName() + QStringLiteral("Entry"));
        // The keys stay with the board (Space turns a card), as they do beside a menu bar.
        setFocusPolicy(Qt::NoFocus);
        setCheckable(action->isCheckable());
        connect(this, &QPushButton::clicked, action, [action] { action->trigger(); });
        connect(action, &QAction::changed, this, [this, action] {
            setCheckable(action->isCheckable());
            setChecked(action->isChecked());
        });
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::Shortcut && !static_cast<QShortcutEvent *>(e)->isAmbiguous()) {
            click();
            return true;
        }
        return QPushButton::event(e);
    }
};

// The board's entries side by side, running on to the next line where the row is too
// narrow for them; the window's layout asks the row its height for its width.
class EntryRow : public QWidget
{
public:
    explicit EntryRow(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("menuRow"));
        setAttribute(Qt::WA_StyledBackground);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    void add(QAction *action) { m_buttons << new EntryButton(action, this); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(width, false); }
    QSize sizeHint() const override
    {
        int width = 0;
        for (const QPushButton *b : m_buttons)
            width += b->sizeHint().width();
        return QSize(width, arrange(width, false));
    }
    // As narrow as the widest entry, one line high: a layout takes the height for the
    // width it gives, and never less than this.
    QSize minimumSizeHint() const override
    {
        QSize least;
        for (const QPushButton *b : m_buttons)
            least = least.expandedTo(b->sizeHint());
        return least;
    }

protected:
    void resizeEvent(QResizeEvent *) override { arrange(width(), true); }

private:
    // Lays the entries out in lines of `width`; returns the height they take.
    int arrange(int width, bool apply) const
    {
        int x = 0;
        int y = 0;
        int line = 0;
        for (QPushButton *b : m_buttons) {
            const QSize hint = b->sizeHint();
            if (x > 0 && x + hint.width() > width) {
                x = 0;
                y += line;
                line = 0;
            }
            if (apply)
                b->setGeometry(x, y, qMin(hint.width(), width), hint.height());
            x += hint.width();
            line = qMax(line, hint.height());
        }
        return y + line;
    }

    QList<QPushButton *> m_buttons;
};

// The frame around the card the keyboard selected: a bright band between two dark
// lines, plain on light and dark cards and on the night sky alike. Clicks go through.
class FocusFrame : public QWidget
{
public:
    explicit FocusFrame(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    int band = 6; // pixels

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const auto ring = [&p](const QRectF &outer, qreal width, const QColor &colour) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            path.addRect(outer);
            path.addRect(outer.adjusted(width, width, -width, -width));
            p.fillPath(path, colour);
        };
        const QRectF r = rect();
        const qreal edge = band / 4.0;
        ring(r, band, QColor(10, 10, 30));
        ring(r.adjusted(edge, edge, -edge, -edge), band - 2 * edge, QColor(255, 214, 0));
    }
};

constexpr double kPerPixel = Twips::perPixel;
const QString kKeywordField = QStringLiteral("Stichwörter");
const QString kHint =
    QStringLiteral("Tab: elegir una carta. Espacio o clic derecho: voltearla. Flechas: moverla.");
const QString kCardKeys =
    QStringLiteral("Espacio o Intro: voltearla y ver su significación. Flechas: moverla; con Mayús, más lejos.");
const QString kCollecting = QStringLiteral("Las cartas que mire irán al Visualizador.");

QRectF twipsRect(QPoint at, QSize size)
{
    return QRectF(at, size);
}
} // namespace

QString frmDrag::helpText()
{
    return QStringLiteral(
        "Un click con el botón de ratón derecho voltea la carta y muestra su significación en el campo de "
        "texto. Manteniéndo pulsado el botón del ratón izquierdo se pueden llevar (mover) las cartas. Si "
        "quiere guardar las cartas, tiene que activar el Visualizador antes de sacar la primera carta.\n\n"
        "Con el teclado: Tab y Mayús+Tab eligen la carta siguiente o la anterior, Espacio o Intro la "
        "voltea y muestra su significación, y las flechas la mueven (con Mayús, más lejos).");
}

QPoint frmDrag::dealtPlace(int i)
{
    // Box 0 lies apart and is never shown. The others overlap from left to right in a
    // gentle wave between the tops 240 and 840, a turn and a half long, so the row reads
    // as a hand-spread deck rather than a ruler line.
    if (i <= 0)
        return QPoint(120, 720);
    const double phase = std::asin(0.2) + (i - 1) * 3.0 * std::numbers::pi / 76.0;
    const int left = 240 + int(std::lround((i - 1) * (10320.0 - 240.0) / 76.0));
    const int top = 540 + int(std::lround(300.0 * std::sin(phase)));
    return QPoint(left, top);
}

frmDrag::frmDrag(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Echar solo las cartas "));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    setFocusPolicy(Qt::StrongFocus);

    // The entries, each with an access key of its own (the board is a window of its own:
    // the main menu bar's keys do not reach it).
    auto *row = new EntryRow(this);
    entries = row;
    const auto entry = [this, row](const char *name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        row->add(action);
        return action;
    };
    mnuDeut = entry("mnuDeut", QStringLiteral("¿&Que cosa tengo que hacer aquí?"));
    mnuView = entry("mnuView", QStringLiteral("&Todos los textos y imagenes poner en el Visualizador"));
    mnuView->setCheckable(true);
    // The cards turned so far, kept in the journal on request.
    connect(entry("mnuDiario", QStringLiteral("Guardar en el &diario")), &QAction::triggered, this, [this] {
        JournalEntry e;
        e.at = QDateTime::currentDateTime();
        e.kind = QStringLiteral("tablero");
        e.spread = Spread::of(m_shuffle.mid(0, m_turnCount));
        if (m_turnCount == 0)
            statusLabel->setText(QStringLiteral("Aún no has dado la vuelta a ninguna carta."));
        else if (JournalStore::instance().add(e))
            statusLabel->setText(QStringLiteral("Guardado en el diario: %1 cartas.").arg(m_turnCount));
        else
            Dialogs::message(this, QStringLiteral("No se pudo guardar en el diario.\n\n") +
                                       JournalStore::instance().lastError(), QMessageBox::Ok, QMessageBox::Warning);
    });
    mnuEnd = entry("mnuEnd", QStringLiteral("&Salír"));
    connect(mnuDeut, &QAction::triggered, this, &frmDrag::mnuDeut_Click);
    connect(mnuView, &QAction::triggered, this, &frmDrag::mnuView_Click);
    connect(mnuEnd, &QAction::triggered, this, &frmDrag::mnuEnd_Click);
    setMenuWidget(row);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);
    statusLabel->setText(kHint);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusLabel, 1);

    board = new BoardSurface(this);
    board->setObjectName(QStringLiteral("board"));
    setCentralWidget(board);

    const QSize card(kCardWidth, kCardHeight);
    for (int i = 0; i < kBoxes; ++i) {
        auto *box = new QLabel(board);
        box->setObjectName(QStringLiteral("Image1_%1").arg(i));
        box->setAttribute(Qt::WA_TranslucentBackground);
        box->setScaledContents(false);
        box->hide();
        box->setFocusPolicy(Qt::StrongFocus);
        box->setAccessibleDescription(kCardKeys);
        box->installEventFilter(this);
        Image1[size_t(i)] = box;
        m_items[size_t(i)] = {box, twipsRect(dealtPlace(i), card)};
        nameCard(i);
    }
    focusFrame = new FocusFrame(board);

    Text1 = new QPlainTextEdit(board);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(Theme::textFont(8));
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text1->setStyleSheet(Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit")));
    // The box is carried like a card, so the mouse does not select in it.
    Text1->setTextInteractionFlags(Qt::NoTextInteraction);
    Text1->viewport()->setCursor(Qt::OpenHandCursor);
    Text1->hide();
    Text1->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);
    m_items[kBoxes] = {Text1, QRectF(8400, 6600, 2895, 1575)};

    Data1 = new RecordCursor(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->bind(Text1, kKeywordField);

    Timer1 = new Timer(this, 30);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmDrag::dealTick);

    MMControl1 = new MediaControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));

    // The board opens centred, as large as the desktop allows in its proportions; the
    // entries come on top of the client area and the status line below it.
    const QSize client = Twips::size(kBoardWidth, kBoardHeight);
    ensurePolished(); // the bars measured as they will show
    Program::openOnScreen(this, client + QSize(0, row->sizeHint().height() + statusBar()->sizeHint().height()));
    // The bars keep their height at any scale (and the entries may take two lines): the
    // board gets the rest, in its proportions.
    const int bars = row->heightForWidth(width()) + statusBar()->sizeHint().height();
    QSize boardSize = client.scaled(width(), height() - bars, Qt::KeepAspectRatio);
    if (row->heightForWidth(boardSize.width()) + statusBar()->sizeHint().height() != bars)
        boardSize = client.scaled(boardSize.width(), height() - bars - row->sizeHint().height(), Qt::KeepAspectRatio);
    const QPoint centre = geometry().center();
    resize(boardSize.width(), boardSize.height() + row->heightForWidth(boardSize.width()) +
                                  statusBar()->sizeHint().height());
    move(centre - rect().center());
}

frmDrag::~frmDrag() = default;

void frmDrag::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    // Whether the music was already playing when the board opened.
    modOrbelle::state().musicActive = Settings::get(QStringLiteral("musakt"));

    MMControl1->setNotify(false);
    MMControl1->setWait(true);
    MMControl1->setShareable(false);
    MMControl1->setDeviceType(QStringLiteral("waveaudio"));
    MMControl1->setFileName(CardPictures::programFile(QStringLiteral("zvuk.wav")));
    MMControl1->setCommand(QStringLiteral("open"));

    // The whole deck, whatever the readings before took in this run: the marks are
    // cleared, so the shuffle always ends, and a later reading finds them full and
    // clears them again.
    CardMarks &marks = modOrbelle::state().cardTaken;
    marks.clear();
    m_shuffle = marks.drawDistinct(kBoxes);
    m_turnCount = 0;
    m_dealCount = 0;

    m_back = QImage(CardPictures::programFile(QStringLiteral("dorso.png")));
    m_backScaled = QPixmap();
    // Collecting stays as the last board of the run left it.
    mnuView->setChecked(modOrbelle::state().boardCollects);
    say(modOrbelle::state().boardCollects ? kCollecting : kHint);
    layOut();
    // The keys go to the board itself until Tab selects a card: Space then turns the
    // frontmost back, again and again.
    setFocus(Qt::OtherFocusReason);
    Timer1->setEnabled(true);
}

void frmDrag::Form_Unload()
{
    Timer1->setEnabled(false);
    m_dealCount = 0;
    MMControl1->setCommand(QStringLiteral("close"));
    Data1->close();
}

void frmDrag::dealTick()
{
    ++m_dealCount;
    if (m_dealCount <= 77) {
        MMControl1->setCommand(QStringLiteral("play"));
        Image1[size_t(m_dealCount)]->show();
        return;
    }
    MMControl1->setCommand(QStringLiteral("stop"));
    Music::startIfWanted();
    Timer1->setEnabled(false);
}

double frmDrag::pixelsPerTwip() const
{
    return m_scale / kPerPixel;
}

QPoint frmDrag::placeOf(const QWidget *item) const
{
    for (const Item &it : m_items)
        if (it.widget == item)
            return it.place.topLeft().toPoint();
    return {};
}

void frmDrag::layOut()
{
    if (!board)
        return;
    const double w = kBoardWidth / kPerPixel;
    const double h = kBoardHeight / kPerPixel;
    m_scale = qMin(board->width() / w, board->height() / h);
    if (m_scale <= 0)
        m_scale = 1.0;
    m_origin = QPointF((board->width() - w * m_scale) / 2, (board->height() - h * m_scale) / 2);
    QFont keywords = Theme::textFont(8);
    keywords.setPointSizeF(DesignScale::pointSize(8, m_scale));
    Text1->setFont(keywords);
    for (int index = 0; index <= kBoxes; ++index)
        place(index);
    for (int i = 0; i < kBoxes; ++i)
        showPicture(i);
}

void frmDrag::place(int index)
{
    const QRectF &t = m_items[size_t(index)].place;
    const double k = pixelsPerTwip();
    const QRect px(
        QPoint(int(std::lround(m_origin.x() + t.x() * k)), int(std::lround(m_origin.y() + t.y() * k))),
        QSize(int(std::lround(t.width() * k)), int(std::lround(t.height() * k))));
    m_items[size_t(index)].widget->setGeometry(px);
    if (index == m_selected)
        frameSelected();
}

void frmDrag::frameSelected()
{
    auto *frame = static_cast<FocusFrame *>(focusFrame);
    if (m_selected < 0 || !Image1[size_t(m_selected)]->isVisible()) {
        frame->hide();
        return;
    }
    // Around the card, overlapping its edge a little; thicker as the board grows.
    frame->band = qMax(4, int(std::lround(6 * m_scale)));
    const int out = frame->band - 2;
    frame->setGeometry(Image1[size_t(m_selected)]->geometry().adjusted(-out, -out, out, out));
    frame->raise();
    frame->show();
    frame->update();
}

void frmDrag::nameCard(int i)
{
    // Box 0 never shows; the board deals 77 backs.
    Image1[size_t(i)]->setAccessibleName(
        m_tag[size_t(i)].isEmpty() ? QStringLiteral("Carta boca abajo %1 de %2").arg(i).arg(kBoxes - 1)
                                   : Report::cardName(Spread::of({m_tag[size_t(i)].toInt()}), 1));
}

void frmDrag::showPicture(int i)
{
    QLabel *box = Image1[size_t(i)];
    const qreal dpr = box->devicePixelRatioF();
    const QSize pixels = box->size() * dpr;
    if (pixels.isEmpty())
        return;
    // Pictures are scaled once per size, smoothly, never while painting.
    const QImage &source = m_face[size_t(i)].isNull() ? m_back : m_face[size_t(i)];
    if (source.isNull() || (i == 0 && m_face[0].isNull()))
        return;
    if (&source == &m_back) {
        // One scaled back shared by every face-down box.
        if (m_backScaled.size() != pixels) {
            m_backScaled =
                QPixmap::fromImage(m_back.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            m_backScaled.setDevicePixelRatio(dpr);
        }
        box->setPixmap(m_backScaled);
        return;
    }
    QPixmap shown = QPixmap::fromImage(
        CardPictures::framed(source, pixels).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    shown.setDevicePixelRatio(dpr);
    box->setPixmap(shown);
}

int frmDrag::indexOf(QObject *watched) const
{
    if (watched == Text1 || watched == Text1->viewport())
        return kBoxes;
    for (int i = 0; i < kBoxes; ++i)
        if (watched == Image1[size_t(i)])
            return i;
    return -1;
}

bool frmDrag::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const int index = indexOf(watched);
        if (index < 0)
            break;
        auto *e = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseMove)
            moved(e);
        else if (event->type() == QEvent::MouseButtonRelease)
            released(index, e);
        else
            pressed(index, e);
        return true;
    }
    case QEvent::Wheel:
        // The keyword box still scrolls a long text.
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const int i = indexOf(watched);
        if (i < 0 || i >= kBoxes)
            break;
        if (event->type() == QEvent::FocusIn) {
            Image1[size_t(i)]->raise();
            m_selected = i;
        } else if (m_selected == i) {
            m_selected = -1;
        }
        frameSelected();
        break;
    }
    case QEvent::KeyPress: {
        const int i = indexOf(watched);
        if (i >= 0 && i < kBoxes && cardKey(i, static_cast<QKeyEvent *>(event)))
            return true;
        if (i == kBoxes) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (Popup::isPopupKey(k)) {
                Popup::open(Text1->mapToGlobal(Text1->rect().center()));
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmDrag::pressed(int index, QMouseEvent *e)
{
    QWidget *item = m_items[size_t(index)].widget;
    item->raise();
    if (e->button() == Qt::LeftButton) {
        m_dragged = index;
        m_dragOffset = board->mapFromGlobal(e->globalPosition()) - QPointF(item->pos());
        m_dragFrom = m_items[size_t(index)].place;
        if (index == kBoxes)
            Text1->viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (index < kBoxes && m_tag[size_t(index)].isEmpty())
        turn(index);
}

void frmDrag::moved(QMouseEvent *e)
{
    if (m_dragged < 0 || !(e->buttons() & Qt::LeftButton))
        return;
    // The item itself follows the mouse; where it lands is decided on the drop.
    QWidget *item = m_items[size_t(m_dragged)].widget;
    const QPointF at = board->mapFromGlobal(e->globalPosition()) - m_dragOffset;
    item->move(at.toPoint());
    if (m_dragged == m_selected)
        frameSelected();
}

void frmDrag::released(int index, QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        if (m_dragged >= 0)
            drop(board->mapFromGlobal(e->globalPosition()));
        return;
    }
    m_items[size_t(index)].widget->raise();
    if (index < kBoxes && !m_tag[size_t(index)].isEmpty())
        look(index);
}

bool frmDrag::coveredByOtherItem(int dragged, const QPointF &boardPos) const
{
    const QPoint p = boardPos.toPoint();
    for (int index = 0; index <= kBoxes; ++index) {
        if (index == dragged)
            continue;
        const QWidget *w = m_items[size_t(index)].widget;
        if (w->isVisible() && w->geometry().contains(p))
            return true;
    }
    return false;
}

void frmDrag::drop(const QPointF &boardPos)
{
    const int index = m_dragged;
    m_dragged = -1;
    if (index == kBoxes)
        Text1->viewport()->setCursor(Qt::OpenHandCursor);
    Item &item = m_items[size_t(index)];
    const double k = pixelsPerTwip();
    // Only the board's free surface takes a drop: over another card, the keyword box
    // or off the board the item goes back where it lay. The strips the board's
    // proportions leave at its sides count as board; the clamping brings the item in.
    if (!QRectF(board->rect()).contains(boardPos) || coveredByOtherItem(index, boardPos)) {
        item.place = m_dragFrom;
        place(index);
        return;
    }
    item.place.moveTopLeft((boardPos - m_dragOffset - m_origin) / k);
    clampToBoard(item.place);
    place(index);
}

void frmDrag::clampToBoard(QRectF &place)
{
    double left = place.left();
    double top = place.top();
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (left + place.width() > kBoardWidth)
        left = kBoardWidth - place.width();
    if (top + place.height() > kBoardHeight)
        top = kBoardHeight - place.height();
    place.moveTopLeft(QPointF(left, top));
}

bool frmDrag::cardKey(int i, QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    const double step = mods == Qt::ShiftModifier ? kLargeStep : kSmallStep;
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As the right button: a back is turned, and the card looked at.
        Image1[size_t(i)]->raise();
        frameSelected();
        if (m_tag[size_t(i)].isEmpty())
            turn(i);
        if (!m_tag[size_t(i)].isEmpty())
            look(i);
        return true;
    case Qt::Key_Left:
        moveCard(i, QPointF(-step, 0));
        return true;
    case Qt::Key_Right:
        moveCard(i, QPointF(step, 0));
        return true;
    case Qt::Key_Up:
        moveCard(i, QPointF(0, -step));
        return true;
    case Qt::Key_Down:
        moveCard(i, QPointF(0, step));
        return true;
    default:
        return false;
    }
}

void frmDrag::moveCard(int i, QPointF byTwips)
{
    // Kept on the board as a drop is; over other cards too, which a key cannot go around.
    QRectF &at = m_items[size_t(i)].place;
    at.translate(byTwips);
    clampToBoard(at);
    place(i);
}

void frmDrag::turn(int i)
{
    // Never past the shuffle: the board has 77 backs for 78 cards.
    if (m_turnCount >= m_shuffle.size())
        return;
    ++m_turnCount;
    const int card = m_shuffle.at(m_turnCount - 1);
    // The box shows the picture stretched to card size (showPicture).
    m_face[size_t(i)] = CardPictures::load(card);
    m_tag[size_t(i)] = QString::number(card);
    nameCard(i);
    showPicture(i);
}

void frmDrag::look(int i)
{
    const int card = m_tag[size_t(i)].toInt();
    openKeywordQuery(*Data1, CardDatabase::shared(), card);
    Text1->verticalScrollBar()->setValue(0);
    Text1->show();
    const QString name = CardDatabase::cardText(QStringLiteral("karten"), card);
    if (modOrbelle::state().boardCollects) {
        writeToReport(i, card);
        say(QStringLiteral("Carta «%1» añadida al Visualizador.").arg(name));
    } else {
        say(name);
    }
}

void frmDrag::writeToReport(int i, int card)
{
    Report::writeBoardCard(m_face[size_t(i)], card, Text1->toPlainText());
}

void frmDrag::say(const QString &text)
{
    statusLabel->setText(text);
}

void frmDrag::turnNext()
{
    // The frontmost back on the board: the last one in the stacking order.
    const QObjectList &children = board->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        const int i = indexOf(*it);
        if (i < 0 || i >= kBoxes || !Image1[size_t(i)]->isVisible() || !m_tag[size_t(i)].isEmpty())
            continue;
        Image1[size_t(i)]->raise();
        turn(i);
        if (!m_tag[size_t(i)].isEmpty())
            look(i);
        return;
    }
}

void frmDrag::keyPressEvent(QKeyEvent *e)
{
    if (Popup::isPopupKey(e)) {
        Popup::open(mapToGlobal(rect().center()));
        return;
    }
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        turnNext();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void frmDrag::mnuDeut_Click()
{
    Dialogs::message(this, helpText());
}

void frmDrag::mnuView_Click()
{
    // The entry's check follows the switch whichever way it was reached.
    const bool on = !modOrbelle::state().boardCollects;
    modOrbelle::state().boardCollects = on;
    mnuView->setChecked(on);
    if (!on) {
        say(QStringLiteral("Las cartas ya no van al Visualizador."));
        return;
    }
    Report::setFontSize(12);
    // The report grows minimized while the user goes on at the board.
    Report::show(true);
    say(kCollecting);
}

void frmDrag::mnuEnd_Click()
{
    WindowRegistry::unload(this);
}
