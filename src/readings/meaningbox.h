#pragma once

#include <QPlainTextEdit>

#include "theme.h"

// A meaning of a reading reads as text on a panel, not as a field to fill in: read-only,
// no caret, selectable with the mouse, and Tab moves on instead of typing a tab.
inline void makeMeaningBox(QPlainTextEdit *box, int pointSize)
{
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setTabChangesFocus(true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setFont(Theme::textFont(pointSize));
    box->setStyleSheet(Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit")));
}
