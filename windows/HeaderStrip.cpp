#include "windows/HeaderStrip.h"

#include "platform/Twips.h"
#include "windows/Geometry.h"
#include "windows/Pictures.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kHeightTwips = 600;
// The caption is centred in a label of this width, wide enough for the Today
// view's longest day and time, so a changing text stays centred.
constexpr int kLabelWidthTwips = 8400;
// The smallest type a narrow strip shows the caption in, still easily read.
// It fits the Today view's longest caption in the strip of a 640 x 480
// window; a narrower strip cuts the caption at both ends.
constexpr double kSmallestPoints = 8;
} // namespace

HeaderStrip::HeaderStrip(QWidget* parent) : QWidget(parent), m_picture(ProgramPicture(QStringLiteral("header.png"))) {
    setObjectName(QStringLiteral("picHeader"));
    setFixedHeight(platform::TwipsToPixelsY(kHeightTwips));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblHeader"));
    QFont font = m_label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    m_label->setFont(font);
    m_captionFont = font;
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    m_label->setPalette(pal);
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(0, 0, platform::TwipsToPixelsX(kLabelWidthTwips), height());
}

void HeaderStrip::setCaption(const QString& text) {
    m_label->setText(text);
    fitCaption();
}

void HeaderStrip::fitCaption() {
    QFont font = m_captionFont;
    const QString text = m_label->text();
    while (font.pointSizeF() > kSmallestPoints && QFontMetrics(font).horizontalAdvance(text) > width())
        font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() - 0.25));
    if (font != m_label->font())
        m_label->setFont(font);
}

void HeaderStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_picture.isNull()) {
        p.fillRect(rect(), QColor(0, 0, 128));
        return;
    }
    // The picture stands at the left; its last column carries on to the
    // right edge of a wider strip.
    p.drawPixmap(0, 0, m_picture);
    int end = m_picture.width();
    const QPixmap* last = &m_picture;
    if (width() > end) {
        if (!m_widerRead) {
            m_widerRead = true;
            m_wider = ProgramPicture(QStringLiteral("header-wide.png"));
        }
        if (!m_wider.isNull()) {
            p.drawPixmap(end, 0, m_wider);
            end += m_wider.width();
            last = &m_wider;
        }
    }
    if (width() > end)
        p.drawPixmap(QRect(end, 0, width() - end, height()), *last, QRect(last->width() - 1, 0, 1, last->height()));
}

void HeaderStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitCaption();
    geometry::SetLeft(m_label, (geometry::ScaleWidth(this) - platform::PixelsToTwipsX(m_label->width())) / 2);
}
