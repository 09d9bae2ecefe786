#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QFileDevice;
class QWidget;

// Every message box, input box and file dialog of the program goes through here. Tests
// switch on the answering mode and queue the answers in advance, so no test ever waits
// on a modal dialog; what was asked is recorded for them to check.
namespace Dialogs {

// The application's title, carried by every message box.
QString title();

// A message carries the icon of what it means: information by default, a question, a
// warning or a critical failure where the caller says so.
QMessageBox::StandardButton message(QWidget *parent, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::Icon icon = QMessageBox::Information);
// A message whose buttons say what they do, in the caller's words: the index of the one
// pressed. The last choice is the cautious one: the default, and what Escape or closing the
// box gives.
int choose(QWidget *parent, const QString &text, const QStringList &choices,
           QMessageBox::Icon icon = QMessageBox::Question);
// An input box: the typed text, or the empty string when cancelled; `accepted`, when given,
// tells an empty answer from a cancelled box (a test's queued answer is accepted, none queued
// is cancelled).
QString input(QWidget *parent, const QString &prompt, const QString &caption = QString(),
              const QString &defaultText = QString(), bool *accepted = nullptr);
// File dialogs: the chosen path, or the empty string when cancelled.
QString openFileName(QWidget *parent, const QString &caption, const QString &filter,
                     const QString &folder = QString());
QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                     const QString &folder = QString());

// Why `file` failed, in the user's words and with its path (the system's own text is English).
QString fileProblem(const QFileDevice &file);

// --- for tests ---
void setAnswering(bool on);
bool answering();
void queueButton(QMessageBox::StandardButton b);
// The answer to the next choose(); without one a test gets the last choice.
void queueChoice(int index);
void queueInput(const QString &text);
void queueFileName(const QString &path);
// Every text shown (message texts, input prompts, file dialog captions), oldest first.
QStringList asked();
// The icon the message with this text was shown with.
QMessageBox::Icon iconOf(const QString &text);
void clear();

} // namespace Dialogs
