#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The program's one look: the night sky, navy and gold. Every window and the generators
// of the program folder's pictures (card back, deck frames) take their colours, fonts and
// frame styles from here, so a change of tone is made once.
namespace Theme {

// --- the card back ------------------------------------------------------------------------
inline QColor backFrame()
{
    return QColor(0x1b, 0x2a, 0x5c);
}
inline QColor backPanel()
{
    return QColor(0x6b, 0x1e, 0x2e);
}
inline QColor backHatch()
{
    return QColor(0xc9, 0xa4, 0x49);
}

// --- gold and night -----------------------------------------------------------------------
// The rims of cards, panels and boxes.
inline QColor gold()
{
    return QColor(0xe4, 0xc0, 0x62);
}
// The panels' rim and the intro's card frames, a shade deeper.
inline QColor deepGold()
{
    return QColor(0xd9, 0xb5, 0x5a);
}
// Captions written on the sky.
inline QColor caption()
{
    return QColor(0xf6, 0xd8, 0x6b);
}
inline QColor captionHover()
{
    return QColor(0xff, 0xf3, 0xc4);
}
inline QColor captionDisabled()
{
    return QColor(0x8d, 0x8a, 0x9e);
}
// The shadow under a caption, so it reads on any part of the sky.
inline QColor captionShadow(bool enabled)
{
    return QColor(0, 0, 0, enabled ? 150 : 90);
}
// Text on the lighter prompt panels.
inline QColor panelText()
{
    return QColor(0xff, 0xf4, 0xc8);
}
// The night where no sky picture could be read.
inline QColor night()
{
    return QColor(10, 12, 36);
}
// The dark ground behind a card in its frame.
inline QColor cardGround()
{
    return QColor(8, 10, 36, 200);
}
// The veil laid over a panel's sky.
inline QColor panelVeil()
{
    return QColor(8, 10, 40, 70);
}
// Paper of the meaning texts and the ink on it.
inline QColor paper()
{
    return QColor(250, 246, 232, 235);
}
inline QColor ink()
{
    return QColor(0x1d, 0x1a, 0x2e);
}

// --- fonts ---------------------------------------------------------------------------------
// Arial as designed (Liberation Sans has its metrics).
inline QFont captionFont(int pointSize, bool bold = true)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}
// Tahoma as designed (DejaVu Sans stands in): the meaning texts.
inline QFont textFont(int pointSize)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(pointSize);
    return f;
}

// MS Serif as designed (Liberation Serif stands in): typed entries.
inline QFont serifFont(int pointSize, bool bold = true)
{
    QFont f(QStringLiteral("MS Serif"));
    f.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

// --- style sheets ------------------------------------------------------------------------
inline QString css(const QColor &c)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}
// The frame a card lies in: dark ground, thin gold rim.
inline QString cardFrameStyle(int radiusPx = 7)
{
    return QStringLiteral("background: %1; border: 1px solid %2; border-radius: %3px;")
        .arg(css(cardGround()), gold().name())
        .arg(radiusPx);
}
// A box holding a meaning: text on paper inside a gold rim.
inline QString meaningBoxStyle(const QString &selector)
{
    return QStringLiteral("%1 { background: %2; color: %3; border: 1px solid %4; border-radius: 6px; "
                          "padding: 6px; }")
        .arg(selector, css(paper()), ink().name(), gold().name());
}

} // namespace Theme
