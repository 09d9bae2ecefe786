// Paints the program folder's other pictures:
//   dorso.png             the card back, identical after a half turn
//   Imagenes/nebo3.jpg    the night sky behind the main, laying and interpretation windows
//   Imagenes/nebo2.jpg    its lighter twilight variant behind the prompt panels
//   titulo.png            the intro's title, on a transparent ground
//   orbelle.png           the application icon
//
//   media_art <program folder>
#include "icon.h"
#include "offscreen.h"
#include "paintkit.h"
#include "prng.h"
#include "theme.h"

#include <QDir>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace media;

namespace {

// The colours of the back, also used by the laying windows for their plain-shape backs.
const QColor kBackFrame = Theme::backFrame();
const QColor kBackPanel = Theme::backPanel();
const QColor kBackHatch = Theme::backHatch();

// ---- card back -------------------------------------------------------------------------

// Every pixel of the lower half is the upper half turned round, so a reversed card can
// never be told from its back, whatever the rasteriser does with the ornaments.
void enforceHalfTurn(QImage &img)
{
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h / 2; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(img.scanLine(h - 1 - y));
        for (int x = 0; x < w; ++x)
            dst[w - 1 - x] = src[x];
    }
    if (h % 2 == 1) {
        QRgb *mid = reinterpret_cast<QRgb *>(img.scanLine(h / 2));
        for (int x = 0; x < w / 2; ++x)
            mid[w - 1 - x] = mid[x];
    }
}

// Diagonal cross-hatching computed per pixel from the distance to the nearest line, with
// lines through the centre: the rasteriser's sub-pixel bias would otherwise shift the lines
// of the upper half against the turned-round lower half and leave a seam across the middle.
QImage hatchLayer(int w, int h, QPointF centre, double step, double halfWidth, QColor colour)
{
    QImage layer(w, h, QImage::Format_ARGB32_Premultiplied);
    const double spacing = step / std::sqrt(2.0);
    for (int y = 0; y < h; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5 - centre.x(), py = y + 0.5 - centre.y();
            double coverage = 0;
            for (double d : {(px - py) / std::sqrt(2.0), (px + py) / std::sqrt(2.0)}) {
                const double m = std::fabs(d - spacing * std::round(d / spacing));
                coverage = std::max(coverage, std::clamp(halfWidth + 0.5 - m, 0.0, 1.0));
            }
            const int a = static_cast<int>(std::lround(coverage * colour.alpha()));
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), a));
        }
    }
    return layer;
}

QImage paintBack()
{
    const int w = 416, h = 708;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(palette::surround);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(w / 2.0, h / 2.0);

    const QRectF body(7, 7, w - 14, h - 14);
    QPainterPath bodyPath;
    bodyPath.addRoundedRect(body, 26, 26);
    p.fillPath(bodyPath, kBackFrame);
    p.setPen(QPen(palette::gold, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(9, 9, -9, -9), 18, 18);

    // The cross-hatched panel.
    const QRectF panel = body.adjusted(29, 29, -29, -29);
    QPainterPath panelPath;
    panelPath.addRoundedRect(panel, 10, 10);
    p.fillPath(panelPath, kBackPanel);
    p.save();
    p.setClipPath(panelPath);
    p.drawImage(0, 0, hatchLayer(w, h, c, 18.0, 0.8, withAlpha(kBackHatch, 120)));
    p.restore();
    p.setPen(QPen(palette::gold, 2.5));
    p.drawPath(panelPath);

    // Centre: a medallion with an eight-pointed star, and two crescents turned apart.
    glow(p, c, 150, withAlpha(QColor(255, 220, 140), 90));
    p.setPen(QPen(palette::gold, 3));
    p.setBrush(kBackFrame);
    p.drawEllipse(c, 78, 78);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::goldDeep, 1.5));
    p.drawEllipse(c, 68, 68);
    p.setPen(QPen(palette::goldDeep, 2));
    p.setBrush(palette::gold);
    p.drawPath(starPath(c, 8, 58, 22, -90));
    p.setBrush(palette::goldLight);
    p.drawPath(starPath(c, 8, 30, 13, -67.5));
    p.setBrush(palette::gold);
    p.setPen(Qt::NoPen);
    p.drawPath(crescentPath(c + QPointF(0, -150), 34, 16, -90));
    p.drawPath(crescentPath(c + QPointF(0, 150), 34, 16, 90));
    for (int side : {-1, 1}) {
        p.drawPath(starPath(c + QPointF(0, side * 228), 4, 16, 4, -90));
        p.drawPath(starPath(c + QPointF(side * 110, 0), 4, 12, 3, -90));
    }
    // Lozenges in the corners of the panel.
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            const QPointF q(c.x() + sx * (panel.width() / 2 - 26), c.y() + sy * (panel.height() / 2 - 26));
            p.setPen(QPen(palette::goldDeep, 1.5));
            p.setBrush(palette::gold);
            p.drawPath(polygonPath(
                {q + QPointF(0, -14), q + QPointF(9, 0), q + QPointF(0, 14), q + QPointF(-9, 0)}));
        }
    p.end();
    enforceHalfTurn(img);
    return img;
}

