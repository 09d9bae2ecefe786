// The floor of the start-up benchmark: a Qt program that shows one empty window and
// nothing else, with the same first-paint probe as the program.
//
//   emptywindow [WIDTHxHEIGHT]   the window's size; the intro's design size by default
//
// A window's pixels cost memory by its size: the benchmark gives the empty window the
// size the program's first window took on the same screen.

#include "firstpaint.h"

#include <QApplication>
#include <QStringList>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint::installIfAsked();
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    QSize size(507, 340); // the intro's design size, 7600 × 5100 twips
    if (argc > 1) {
        const QStringList wh = QString::fromLocal8Bit(argv[1]).split(QLatin1Char('x'));
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            size = QSize(wh[0].toInt(), wh[1].toInt());
    }
    window.resize(size);
    window.show();
    return QApplication::exec();
}
