#include "deckbands.h"

#include "paintkit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>

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

// Geometry of the card, in pixels of the 700 × 1240 picture: the body inside the rounded
// corners and the picture field between the two bands.
const QRectF kBody(12, 12, 676, 1216);
const QRectF kField(44, 127, 612, 986);

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

} // namespace

void paintBands(QPainter &p, const CardInfo &card)
{
    // Each band lies between the inner rim (19 px inside the body) and the picture field; the
    // lettering fills most of its height so that it still reads on the gallery's small cards.
    const double topY = (kBody.top() + 19 + kField.top()) / 2.0;
    const double bottomY = (kField.bottom() + kBody.bottom() - 19) / 2.0;
    bandText(p, card.numeral, topY, 480, 84, card.major ? 6 : 3);
    bandText(p, card.name, bottomY, 600, 72, 1);
}

CardInfo cardInfo(int number)
{
    if (number < 1 || number > kCardCount)
        throw std::out_of_range("card number");
    CardInfo c;
    c.number = number;
    c.name = QString::fromUtf8(kNames[number - 1]);
    // The majors run from the Magician (I) to the World (XXI), the Fool (0) last; then
    // Bastos, Copas, Espadas and Oros, each from the As to the Rey.
    c.major = number <= 22;
    if (c.major)
        c.numeral = number == 22 ? QStringLiteral("0") : roman(number);
    else
        c.numeral = rankLabel((number - 23) % 14 + 1);
    return c;
}

} // namespace media::deck
