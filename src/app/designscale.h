#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QLayout;
class QWidget;

// A window laid out as designed at any size: its controls keep the design's proportions,
// scaled uniformly to the window's actual size, and their fonts grow and shrink with it —
// never below the smallest readable size, never past a comfortable largest one.
//
// Placed: the window's own controls are placed by their design geometry (in pixels at
// scale 1, as Twips gives them), scaled and centred. Managed: a Qt layout places them;
// only the fonts and the layout's margins and spacing follow the scale.
class DesignScale : public QObject
{
    Q_OBJECT
public:
    enum class Layout { Placed, Managed };

    static constexpr double kSmallestPoint = 9.0;
    static constexpr double kLargestFactor = 1.6;

    // Installs the scaling on a window whose controls are built (their geometry and fonts
    // now are the design). A second call returns the first installation.
    static DesignScale *install(QWidget *window, QSize design, Layout how, double largest = kLargestFactor);
    static DesignScale *of(const QWidget *window);

    double scale() const { return m_scale; }
    QSize design() const { return m_design; }
    // Lays the window out for its present size.
    void apply();

    // The font size a design size takes at a scale.
    static double pointSize(double design, double scale, double largest = kLargestFactor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DesignScale(QWidget *window, QSize design, Layout how, double largest);
    void record(QWidget *w, bool placed);

    struct Control
    {
        QPointer<QWidget> widget;
        QRect rect;   // design geometry, placed controls only
        double point; // design font size in points, 0 for a font set in pixels
        bool placed;
    };
    QWidget *m_window;
    QSize m_design;
    Layout m_how;
    double m_largest;
    double m_windowPoint;
    double m_scale = 1.0;
    std::vector<Control> m_controls;
    QMargins m_margins;
    int m_spacing = -1;
};
