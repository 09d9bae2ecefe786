// The floor of the start-up benchmark: a Qt program that shows one empty window the size
// of the intro and nothing else, with the same first-paint probe as the program.

#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint::installIfAsked();
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.resize(507, 340); // the intro's design size, 7600 × 5100 twips
    window.show();
    return QApplication::exec();
}
