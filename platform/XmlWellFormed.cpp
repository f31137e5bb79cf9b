#include "platform/XmlWellFormed.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace platform {

namespace {

// Character classes of the bytes, one table so every loop below is one load
// and one test per byte. The stop classes hold every byte a region must look
// at: its own delimiters, control characters (the zero after the text ends
// the loops too) and the lead bytes of longer characters.
enum : uint16_t {
    kTextStop = 1 << 0,
    kDqStop = 1 << 1,
    kSqStop = 1 << 2,
    kCommentStop = 1 << 3,
    kCdataStop = 1 << 4,
    kPiStop = 1 << 5,
    kName = 1 << 6,
    kNameStart = 1 << 7,
    kSpace = 1 << 8,
};

constexpr uint16_t kAllStops = kTextStop | kDqStop | kSqStop | kCommentStop | kCdataStop | kPiStop;

constexpr std::array<uint16_t, 256> makeTable() {
    std::array<uint16_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        uint16_t v = 0;
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c >= 0x80)
            v |= kAllStops;
        if (c == '<' || c == '&' || c == '>')
            v |= kTextStop;
        if (c == '<' || c == '&' || c == '"')
            v |= kDqStop;
        if (c == '<' || c == '&' || c == '\'')
            v |= kSqStop;
        if (c == '-')
            v |= kCommentStop;
        if (c == ']')
            v |= kCdataStop;
        if (c == '?')
            v |= kPiStop;
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || c == '_' || c == ':')
            v |= kNameStart | kName;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            v |= kName;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            v |= kSpace;
        t[c] = v;
    }
    return t;
}

constexpr std::array<uint16_t, 256> kClass = makeTable();

inline uint16_t cls(const char* p) {
    return kClass[static_cast<unsigned char>(*p)];
}

// Skips bytes until one of the class; four at a time, as the runs are long.
inline const char* skipUntil(const char* p, uint16_t stop) {
    for (;;) {
        if (cls(p) & stop)
            return p;
        if (cls(p + 1) & stop)
            return p + 1;
        if (cls(p + 2) & stop)
            return p + 2;
        if (cls(p + 3) & stop)
            return p + 3;
        p += 4;
    }
}

// Whitespace and names are short runs, where a byte at a time beats sixteen.
inline const char* skipSpace(const char* p) {
    while (cls(p) & kSpace)
        ++p;
    return p;
}

bool startsWith(const char* p, const char* end, std::string_view s) {
    return static_cast<size_t>(end - p) >= s.size() && std::memcmp(p, s.data(), s.size()) == 0;
}