// ---- night skies ----------------------------------------------------------------------

// Smooth value noise on an integer lattice, hashed from the coordinates and a seed.
class ValueNoise
{
public:
    explicit ValueNoise(std::uint64_t seed) : seed_(seed) {}

    double at(double x, double y) const
    {
        const double fx = std::floor(x), fy = std::floor(y);
        const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
        const double tx = smooth(x - fx), ty = smooth(y - fy);
        const double a = lattice(ix, iy), b = lattice(ix + 1, iy);
        const double c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
        return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
    }

    // Fractal sum of octaves, in [0, 1).
    double fbm(double x, double y, int octaves) const
    {
        double sum = 0, amp = 0.5, norm = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += amp * at(x, y);
            norm += amp;
            x = x * 2.03 + 17.1;
            y = y * 2.03 - 9.7;
            amp *= 0.5;
        }
        return sum / norm;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }

    double lattice(std::int64_t x, std::int64_t y) const
    {
        std::uint64_t h = seed_ ^ (static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull) ^
                          (static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full);
        h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ (h >> 32)) * 0x94D049BB133111EBull;
        h ^= h >> 29;
        return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
    }

    std::uint64_t seed_;
};

struct SkyStyle
{
    QColor top, bottom;    // base gradient
    QColor cloudA, cloudB; // the two colours of the nebula
    double cloudStrength;  // 0 … 1
    int faintStars, brightStars;
    double starLevel; // overall star brightness
    std::uint64_t seed;
};

QImage paintSky(const SkyStyle &style)
{
    const int w = 1600, h = 1000;
    QImage img(w, h, QImage::Format_RGB32);
    const ValueNoise shape(style.seed), tint(style.seed + 1), detail(style.seed + 2);

    for (int y = 0; y < h; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        const double fy = static_cast<double>(y) / (h - 1);
        for (int x = 0; x < w; ++x) {
            // A broad band of haze across the sky, from lower left to upper right, broken up
            // by noise so it reads as a nebula rather than a gradient.
            const double u = static_cast<double>(x) / w, v = fy;
            const double dist = (v - (0.78 - 0.55 * u)) / 0.28;
            const double band = std::exp(-dist * dist);
            const double n = shape.fbm(u * 4.0, v * 2.5, 6);
            const double wisps = std::clamp((n - 0.38) * 2.4, 0.0, 1.0);
            const double fine = detail.fbm(u * 18.0, v * 11.0, 3);
            const double density = style.cloudStrength * band * wisps * (0.75 + 0.5 * fine);
            const double mixT = std::clamp(tint.fbm(u * 2.0, v * 1.4, 3) * 1.6 - 0.3, 0.0, 1.0);

            auto channel = [&](int top, int bottom, int a, int b) {
                const double base = top + (bottom - top) * fy;
                const double cloud = a + (b - a) * mixT;
                return std::clamp(static_cast<int>(std::lround(base + (cloud - base) * density)), 0, 255);
            };
            row[x] = qRgb(
                channel(style.top.red(), style.bottom.red(), style.cloudA.red(), style.cloudB.red()),
                channel(style.top.green(), style.bottom.green(), style.cloudA.green(), style.cloudB.green()),
                channel(style.top.blue(), style.bottom.blue(), style.cloudA.blue(), style.cloudB.blue()));
        }
    }

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    Prng rng(style.seed * 7 + 3);
    const QColor warm(255, 236, 200), cool(200, 220, 255);
    for (int i = 0; i < style.faintStars; ++i) {
        const QPointF at(rng.range(0, w), rng.range(0, h));
        const double b = std::pow(rng.uniform(), 3.0);
        QColor c = mix(cool, warm, rng.uniform());
        c.setAlpha(std::clamp(static_cast<int>((40 + 215 * b) * style.starLevel), 0, 255));
        p.setBrush(c);
        const double r = 0.45 + 0.9 * b;
        p.drawEllipse(at, r, r);
    }
    for (int i = 0; i < style.brightStars; ++i) {
        const QPointF at(rng.range(20, w - 20), rng.range(20, h - 20));
        QColor c = mix(cool, warm, rng.uniform());
        c.setAlpha(static_cast<int>(230 * style.starLevel));
        glow(p, at, rng.range(6, 14), withAlpha(c, static_cast<int>(110 * style.starLevel)));
        if (rng.chance(0.35))
            sparkle(p, at, rng.range(5, 10), c);
        else {
            p.setBrush(c);
            p.drawEllipse(at, 1.4, 1.4);
        }
    }
    p.end();
    return img;
}

