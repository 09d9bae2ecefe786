#include "bezi.h"

#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "legbez.h"
#include "modOrbelle.h"
#include "program.h"
#include "quintessence.h"
#include "readings.h"
#include "recordcursor.h"
#include "report.h"
#include "slika.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>

#include <cmath>

namespace {
constexpr int kWidth = 12000;
constexpr int kHeight = 9000;
constexpr QSize kCard(1545, 2655);

// Column and row of position k: the first person's views of the other and of himself
// on top at the left and middle, the second person's below them, the two views of the
// relationship in the right column.
constexpr std::array<int, 6> kColumn{0, 1, 0, 1, 2, 2};
constexpr std::array<int, 6> kRow{0, 0, 1, 1, 0, 1};
constexpr std::array<int, 3> kPictureLeft{1800, 5160, 8400};
constexpr std::array<int, 3> kHeadingLeft{120, 3480, 6840};
constexpr std::array<int, 3> kBoxLeft{240, 4080, 7920};
constexpr std::array<int, 2> kPictureTop{240, 4560};
constexpr std::array<int, 2> kHeadingTop{720, 4920};
constexpr std::array<int, 2> kBoxTop{3120, 7440};

QRect pictureRect(int k)
{
    return QRect(
        QPoint(kPictureLeft[size_t(kColumn[size_t(k - 1)])], kPictureTop[size_t(kRow[size_t(k - 1)])]),
        kCard);
}

QRect headingRect(int k)
{
    const int column = kColumn[size_t(k - 1)];
    const int left = kHeadingLeft[size_t(column)];
    // The heading fills the room left of its picture's frame.
    return QRect(left, kHeadingTop[size_t(kRow[size_t(k - 1)])],
                 kPictureLeft[size_t(column)] - 120 - left - 45, 1935);
}

QRect boxRect(int k)
{
    return QRect(kBoxLeft[size_t(kColumn[size_t(k - 1)])], kBoxTop[size_t(kRow[size_t(k - 1)])], 3735, 1215);
}

QRect buttonRect(int top)
{
    return QRect(10200, top, 1650, 495);
}

// A heading never needs more of its text than a few lines show.
constexpr int kHeadingChars = 1200;
} // namespace

HeadingLabel::HeadingLabel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void HeadingLabel::setText(const QString &text)
{
    m_text = text;
    setAccessibleName(text.left(kHeadingChars));
    setToolTip(text.size() > 200 ? text.left(200) + QChar(0x2026) : text);
    update();
}

QStringList HeadingLabel::shownLines() const
{
    QStringList lines;
    const QString text = m_text.left(kHeadingChars);
    QTextLayout layout(text, font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetricsF fm(font());
    const int room = qMax(1, int(height() / fm.lineSpacing()));
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width());
        if (lines.size() == room - 1) {
            // The last line there is room for takes the rest, elided when it is cut.
            const QString rest = m_text.mid(line.textStart(), kHeadingChars);
            lines << fm.elidedText(rest, Qt::ElideRight, width());
            break;
        }
        QString shown = text.mid(line.textStart(), line.textLength());
        // The blank where the line was broken would push a centred line off its middle.
        while (!shown.isEmpty() && shown.back().isSpace())
            shown.chop(1);
        lines << fm.elidedText(shown, Qt::ElideRight, width());
    }
    layout.endLayout();
    return lines;
}

void HeadingLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics fm(font());
    int y = 0;
    for (const QString &line : shownLines()) {
        const QRect r(0, y, width(), fm.lineSpacing());
        // A shadow keeps the gold legible on the light parts of the sky.
        p.setPen(Theme::captionShadow(true));
        p.drawText(r.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop, line);
        p.setPen(Theme::caption());
        p.drawText(r, Qt::AlignHCenter | Qt::AlignTop, line);
        y += fm.lineSpacing();
    }
}

int bezi::labelOf(int k)
{
    static constexpr std::array<int, 6> labels{1, 2, 4, 5, 3, 6};
    return k >= 1 && k <= 6 ? labels[size_t(k - 1)] : 0;
}

