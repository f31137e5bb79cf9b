#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <functional>

class QScreen;

namespace platform {

// Where a balloon stands: its frame on the screen, the point its arrow ends
// at (on the frame's bottom edge when the balloon stands above it, on its top
// edge when below).
struct BalloonPlace {
    QRect frame;
    QPoint tip;
    bool above = true;
};

// The arrow's length, and how far its tip keeps from the balloon's ends.
constexpr int kBalloonArrow = 12;
constexpr int kBalloonArrowInset = 20;

// Places a balloon whose body (the arrow left out) is body large, on a screen
// whose whole and available areas are given. With the icon's rectangle known,
// the arrow points at the icon's edge that faces the balloon, above the icon
// in the lower half of the screen and below it in the upper half, and the
// balloon stays on the screen. With the icon unknown (an empty rectangle) the
// balloon stands in the corner of the available area nearest the tray: on the
// sides where panels cut that area from the screen, else at the bottom right,
// where trays are most often found; it then stays within the available area.
BalloonPlace PlaceBalloon(QSize body, const QRect& icon, const QRect& screen, const QRect& available);

// A balloon tip pointing at a notification-area icon: an icon, a bold title
// and a text on the tool-tip colours, with an arrow towards the icon. It
// follows the icon while it shows, since a tray may put the icon in its place
// only after the balloon was asked for. A click on it reports clicked().
class BalloonTip : public QWidget {
    Q_OBJECT
public:
    enum class Kind { None, Information, Warning, Error };
    // iconGeometry tells where the icon is on the desktop, or an empty
    // rectangle while that is not known.
    BalloonTip(Kind kind, const QString& title, const QString& text, std::function<QRect()> iconGeometry);

    // Puts the balloon in its place and on the screen, without taking the
    // focus.
    void showAtIcon();
    const BalloonPlace& place() const { return m_place; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A balloon taken down follows its icon no more.
    void hideEvent(QHideEvent* event) override;

private:
    void placeAt(const QRect& icon);
    void followIcon();

    std::function<QRect()> m_iconGeometry;
    QRect m_icon;
    QSize m_body;
    BalloonPlace m_place;
    QTimer m_follow;
};

} // namespace platform
