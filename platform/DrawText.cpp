#include "platform/DrawText.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

namespace {

// A line of shown text and the positions in it of characters to underline.
struct Line {
    QString text;
    std::vector<int> marks;
};

const QString kEllipsis = QStringLiteral("...");

// Every measure shapes its text anew, and a control's layout, its text
// extents and its paint measure the same captions and word runs again and
// again: the widths are kept per font for the program's run. Both stores are
// bounded, so texts that keep changing cannot make them grow without end.
class Widths {
public:
    explicit Widths(const QFont& font) : m_metrics(font), m_font(font) {}

    int of(const QString& text) {
        // Long texts are measured each time: a word cut down to fit would
        // otherwise leave every one of its prefixes behind.
        if (text.size() > kLongest)
            return m_metrics.horizontalAdvance(text);
        auto found = m_known.constFind(text);
        if (found != m_known.cend())
            return *found;
        if (m_known.size() >= kTexts)
            m_known.clear();
        const int width = m_metrics.horizontalAdvance(text);
        m_known.insert(text, width);
        return width;
    }

    const QFontMetrics& metrics() const { return m_metrics; }

    static Widths& forFont(const QFont& font) {
        static std::vector<std::unique_ptr<Widths>> fonts;
        for (const auto& known : fonts)
            if (known->m_font == font)
                return *known;
        if (fonts.size() >= kFonts)
            fonts.clear();
        fonts.push_back(std::make_unique<Widths>(font));
        return *fonts.back();
    }

private:
    static constexpr int kTexts = 4096;
    static constexpr qsizetype kLongest = 256;
    static constexpr std::size_t kFonts = 16;

    QFontMetrics m_metrics;
    QFont m_font;
    QHash<QString, int> m_known;
};

// Takes the "&" prefixes out of a text, keeping where the marked characters are.
Line stripPrefixes(const QString& text, bool prefixes) {
    Line out;
    if (!prefixes) {
        out.text = text;
        return out;
    }
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 >= text.size())
                break;
            ++i;
            if (text[i] != QLatin1Char('&'))
                out.marks.push_back(static_cast<int>(out.text.size()));
        }
        out.text += text[i];
    }
    return out;
}

// The part of a line from `from` (inclusive) to `to` (exclusive), with its marks.
Line slice(const Line& line, int from, int to) {
    Line out;
    out.text = line.text.mid(from, to - from);
    for (int m : line.marks)
        if (m >= from && m < to)
            out.marks.push_back(m - from);
    return out;
}

// Breaks one paragraph between words so each line fits `width` where it can.
void wrap(const Line& para, int width, Widths& widths, std::vector<Line>& lines) {
    const QString& t = para.text;
    int start = 0;
    while (start < t.size()) {
        int lineEnd = -1; // end of the last word that fits
        int pos = start;
        while (pos < t.size()) {
            int wordEnd = pos;
            while (wordEnd < t.size() && t[wordEnd] == QLatin1Char(' '))
                ++wordEnd;
            while (wordEnd < t.size() && t[wordEnd] != QLatin1Char(' '))
                ++wordEnd;
            if (lineEnd >= 0 && widths.of(t.mid(start, wordEnd - start)) > width)
                break;
            lineEnd = wordEnd;
            pos = wordEnd;
        }
        lines.push_back(slice(para, start, lineEnd));
        start = lineEnd;
        while (start < t.size() && t[start] == QLatin1Char(' '))
            ++start;
    }
    if (t.isEmpty())
        lines.push_back(para);
}

// Cuts a single line at a word so that it and "..." fit `width`.
Line ellipsize(const Line& line, int width, Widths& widths) {
    if (widths.of(line.text) <= width)
        return line;
    const QString& t = line.text;
    int cut = -1;
    for (int i = 1; i < t.size(); ++i) {
        if (t[i] == QLatin1Char(' ') && t[i - 1] != QLatin1Char(' ') && widths.of(t.left(i) + kEllipsis) <= width)
            cut = i;
    }
    if (cut < 0) {
        // Not even the first word fits: cut inside it.
        cut = static_cast<int>(t.size()) - 1;
        while (cut > 0 && widths.of(t.left(cut) + kEllipsis) > width)
            --cut;
    }
    Line out = slice(line, 0, cut);
    out.text += kEllipsis;
    return out;
}

} // namespace

int TextWidth(const QFont& font, const QString& text) {
    return Widths::forFont(font).of(text);
}

int DrawTextA(const DeviceContext& dc, const QString& text, int count, RECT& rect, uint32_t format) {
    Widths& widths = Widths::forFont(dc.font);
    const QFontMetrics& fm = widths.metrics();
    const QString used = count < 0 ? text : text.left(count);
    const bool single = format & DT_SINGLELINE;
    const int width = rect.Right - rect.Left;
    const int lineHeight = fm.height();

    std::vector<Line> lines;
    if (!used.isEmpty()) {
        QString flat = used;
        flat.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (single)
            flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
        for (const QString& para : flat.split(QLatin1Char('\n'))) {
            const Line stripped = stripPrefixes(para, !(format & DT_NOPREFIX));
            if (format & DT_WORDBREAK && !single)
                wrap(stripped, width, widths, lines);
            else
                lines.push_back(stripped);
        }
        if (format & (DT_WORD_ELLIPSIS | DT_END_ELLIPSIS))
            for (Line& l : lines)
                l = ellipsize(l, width, widths);
    } else if (single) {
        lines.push_back(Line());
    }

    const int textHeight = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, widths.of(l.text));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    int top = rect.Top;
    if (single && (format & DT_VCENTER))
        top = rect.Top + (rect.Bottom - rect.Top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        top = rect.Bottom - lineHeight;

    if (dc.surface && !lines.empty()) {
        QPainter p(dc.surface);
        p.setFont(dc.font);
        p.setPen(dc.textColor);
        if (!(format & DT_NOCLIP))
            p.setClipRect(rect.toQRect());
        int y = top;
        for (const Line& l : lines) {
            const int lw = widths.of(l.text);
            int x = rect.Left;
            if (format & DT_CENTER)
                x = rect.Left + (width - lw) / 2;
            else if (format & DT_RIGHT)
                x = rect.Right - lw;
            const int baseline = y + fm.ascent();
            p.drawText(QPoint(x, baseline), l.text);
            for (int m : l.marks) {
                const int from = x + widths.of(l.text.left(m));
                const int to = x + widths.of(l.text.left(m + 1));
                p.fillRect(QRect(from, baseline + fm.underlinePos(), to - from, std::max(1, fm.lineWidth())),
                           dc.textColor);
            }
            y += lineHeight;
        }
    }
    return (single && (format & (DT_VCENTER | DT_BOTTOM))) ? top - rect.Top + textHeight : textHeight;
}

} // namespace platform
