#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

// For the start-up benchmark: with ORBELLE_REPORT_FIRST_PAINT set, the first paint of a
// top-level window writes "first-paint <width>x<height>" (the window's size) on stdout, the
// moment the user sees something.
// Without the variable nothing is installed. Header only, so that the empty window the
// benchmark compares against carries exactly the same probe.
namespace FirstPaint {

class Probe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            const QSize size = static_cast<QWidget *>(watched)->size();
            std::printf("first-paint %dx%d\n", size.width(), size.height());
            std::fflush(stdout);
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

inline void installIfAsked()
{
    if (std::getenv("ORBELLE_REPORT_FIRST_PAINT"))
        QCoreApplication::instance()->installEventFilter(new Probe(QCoreApplication::instance()));
}

} // namespace FirstPaint