QImage paintNightSky()
{
    return paintSky({QColor(3, 5, 18), QColor(9, 14, 40), QColor(70, 40, 120), QColor(30, 70, 140), 0.55,
                     2200, 40, 1.0, 0x0B5CE3ull});
}

QImage paintTwilightSky()
{
    return paintSky({QColor(30, 40, 92), QColor(56, 66, 128), QColor(118, 86, 168), QColor(74, 118, 184),
                     0.55, 700, 12, 0.7, 0x7A11ull});
}

// ---- title -----------------------------------------------------------------------------

QImage paintTitle()
{
    const int w = 640, h = 240;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(124);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QString text = QStringLiteral("Orbelle");
    QPainterPath title;
    title.addText(0, 0, font, text);
    const QRectF bounds = title.boundingRect();
    title.translate(w / 2.0 - bounds.center().x(), 118 - bounds.center().y() - 8);

    // A soft halo so the thin letters hold against the stars behind them.
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(QColor(255, 214, 120, 10 + 4 * (6 - i)), i * 4.0, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(title);
    }
    QLinearGradient g(0, 50, 0, 160);
    g.setColorAt(0.0, palette::goldLight);
    g.setColorAt(0.55, palette::gold);
    g.setColorAt(1.0, palette::goldDeep);
    p.setPen(QPen(QColor(120, 84, 24), 1.2));
    p.setBrush(g);
    p.drawPath(title);

    // The ornament: a fine rule thinning to both sides, a star in the middle.
    const double y = 192;
    for (int side : {-1, 1}) {
        QPainterPath rule(QPointF(w / 2.0 + side * 24, y - 2.2));
        rule.lineTo(w / 2.0 + side * 250, y);
        rule.lineTo(w / 2.0 + side * 24, y + 2.2);
        rule.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(palette::gold);
        p.drawPath(rule);
        for (int k = 0; k < 3; ++k)
            p.drawEllipse(QPointF(w / 2.0 + side * (270 + k * 14), y), 2.6 - k * 0.6, 2.6 - k * 0.6);
        p.drawPath(polygonPath({{w / 2.0 + side * 120, y - 9},
                                {w / 2.0 + side * 126, y},
                                {w / 2.0 + side * 120, y + 9},
                                {w / 2.0 + side * 114, y}}));
    }
    sparkle(p, QPointF(w / 2.0, y), 16, palette::goldLight);
    sparkle(p, QPointF(w / 2.0 + 218, 42), 11, QColor(255, 246, 214));
    sparkle(p, QPointF(w / 2.0 - 236, 150), 7, QColor(255, 246, 214));
    p.end();
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    OffscreenApp app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: media_art <program folder>\n";
        return 2;
    }
    const QDir root(args.at(1));
    if (!QDir().mkpath(root.filePath(QStringLiteral("Imagenes")))) {
        QTextStream(stderr) << "cannot create " << root.filePath(QStringLiteral("Imagenes")) << '\n';
        return 1;
    }
    const bool ok = writePng(paintBack().convertToFormat(QImage::Format_RGB32),
                             root.filePath(QStringLiteral("dorso.png"))) &&
                    writeJpeg(paintNightSky(), root.filePath(QStringLiteral("Imagenes/nebo3.jpg"))) &&
                    writeJpeg(paintTwilightSky(), root.filePath(QStringLiteral("Imagenes/nebo2.jpg"))) &&
                    writePng(paintTitle(), root.filePath(QStringLiteral("titulo.png"))) &&
                    writePng(renderIcon(kIconUnits), root.filePath(QStringLiteral("orbelle.png")));
    return ok ? 0 : 1;
}