QString bezi::heading(const Spread &spread, int k)
{
    // "Así", two blanks, "ve": the heading as the reading has always written it.
    const QString so = QStringLiteral("Así  ve ");
    const QString &first = spread.firstName;
    const QString &second = spread.secondName;
    switch (k) {
    case 1:
        return so + first + QLatin1Char(' ') + second;
    case 2:
        return so + first + QStringLiteral(" a si mismo");
    case 3:
        return so + second + QLatin1Char(' ') + first;
    case 4:
        return so + second + QStringLiteral(" a si mismo");
    case 5:
        return so + first + QLatin1Char(' ') + QStringLiteral(" su relación");
    case 6:
        return so + second + QLatin1Char(' ') + QStringLiteral(" su relación");
    default:
        return QString();
    }
}

QString bezi::tableOf(const Spread &spread, int k)
{
    if (k >= 5)
        return QStringLiteral("bezi2");
    return spread.isReversed(k) ? QStringLiteral("bezi4") : QStringLiteral("bezi1");
}

QString bezi::nameBefore(const Spread &spread, int k)
{
    switch (k) {
    case 1:
    case 4:
        return spread.secondName;
    case 2:
    case 3:
        return spread.firstName;
    default:
        return QString();
    }
}

QString bezi::textOf(const Spread &spread, int k)
{
    const QString meaning = CardDatabase::cardText(tableOf(spread, k), spread.card(k));
    return k <= 4 ? nameBefore(spread, k) + QLatin1Char(' ') + meaning : meaning;
}

Spread bezi::draw(const QString &firstName, const QString &secondName)
{
    // All six orientations come before the first card, as they always have.
    Spread s = Readings::drawWithOrientations(6);
    s.firstName = firstName;
    s.secondName = secondName;
    return s;
}

bezi::bezi(QWidget *parent) : InterpretationWindow(WindowId::bezi, QStringLiteral("Orbelle: Beziehung"), parent)
{
    resize(Twips::size(kWidth, kHeight));

    QFont boxFont = Theme::textFont(10);
    boxFont.setPointSizeF(9.75);
    boxFont.setBold(true);
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        Shape1[i] = new QWidget(this);
        Shape1[i]->setObjectName(QStringLiteral("Shape1_%1").arg(i));
        Shape1[i]->setAttribute(Qt::WA_StyledBackground);
        Shape1[i]->setStyleSheet(Theme::cardFrameStyle(7));
        Imag[i] = new QLabel(this);
        Imag[i]->setObjectName(QStringLiteral("Imag_%1").arg(i));
        Imag[i]->setScaledContents(true);

        Box[i] = new QPlainTextEdit(this);
        Box[i]->setObjectName(QStringLiteral("Box%1").arg(k));
        Box[i]->setFont(boxFont);
        Box[i]->setReadOnly(true);
        Box[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        Box[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A name of any length wraps rather than widening the box.
        Box[i]->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        Box[i]->setStyleSheet(Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit")));

        Data[i] = new RecordCursor(this);
        Data[i]->setObjectName(QStringLiteral("Data%1").arg(k));
        // The meanings are only read: the names put before them never reach the database.
        connect(Data[i], &RecordCursor::validate, this, [](int, bool *save) { *save = false; });
    }
    QFont headingFont = Theme::textFont(12);
    headingFont.setBold(true);
    for (int n = 1; n <= 6; ++n) {
        headingLabels[size_t(n - 1)] = new HeadingLabel(this);
        headingLabels[size_t(n - 1)]->setObjectName(QStringLiteral("headingLabel%1").arg(n));
        headingLabels[size_t(n - 1)]->setFont(headingFont);
    }

    quintessenceButton = new QPushButton(QStringLiteral("&Quintesencía"), this);
    quintessenceButton->setObjectName(QStringLiteral("quintessenceButton"));
    connect(quintessenceButton, &QPushButton::clicked, this, &bezi::showQuintessence);
    makeButtons();

    Timer1 = new Timer(this, 55);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] {
        positionRecords();
        Timer1->setEnabled(false);
    });

    Program::adoptIntoMainWindow(this);
}

void bezi::Form_Load()
{
    // 2.–4. The program's one generator, seeded at start: a reseed from the seconds of
    // the day would give two readings in the same second the same cards.
    const RunState &run = modOrbelle::state();
    m_spread = draw(run.firstName, run.secondName);
    // 5.–6. The pictures, turned where the card lies reversed, here and in the laying's
    // slots (the names input has just opened the laying).
    legBez *laying = WindowRegistry::ifLoaded<legBez>();
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        im1[i] = CardPictures::load(m_spread.card(k), m_spread.isReversed(k));
        Imag[i]->setPixmap(QPixmap::fromImage(CardPictures::framed(im1[i], Imag[i]->size())));
        if (laying)
            laying->setSlotImage(k, im1[i]);
    }
    // 7.
    for (int k = 1; k <= 6; ++k) {
        const QString table = tableOf(m_spread, k);
        Data[size_t(k - 1)]->openTable(CardDatabase::shared(), table);
        Data[size_t(k - 1)]->bind(Box[size_t(k - 1)], table);
    }
    // 8.
    Timer1->setEnabled(true);
    // 9.
    for (int k = 1; k <= 6; ++k) {
        headingOf(k)->setText(heading(m_spread, k));
        // Read as heading, then text.
        Box[size_t(k - 1)]->setAccessibleName(heading(m_spread, k));
    }
}

