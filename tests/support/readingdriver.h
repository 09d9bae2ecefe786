#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class LayingTable;

// What the reading tests share: the prompts as the user saw them, the report as it reads,
// and the draws of a whole laying.
namespace ReadingDriver {

// Records the text of every prompt panel as it is shown.
class PromptLog : public QObject
{
public:
    PromptLog();
    ~PromptLog() override;
    QStringList prompts;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
};

// Once per test program: every window registered, the program's end handed to `onEnd`.
void setUpRun(std::function<void(int)> onEnd = [](int) {});
// Before each test: a fresh start with the pristine card texts open.
bool freshRun();
// The first of these windows still loaded, or an empty string.
QString stillLoaded(std::initializer_list<const char *> names);
// A picture block of the report: an empty line, the picture, an empty line, then `text`.
QStringList pictureBlock(const QString &text);

// The report viewer's text; a picture reads as U+FFFC.
QString reportText();

// Every card of the table drawn by the keyboard's draw, each as soon as the table takes
// it; with a log, each after its own prompt (the panel is closed before each draw so that
// the next prompt shows it afresh). Returns once the last card is drawn.
void drawEvery(LayingTable *table, PromptLog *log = nullptr);

} // namespace ReadingDriver
