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
#include <QRegularExpression>
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

HeadingLabel::HeadingLabel(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void HeadingLabel::setText(const QString &text)
{
    m_text = text;
    QLabel::setText(text.left(kHeadingChars));
    setAccessibleName(text.left(kHeadingChars));
    setToolTip(text.size() > 200 ? text.left(200) + QChar(0x2026) : text);
    update();
}

namespace {
// The lines of `text` wrapped at `width`: between words, inside a word only when it is wider
// than the line.
QList<QPair<int, int>> wrappedLines(const QString &text, const QFont &font, int width)
{
    QList<QPair<int, int>> lines;
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append({line.textStart(), line.textLength()});
    }
    layout.endLayout();
    return lines;
}
} // namespace

int HeadingLabel::heightFor(int width) const
{
    const QString text = m_text.left(kHeadingChars);
    const QFontMetrics fm(font());
    const int painted = int(wrappedLines(text, font(), width).size()) * fm.lineSpacing();
    const int measured =
        fm.boundingRect(QRect(0, 0, width, 1 << 20), int(alignment()) | Qt::TextWordWrap, text).height();
    return qMax(painted, measured);
}

QStringList HeadingLabel::shownLines() const
{
    QStringList lines;
    const QString text = m_text.left(kHeadingChars);
    const QFontMetricsF fm(font());
    const int room = qMax(1, int(height() / fm.lineSpacing()));
    for (const auto &[start, length] : wrappedLines(text, font(), width())) {
        // The last line there is room for takes the rest, elided when it is cut.
        const bool last = lines.size() == room - 1;
        QString shown = last ? m_text.mid(start, kHeadingChars) : text.mid(start, length);
        // The blank where the line was broken would push a centred line off its middle.
        while (!shown.isEmpty() && shown.back().isSpace())
            shown.chop(1);
        lines << fm.elidedText(shown, Qt::ElideRight, width());
        if (last)
            break;
    }
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

QString bezi::cardName(const Spread &spread, int k)
{
    return Report::cardName(spread, k);
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
    QFont nameFont = Theme::textFont(11);
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        Shape1[i] = new QWidget(this);
        Shape1[i]->setObjectName(QStringLiteral("Shape1_%1").arg(i));
        Shape1[i]->setAttribute(Qt::WA_StyledBackground);
        Shape1[i]->setStyleSheet(Theme::cardFrameStyle(7));
        Imag[i] = new QLabel(this);
        Imag[i]->setObjectName(QStringLiteral("Imag_%1").arg(i));
        Imag[i]->setScaledContents(true);

        cardNameLabels[i] = new QLabel(this);
        cardNameLabels[i]->setObjectName(QStringLiteral("cardNameLabel%1").arg(k));
        cardNameLabels[i]->setFont(nameFont);
        cardNameLabels[i]->setWordWrap(true);
        cardNameLabels[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        cardNameLabels[i]->setStyleSheet(
            QStringLiteral("color: %1; background: transparent;").arg(Theme::caption().name()));

        Box[i] = new QPlainTextEdit(this);
        Box[i]->setObjectName(QStringLiteral("Box%1").arg(k));
        Box[i]->setFont(boxFont);
        Box[i]->setReadOnly(true);
        // Read from the keyboard as well: the arrows move through the text, Tab leaves it.
        Box[i]->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        Box[i]->setTabChangesFocus(true);
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

    // The keyboard goes through the texts as they are read, row by row, then the buttons.
    QWidget *previous = nullptr;
    for (int k : {1, 2, 5, 3, 4, 6}) {
        if (previous)
            setTabOrder(previous, Box[size_t(k - 1)]);
        previous = Box[size_t(k - 1)];
    }
    for (QWidget *b : std::initializer_list<QWidget *>{quintessenceButton, saveButton, backButton}) {
        setTabOrder(previous, b);
        previous = b;
    }

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
        if (laying) {
            laying->setSlot(k, im1[i], heading(m_spread, k) + QStringLiteral(": ") + cardName(m_spread, k));
        }
        cardNameLabels[i]->setText(cardName(m_spread, k));
        Imag[i]->setAccessibleName(cardName(m_spread, k));
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
        // Read as heading and card, then text.
        Box[size_t(k - 1)]->setAccessibleName(heading(m_spread, k) + QStringLiteral(": ") + cardName(m_spread, k));
    }
    // The texts decide the layout; the pictures are framed for the places they get.
    layOut();
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

void bezi::showReading()
{
    Program::showInside(this);
    Box[0]->setFocus(Qt::OtherFocusReason);
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
        positions.append({heading(m_spread, k), cardName(m_spread, k), textOf(m_spread, k)});
    Report::writeReading(WindowId::bezi, m_spread, positions, {1, 3, 2, 4, 5, 6});
}

QRect bezi::scaled(const QRect &twips) const
{
    const double f = m_scale / Twips::perPixel;
    return QRectF(m_origin.x() + twips.x() * f, m_origin.y() + twips.y() * f, twips.width() * f,
                  twips.height() * f)
        .toRect();
}

void bezi::resizeEvent(QResizeEvent *)
{
    layOut();
}

namespace {
// No text of the window is smaller than this.
constexpr double kSmallestPoints = 9.0;

int wrappedHeight(const QLabel *label, int width)
{
    if (auto *heading = qobject_cast<const HeadingLabel *>(label))
        return heading->heightFor(width);
    return QFontMetrics(label->font())
        .boundingRect(QRect(0, 0, width, 1 << 20), int(label->alignment()) | Qt::TextWordWrap, label->text())
        .height();
}

// Every word of the label's text within `width`: a line never breaks inside a word. Each
// word is laid out as the heading paints it, so a fraction of a pixel cannot split it.
bool wordsFit(const QLabel *label, const QString &text, int width)
{
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        if (wrappedLines(word, label->font(), width).size() > 1)
            return false;
    return true;
}

// The heading with the card's name below it within `room`, every word whole.
bool stacked(const QLabel *heading, const QLabel *name, const QSize &room)
{
    return wordsFit(heading, heading->text(), room.width()) && wordsFit(name, name->text(), room.width()) &&
           wrappedHeight(heading, room.width()) + wrappedHeight(name, room.width()) <= room.height();
}

void setPoints(QWidget *w, double points)
{
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
}

// The card's place within `place`: the deck's proportion (700 × 1240), centred, so that its
// picture is shown as it is drawn.
QRect cardPlace(const QRect &place)
{
    const int width = qMin(place.width(), qRound(place.height() * 700.0 / 1240.0));
    const int height = qMin(place.height(), qRound(width * 1240.0 / 700.0));
    return QRect(place.left() + (place.width() - width) / 2, place.top() + (place.height() - height) / 2, width,
                 height);
}

// The lines a meaning box shows at the least.
int boxHeightFor(const QPlainTextEdit *box, int lines)
{
    return lines * QFontMetrics(box->font()).lineSpacing() + 18;
}
} // namespace

void bezi::layOut()
{
    // The design's layout at any size: scaled uniformly and centred.
    m_scale = qMin(width() / double(Twips::px(kWidth)), height() / double(Twips::px(kHeight)));
    m_origin =
        QPointF((width() - Twips::px(kWidth) * m_scale) / 2, (height() - Twips::px(kHeight) * m_scale) / 2);
    // The meanings grow little: the room the window gains goes to more lines of text; they
    // never shrink below what reads well.
    const double textPoints = qBound(kSmallestPoints, 9.75 * m_scale, 9.75 * 1.1);
    for (QPlainTextEdit *box : Box)
        setPoints(box, textPoints);
    // Where the names leave the headings no room in the design's columns, or the texts
    // would show two lines, each text stands beside its picture.
    m_designed = layOutDesigned();
    // Narrow texts keep whole words where they can: plain letters, a thin rim, the scroll
    // bar only when there is more to read.
    setCompactBoxes(!m_designed);
    if (!m_designed)
        layOutCompact();
    frameCards();
}

bool bezi::layOutDesigned()
{
    for (int k = 1; k <= 6; ++k) {
        if (scaled(boxRect(k)).height() < boxHeightFor(Box[size_t(k - 1)], 3))
            return false;
    }
    if (!headingPoints([this](const HeadingLabel *h, const QLabel *name, int k) {
            return stacked(h, name, scaled(headingRect(k)).size());
        }))
        return false;
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        const QRect picture = pictureRect(k);
        Shape1[i]->setGeometry(scaled(picture.adjusted(-120, -120, 120, 120)));
        Imag[i]->setGeometry(cardPlace(scaled(picture)));
        const QRect room = scaled(headingRect(k));
        HeadingLabel *h = headingOf(k);
        h->setGeometry(room.left(), room.top(), room.width(), wrappedHeight(h, room.width()));
        QLabel *name = cardNameLabels[i];
        name->setGeometry(room.left(), h->geometry().bottom() + 1, room.width(),
                          wrappedHeight(name, room.width()));
        Box[i]->setGeometry(scaled(boxRect(k)));
    }
    placeButtonsAsDesigned();
    return true;
}

std::optional<double> bezi::headingPoints(const std::function<bool(const HeadingLabel *, const QLabel *, int)> &fits)
{
    // Headings shrink less than the layout, down to the smallest that reads well.
    const double largest = 12 * qBound(0.85, m_scale, 1.6);
    for (double points = largest; points >= kSmallestPoints - 0.01; points -= 0.5) {
        bool all = true;
        for (int k = 1; k <= 6 && all; ++k) {
            HeadingLabel *h = headingOf(k);
            QLabel *name = cardNameLabels[size_t(k - 1)];
            setPoints(h, points);
            setPoints(name, points * 11 / 12);
            all = fits(h, name, k);
        }
        if (all)
            return points;
    }
    return std::nullopt;
}

void bezi::placeButtonsAsDesigned()
{
    // The buttons keep their design place but never clip their captions: where the text is
    // larger than the scaled design a button grows to the right, then to the left, and the
    // next one moves down.
    const int gap = qMax(2, int(Twips::px(120) * m_scale));
    QRect above;
    for (const auto &[button, top] : {std::pair{quintessenceButton, 4920}, {saveButton, 5640}, {backButton, 6360}}) {
        QRect r = scaled(buttonRect(top));
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
}

void bezi::layOutCompact()
{
    // Three columns of two places; in each place the picture at the left, beside it the
    // heading, the card's name and the text; the buttons in a row at the bottom.
    const int margin = qMax(4, int(Twips::px(120) * m_scale));
    int buttonHeight = 0;
    for (QPushButton *b : {quintessenceButton, saveButton, backButton})
        buttonHeight = qMax(buttonHeight, b->sizeHint().height());
    int right = width() - margin;
    for (QPushButton *b : {backButton, saveButton, quintessenceButton}) {
        const int w = b->sizeHint().width();
        b->setGeometry(right - w, height() - margin - buttonHeight, w, buttonHeight);
        right -= w + margin;
    }
    const int bottom = height() - 2 * margin - buttonHeight;
    const int cellWidth = (width() - 4 * margin) / 3;
    const int cellHeight = (bottom - 3 * margin) / 2;
    const QSize card = scaled(QRect(QPoint(), kCard)).size();
    const int frame = qMax(2, int(Twips::px(120) * m_scale));
    const int textWidth = qMax(1, cellWidth - card.width() - 2 * frame - margin);
    const int smallestBox = boxHeightFor(Box[0], 3);
    const int framedHeight = card.height() + 2 * frame;

    // The largest heading beside the picture that leaves the text three lines. Where even
    // the smallest does not fit, each heading runs across its place above the picture,
    // and the card's name and the text stand beside the picture.
    std::optional<double> chosen = headingPoints([&](const HeadingLabel *h, const QLabel *name, int) {
        return stacked(h, name, QSize(textWidth, cellHeight - smallestBox));
    });
    const bool above = !chosen;
    if (above)
        chosen = headingPoints([&](const HeadingLabel *h, const QLabel *name, int) {
            return wordsFit(h, h->text(), cellWidth) && wordsFit(name, name->text(), textWidth) &&
                   wrappedHeight(h, cellWidth) + margin / 2 + framedHeight <= cellHeight &&
                   wrappedHeight(name, textWidth) + smallestBox <= framedHeight;
        });
    const double points = chosen.value_or(kSmallestPoints);
    // Above the pictures, the tallest heading sets the room of all, so the pictures of a
    // row stand level; names longer than any person's are cut at the end of its last line.
    int headingRoom = 0;
    for (int k = 1; k <= 6; ++k) {
        setPoints(headingOf(k), points);
        setPoints(cardNameLabels[size_t(k - 1)], points * 11 / 12);
        if (above)
            headingRoom = qMax(headingRoom, wrappedHeight(headingOf(k), cellWidth));
    }
    headingRoom = qMax(QFontMetrics(headingOf(1)->font()).lineSpacing(),
                       qMin(headingRoom, cellHeight - framedHeight - margin / 2));
    for (int k = 1; k <= 6; ++k) {
        const size_t i = size_t(k - 1);
        HeadingLabel *h = headingOf(k);
        QLabel *name = cardNameLabels[i];
        const QRect cell(margin + kColumn[i] * (cellWidth + margin), margin + kRow[i] * (cellHeight + margin),
                         cellWidth, cellHeight);
        const int pictureTop = above ? cell.top() + headingRoom + margin / 2 : cell.top();
        const QRect framed(QPoint(cell.left(), pictureTop), card + QSize(2 * frame, 2 * frame));
        Shape1[i]->setGeometry(framed);
        Imag[i]->setGeometry(cardPlace(QRect(framed.topLeft() + QPoint(frame, frame), card)));
        const int left = framed.right() + 1 + margin;
        if (above) {
            h->setGeometry(cell.left(), cell.top(), cellWidth, headingRoom);
            name->setGeometry(left, framed.top(), textWidth,
                              qMin(wrappedHeight(name, textWidth), framedHeight - smallestBox));
        } else {
            const int nameHeight = qMin(wrappedHeight(name, textWidth), cellHeight / 4);
            const int headingHeight = qMin(wrappedHeight(h, textWidth), cellHeight - nameHeight - smallestBox);
            h->setGeometry(left, cell.top(), textWidth,
                           qMax(headingHeight, QFontMetrics(h->font()).lineSpacing()));
            name->setGeometry(left, h->geometry().bottom() + 1, textWidth, nameHeight);
        }
        const int boxTop = name->geometry().bottom() + 1 + margin / 2;
        Box[i]->setGeometry(left, boxTop, textWidth, cell.bottom() - boxTop + 1);
    }
}

void bezi::setCompactBoxes(bool compact)
{
    if (m_compactBoxes == compact)
        return;
    m_compactBoxes = compact;
    const QString style = Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit"));
    for (QPlainTextEdit *box : Box) {
        box->setStyleSheet(compact ? style + QStringLiteral(" QPlainTextEdit { padding: 1px; }") : style);
        box->setVerticalScrollBarPolicy(compact ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn);
        QFont f = box->font();
        f.setBold(!compact);
        box->setFont(f);
    }
}

void bezi::frameCards()
{
    // A card's picture is framed for the place it is shown in.
    for (size_t i = 0; i < Imag.size(); ++i) {
        if (!im1[i].isNull() && Imag[i]->pixmap().size() != Imag[i]->size())
            Imag[i]->setPixmap(QPixmap::fromImage(CardPictures::framed(im1[i], Imag[i]->size())));
    }
}