bool isNameStart(char32_t c) {
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c) {
    return isNameStart(c) || c == 0xB7 || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// A character of two to four bytes at p (a lead byte); the byte after it, or
// null when the bytes are not UTF-8.
const char* decodeUtf8(const char* p, const char* end, char32_t* decoded) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    const unsigned c = u[0];
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
        return nullptr;
    }
    if (end - p <= extra)
        return nullptr;
    for (int i = 1; i <= extra; ++i) {
        if ((u[i] & 0xC0) != 0x80)
            return nullptr;
        cp = (cp << 6) | (u[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return nullptr;
    *decoded = cp;
    return p + extra + 1;
}

// A reference, p at '&'. Only the five predefined entities and characters
// XML can hold. *space is set to the character when it is whitespace. Null,
// with the reason, for any other.
const char* scanReference(const char* p, const char* end, char32_t* space, const char** why) {
    const char* q = p + 1;
    *space = 0;
    if (*q == '#') {
        ++q;
        const bool hex = *q == 'x';
        if (hex)
            ++q;
        const char* digits = q;
        char32_t value = 0;
        for (;; ++q) {
            int d;
            if (*q >= '0' && *q <= '9')
                d = *q - '0';
            else if (hex && *q >= 'a' && *q <= 'f')
                d = *q - 'a' + 10;
            else if (hex && *q >= 'A' && *q <= 'F')
                d = *q - 'A' + 10;
            else
                break;
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(d);
            if (value > 0x10FFFF)
                value = 0x110000; // stays out of range however many digits follow
        }
        if (q == digits || *q != ';') {
            *why = "Malformed character reference";
            return nullptr;
        }
        if (!isXmlChar(value)) {
            *why = "Reference to a character XML cannot hold";
            return nullptr;
        }
        if (value == ' ' || value == '\t' || value == '\n' || value == '\r')
            *space = value;
        return q + 1;
    }
    for (std::string_view known : {"amp;", "lt;", "gt;", "quot;", "apos;"})
        if (startsWith(q, end, known))
            return q + known.size();
    *why = "Undefined entity or bare '&'";
    return nullptr;
}

class Checker {
public:
    Checker(const char* begin, const char* end) : m_begin(begin), m_end(end) {}

    // The XML declaration, p just after "<?xml"; null when it is malformed.
    const char* declarationAt(const char* p, QByteArray* encoding) {
        const char* q = declaration(p);
        *encoding = m_result.declaredEncoding;
        return q;
    }

    XmlCheck run() {
        const char* p = m_begin;
        if (startsWith(p, m_end, "<?xml") && ((cls(p + 5) & kSpace) || startsWith(p + 5, m_end, "?>")))
            p = declaration(p + 5);
        m_result.ok = p && content(p) && (m_rootSeen || failed(m_end, "No root element")) &&
                      (m_depth == 0 || failed(m_end, "The root element is not closed"));
        return m_result;
    }

private:
    // skipUntil for the long runs: text, attribute values, comments. Sixteen
    // bytes at a time look for the three delimiters and for every byte below
    // a space or above ASCII; the table then judges the byte found, as a tab
    // or a line break is no stop.
    const char* skipRun(const char* p, uint16_t stop, char a, char b, char c) const {
#ifdef __SSE2__
        const __m128i low = _mm_set1_epi8(0x20);
        const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c);
        while (m_end - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(v, low), _mm_cmpeq_epi8(v, va)),
                                             _mm_or_si128(_mm_cmpeq_epi8(v, vb), _mm_cmpeq_epi8(v, vc)));
            const int mask = _mm_movemask_epi8(hit);
            if (mask == 0) {
                p += 16;
                continue;
            }
            p += __builtin_ctz(static_cast<unsigned>(mask));
            if (cls(p) & stop)
                return p;
            ++p;
        }
#else
        (void)a, (void)b, (void)c;
#endif
        return skipUntil(p, stop);
    }

    bool failed(const char* at, const char* what) {
        m_result.error = QStringLiteral("%1 at byte %2").arg(QLatin1String(what)).arg(at - m_begin);
        return false;
    }

    // Control characters, the end of the text and lead bytes of longer
    // characters: the bytes every stop class holds.
    static bool isOther(const char* p) {
        return (cls(p) & kAllStops) == kAllStops;
    }

    // A byte of a stop class that is no delimiter: a control character, the
    // end of the text, or the lead byte of a longer character, which is
    // decoded and judged. Returns the next byte, or null with the reason set.
    const char* other(const char* p, char32_t* decoded = nullptr) {
        if (static_cast<unsigned char>(*p) < 0x80) {
            failed(p, p >= m_end ? "Unexpected end of the file" : "Character that XML cannot hold");
            return nullptr;
        }
        char32_t cp = 0;
        const char* next = decodeUtf8(p, m_end, &cp);
        if (!next)
            return notUtf8(p);
        if (!isXmlChar(cp)) {
            failed(p, "Character that XML cannot hold");
            return nullptr;
        }
        if (decoded)
            *decoded = cp;
        return next;
    }

    const char* notUtf8(const char* p) {
        m_result.notUtf8 = true;
        failed(p, "Bytes that are not UTF-8");
        return nullptr;
    }

    // A name; null when there is none or it holds a character names cannot.
    const char* name(const char* p) {
        const char* start = p;
        if (cls(p) & kNameStart) {
            ++p;
        } else if (static_cast<unsigned char>(*p) < 0x80) {
            failed(p, "A name was expected");
            return nullptr;
        }
        for (;;) {
            while (cls(p) & kName)
                ++p;
            if (static_cast<unsigned char>(*p) < 0x80)
                return p;
            const bool first = p == start;
            char32_t cp = 0;
            const char* next = other(p, &cp);
            if (!next)
                return nullptr;
            if (!(first ? isNameStart(cp) : isNameChar(cp))) {
                failed(p, "A name holds a character names cannot hold");
                return nullptr;
            }
            p = next;
        }
    }

    // A reference, p at '&'. Only the five predefined entities and characters
    // XML can hold. *space is set to the character when it is whitespace.
    const char* reference(const char* p, char32_t* space) {
        const char* why = nullptr;
        const char* next = scanReference(p, m_end, space, &why);
        if (!next)
            failed(p, why);
        return next;
    }

    // Text and markup from p to the end of the file.
    bool content(const char* p) {
        for (;;) {
            // Whitespace first: it may be layout, which matters only while an
            // element holds nothing else.
            const char* ws = p;
            p = skipSpace(p);
            if (m_onlySpace && p != ws && (std::memchr(ws, '\n', p - ws) || std::memchr(ws, '\r', p - ws)))
                m_lineBreak = true;
            const char* textStart = ws;
            if (!(cls(p) & kTextStop)) {
                if (m_depth == 0)
                    return failed(p, "Text outside the root element");
                m_onlySpace = false;
                p = skipRun(p + 1, kTextStop, '<', '&', '>');
            }
            switch (*p) {
            case '<':
                if (!markup(p, &p))
                    return false;
                break;
            case '&': {
                if (m_depth == 0)
                    return failed(p, "Text outside the root element");
                char32_t space = 0;
                if (!(p = reference(p, &space)))
                    return false;
                if (space)
                    m_result.spaceReference = true;
                // Even whitespace written as a reference is text, not layout:
                // it is how a field made of line breaks is written.
                m_onlySpace = false;
                break;
            }
            case '>':
                if (m_depth == 0)
                    return failed(p, "Text outside the root element");
                if (p - textStart >= 2 && p[-1] == ']' && p[-2] == ']')
                    return failed(p - 2, "']]>' in text");
                m_onlySpace = false;
                ++p;
                break;
            default:
                if (p >= m_end)
                    return true;
                if (m_depth == 0)
                    return failed(p, "Text outside the root element");
                if (!(p = other(p)))
                    return false;
                m_onlySpace = false;
                break;
            }
        }
    }

    bool markup(const char* p, const char** next) {
        const char c = p[1];
        if (c == '/')
            return endTag(p, next);
        if (c == '!') {
            if (startsWith(p, m_end, "<!--"))
                return comment(p, next);
            if (startsWith(p, m_end, "<![CDATA[")) {
                if (m_depth == 0)
                    return failed(p, "Text outside the root element");
                m_onlySpace = false;
                return cdata(p, next);
            }
            if (startsWith(p, m_end, "<!DOCTYPE"))
                return doctype(p, next);
            return failed(p, "Unknown markup");
        }
        if (c == '?')
            return instruction(p, next);
        return startTag(p, next);
    }

    bool startTag(const char* p, const char** next) {
        if (m_rootSeen && m_depth == 0)
            return failed(p, "More than one root element");
        m_rootSeen = true;
        m_onlySpace = false; // the parent holds an element
        const int ordinal = m_elements++;
        if (++m_depth > kMaxXmlDepth)
            return failed(p, "Elements nested too deep");
        m_result.maxDepth = std::max(m_result.maxDepth, m_depth);
        const char* q = name(p + 1);
        if (!q)
            return false;
        m_attributes.clear();
        m_first = {};
        for (;;) {
            const char* gap = q;
            q = skipSpace(q);
            if (*q == '>') {
                m_onlySpace = true;
                m_lineBreak = false;
                m_open = ordinal;
                *next = q + 1;
                return m_attributes.empty() || repeatedAttribute(p);
            }
            if (*q == '/' && q[1] == '>') {
                --m_depth;
                *next = q + 2;
                return m_attributes.empty() || repeatedAttribute(p);
            }
            if (q == gap)
                return failed(q, "Malformed start tag");
            const char* attr = q;
            if (!(q = name(q)))
                return false;
            if (m_first.data() == nullptr) {
                m_first = std::string_view(attr, static_cast<size_t>(q - attr));
            } else {
                if (m_attributes.empty())
                    m_attributes.push_back(m_first);
                m_attributes.emplace_back(attr, static_cast<size_t>(q - attr));
            }
            q = skipSpace(q);
            if (*q != '=')
                return failed(q, "Malformed attribute");
            q = skipSpace(q + 1);
            const char quote = *q;
            if (quote != '"' && quote != '\'')
                return failed(q, "Malformed attribute");
            const uint16_t stop = quote == '"' ? kDqStop : kSqStop;
            ++q;
            for (;;) {
                q = skipRun(q, stop, '<', '&', quote);
                if (*q == quote) {
                    ++q;
                    break;
                }
                if (*q == '<')
                    return failed(q, "'<' in an attribute value");
                char32_t space;
                if (!(q = *q == '&' ? reference(q, &space) : other(q)))
                    return false;
            }
        }
    }

    // One element's attributes are few; a hostile one may hold very many, so
    // those are sorted rather than compared in pairs.
    bool repeatedAttribute(const char* tag) {
        const size_t n = m_attributes.size();
        if (n < 2)
            return true;
        if (n <= 8) {
            for (size_t i = 0; i < n; ++i)
                for (size_t j = i + 1; j < n; ++j)
                    if (m_attributes[i] == m_attributes[j])
                        return failed(tag, "Repeated attribute");
            return true;
        }
        std::sort(m_attributes.begin(), m_attributes.end());
        if (std::adjacent_find(m_attributes.begin(), m_attributes.end()) != m_attributes.end())
            return failed(tag, "Repeated attribute");
        return true;
    }

    bool endTag(const char* p, const char** next) {
        if (m_depth == 0)
            return failed(p, "End tag without a start tag");
        // The tree builder matches the name against the start tag's, which
        // was judged, and refuses anything but whitespace after it.
        const char* q = p + 2;
        for (;;) {
            q = skipRun(q, kTextStop, '>', '>', '>');
            if (*q == '>')
                break;
            if (static_cast<unsigned char>(*q) < 0x80)
                return failed(q, q >= m_end ? "Unexpected end of the file" : "Malformed end tag");
            if (!(q = other(q)))
                return false;
        }
        if (m_onlySpace && m_lineBreak)
            m_result.layoutOnlyElements.push_back(m_open);
        m_onlySpace = false;
        --m_depth;
        *next = q + 1;
        return true;
    }

    bool comment(const char* p, const char** next) {
        const char* q = p + 4;
        for (;;) {
            q = skipRun(q, kCommentStop, '-', '-', '-');
            if (*q == '-') {
                if (q[1] == '-') {
                    if (q[2] != '>')
                        return failed(q, "'--' in a comment");
                    *next = q + 3;
                    return true;
                }
                ++q;
            } else if (!(q = other(q))) {
                return false;
            }
        }
    }

    bool cdata(const char* p, const char** next) {
        const char* q = p + 9;
        for (;;) {
            q = skipRun(q, kCdataStop, ']', ']', ']');
            if (*q == ']') {
                if (q[1] == ']' && q[2] == '>') {
                    *next = q + 3;
                    return true;
                }
                ++q;
            } else if (!(q = other(q))) {
                return false;
            }
        }
    }

    bool instruction(const char* p, const char** next) {
        const char* target = p + 2;
        const char* q = name(target);
        if (!q)
            return false;
        if (q - target == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l')
            return failed(p, "XML declaration not at the start of the file");
        if (!(cls(q) & kSpace) && !(q[0] == '?' && q[1] == '>'))
            return failed(q, "Malformed processing instruction");
        for (;;) {
            q = skipRun(q, kPiStop, '?', '?', '?');
            if (*q == '?') {
                if (q[1] == '>') {
                    *next = q + 2;
                    return true;
                }
                ++q;
            } else if (!(q = other(q))) {
                return false;
            }
        }
    }

    // A document type stands once, before the root. Its internal subset is
    // passed over, quoted strings and comments included.
    bool doctype(const char* p, const char** next) {
        if (m_rootSeen)
            return failed(p, "Document type after the root element");
        if (m_doctypeSeen)
            return failed(p, "A second document type");
        m_doctypeSeen = true;
        const char* q = p + 9;
        if (!(cls(q) & kSpace))
            return failed(q, "Malformed document type");
        if (!(q = name(skipSpace(q))))
            return false;
        bool subset = false;
        for (;;) {
            const unsigned char c = static_cast<unsigned char>(*q);
            if (c == '"' || c == '\'') {
                const char* close = static_cast<const char*>(std::memchr(q + 1, c, m_end - q - 1));
                if (!close)
                    return failed(q, "Unexpected end of the file");
                for (const char* r = q + 1; r < close;)
                    if (isOther(r)) {
                        if (!(r = other(r)))
                            return false;
                    } else {
                        ++r;
                    }
                q = close + 1;
            } else if (subset && startsWith(q, m_end, "<!--")) {
                if (!comment(q, &q))
                    return false;
            } else if (c == '[' && !subset) {
                subset = true, ++q;
            } else if (c == ']' && subset) {
                subset = false, ++q;
            } else if (c == '>' && !subset) {
                *next = q + 1;
                return true;
            } else if (c < 0x20 && !(cls(q) & kSpace)) {
                return failed(q, q >= m_end ? "Unexpected end of the file" : "Character that XML cannot hold");
            } else if (c >= 0x80) {
                if (!(q = other(q)))
                    return false;
            } else {
                ++q;
            }
        }
    }

    // The declaration, p just after "<?xml": version, then optionally the
    // encoding and standalone, each once and in that order.
    const char* declaration(const char* p) {
        auto pseudo = [&](const char*& q, std::string_view key, QByteArray* value) {
            const char* r = skipSpace(q);
            if (r == q || !startsWith(r, m_end, key))
                return false;
            r = skipSpace(r + key.size());
            if (*r != '=')
                return false;
            r = skipSpace(r + 1);
            const char quote = *r;
            if (quote != '"' && quote != '\'')
                return false;
            const char* close = static_cast<const char*>(std::memchr(r + 1, quote, m_end - r - 1));
            if (!close)
                return false;
            *value = QByteArray(r + 1, static_cast<qsizetype>(close - r - 1));
            q = close + 1;
            return true;
        };
        const char* q = p;
        QByteArray version;
        if (!pseudo(q, "version", &version) || version.size() < 3 || !version.startsWith("1.")) {
            failed(p, "Malformed XML declaration");
            return nullptr;
        }
        for (char v : version.mid(2))
            if (v < '0' || v > '9') {
                failed(p, "Malformed XML declaration");
                return nullptr;
            }
        QByteArray encoding;
        if (pseudo(q, "encoding", &encoding)) {
            bool good = !encoding.isEmpty() && ((encoding[0] | 0x20) >= 'a' && (encoding[0] | 0x20) <= 'z');
            for (char e : encoding)
                good = good && (std::isalnum(static_cast<unsigned char>(e)) || e == '.' || e == '_' || e == '-');
            if (!good) {
                failed(p, "Malformed XML declaration");
                return nullptr;
            }
            m_result.declaredEncoding = encoding;
        }
        QByteArray standalone;
        if (pseudo(q, "standalone", &standalone) && standalone != "yes" && standalone != "no") {
            failed(p, "Malformed XML declaration");
            return nullptr;
        }
        q = skipSpace(q);
        if (!startsWith(q, m_end, "?>")) {
            failed(q, "Malformed XML declaration");
            return nullptr;
        }
        return q + 2;
    }

    const char* m_begin;
    const char* m_end;
    XmlCheck m_result;
    int m_depth = 0;
    bool m_rootSeen = false;
    bool m_doctypeSeen = false;
    // The innermost open element holds only whitespace so far, and of that
    // some line break.
    bool m_onlySpace = false;
    bool m_lineBreak = false;
    int m_elements = 0;                         // start tags so far
    int m_open = 0;                             // the innermost open element's number
    std::string_view m_first;                   // a start tag's first attribute
    std::vector<std::string_view> m_attributes; // all of them, once there are two
};

