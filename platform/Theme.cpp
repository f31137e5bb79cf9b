#include "platform/Theme.h"

#include "platform/DrawText.h"
#include "platform/ImageList.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>

namespace platform {

namespace {

// The colours of one style. Heads are gradients from left to right, the
// background one from top to bottom.
struct Scheme {
    QRgb backTop, backBottom;              // part 1
    QRgb headFrom, headTo;                 // part 8
    QRgb headText, headTextHot;            // text on part 8
    QRgb body, bodyEdge;                   // part 5
    QRgb specialFrom, specialTo;           // part 12
    QRgb specialText, specialTextHot;      // text on part 12
    QRgb specialBody, specialBodyEdge;     // part 9
    QRgb button, buttonRing;               // parts 6 and 7
    QRgb glyph, glyphHot;                  //   their chevrons
    QRgb specialButton, specialButtonRing; // parts 10 and 11
    QRgb specialGlyph, specialGlyphHot;    //   their chevrons
};

const Scheme kNormalColor = {qRgb(123, 162, 231), qRgb(99, 117, 214),  qRgb(255, 255, 255), qRgb(198, 211, 247),
                             qRgb(33, 93, 198),   qRgb(66, 142, 255),  qRgb(214, 223, 247), qRgb(255, 255, 255),
                             qRgb(0, 73, 181),    qRgb(41, 93, 206),   qRgb(255, 255, 255), qRgb(189, 208, 255),
                             qRgb(239, 243, 255), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(178, 193, 224),
                             qRgb(33, 93, 198),   qRgb(66, 142, 255),  qRgb(64, 115, 214),  qRgb(170, 190, 240),
                             qRgb(255, 255, 255), qRgb(198, 214, 255)};

const Scheme kMetallic = {qRgb(196, 200, 212), qRgb(177, 179, 200), qRgb(255, 255, 255), qRgb(214, 215, 224),
                          qRgb(63, 61, 61),    qRgb(126, 124, 124), qRgb(240, 241, 245), qRgb(255, 255, 255),
                          qRgb(119, 119, 146), qRgb(180, 182, 199), qRgb(255, 255, 255), qRgb(230, 230, 240),
                          qRgb(240, 241, 245), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(165, 165, 185),
                          qRgb(63, 61, 61),    qRgb(126, 124, 124), qRgb(140, 141, 165), qRgb(220, 220, 230),
                          qRgb(255, 255, 255), qRgb(230, 230, 240)};

const Scheme kHomeStead = {qRgb(204, 217, 173), qRgb(165, 189, 132), qRgb(255, 252, 236), qRgb(224, 231, 184),
                           qRgb(86, 102, 45),   qRgb(114, 146, 29),  qRgb(246, 246, 236), qRgb(255, 255, 255),
                           qRgb(119, 140, 64),  qRgb(150, 168, 103), qRgb(255, 255, 255), qRgb(224, 231, 184),
                           qRgb(246, 246, 236), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(180, 190, 140),
                           qRgb(86, 102, 45),   qRgb(114, 146, 29),  qRgb(136, 156, 86),  qRgb(230, 235, 200),
                           qRgb(255, 255, 255), qRgb(224, 231, 184)};

const QString kClassic = QStringLiteral("Classic");
const QString kExplorerBar = QStringLiteral("ExplorerBar");

QString canonicalStyle(const QString& name) {
    for (const QString& known :
         {kClassic, QStringLiteral("Metallic"), QStringLiteral("HomeStead"), QStringLiteral("NormalColor")})
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return known;
    return QStringLiteral("NormalColor");
}

QString& currentStyle() {
    static QString style = canonicalStyle(qEnvironmentVariable("VELTRANE_THEME"));
    return style;
}

const Scheme& scheme() {
    const QString& s = currentStyle();
    if (s == QLatin1String("Metallic"))
        return kMetallic;
    if (s == QLatin1String("HomeStead"))
        return kHomeStead;
    return kNormalColor;
}

struct Handles {
    QHash<HTHEME, QString> open;
    HTHEME next = 0x7000;
};

Handles& handles() {
    static Handles h;
    return h;
}

bool valid(HTHEME theme) {
    return handles().open.contains(theme);
}

QColor mix(QRgb a, QRgb b, double t) {
    return QColor::fromRgbF(qRed(a) / 255.0 * (1 - t) + qRed(b) / 255.0 * t,
                            qGreen(a) / 255.0 * (1 - t) + qGreen(b) / 255.0 * t,
                            qBlue(a) / 255.0 * (1 - t) + qBlue(b) / 255.0 * t);
}

QColor textColour(int partId, int stateId) {
    const Scheme& s = scheme();
    if (partId == 8)
        return QColor(stateId == 1 ? s.headText : s.headTextHot);
    if (partId == 12)
        return QColor(stateId == 1 ? s.specialText : s.specialTextHot);
    return Qt::black;
}

// A head: a gradient bar whose two top corners are rounded.
void drawHead(QPainter& p, const QRect& r, QRgb from, QRgb to) {
    QPainterPath path;
    const qreal radius = 3;
    path.moveTo(r.left(), r.bottom() + 1);
    path.lineTo(r.left(), r.top() + radius);
    path.quadTo(r.left(), r.top(), r.left() + radius, r.top());
    path.lineTo(r.right() + 1 - radius, r.top());
    path.quadTo(r.right() + 1, r.top(), r.right() + 1, r.top() + radius);
    path.lineTo(r.right() + 1, r.bottom() + 1);
    path.closeSubpath();
    QLinearGradient g(r.left(), 0, r.right() + 1, 0);
    g.setColorAt(0, QColor(from));
    g.setColorAt(1, QColor(to));
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, g);
}

// A body: a flat box with a light edge on its left, right and bottom.
void drawBody(QPainter& p, const QRect& r, QRgb fill, QRgb edge) {
    p.fillRect(r, QColor(fill));
    p.setPen(QColor(edge));
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
}

// A round button with two stacked chevrons, pointing up to collapse or down to expand.
void drawButton(QPainter& p, const QRect& r, bool up, bool special, int stateId) {
    const Scheme& s = scheme();
    const QRgb fill = special ? s.specialButton : s.button;
    const QRgb ring = special ? s.specialButtonRing : s.buttonRing;
    const QRgb glyph = special ? s.specialGlyph : s.glyph;
    const QRgb glyphHot = special ? s.specialGlyphHot : s.glyphHot;
    const QPointF c(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
    const qreal radius = std::min(r.width(), r.height()) / 2.0 - 3;
    if (radius <= 2)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    QColor face = stateId == 3   ? mix(fill, ring, 0.45)
                  : stateId == 2 ? mix(fill, qRgb(255, 255, 255), 0.25)
                                 : QColor(fill);
    p.setPen(QPen(stateId == 2 ? mix(ring, glyphHot, 0.5) : QColor(ring), 1));
    p.setBrush(face);
    p.drawEllipse(c, radius, radius);
    QPen pen(QColor(stateId == 1 ? glyph : glyphHot), 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal arm = radius * 0.36, rise = radius * 0.32, gap = radius * 0.42;
    for (int i = 0; i < 2; ++i) {
        const qreal tipY = up ? c.y() - rise - gap / 2 + i * gap : c.y() + rise + gap / 2 - i * gap;
        const qreal footY = up ? tipY + rise : tipY - rise;
        const QPointF pts[3] = {{c.x() - arm, footY}, {c.x(), tipY}, {c.x() + arm, footY}};
        p.drawPolyline(pts, 3);
    }
}

// Where content goes inside each part: left, top, right and bottom margins.
QMargins contentMargins(int partId) {
    switch (partId) {
    case 8:
        return QMargins(12, 0, 8, 0);
    case 12:
        return QMargins(4, 0, 8, 0);
    case 5:
    case 9:
        return QMargins(12, 10, 12, 10);
    default:
        return QMargins();
    }
}

} // namespace

QString CurrentVisualStyle() {
    return currentStyle();
}

void SetCurrentVisualStyle(const QString& name) {
    currentStyle() = canonicalStyle(name);
}

HTHEME OpenThemeData(int32_t hWnd, const QString& classList) {
    Q_UNUSED(hWnd);
    if (currentStyle() == kClassic)
        return 0;
    for (const QString& name : classList.split(QLatin1Char(';'))) {
        if (name.trimmed().compare(kExplorerBar, Qt::CaseInsensitive) == 0) {
            Handles& h = handles();
            const HTHEME theme = h.next++;
            h.open.insert(theme, kExplorerBar);
            return theme;
        }
    }
    return 0;
}

HRESULT CloseThemeData(HTHEME theme) {
    return handles().open.remove(theme) ? S_OK : E_INVALIDARG;
}

HRESULT GetCurrentThemeName(QString* fileName, QString* colorName, QString* sizeName) {
    if (currentStyle() == kClassic)
        return E_FAIL;
    if (fileName)
        *fileName = QStringLiteral("Veltrane.vstyle");
    if (colorName)
        *colorName = currentStyle();
    if (sizeName)
        *sizeName = QStringLiteral("NormalSize");
    return S_OK;
}

HRESULT GetThemePartSize(HTHEME theme, const DeviceContext*, int partId, int, const RECT* rect, ThemeSize kind,
                         SIZE& size) {
    if (!valid(theme))
        return E_INVALIDARG;
    switch (partId) {
    case 6:
    case 7:
    case 10:
    case 11:
        size.cx = size.cy = kind == TS_MIN ? 12 : 24;
        return S_OK;
    case 8:
    case 12:
        size.cx = rect ? rect->width() : 0;
        size.cy = 25;
        return S_OK;
    default:
        size.cx = rect ? rect->width() : 0;
        size.cy = rect ? rect->height() : 0;
        return S_OK;
    }
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, const DeviceContext*, int partId, int, const RECT& bounding,
                                      RECT& content) {
    if (!valid(theme))
        return E_INVALIDARG;
    const QMargins m = contentMargins(partId);
    SetRect(content, bounding.Left + m.left(), bounding.Top + m.top(), bounding.Right - m.right(),
            bounding.Bottom - m.bottom());
    return S_OK;
}

HRESULT GetThemeTextExtent(HTHEME theme, const DeviceContext& dc, int, int, const QString& text, int count,
                           uint32_t textFlags, const RECT* bounding, RECT& extent) {
    if (!valid(theme))
        return E_INVALIDARG;
    RECT r;
    if (bounding)
        r = *bounding;
    else
        SetRect(r, 0, 0, 32767, 32767);
    DeviceContext measuring = dc;
    measuring.surface = nullptr;
    DrawTextA(measuring, text, count, r, textFlags | DT_CALCRECT);
    extent = r;
    return S_OK;
}

HRESULT DrawThemeParentBackground(int32_t, const DeviceContext& dc, const RECT*) {
    return dc.surface ? S_OK : E_INVALIDARG;
}

HRESULT DrawThemeBackground(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const RECT& rect,
                            const RECT* clip) {
    if (!valid(theme) || !dc.surface)
        return E_INVALIDARG;
    if (partId != 1 && (partId < 5 || partId > 12))
        return E_INVALIDARG;
    if (stateId < 1 || stateId > 3)
        stateId = 1;
    const Scheme& s = scheme();
    const QRect r = rect.toQRect();
    if (r.isEmpty())
        return S_OK;
    QPainter p(dc.surface);
    if (clip)
        p.setClipRect(clip->toQRect());
    switch (partId) {
    case 1: {
        QLinearGradient g(0, r.top(), 0, r.bottom() + 1);
        g.setColorAt(0, QColor(s.backTop));
        g.setColorAt(1, QColor(s.backBottom));
        p.fillRect(r, g);
        break;
    }
    case 5:
        drawBody(p, r, s.body, s.bodyEdge);
        break;
    case 9:
        drawBody(p, r, s.specialBody, s.specialBodyEdge);
        break;
    case 6:
    case 7:
        drawButton(p, r, partId == 6, false, stateId);
        break;
    case 10:
    case 11:
        drawButton(p, r, partId == 10, true, stateId);
        break;
    case 8:
        drawHead(p, r, s.headFrom, s.headTo);
        break;
    case 12:
        drawHead(p, r, s.specialFrom, s.specialTo);
        break;
    default:
        break;
    }
    return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const QString& text, int count,
                      uint32_t textFlags, uint32_t, const RECT& rect) {
    if (!valid(theme) || !dc.surface)
        return E_INVALIDARG;
    DeviceContext themed = dc;
    themed.textColor = textColour(partId, stateId);
    RECT r = rect;
    DrawTextA(themed, text, count, r, textFlags & ~DT_CALCRECT);
    return S_OK;
}

HRESULT DrawThemeIcon(HTHEME theme, const DeviceContext& dc, int, int, const RECT& rect, int32_t imageListHandle,
                      int imageIndex) {
    if (!valid(theme) || !dc.surface)
        return E_INVALIDARG;
    ImageList* list = ImageListFromHandle(imageListHandle);
    if (!list || imageIndex < 0 || imageIndex >= list->Count())
        return E_INVALIDARG;
    PaintPicture(*dc.surface, list->ListImages(imageIndex + 1).ExtractIcon(), rect.Left, rect.Top, rect.width(),
                 rect.height());
    return S_OK;
}

} // namespace platform
