// Draws the explorer bar's pictures into a folder: the expand-button strip
// "imgbuttons.png", the hand pointer "hand.png" and the side bar's sixteen
// pictures "sidebar01.png" to "sidebar16.png". The committed files in assets/
// were made with it:
//   QT_QPA_PLATFORM=offscreen build/bin/make_explorerbar_assets assets
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

QColor rgb(int r, int g, int b, int a = 255) {
    return QColor(r, g, b, a);
}

// ---------------------------------------------------------------- button strip

// Two stacked chevrons, pointing up (the group is open) or down.
void chevrons(QPainter& p, QPointF c, bool up, const QColor& colour) {
    QPen pen(colour, 1.7);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        const qreal tip = up ? c.y() - 3.2 + i * 3.6 : c.y() + 3.2 - i * 3.6;
        const qreal foot = up ? tip + 2.6 : tip - 2.6;
        const QPointF pts[3] = {{c.x() - 2.8, foot}, {c.x(), tip}, {c.x() + 2.8, foot}};
        p.drawPolyline(pts, 3);
    }
}

// One round button in a 17 x 17 cell whose last row stays clear.
void button(QPainter& p, int x, int y, bool up, const QColor& top, const QColor& bottom, const QColor& ring,
            const QColor& glyph) {
    const QPointF c(x + 8.5, y + 8.0);
    QRadialGradient face(c.x() - 2, c.y() - 3, 10);
    face.setColorAt(0, top);
    face.setColorAt(1, bottom);
    p.setPen(QPen(ring, 1.0));
    p.setBrush(face);
    p.drawEllipse(c, 7.2, 7.2);
    chevrons(p, c, up, glyph);
}

QImage buttonStrip() {
    QImage strip(68, 34, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    // Row 0 the silver scheme, row 18 the olive one: the special header's
    // buttons in the scheme's colour, the others near white.
    const struct {
        int y;
        QColor top, bottom, ring, paleBottom, paleRing, glyph;
    } schemes[] = {
        {0, rgb(196, 197, 216), rgb(138, 139, 166), rgb(236, 236, 244), rgb(226, 227, 236), rgb(150, 151, 172),
         rgb(63, 61, 61)},
        {18, rgb(170, 188, 118), rgb(119, 140, 64), rgb(236, 240, 210), rgb(240, 242, 222), rgb(166, 178, 120),
         rgb(86, 102, 45)},
    };
    for (const auto& s : schemes) {
        for (int i = 0; i < 2; ++i) {
            const bool up = i == 1;
            button(p, 17 * i, s.y, up, s.top, s.bottom, s.ring, Qt::white);
            button(p, 34 + 17 * i, s.y, up, Qt::white, s.paleBottom, s.paleRing, s.glyph);
        }
    }
    return strip;
}

// ---------------------------------------------------------------- hand pointer

QImage handPointer() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(5.5, 0.5, 5, 16), 2.5, 2.5);  // pointing finger
    hand.addRoundedRect(QRectF(10, 7.5, 4.5, 10), 2.2, 2.2); // folded fingers
    hand.addRoundedRect(QRectF(14, 8.5, 4.5, 10), 2.2, 2.2);
    hand.addRoundedRect(QRectF(18, 10, 4.5, 10), 2.2, 2.2);
    hand.addRoundedRect(QRectF(5.5, 13, 17, 12.5), 4, 4); // palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-3, -2.3, 10, 4.6), 2.3, 2.3);
    hand.addPath(QTransform().translate(3.8, 15.5).rotate(50).map(thumb));
    hand.addRect(QRectF(8.5, 22, 12, 5.5)); // wrist
    hand = hand.simplified();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(rgb(0, 0, 0, 160), 0.9));
    p.drawLine(QPointF(10.2, 14), QPointF(10.2, 17));
    p.drawLine(QPointF(14.2, 15), QPointF(14.2, 18));
    p.drawLine(QPointF(18.2, 16), QPointF(18.2, 19));
    return img;
}

// ---------------------------------------------------------------- side bar pictures
// Drawn on a 32 x 32 grid; the bar shows them at 16 x 16 beside its items and
// picture 11 at full size on the special header.

using Drawing = std::function<void(QPainter&)>;

