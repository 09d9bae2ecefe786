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

// --- the whole program ---------------------------------------------------------------------
// The style of the standard controls, so that no grey default button or box sits on the
// night sky: buttons of navy and gold, text on paper, a gold focus ring on every control
// that takes the keyboard, menus, file lists, the title bars of the windows inside the
// main window (through their palette: a rule for the title itself drops its buttons) and
// dialogs in the same colours; a row of entries named "menuRow" looks like
// a menu bar. Text colours keep at least the 4.5 : 1 contrast of WCAG AA against their
// ground.
inline QString styleSheet()
{
    const QString navy = backFrame().name(); // #1b2a5c
    const QString navyLight = QColor(0x2a, 0x3d, 0x7a).name();
    const QString navyDeep = QColor(0x10, 0x18, 0x3a).name();
    const QString goldC = gold().name();
    const QString focus = QColor(0xff, 0xe8, 0x8a).name();
    const QString text = panelText().name(); // #fff4c8 on navy: 13 : 1
    const QString paperC = QColor(0xfa, 0xf6, 0xe8).name();
    const QString inkC = ink().name(); // on paper: 15 : 1
    return QStringLiteral(R"(
QPushButton {
    color: %5; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %2, stop:1 %1);
    border: 1px solid %4; border-radius: 5px; padding: 4px 14px; min-height: 1.4em;
}
QPushButton:hover { background: %2; border-color: %6; }
QPushButton:pressed { background: %3; }
QPushButton:focus { border: 2px solid %6; }
QPushButton:disabled { color: #a9a6b8; border-color: #6d6a80; background: %3; }
QLineEdit, QPlainTextEdit, QTextEdit {
    color: %8; background: %7; border: 1px solid %4; border-radius: 5px;
    selection-background-color: %1; selection-color: %5;
}
QLineEdit { padding: 3px 6px; }
QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus { border: 2px solid %1; }
QScrollBar:vertical { background: transparent; width: 12px; margin: 0; }
QScrollBar:horizontal { background: transparent; height: 12px; margin: 0; }
QScrollBar::handle:vertical { background: %2; border: 1px solid %4; border-radius: 5px; min-height: 24px; }
QScrollBar::handle:horizontal { background: %2; border: 1px solid %4; border-radius: 5px; min-width: 24px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }
QMenuBar { background: %3; color: %5; border-bottom: 1px solid %4; }
QMenuBar::item { background: transparent; padding: 3px 8px; }
QMenuBar::item:selected { background: %2; color: %6; }
QMenuBar::item:disabled { color: #8d8aa6; }
QMenu { background: %3; color: %5; border: 1px solid %4; }
QMenu::item { padding: 4px 22px 4px 18px; }
QMenu::item:selected { background: %2; color: %6; }
QMenu::item:disabled { color: #8d8aa6; }
QMenu::separator { height: 1px; background: %4; margin: 3px 8px; }
QMessageBox, QInputDialog, QProgressDialog, QFileDialog, QPrintDialog { background: %1; }
QMessageBox QLabel, QInputDialog QLabel, QProgressDialog QLabel, QFileDialog QLabel, QPrintDialog QLabel,
QFileDialog QCheckBox, QPrintDialog QCheckBox, QPrintDialog QRadioButton, QPrintDialog QGroupBox { color: %5; }
QToolTip { color: %8; background: %7; border: 1px solid %4; }
QListView, QTreeView, QTableView {
    color: %8; background: %7; alternate-background-color: #f0e9d2; border: 1px solid %4;
    selection-background-color: %1; selection-color: %5;
}
QHeaderView::section { color: %5; background: %3; border: none; border-right: 1px solid %4; padding: 3px 6px; }
QComboBox {
    color: %8; background: %7; border: 1px solid %4; border-radius: 4px; padding: 2px 6px;
    selection-background-color: %1; selection-color: %5;
}
QComboBox:focus { border: 2px solid %1; }
QComboBox QAbstractItemView { color: %8; background: %7; selection-background-color: %1; selection-color: %5; }
QFileDialog QToolButton { background: %7; border: 1px solid %4; border-radius: 4px; padding: 2px; }
QMdiSubWindow { background: %3; selection-background-color: %1; selection-color: %5; }
QStatusBar { background: %3; border-top: 1px solid %4; }
QStatusBar::item { border: none; }
QStatusBar QLabel { color: %5; padding: 1px 6px; }
QWidget#menuRow { background: %3; border-bottom: 1px solid %4; }
QWidget#menuRow QPushButton {
    color: %5; background: transparent; border: none; border-radius: 0; padding: 3px 8px; min-height: 0;
}
QWidget#menuRow QPushButton:hover, QWidget#menuRow QPushButton:pressed { background: %2; color: %6; }
QWidget#menuRow QPushButton:checked { background: %2; color: %6; border-bottom: 2px solid %4; }
)")
        .arg(navy, navyLight, navyDeep, goldC, text, focus, paperC, inkC);
}

} // namespace Theme