void bezi::positionRecords()
{
    for (int k = 1; k <= 6; ++k)
        positionAtCard(*Data[size_t(k - 1)], m_spread.card(k));
    // The views of a person begin with the name of the one seen; only shown, never
    // stored.
    for (int k = 1; k <= 4; ++k) {
        QPlainTextEdit *box = Box[size_t(k - 1)];
        box->setPlainText(nameBefore(m_spread, k) + QLatin1Char(' ') + box->toPlainText());
    }
}

void bezi::showQuintessence()
{
    const int q = Quintessence::of(m_spread);
    WindowRegistry::get<slika>()->showQuintessence(q, CardPictures::load(Quintessence::cardFor(q)));
}

void bezi::save()
{
    QList<Report::PositionText> positions;
    for (int k = 1; k <= 6; ++k)
        positions.append({heading(m_spread, k), QString(), textOf(m_spread, k)});
    Report::writeReading(WindowId::bezi, m_spread, positions, {1, 3, 2, 4, 5, 6});
}

void bezi::place(QWidget *w, const QRect &twips)
{
    const double f = m_scale / Twips::perPixel;
    w->setGeometry(QRectF(m_origin.x() + twips.x() * f, m_origin.y() + twips.y() * f, twips.width() * f,
                          twips.height() * f)
                       .toRect());
}

void bezi::resizeEvent(QResizeEvent *)
{
    // The design's layout at any size: scaled uniformly and centred. Texts shrink less
    // than the layout, so they stay readable in a small main window; the boxes scroll.
    m_scale = qMin(width() / double(Twips::px(kWidth)), height() / double(Twips::px(kHeight)));
    m_origin =
        QPointF((width() - Twips::px(kWidth) * m_scale) / 2, (height() - Twips::px(kHeight) * m_scale) / 2);
    const double fontScale = qBound(0.85, m_scale, 1.6);
    // The meanings grow little: the room the window gains goes to more lines of text.
    const double textScale = qBound(0.85, m_scale, 1.1);
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        const QRect picture = pictureRect(k);
        place(Shape1[i], picture.adjusted(-120, -120, 120, 120));
        place(Imag[i], picture);
        place(headingOf(k), headingRect(k));
        place(Box[i], boxRect(k));
        QFont f = Box[i]->font();
        f.setPointSizeF(9.75 * textScale);
        Box[i]->setFont(f);
        QFont h = headingOf(k)->font();
        h.setPointSizeF(12 * fontScale);
        headingOf(k)->setFont(h);
    }
    // The buttons keep their design place but never clip their captions: where the text is
    // larger than the scaled design (a small window on a doubled screen) a button grows to
    // the right, then to the left, and the next one moves down.
    const int gap = qMax(2, int(Twips::px(120) * m_scale));
    QRect above;
    for (const auto &[button, top] : {std::pair{quintessenceButton, 4920}, {saveButton, 5640}, {backButton, 6360}}) {
        place(button, buttonRect(top));
        QRect r = button->geometry();
        const QSize hint = button->sizeHint();
        if (r.width() < hint.width()) {
            r.setRight(qMin(width() - 1, r.left() + hint.width() - 1));
            r.setLeft(qMax(0, r.right() - hint.width() + 1));
        }
        r.setHeight(qMax(r.height(), hint.height()));
        if (above.isValid() && r.top() < above.bottom() + gap)
            r.moveTop(above.bottom() + gap);
        button->setGeometry(r);
        above = r;
    }
    // A card's picture is framed for the place it is shown in.
    for (size_t i = 0; i < Imag.size(); ++i) {
        if (!im1[i].isNull() && Imag[i]->pixmap().size() != Imag[i]->size())
            Imag[i]->setPixmap(QPixmap::fromImage(CardPictures::framed(im1[i], Imag[i]->size())));
    }
}
