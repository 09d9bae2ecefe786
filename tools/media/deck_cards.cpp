#include "deck.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <stdexcept>

namespace media::deck {

namespace {

// Card names exactly as the card texts spell them (data/karten.txt).
const std::array<const char *, kCardCount> kNames = {
    "El Mago", "La Sacerdotisa", "La Emperatriz", "El Emperador", "El Sumo Sacerdote", "Los Enamorados",
    "El Carro", "La Fuerza", "El Ermitaño", "La Rueda de la Fortuna", "La Justicia", "El Colgado",
    "La Muerte", "La Templanza", "El Diablo", "La Torre", "La Estrella", "La Luna", "El Sol", "El Juicio",
    "El Mundo", "El Loco",
    // Bastos
    "As de Bastos", "Dos de Bastos", "Tres de Bastos", "Cuatro de Bastos", "Cinco de Bastos",
    "Seis de Bastos", "Siete de Bastos", "Ocho de Bastos", "Nueve de Bastos", "Diez de Bastos",
    "Sota de Bastos", "Caballo de Bastos", "Reina de Bastos", "Rey de Bastos",
    // Copas
    "As de Copas", "Dos de Copas", "Tres de Copas", "Cuatro de Copas", "Cinco de Copas", "Seis de Copas",
    "Siete de Copas", "Ocho de Copas", "Nueve de Copas", "Diez de Copas", "Sota de Copas", "Caballo de Copas",
    "Reina de Copas", "Rey de Copas",
    // Espadas
    "As de Espadas", "Dos de Espadas", "Tres de Espadas", "Cuatro de Espadas", "Cinco de Espadas",
    "Seis de Espadas", "Siete de Espadas", "Ocho de Espadas", "Nueve de Espadas", "Diez de Espadas",
    "Sota de Espadas", "Caballo de Espadas", "Reina de Espadas", "Rey de Espadas",
    // Oros
    "As de Oros", "Dos de Oros", "Tres de Oros", "Cuatro de Oros", "Cinco de Oros", "Seis de Oros",
    "Siete de Oros", "Ocho de Oros", "Nueve de Oros", "Diez de Oros", "Sota de Oros", "Caballo de Oros",
    "Reina de Oros", "Rey de Oros"};

QString roman(int n)
{
    static const std::array<std::pair<int, const char *>, 5> table = {
        {{10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}}};
    QString out;
    for (const auto &[value, digits] : table) {
        while (n >= value) {
            out += QLatin1String(digits);
            n -= value;
        }
    }
    return out;
}

QString rankLabel(int rank)
{
    switch (rank) {
    case 1:
        return QStringLiteral("As");
    case 11:
        return QStringLiteral("Sota");
    case 12:
        return QStringLiteral("Caballo");
    case 13:
        return QStringLiteral("Reina");
    case 14:
        return QStringLiteral("Rey");
    default:
        return QString::number(rank);
    }
}

// Geometry of the card, in pixels of the 700 × 1240 picture.
const QRectF kBody(12, 12, 676, 1216);
const QRectF kField(62, 178, 576, 880);

QFont cardFont(double pixelSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Centred gold lettering with a dark halo, so it reads on the band at any scale.
void bandText(QPainter &p, const QString &text, double centreY, double maxWidth, double pixelSize,
              double letterSpacing)
{
    QFont font = cardFont(pixelSize, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    while (QFontMetricsF(font).horizontalAdvance(text) > maxWidth && pixelSize > 20) {
        pixelSize -= 1.0;
        font.setPixelSize(qRound(pixelSize));
    }
    const QFontMetricsF fm(font);
    // Trailing letter spacing would push the text off centre.
    const double w = fm.horizontalAdvance(text) - letterSpacing;
    QPainterPath path;
    path.addText(kBody.center().x() - w / 2.0, centreY + (fm.capHeight()) / 2.0, font, text);
    p.save();
    p.setPen(QPen(withAlpha(palette::surround, 200), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QLinearGradient g(0, centreY - pixelSize / 2, 0, centreY + pixelSize / 2);
    g.setColorAt(0.0, palette::goldLight);
    g.setColorAt(1.0, palette::gold);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
}

void diamond(QPainter &p, QPointF c, double r)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::gold);
    p.drawPath(polygonPath(
        {{c.x(), c.y() - r}, {c.x() + r * 0.6, c.y()}, {c.x(), c.y() + r}, {c.x() - r * 0.6, c.y()}}));
    p.restore();
}

void paintFrame(QPainter &p)
{
    QPainterPath body;
    body.addRoundedRect(kBody, 44, 44);
    QLinearGradient bg(0, kBody.top(), 0, kBody.bottom());
    bg.setColorAt(0.0, palette::band.lighter(115));
    bg.setColorAt(0.5, palette::band);
    bg.setColorAt(1.0, palette::band.lighter(115));
    p.fillPath(body, bg);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::gold, 5));
    p.drawRoundedRect(kBody.adjusted(16, 16, -16, -16), 30, 30);
    p.setPen(QPen(palette::goldDeep, 2.4));
    p.drawRoundedRect(kBody.adjusted(27, 27, -27, -27), 21, 21);
}

double numeralBandY()
{
    return (kBody.top() + 27 + kField.top()) / 2.0;
}

} // namespace

void paintBands(QPainter &p, const CardInfo &card)
{
    const double bottomY = (kField.bottom() + kBody.bottom() - 27) / 2.0;
    bandText(p, card.numeral, numeralBandY(), 460, 66, card.major ? 6 : 3);
    bandText(p, card.name, bottomY, 540, 50, 1);
}

CardInfo cardInfo(int number)
{
    if (number < 1 || number > kCardCount)
        throw std::out_of_range("card number");
    CardInfo c;
    c.number = number;
    c.name = QString::fromUtf8(kNames[number - 1]);
    if (number <= 22) {
        c.major = true;
        c.arcanum = number == 22 ? 0 : number;
        c.numeral = c.arcanum == 0 ? QStringLiteral("0") : roman(c.arcanum);
    } else {
        c.suit = static_cast<Suit>((number - 23) / 14);
        c.rank = (number - 23) % 14 + 1;
        c.numeral = rankLabel(c.rank);
    }
    return c;
}

QImage paintCard(int number)
{
    const CardInfo card = cardInfo(number);
    QImage img(kCardWidth, kCardHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(palette::surround);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    paintFrame(p);

    // The field: everything the card shows besides its numeral and name.
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(kField, 16, 16);
    p.save();
    p.setClipPath(fieldPath);
    p.translate(kField.center());
    if (card.major)
        paintMajorField(p, card);
    else
        paintMinorField(p, card);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::gold, 3.5));
    p.drawPath(fieldPath);

    paintBands(p, card);

    // Small lozenges close the numeral band on both sides, as on old printed decks.
    diamond(p, QPointF(kField.left() + 30, numeralBandY()), 11);
    diamond(p, QPointF(kField.right() - 30, numeralBandY()), 11);
    p.end();

    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace media::deck