// ---- The quick pass ----

// One bit for each byte of a 64-byte block that the quick pass must look at:
// '<', '>', '&', both quotes, control characters other than tab and line
// breaks (the zero after the text among them) and bytes above ASCII. Every
// other byte is text or a name character, or whitespace. The table below
// finds them sixteen or thirty-two bytes a step.
using BlockMarks = void (*)(const char* p, size_t blocks, uint64_t* out);

#ifdef __x86_64__
__attribute__((target("avx2"))) void marksWide(const char* p, size_t blocks, uint64_t* out) {
    // Low and high nibble tables: a byte is marked when the entries of its two
    // nibbles share a bit. Bit 0: controls 0x00-0x08, 0x0B, 0x0C, 0x0E, 0x0F;
    // bit 1: 0x10-0x1F; bit 2: '"', '&', '\''; bit 3: '<', '>'.
    const __m256i lowTable = _mm256_setr_epi8(3, 3, 7, 3, 3, 3, 7, 7, 3, 2, 2, 3, 11, 2, 11, 3, //
                                              3, 3, 7, 3, 3, 3, 7, 7, 3, 2, 2, 3, 11, 2, 11, 3);
    const __m256i highTable = _mm256_setr_epi8(1, 2, 4, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, //
                                               1, 2, 4, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i zero = _mm256_setzero_si256();
    for (size_t b = 0; b < blocks; ++b, p += 64) {
        uint64_t m = 0;
        for (int half = 0; half < 2; ++half) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
            const __m256i lo = _mm256_shuffle_epi8(lowTable, _mm256_and_si256(v, nibble));
            const __m256i hi = _mm256_shuffle_epi8(highTable, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
            const uint32_t plain =
                static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(lo, hi), zero)));
            const uint32_t above = static_cast<uint32_t>(_mm256_movemask_epi8(v));
            m |= static_cast<uint64_t>(~plain | above) << (32 * half);
        }
        out[b] = m;
    }
}
#endif

