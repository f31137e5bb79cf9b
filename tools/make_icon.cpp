// Draws the program's icon, a calendar page with a tick, at any size:
// assets/veltrane-64.png and assets/veltrane-128.png are made by it. The
// design is laid out on a 48-unit grid, the size of the largest hand-drawn
// picture, and scaled, so every size shows the same picture with its detail
// drawn at that size rather than enlarged. Built with the rest; run from the
// project folder:
//   build/bin/make_icon assets 64 128
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kOutline(11, 31, 90, 192);
const QColor kEdge(14, 38, 106);
const QColor kHeader(220, 60, 50);
const QColor kHeaderShade(177, 68, 85);
const QColor kPageTop(51, 105, 203);
const QColor kPageBottom(13, 45, 135);
const QColor kRing(235, 235, 240);
const QColor kRingOutline(94, 94, 95);
const QColor kRingHole(73, 64, 64);

// The page's body: a rounded square below the rings.
QPainterPath body() {
    QPainterPath path;
    path.addRoundedRect(QRectF(2.5, 5.5, 43, 40), 6, 6);
    return path;
}

// The page's corner turned up below the red header, on the left (mirror for
// the right).
QPolygonF fold(bool right) {
    QPolygonF corner({QPointF(3, 13.5), QPointF(3, 18), QPointF(10, 18)});
    if (right)
        for (QPointF& p : corner)
            p.setX(48 - p.x());
    return corner;
}

void drawRing(QPainter& p, qreal centreX) {
    p.setPen(Qt::NoPen);
    p.setBrush(kRingHole);
    p.drawEllipse(QPointF(centreX, 10.2), 2.1, 1.2);
    p.setPen(QPen(kRingOutline, 1));
    p.setBrush(kRing);
    p.drawRoundedRect(QRectF(centreX - 2.2, 1.5, 4.4, 8.7), 2.2, 2.2);
}

QImage draw(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);

    const QPainterPath page = body();
    p.save();
    p.setClipPath(page);
    // The red header, then the blue sheet below it.
    p.fillRect(QRectF(0, 0, 48, 12), kHeader);
    QLinearGradient sheet(0, 12, 0, 45);
    sheet.setColorAt(0, kPageTop);
    sheet.setColorAt(1, kPageBottom);
    p.fillRect(QRectF(0, 12, 48, 36), sheet);
    for (bool right : {false, true}) {
        p.setPen(Qt::NoPen);
        p.setBrush(kHeader);
        p.drawPolygon(fold(right));
        p.setPen(QPen(kHeaderShade, 1));
        p.drawLine(QLineF(right ? 45 : 3, 17.5, right ? 38 : 10, 17.5));
    }
    // A darker edge inside the outline gives the page its thickness.
    p.setPen(QPen(kEdge, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);
    p.restore();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);

    drawRing(p, 13.5);
    drawRing(p, 34.5);

    QPen tick(Qt::white, 5.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.drawPolyline(QPolygonF({QPointF(12.5, 22.5), QPointF(23.8, 39.2), QPointF(35.5, 22.5)}));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString file = folder.filePath(QStringLiteral("veltrane-%1.png").arg(size));
        if (size <= 0 || !draw(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
