#pragma once

#include <QImage>
#include <QWidget>

namespace platform {

// A widget that draws outside paint events, as the organiser's controls do:
// the drawing goes to a backing image of the widget's size, and paint events
// only copy that image to the screen. Pixel looks are read off the image.
class BackedWidget : public QWidget {
public:
    explicit BackedWidget(QWidget* parent = nullptr);

    // The drawing surface, always the widget's size at the screen's device
    // pixel ratio (see platform/Gdi.h for drawing on it in the widget's
    // units); its contents survive resizes where the two overlap, as a
    // window's persistent drawing does.
    QImage& surface();
    const QImage& surface() const { return const_cast<BackedWidget*>(this)->surface(); }
    // Schedules the image to be copied to the screen (the whole widget or a part).
    void flush() { update(); }
    void flush(const QRect& r) { update(r); }

    // The colour drawn into newly exposed parts of the surface.
    void setSurfaceFill(const QColor& c) { m_fill = c; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_surface;
    QColor m_fill = Qt::white;
};

// The window under a point of the screen: the deepest visible widget there, or
// null. Reads only what Qt knows, so it works headless as well.
QWidget* WindowFromPoint(const QPoint& screenPos);
// A widget's rectangle in screen coordinates.
QRect GetWindowRect(const QWidget* widget);
// Lets pending window events run before going on.
void DoEvents();

} // namespace platform