void marksNarrow(const char* p, size_t blocks, uint64_t* out) {
    for (size_t b = 0; b < blocks; ++b, p += 64) {
        uint64_t m = 0;
#ifdef __SSE2__
        const __m128i low = _mm_set1_epi8(0x20), tab = _mm_set1_epi8('\t'), lf = _mm_set1_epi8('\n'),
                      cr = _mm_set1_epi8('\r'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>'),
                      amp = _mm_set1_epi8('&'), dq = _mm_set1_epi8('"'), sq = _mm_set1_epi8('\'');
        for (int q = 0; q < 4; ++q) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * q));
            const __m128i space =
                _mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
            const __m128i mark = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, gt)),
                _mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_or_si128(_mm_cmpeq_epi8(v, dq), _mm_cmpeq_epi8(v, sq))));
            const __m128i hit = _mm_or_si128(_mm_andnot_si128(space, _mm_cmplt_epi8(v, low)), mark);
            m |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(hit)) & 0xFFFF) << (16 * q);
        }
#else
        for (int i = 0; i < 64; ++i) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            const bool marked = c == '<' || c == '>' || c == '&' || c == '"' || c == '\'' || c >= 0x80 ||
                                (c < 0x20 && c != '\t' && c != '\n' && c != '\r');
            m |= static_cast<uint64_t>(marked) << i;
        }
