#include "kreuz.h"

#include "cardpicker.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "deutf.h"
#include "legkreuz.h"
#include "modOrbelle.h"
#include "popup.h"
#include "program.h"
#include "report.h"
#include "recordcursor.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QPlainTextEdit>

namespace {
// Left, right, top, bottom: the places of positions 1 to 4.
constexpr std::array<QPoint, 4> kPlaces{{{240, 2400}, {3840, 2400}, {2040, 240}, {2040, 4560}}};
constexpr QSize kCard(1500, 2625);
const char *const kPictureNames[] = {"im1", "Im2", "im3", "Im4"};
} // namespace

QString kreuz::tableOf(int position)
{
    return QStringLiteral("kreuz%1").arg(position);
}

kreuz::kreuz(QWidget *parent) : InterpretationWindow(WindowId::kreuz, QStringLiteral("Orbelle: Kreuz"), parent)
{
    resize(Twips::size(5595, 7425));
    for (size_t k = 0; k < 4; ++k) {
        auto *frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("Shape4_%1").arg(k));
        frame->setGeometry(Twips::rect(kPlaces[k].x() - 120, kPlaces[k].y() - 120, kCard.width() + 240,
                                       kCard.height() + 240));
        frame->setStyleSheet(Theme::cardFrameStyle(7));
        Shape4[k] = frame;
        auto *picture = new QLabel(this);
        picture->setObjectName(QString::fromLatin1(kPictureNames[k]));
        picture->setGeometry(Twips::rect(kPlaces[k].x(), kPlaces[k].y(), kCard.width(), kCard.height()));
        picture->setScaledContents(true);
        pictures[k] = picture;

        Data[k] = new RecordCursor(this);
        Data[k]->setObjectName(QStringLiteral("Data%1").arg(k + 1));
        Box[k] = new QPlainTextEdit(this);
        Box[k]->setObjectName(QStringLiteral("Box%1").arg(k + 1));
        Box[k]->setGeometry(Twips::rect(0, 0, 1000, 300));
        Box[k]->hide();
    }
    Timer1 = new Timer(this, 55);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] {
        for (size_t k = 0; k < 4; ++k)
            positionAtCard(*Data[k], m_spread.card(int(k) + 1));
        Data[0]->setBoundField(Box[0], QStringLiteral("kreuz1"));
        Timer1->setEnabled(false);
    });
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Cruz"));
    Popup::watch(this);
    DesignScale::install(this, size(), DesignScale::Layout::Placed);
    Program::adoptIntoMainWindow(this);
}

void kreuz::Form_Load()
{
    // 1. The four meaning tables.
    for (size_t k = 0; k < 4; ++k) {
        Data[k]->openTable(CardDatabase::shared(), tableOf(int(k) + 1));
        Data[k]->bind(Box[k], tableOf(int(k) + 1));
    }
    // 2.–3. Four cards no reading of this run has drawn; when too few are left the marks
    // are cleared first, so the draw always ends. The cross has no reversed cards.
    const std::optional<Spread> hand = CardPicker::wanted() ? CardPicker::ask(4, false) : std::nullopt;
    m_spread = hand ? *hand : Spread::of(modOrbelle::state().cardTaken.drawDistinct(4));
    // 4.–5. The pictures, here and in the laying's slots.
    legkreuz *laying = WindowRegistry::get<legkreuz>();
    for (size_t k = 0; k < 4; ++k) {
        images[k] = CardPictures::load(m_spread.card(int(k) + 1));
        pictures[k]->setPixmap(QPixmap::fromImage(CardPictures::framed(images[k], pictures[k]->size())));
        const QString name = QStringLiteral("%1. %2: %3")
                                 .arg(k + 1)
                                 .arg(deutf::headings().at(qsizetype(k)), Report::cardName(m_spread, int(k) + 1));
        pictures[k]->setToolTip(name);
        pictures[k]->setAccessibleName(name);
        laying->setSlot(int(k) + 1, images[k], name);
    }
    Timer1->setEnabled(true);
}


void kreuz::toSheet()
{
    if (deutf *sheet = WindowRegistry::ifLoaded<deutf>(); sheet && sheet->isVisible())
        sheet->takeFocus();
}

void kreuz::keyPressEvent(QKeyEvent *e)
{
    // Ctrl+Tab and Ctrl+F6 go on to the next window inside the main window, with Shift
    // to the one before.
    if ((e->modifiers() & Qt::ControlModifier) &&
        (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab || e->key() == Qt::Key_F6)) {
        if (e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier))
            Program::mdiArea()->activatePreviousSubWindow();
        else
            Program::mdiArea()->activateNextSubWindow();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        toSheet();
        return;
    default:
        InterpretationWindow::keyPressEvent(e);
    }
}

bool kreuz::focusNextPrevChild(bool)
{
    toSheet();
    return true;
}

void kreuz::focusInEvent(QFocusEvent *e)
{
    update();
    InterpretationWindow::focusInEvent(e);
}

void kreuz::focusOutEvent(QFocusEvent *e)
{
    update();
    InterpretationWindow::focusOutEvent(e);
}

void kreuz::paintEvent(QPaintEvent *e)
{
    InterpretationWindow::paintEvent(e);
    if (!hasFocus())
        return;
    // The focus: a dashed rim just inside the window.
    QPainter p(this);
    p.setPen(QPen(Theme::paper(), 2, Qt::DashLine));
    p.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}
