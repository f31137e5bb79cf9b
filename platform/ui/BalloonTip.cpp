#include "platform/ui/BalloonTip.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr int kMargin = 10;
constexpr int kRadius = 7;
constexpr int kArrowHalfWidth = 8;
// Wider texts wrap, as the desktop's own balloons do.
constexpr int kTextWidth = 320;
// How often a showing balloon asks where its icon is.
constexpr int kFollowMs = 100;

QStyle::StandardPixmap pixmapOf(BalloonTip::Kind kind) {
    switch (kind) {
    case BalloonTip::Kind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case BalloonTip::Kind::Error:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

// Moves a span of length size to start as near want as the bounds allow.
int within(int want, int size, int low, int high) {
    return std::max(low, std::min(want, high - size + 1));
}

} // namespace

BalloonPlace PlaceBalloon(QSize body, const QRect& icon, const QRect& screen, const QRect& available) {
    const bool known = !icon.isEmpty();
    BalloonPlace p;
    QPoint aim;
    QRect bounds;
    if (known) {
        p.above = icon.center().y() > screen.center().y();
        aim = QPoint(icon.center().x(), p.above ? icon.top() : icon.bottom());
        // Over a panel, so the arrow reaches an icon that stands on one.
        bounds = screen;
    } else {
        const bool panelAtTop = available.top() > screen.top() && available.bottom() >= screen.bottom();
        const bool panelAtLeft = available.left() > screen.left() && available.right() >= screen.right();
        p.above = !panelAtTop;
        aim =
            QPoint(panelAtLeft ? available.left() : available.right(), p.above ? available.bottom() : available.top());
        bounds = available;
    }
    const QSize size(body.width(), body.height() + kBalloonArrow);
    const bool leftwards = aim.x() > bounds.center().x();
    const int x = leftwards ? aim.x() - size.width() + 1 + kBalloonArrowInset : aim.x() - kBalloonArrowInset;
    const int y = p.above ? aim.y() - size.height() + 1 : aim.y();
    p.frame = QRect(QPoint(within(x, size.width(), bounds.left(), bounds.right()),
                           within(y, size.height(), bounds.top(), bounds.bottom())),
                    size);
    p.tip = QPoint(std::clamp(aim.x(), p.frame.left() + kBalloonArrowInset, p.frame.right() - kBalloonArrowInset),
                   p.above ? p.frame.bottom() : p.frame.top());
    return p;
}

BalloonTip::BalloonTip(Kind kind, const QString& title, const QString& text, std::function<QRect()> iconGeometry)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_iconGeometry(std::move(iconGeometry)) {
    setObjectName(QStringLiteral("balloonTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setHorizontalSpacing(kMargin / 2);
    int column = 0;
    if (kind != Kind::None) {
        auto* picture = new QLabel(this);
        const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
        picture->setPixmap(style()->standardIcon(pixmapOf(kind)).pixmap(side, side));
        layout->addWidget(picture, 0, 0, Qt::AlignTop);
        column = 1;
    }
    auto* heading = new QLabel(title, this);
    heading->setTextFormat(Qt::PlainText);
    QFont bold = font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading, 0, column, Qt::AlignLeft);
    auto* body = new QLabel(text, this);
    body->setTextFormat(Qt::PlainText);
    if (body->sizeHint().width() > kTextWidth) {
        body->setWordWrap(true);
        body->setFixedWidth(kTextWidth);
    }
    layout->addWidget(body, 1, column);
    layout->setColumnStretch(column, 1);
    adjustSize();
    m_body = size();

    m_follow.setInterval(kFollowMs);
    connect(&m_follow, &QTimer::timeout, this, &BalloonTip::followIcon);
}

void BalloonTip::showAtIcon() {
    placeAt(m_iconGeometry());
    show();
    m_follow.start();
}

void BalloonTip::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_follow.stop();
}

void BalloonTip::followIcon() {
    const QRect icon = m_iconGeometry();
    if (icon != m_icon)
        placeAt(icon);
}

void BalloonTip::placeAt(const QRect& icon) {
    m_icon = icon;
    QScreen* screen = icon.isEmpty() ? nullptr : QGuiApplication::screenAt(icon.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    m_place = PlaceBalloon(m_body, icon, screen->geometry(), screen->availableGeometry());
    // The arrow stands outside the body, on the side of the icon.
    layout()->setContentsMargins(kMargin, kMargin + (m_place.above ? 0 : kBalloonArrow), kMargin,
                                 kMargin + (m_place.above ? kBalloonArrow : 0));
    setFixedSize(m_place.frame.size());
    move(m_place.frame.topLeft());

    QPainterPath body;
    const QRect box = rect().adjusted(0, m_place.above ? 0 : kBalloonArrow, 0, m_place.above ? -kBalloonArrow : 0);
    body.addRoundedRect(box, kRadius, kRadius);
    const QPoint tip = m_place.tip - m_place.frame.topLeft();
    const int base = m_place.above ? box.bottom() - 1 : box.top() + 1;
    QPolygon arrow;
    arrow << QPoint(tip.x() - kArrowHalfWidth, base) << tip << QPoint(tip.x() + kArrowHalfWidth, base);
    setMask(QRegion(body.toFillPolygon().toPolygon()) | QRegion(arrow));
    update();
}

void BalloonTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    // A line along the shape's edge: the shape less the shape one pixel in.
    const QRegion shape = mask();
    const QRegion inner =
        shape.translated(1, 0) & shape.translated(-1, 0) & shape.translated(0, 1) & shape.translated(0, -1);
    for (const QRect& r : shape - inner)
        painter.fillRect(r, palette().color(QPalette::ToolTipText));
}

void BalloonTip::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit clicked();
}

} // namespace platform