#endif
        out[b] = m;
    }
}

BlockMarks blockMarks() {
#ifdef __x86_64__
    static const BlockMarks chosen = __builtin_cpu_supports("avx2") ? marksWide : marksNarrow;
    return chosen;
#else
    return marksNarrow;
#endif
}

// The pass most loads take. The organiser's own files hold no comments,
// instructions, document types or CDATA, elements of one attribute at most and
// names in ASCII; over such a file this pass judges what the tree builder lets
// through (characters, references, text outside the root, '<' in a value,
// nesting, layout) looking only at the marked bytes, and anything else leaves
// it unsure, for the full pass to decide. It leaves to the tree builder what
// the builder refuses itself: the syntax of names and attributes, and each end
// tag naming its start tag. So its verdict holds only together with the tree
// builder accepting the same bytes.
// Judging the whole is a mode of its own, so the usual load's pass carries
// none of its steps.
template <bool Whole> class QuickChecker {
public:
    QuickChecker(const char* begin, const char* end, XmlOutline* outline)
        : m_begin(begin), m_end(end), m_outline(outline) {}

    bool run(XmlCheck* out) {
        const char* p = m_begin;
        if (startsWith(p, m_end, "<?xml") && ((cls(p + 5) & kSpace) || startsWith(p + 5, m_end, "?>"))) {
            Checker full(m_begin, m_end);
            QByteArray encoding;
            p = full.declarationAt(p + 5, &encoding);
            const QByteArray name = encoding.toLower();
            if (!p || !(name.isEmpty() || name == "utf-8" || name == "utf8"))
                return false;
            m_result.declaredEncoding = encoding;
        }
        // Nothing but whitespace stands before the root element and after
        // its end tag, which closes the file.
        p = skipSpace(p);
        if (*p != '<' || !(cls(p + 1) & kNameStart))
            return false;
        const char* e = m_end;
        while (e > p && (cls(e - 1) & kSpace))
            --e;
        const char* q = e - 1;
        while (q > p && (cls(q - 1) & kSpace))
            --q;
        const char* nameEnd = q;
        while (q > p && (cls(q - 1) & kName))
            --q;
        if (e == p || e[-1] != '>' || q == nameEnd || q - p < 2 || q[-1] != '/' || q[-2] != '<')
            return false;
        m_tail = q - 2;
        if (!marked(p, m_tail + 1))
            return false;
        m_result.ok = true;
        *out = std::move(m_result);
        return true;
    }

private:
    // Marks the bytes from p to end in blocks, the last one read from a
    // padded copy, then walks the marks in order, from the root's start tag
    // to its end tag.
    bool marked(const char* p, const char* end) {
        const size_t length = static_cast<size_t>(end - p);
        const size_t whole = length / 64;
        std::unique_ptr<uint64_t[]> marks(new uint64_t[whole + 1]);
        blockMarks()(p, whole, marks.get());
        char last[64] = {};
        const size_t rest = length - 64 * whole;
        std::memcpy(last, p + 64 * whole, rest);
        blockMarks()(last, 1, marks.get() + whole);
        // The padding is no text, but its first byte stands for the byte after
        // the range, which none of the checks below takes: the walk needs no
        // other test for its end.
        marks[whole] &= (uint64_t{2} << rest) - 1;
        marks[whole] |= uint64_t{1} << rest;

        const uint64_t* block = marks.get();
        const char* base = p;
        uint64_t m = *block;
        auto next = [&]() -> const char* {
            while (m == 0) {
                m = *++block;
                base += 64;
            }
            const char* at = base + __builtin_ctzll(m);
            m &= m - 1;
            return at;
        };
        // A character of two or more bytes that XML can hold, at a mark; the
        // marks of its other bytes are passed.
        auto wide = [&](const char* at) {
            char32_t cp = 0;
            const char* after = decodeUtf8(at, m_end, &cp);
            if (!after || !isXmlChar(cp))
                return false;
            for (int more = static_cast<int>(after - at) - 1; more > 0; --more)
                next();
            return true;
        };
        auto reference = [&](const char* at, bool inText) {
            char32_t space = 0;
            const char* why = nullptr;
            if (!scanReference(at, m_end, &space, &why))
                return false;
            m_result.spaceReference |= space && inText;
            return true;
        };

        int depth = 0;
        int elements = 0;
        int maxDepth = 0;
        // The names of the open elements, for their end tags to match.
        QByteArrayView open[kMaxXmlDepth];
        // The '>' of the last start tag while only text has followed it, and
        // that element's number.
        const char* startEnd = nullptr;
        int openElement = 0;
        for (;;) {
            const char* at = next();
            const unsigned char c = static_cast<unsigned char>(*at);
            if (c == '<') {
                if (at[1] == '/') {
                    // An element that held nothing but whitespace with a line
                    // break holds only its file's layout.
                    if (startEnd) {
                        bool lineBreak = false;
                        const char* q = startEnd + 1;
                        for (; q < at && (cls(q) & kSpace); ++q)
                            lineBreak |= *q == '\n' || *q == '\r';
                        if (q == at && lineBreak)
                            m_result.layoutOnlyElements.push_back(openElement);
                        startEnd = nullptr;
                    }
                    const char* nameEnd = nullptr;
                    if constexpr (Whole) {
                        const QByteArrayView name = open[depth - 1];
                        nameEnd = at + 2 + name.size();
                        if (m_end - at - 2 < name.size() || std::memcmp(at + 2, name.data(), name.size()) != 0 ||
                            (cls(nameEnd) & kName))
                            return false;
                    }
                    // The root's end tag was judged with the file's end.
                    if (--depth == 0) {
                        m_result.maxDepth = maxDepth;
                        return at == m_tail;
                    }
                    const char* close = next();
                    if (*close != '>' || (Whole && skipSpace(nameEnd) != close))
                        return false;
                    if (Whole && m_outline && depth == 1)
                        m_outline->children.back().bytes = QByteArrayView(m_child, close + 1);
                    continue;
                }
                if (!(cls(at + 1) & kNameStart) || depth >= kMaxXmlDepth)
                    return false;
                startEnd = nullptr;
                const int ordinal = elements++;
                maxDepth = std::max(maxDepth, ++depth);
                const char* tag = at;
                // Where the bytes of the tag that no mark stands for begin:
                // a judge of the whole reads them, past the name first.
                const char* unmarked = at + 1;
                if constexpr (Whole) {
                    while (cls(unmarked) & kName)
                        ++unmarked;
                    open[depth - 1] = QByteArrayView(at + 1, unmarked);
                }
                // The tag's end, past one quoted value at most: a second is
                // left to the full pass, which looks for repeated names.
                bool valued = false;
                QByteArrayView value;
                for (;;) {
                    at = next();
                    const char d = *at;
                    if (d == '>')
                        break;
                    if ((d != '"' && d != '\'') || valued || (Whole && !attributeBefore(unmarked, at)))
                        return false;
                    valued = true;
                    const char* opened = at + 1;
                    for (;;) {
                        at = next();
                        const unsigned char e = static_cast<unsigned char>(*at);
                        if (e == static_cast<unsigned char>(d))
                            break;
                        if (e == '&' ? !reference(at, false)
                                     : e == '<' || (e < 0x80 && e != '>' && e != '"' && e != '\'') ||
                                           (e >= 0x80 && !wide(at)))
                            return false;
                    }
                    value = QByteArrayView(opened, at);
                    unmarked = at + 1;
                }
                if (Whole && !tagEndsAt(unmarked, at))
                    return false;
                if (Whole && m_outline && depth <= 2) {
                    if (depth == 1) {
                        m_outline->rootName = open[0];
                    } else {
                        m_child = tag;
                        m_outline->children.push_back({open[1], value, valued, QByteArrayView(tag, at + 1)});
                    }
                }
                if (at[-1] == '/') {
                    if (--depth == 0)
                        return false;
                } else {
                    startEnd = at;
                    openElement = ordinal;
                }
            } else if (c == '&') {
                if (!reference(at, true))
                    return false;
            } else if (c == '>') {
                if (at[-1] == ']')
                    return false;
            } else if (c != '"' && c != '\'' && (c < 0x80 || !wide(at))) {
                return false;
            }
        }
    }

    // Space, a name, an equals sign between optional space: what stands
    // between a tag's name and an attribute value's opening quote.
    static bool attributeBefore(const char* p, const char* quote) {
        if (!(cls(p) & kSpace))
            return false;
        p = skipSpace(p);
        if (!(cls(p) & kNameStart))
            return false;
        while (cls(++p) & kName) {
        }
        p = skipSpace(p);
        return *p == '=' && skipSpace(p + 1) == quote;
    }

    // Optional space and the slash of an empty element: what may stand
    // before a start tag's '>'.
    static bool tagEndsAt(const char* p, const char* close) {
        p = skipSpace(p);
        return p == close || (p + 1 == close && *p == '/');
    }

    const char* m_begin;
    const char* m_end;
    XmlOutline* const m_outline;
    const char* m_tail = nullptr;  // the root's end tag
    const char* m_child = nullptr; // the start tag of the root's child now open
    XmlCheck m_result;
};

} // namespace

bool QuickCheckWellFormed(const char* begin, const char* end, XmlCheck* check) {
    return QuickChecker<false>(begin, end, nullptr).run(check);
}

const char* Utf8TextStart(const char* begin, const char* end) {
    const auto* u = reinterpret_cast<const unsigned char*>(begin);
    if (end - begin >= 2 && (u[0] == 0xFF || u[0] == 0xFE || u[0] == 0 || u[1] == 0))
        return nullptr;
    return end - begin >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF ? begin + 3 : begin;
}

bool QuickCheckWhole(const char* begin, const char* end, XmlCheck* check, XmlOutline* outline) {
    if (outline)
        *outline = XmlOutline();
    if (QuickChecker<true>(begin, end, outline).run(check))
        return true;
    if (outline)
        *outline = XmlOutline();
    return false;
}

XmlCheck CheckWellFormed(const char* begin, const char* end) {
    return Checker(begin, end).run();
}

} // namespace platform
