#include "anima.h"

#include "backdrop.h"
#include "cardpictures.h"
#include "designscale.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "program.h"
#include "start.h"
#include "startup.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QDir>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {
constexpr std::array<QPoint, 11> kPositions{{{240, 240},
                                             {480, 600},
                                             {840, 1080},
                                             {1440, 1560},
                                             {1920, 1920},
                                             {2760, 2040},
                                             {3480, 2040},
                                             {4200, 1920},
                                             {4680, 1560},
                                             {5280, 1080},
                                             {5880, 600}}};
constexpr int kCardWidth = 1455;
constexpr int kCardHeight = 2600;
const char *const kSkipTip = "Klick hier zu überspringen!";

// The frame behind a card, painted: eleven style sheets would cost the first show more
// than the rest of the intro.
class CardFrame : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Theme::deepGold(), 1));
        p.setBrush(Theme::cardGround());
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
};

// The title, centred at nine tenths of the label in its own proportions, drawn from the
// picture at its own size: a canvas of the window's size would hold megabytes for it.
class TitlePicture : public QLabel
{
public:
    using QLabel::QLabel;
    void setTitle(QImage title)
    {
        m_title = title.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        update();
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        if (m_title.isNull()) {
            QLabel::paintEvent(e);
            return;
        }
        const QSize fit = m_title.size().scaled(size() * 0.9, Qt::KeepAspectRatio);
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit), m_title);
    }

private:
    QImage m_title;
};

} // namespace

anima::anima(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(7600, 5100));

    // 1. The deal counter.
    m_count = 0;
    // 2. Background: read at the first paint, at the window's size on the screen.

    for (size_t k = 0; k < 11; ++k) {
        auto *frame = new CardFrame(this);
        frame->setObjectName(QStringLiteral("Shape1_%1").arg(k));
        frame->setGeometry(Twips::rect(kPositions[k].x() - 120, kPositions[k].y() - 120, kCardWidth + 240,
                                       kCardHeight + 250));
        frame->hide();
        Shape1[k] = frame;
        auto *card = new QLabel(this);
        card->setObjectName(QStringLiteral("Image1_%1").arg(k));
        card->setGeometry(Twips::rect(kPositions[k].x(), kPositions[k].y(), kCardWidth, kCardHeight));
        card->setScaledContents(true);
        card->hide();
        card->installEventFilter(this);
        Image1[k] = card;
    }
    Image1[10]->setToolTip(QString::fromUtf8(kSkipTip));

    Image2 = new TitlePicture(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setToolTip(QString::fromUtf8(kSkipTip));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setGeometry(rect());
    Image2->hide();
    Image2->installEventFilter(this);

    MMControl1 = new MediaControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    Timer1 = new Timer(this, 200);
    Timer2 = new Timer(this, 1000);
    Timer3 = new Timer(this, 1000);
    Timer4 = new Timer(this, 300);
    Timer5 = new Timer(this, 500);
    int n = 1;
    for (Timer *t : {Timer1, Timer2, Timer3, Timer4, Timer5})
        t->setObjectName(QStringLiteral("Timer%1").arg(n++));

    connect(Timer1, &QTimer::timeout, this, [this] {
        ++m_count;
        if (m_count <= 10) {
            // The card at index 0 comes with the first tick, so the fan is complete.
            if (m_count == 1) {
                Shape1[0]->show();
                showCard(0);
            }
            Shape1[size_t(m_count)]->show();
            showCard(size_t(m_count));
            Image1[size_t(m_count)]->raise();
        } else {
            Timer2->setEnabled(true);
            Timer1->setEnabled(false);
        }
    });
    connect(Timer2, &QTimer::timeout, this, [this] {
        for (size_t k = 0; k < 11; ++k) {
            Image1[k]->hide();
            Shape1[k]->hide();
        }
        makeTitle();
        Image2->show();
        Image2->raise();
        Timer3->setEnabled(true);
        Timer2->setEnabled(false);
    });
    connect(Timer3, &QTimer::timeout, this, [this] {
        handOver();
        Timer3->setEnabled(false);
    });
    connect(Timer4, &QTimer::timeout, this, [this] {
        MMControl1->setCommand(QStringLiteral("play"));
        Timer4->setEnabled(false);
    });

    // 5. The intro music.
    MMControl1->setNotify(false);
    MMControl1->setWait(true);
    MMControl1->setShareable(false);
    MMControl1->setDeviceType(QStringLiteral("sequencer"));
    MMControl1->setFileName(CardPictures::programFile(QStringLiteral("corvin.mid")));
    MMControl1->setCommand(QStringLiteral("open"));
    // Played once: its device goes as the piece ends (after the control's own signal has
    // returned), so that nothing of it stays open while the main window rests.
    connect(
        MMControl1, &MediaControl::playbackFinished, this,
        [this] { MMControl1->setCommand(QStringLiteral("close")); }, Qt::QueuedConnection);

    // 6.–7. The cards. A picture that cannot be read leaves its frame empty; the intro
    // goes on and the log names the missing ones in one line. Each is decoded as it is
    // dealt, so none stands before the first paint.
    QStringList missing;
    for (size_t k = 0; k < 11; ++k) {
        if (!CardPictures::canShow(CardPictures::path(kCards[k]))) {
            m_unreadable[k] = true;
            missing << QStringLiteral("%1.jpg").arg(kCards[k]);
        }
    }
    if (!missing.isEmpty())
        qWarning("orbelle: the intro shows empty frames for the pictures it could not read in %s: %s",
                 qPrintable(QDir::toNativeSeparators(modOrbelle::state().imageFolder)),
                 qPrintable(missing.join(QStringLiteral(", "))));

    // 8.
    Timer1->setEnabled(true);
    Timer4->setEnabled(true);
    Timer5->setEnabled(true);
    m_loaded = missing.isEmpty();
    setFocusPolicy(Qt::StrongFocus);
    DesignScale::install(this, size(), DesignScale::Layout::Placed);
    Program::openOnScreen(this, Twips::size(7600, 5100));
    m_background = Sky(QStringLiteral("nebo3.jpg"));
}