void checklist(QPainter& p) {
    p.setPen(QPen(rgb(110, 72, 30), 1));
    p.setBrush(rgb(176, 122, 58));
    p.drawRoundedRect(QRectF(5.5, 4.5, 20, 25), 2, 2);
    p.setPen(QPen(rgb(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 7.5, 14, 20));
    p.setPen(QPen(rgb(90, 90, 90), 1));
    p.setBrush(rgb(200, 200, 205));
    p.drawRoundedRect(QRectF(11.5, 2.5, 8, 5), 1.5, 1.5);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 12 + i * 5;
        QPen tick(rgb(30, 140, 40), 1.6);
        tick.setCapStyle(Qt::RoundCap);
        p.setPen(tick);
        p.drawPolyline(QPolygonF({{10.2, y}, {11.4, y + 1.4}, {13.4, y - 1.6}}));
        p.setPen(QPen(rgb(70, 90, 150), 1.4));
        p.drawLine(QPointF(15, y), QPointF(20.5, y));
    }
}

Drawing calendar(bool today) {
    return [today](QPainter& p) {
        p.setPen(QPen(rgb(120, 120, 130), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(3.5, 6.5, 25, 22), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(rgb(205, 45, 40));
        p.drawRoundedRect(QRectF(4, 7, 24, 6), 1.5, 1.5);
        p.setBrush(rgb(90, 90, 100));
        for (qreal x : {9.0, 22.0})
            p.drawRoundedRect(QRectF(x, 4, 2, 5), 1, 1);
        if (today) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setBold(true);
            f.setPixelSize(13);
            p.setFont(f);
            p.setPen(rgb(40, 60, 120));
            p.drawText(QRectF(4, 13, 24, 15), Qt::AlignCenter, QStringLiteral("31"));
            return;
        }
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col) {
                p.setBrush(row == 1 && col == 2 ? rgb(70, 120, 210) : rgb(190, 200, 220));
                p.drawRect(QRectF(6.5 + col * 5, 15 + row * 4.3, 3.5, 3));
            }
    };
}

Drawing clock(QPointF c, qreal r) {
    return [c, r](QPainter& p) {
        p.setPen(QPen(rgb(40, 80, 160), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(c, r, r);
        p.setPen(QPen(rgb(30, 30, 40), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(0, -r * 0.65));
        p.drawLine(c, c + QPointF(r * 0.5, r * 0.2));
    };
}

Drawing note(QPointF at, const QColor& paper) {
    return [at, paper](QPainter& p) {
        QPainterPath sheet;
        sheet.moveTo(at + QPointF(0.5, 0.5));
        sheet.lineTo(at + QPointF(21.5, 0.5));
        sheet.lineTo(at + QPointF(21.5, 16.5));
        sheet.lineTo(at + QPointF(16.5, 21.5));
        sheet.lineTo(at + QPointF(0.5, 21.5));
        sheet.closeSubpath();
        p.setPen(QPen(rgb(170, 140, 40), 1));
        p.setBrush(paper);
        p.drawPath(sheet);
        p.setBrush(paper.darker(125));
        p.drawPolygon(QPolygonF({at + QPointF(21.5, 16.5), at + QPointF(16.5, 16.5), at + QPointF(16.5, 21.5)}));
        p.setPen(QPen(rgb(150, 120, 40, 170), 1.2));
        for (int i = 0; i < 3; ++i)
            p.drawLine(at + QPointF(4, 6 + i * 4.5), at + QPointF(18, 6 + i * 4.5));
    };
}

void key(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(-40);
    QLinearGradient gold(0, -6, 0, 6);
    gold.setColorAt(0, rgb(255, 226, 120));
    gold.setColorAt(1, rgb(210, 150, 20));
    p.setPen(QPen(rgb(140, 95, 10), 1));
    p.setBrush(gold);
    QPainterPath k;
    k.addEllipse(QPointF(-8, 0), 6.5, 6.5);
    k.addRect(QRectF(-2, -1.8, 14, 3.6));
    k.addRect(QRectF(7, 1.5, 2.5, 4));
    k.addRect(QRectF(10.5, 1.5, 2, 3));
    k = k.simplified();
    QPainterPath hole;
    hole.addEllipse(QPointF(-9.5, 0), 2.2, 2.2);
    p.drawPath(k.subtracted(hole));
    p.restore();
}

void padlock(QPainter& p) {
    p.setPen(QPen(rgb(120, 120, 130), 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 3, 14, 16), 0, 180 * 16);
    p.drawLine(QPointF(9, 11), QPointF(9, 15));
    p.drawLine(QPointF(23, 11), QPointF(23, 15));
    QLinearGradient gold(0, 14, 0, 29);
    gold.setColorAt(0, rgb(255, 220, 110));
    gold.setColorAt(1, rgb(205, 145, 20));
    p.setPen(QPen(rgb(140, 95, 10), 1));
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(5.5, 14.5, 21, 15), 2.5, 2.5);
    p.setBrush(rgb(80, 55, 10));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 20.5), 2.2, 2.2);
    p.drawRect(QRectF(15.2, 21, 1.6, 4.5));
}

