#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QInputDialog>
#include <QPushButton>
#include <QQueue>
#include <QSaveFile>

namespace {
struct Answers
{
    bool on = false;
    QQueue<QMessageBox::StandardButton> buttons;
    QQueue<int> choices;
    QQueue<QString> inputs;
    QQueue<QString> files;
    QStringList asked;
    QHash<QString, QMessageBox::Icon> icons;
};
Answers &answers()
{
    static Answers a;
    return a;
}

// With no answer queued a test gets the dialog's default: the first button offered,
// an empty input (cancel), no file (cancel).
QMessageBox::StandardButton firstButton(QMessageBox::StandardButtons buttons)
{
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1) {
        if (buttons.testFlag(QMessageBox::StandardButton(b)))
            return QMessageBox::StandardButton(b);
    }
    return QMessageBox::Ok;
}
} // namespace

namespace Dialogs {

QString title()
{
    return QStringLiteral("Orbelle");
}

QMessageBox::StandardButton message(QWidget *parent, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    Answers &a = answers();
    if (a.on) {
        a.asked << text;
        a.icons[text] = icon;
        return a.buttons.isEmpty() ? firstButton(buttons) : a.buttons.dequeue();
    }
    QMessageBox box(icon, title(), text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

int choose(QWidget *parent, const QString &text, const QStringList &choices, QMessageBox::Icon icon)
{
    Answers &a = answers();
    if (a.on) {
        a.asked << text;
        a.icons[text] = icon;
        return a.choices.isEmpty() ? int(choices.size()) - 1 : a.choices.dequeue();
    }
    QMessageBox box(icon, title(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> buttons;
    for (const QString &c : choices)
        buttons << box.addButton(c, QMessageBox::ActionRole);
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.last()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const int pressed = int(buttons.indexOf(box.clickedButton()));
    return pressed < 0 ? int(choices.size()) - 1 : pressed;
}

QString input(QWidget *parent, const QString &prompt, const QString &caption, const QString &defaultText,
              bool *accepted)
{
    Answers &a = answers();
    if (a.on) {
        a.asked << prompt;
        if (accepted)
            *accepted = !a.inputs.isEmpty();
        return a.inputs.isEmpty() ? QString() : a.inputs.dequeue();
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption.isEmpty() ? title() : caption, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (accepted)
        *accepted = ok;
    return ok ? text : QString();
}

QString openFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &folder)
{
    Answers &a = answers();
    if (a.on) {
        a.asked << caption;
        return a.files.isEmpty() ? QString() : a.files.dequeue();
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &folder)
{
    Answers &a = answers();
    if (a.on) {
        a.asked << caption;
        return a.files.isEmpty() ? QString() : a.files.dequeue();
    }
    // The program asks its own overwrite question, in its own words.
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString fileProblem(const QFileDevice &file)
{
    const QFileInfo info(file.fileName());
    const QString path = QDir::toNativeSeparators(info.absoluteFilePath());
    const QString folder = info.absolutePath();
    // A file being saved is written; any other is read unless it was opened for writing.
    const bool writing =
        qobject_cast<const QSaveFile *>(&file) || file.openMode().testFlag(QIODevice::WriteOnly);
    // What the path shows first: a file refused at its opening reports that in several ways.
    if (info.isDir())
        return QStringLiteral("«%1» es una carpeta.").arg(path);
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("La carpeta «%1» no existe.").arg(QDir::toNativeSeparators(folder));
    if (!writing && !info.exists())
        return QStringLiteral("El archivo «%1» no existe.").arg(path);
    if (writing ? (info.exists() && !info.isWritable()) || !QFileInfo(folder).isWritable() : !info.isReadable())
        return QStringLiteral("Falta permiso para %1 «%2».")
            .arg(writing ? QStringLiteral("escribir en") : QStringLiteral("leer"), path);
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("No se puede abrir «%1».").arg(path);
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
    case QFileDevice::ResizeError:
        return QStringLiteral("No se pudo escribir en «%1» (¿está lleno el disco?).").arg(path);
    case QFileDevice::ReadError:
    case QFileDevice::PositionError:
        return QStringLiteral("No se pudo leer «%1».").arg(path);
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError:
        return QStringLiteral("No se pudo reemplazar «%1» (¿está protegido o en uso?).").arg(path);
    default:
        return QStringLiteral("Falló el acceso a «%1».").arg(path);
    }
}

void setAnswering(bool on)
{
    answers().on = on;
}
bool answering()
{
    return answers().on;
}
void queueButton(QMessageBox::StandardButton b)
{
    answers().buttons.enqueue(b);
}
void queueChoice(int index)
{
    answers().choices.enqueue(index);
}
void queueInput(const QString &text)
{
    answers().inputs.enqueue(text);
}
void queueFileName(const QString &path)
{
    answers().files.enqueue(path);
}
QStringList asked()
{
    return answers().asked;
}
QMessageBox::Icon iconOf(const QString &text)
{
    return answers().icons.value(text, QMessageBox::NoIcon);
}
void clear()
{
    Answers &a = answers();
    a.buttons.clear();
    a.choices.clear();
    a.inputs.clear();
    a.files.clear();
    a.asked.clear();
    a.icons.clear();
}

} // namespace Dialogs