void anima::makeTitle()
{
    if (m_titleMade)
        return;
    m_titleMade = true;
    const QImage title = QImageReader(CardPictures::programFile(QStringLiteral("titulo.png"))).read();
    if (!title.isNull()) {
        static_cast<TitlePicture *>(Image2)->setTitle(title);
    } else {
        Image2->setText(QStringLiteral("Orbelle"));
        Image2->setStyleSheet(
            QStringLiteral("color: %1; font: bold 48px 'Liberation Serif';").arg(Theme::caption().name()));
    }
}

void anima::showCard(size_t k)
{
    if (Image1[k]->pixmap().isNull() && !m_unreadable[k]) {
        const QImage img = CardPictures::loadScaled(kCards[k], Image1[k]->size() * devicePixelRatioF());
        if (!img.isNull())
            Image1[k]->setPixmap(QPixmap::fromImage(img));
    }
    Image1[k]->show();
}

void anima::handOver()
{
    hide();
    // It only marked the time of the load; the hidden intro wakes the program no more.
    Timer5->setEnabled(false);
    // The intro is not shown again; its music may play on in the main window. Its pictures
    // and its window on the screen go now, before the main window takes their memory.
    for (QLabel *card : Image1)
        card->clear();
    Image2->clear();
    static_cast<TitlePicture *>(Image2)->setTitle({});
    m_background.release();
    destroy();
    Start *main = WindowRegistry::get<Start>();
    main->show();
    qCInfo(lcStart, "main window shown");
    Shell::offerRecovery(main);
}

void anima::skip()
{
    handOver();
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer3->setEnabled(false);
}

void anima::Form_Unload()
{
    // Its animation and its music go with it.
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer3->setEnabled(false);
    MMControl1->setCommand(QStringLiteral("close"));
}

void anima::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}

void anima::mousePressEvent(QMouseEvent *)
{
    skip();
}

void anima::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Space || e->key() == Qt::Key_Return ||
        e->key() == Qt::Key_Enter) {
        skip();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool anima::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched != this) {
        skip();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