// Small signs in the bottom right corner: add, change, remove.
void plusSign(QPainter& p) {
    p.setPen(QPen(rgb(20, 110, 30), 1));
    p.setBrush(rgb(60, 175, 60));
    p.drawEllipse(QPointF(24, 24), 7, 7);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(20, 24), QPointF(28, 24));
    p.drawLine(QPointF(24, 20), QPointF(24, 28));
}

void pencil(QPainter& p) {
    p.save();
    p.translate(23, 23);
    p.rotate(45);
    p.setPen(QPen(rgb(60, 60, 60), 1));
    p.setBrush(rgb(250, 200, 60));
    p.drawRect(QRectF(-2.8, -11, 5.6, 14));
    p.setBrush(rgb(230, 120, 130));
    p.drawRect(QRectF(-2.8, -13, 5.6, 2.5));
    p.setBrush(rgb(240, 220, 180));
    p.drawPolygon(QPolygonF({{-2.8, 3}, {2.8, 3}, {0, 8.5}}));
    p.setBrush(rgb(40, 40, 40));
    p.drawPolygon(QPolygonF({{-0.9, 6.6}, {0.9, 6.6}, {0, 8.5}}));
    p.restore();
}

Drawing removeSign(QPointF c, qreal r) {
    return [c, r](QPainter& p) {
        p.setPen(QPen(rgb(150, 20, 20), 1));
        p.setBrush(rgb(215, 45, 40));
        p.drawEllipse(c, r, r);
        const qreal a = r * 0.45;
        p.setPen(QPen(Qt::white, r * 0.36, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(-a, -a), c + QPointF(a, a));
        p.drawLine(c + QPointF(-a, a), c + QPointF(a, -a));
    };
}

void information(QPainter& p) {
    QRadialGradient ball(12, 10, 20);
    ball.setColorAt(0, rgb(120, 175, 255));
    ball.setColorAt(1, rgb(20, 70, 180));
    p.setPen(QPen(rgb(15, 45, 120), 1));
    p.setBrush(ball);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(255, 255, 255, 90));
    p.drawEllipse(QRectF(7, 4, 18, 10));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.4, 2.4);
    p.drawRoundedRect(QRectF(13.6, 13.5, 4.8, 12.5), 1.5, 1.5);
    p.drawRect(QRectF(12, 13.5, 4, 2));
    p.drawRect(QRectF(12, 24.5, 8, 2));
}

// One drawing laid over another.
Drawing over(Drawing below, Drawing above) {
    return [below, above](QPainter& p) {
        below(p);
        above(p);
    };
}

QImage picture(const Drawing& draw) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return img;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = buttonStrip().save(out.filePath(QStringLiteral("imgbuttons.png")));
    ok = handPointer().save(out.filePath(QStringLiteral("hand.png"))) && ok;

    const QColor yellow = rgb(255, 236, 120);
    const Drawing pictures[16] = {
        over(checklist, plusSign),                                    // 1 add task
        over(checklist, pencil),                                      // 2 edit task
        over(checklist, removeSign({24, 24}, 7)),                     // 3 remove task
        removeSign({16, 16}, 13),                                     // 4 remove
        over(calendar(false), plusSign),                              // 5 add meeting
        over(calendar(false), clock({23, 23}, 7.5)),                  // 6 reschedule meeting
        over(note({3, 3}, yellow), plusSign),                         // 7 new note
        over(note({3, 3}, yellow), pencil),                           // 8 edit note
        over(key, plusSign),                                          // 9 add password
        over(key, pencil),                                            // 10 edit password
        information,                                                  // 11 information display
        calendar(true),                                               // 12 today
        checklist,                                                    // 13 all tasks
        clock({16, 16}, 13),                                          // 14 all meetings
        over(note({9, 1}, rgb(190, 225, 255)), note({1, 9}, yellow)), // 15 all notes
        padlock,                                                      // 16 all passwords
    };
    for (int i = 0; i < 16; ++i) {
        const QString name = QStringLiteral("sidebar%1.png").arg(i + 1, 2, 10, QLatin1Char('0'));
        ok = picture(pictures[i]).save(out.filePath(name)) && ok;
    }
    return ok ? 0 : 1;
}
