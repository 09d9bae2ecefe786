#pragma once

// What the reading tests share: the readings laid from the main window, the prompts as
// the user saw them, the report as it reads, and the draws of a whole laying; and the
// headers every one of them reads.

#include "cardpictures.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "random.h"
#include "report.h"
#include "rtfviewer.h"
#include "start.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include <functional>

class LayingTable;

namespace ReadingDriver {

// Records the text of every prompt panel as it is shown, and the name of everything shown.
class PromptLog : public QObject
{
public:
    PromptLog() { qApp->installEventFilter(this); }
    ~PromptLog() override { qApp->removeEventFilter(this); }
    QStringList prompts;
    QStringList shown;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
};

// Once per test program: every window registered, the program's end handed to `onEnd`.
void setUpRun(std::function<void(int)> onEnd = [](int) {});
// Before each test: a fresh start with the pristine card texts open.
bool freshRun();
inline Start *shownMain()
{
    Start *main = WindowRegistry::get<Start>();
    main->show();
    return main;
}
// A picture block of the report: an empty line, the picture, an empty line, then `text`.
inline QStringList pictureBlock(const QString &text)
{
    return {QString(), QString(QChar::ObjectReplacementCharacter), QString(), text};
}
inline QString firstLine(const QString &text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

// The card at position k by its name in the card table, " (carta invertida)" when turned.
QString cardName(const Spread &spread, int k);
// Every window unloaded and gone, as after the main window was rebuilt.
void unloadAll();
// The spread decided before the deal: distinct cards, each marked taken, each in its slot
// as it lies (turned when reversed), every slot still face down.
void checkHiddenSpread(LayingTable *table, const Spread &spread);

// The report viewer's text, whole and by lines; a picture reads as U+FFFC.
inline QString reportText()
{
    return WindowRegistry::get<rtfViewer>()->Box1->document()->toPlainText();
}
inline QStringList reportLines()
{
    return reportText().split(QLatin1Char('\n'));
}

// Every card of the table drawn by the keyboard's draw, each as soon as the table takes
// it; with a log, each after its own prompt (the panel is closed before each draw so that
// the next prompt shows it afresh). Returns once the last card is drawn.
void drawEvery(LayingTable *table, PromptLog *log = nullptr);

enum Stage {
    Opened,  // its first window shown: the question prompt, the names input or the laying
    Dealing, // its laying dealing
    Laid,    // every card drawn, the interpretation shown
};
// The reading of a panel button taken to `stage` from where it stands: opened from the main
// window unless its first window or laying shows, the prompt clicked, the names entered by
// Enter, the cards drawn. Returns the window it got to — when laid, the interpretation that
// has "Atrás" — or null, the test failed, when it did not get there.
QWidget *layReading(const QString &button, Stage stage, PromptLog *log = nullptr,
                    const QStringList &names = {QStringLiteral("Ana"), QStringLiteral("Luis")});

} // namespace ReadingDriver
