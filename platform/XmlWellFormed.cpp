#include "platform/XmlWellFormed.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

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

// Whitespace and names are short runs, where a byte at a time does best.
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

    XmlCheck run() {
        const char* p = m_begin;
        if (startsWith(p, m_end, "<?xml") && ((cls(p + 5) & kSpace) || startsWith(p + 5, m_end, "?>")))
            p = declaration(p + 5);
        m_result.ok = p && content(p) && (m_rootSeen || failed(m_end, "No root element")) &&
                      (m_depth == 0 || failed(m_end, "The root element is not closed"));
        return m_result;
    }

private:
    bool failed(const char* at, const char* what) {
        m_result.error = QStringLiteral("%1 at byte %2").arg(QLatin1String(what)).arg(at - m_begin);
        return false;
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
                p = skipUntil(p + 1, kTextStop);
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
            // The organiser never writes a document type, and one would
            // bring declarations this program does not read: refused.
            if (startsWith(p, m_end, "<!DOCTYPE"))
                return failed(p, "A document type declaration");
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
                q = skipUntil(q, stop);
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
            q = skipUntil(q, kTextStop);
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
            q = skipUntil(q, kCommentStop);
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
            q = skipUntil(q, kCdataStop);
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
            q = skipUntil(q, kPiStop);
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
    // The innermost open element holds only whitespace so far, and of that
    // some line break.
    bool m_onlySpace = false;
    bool m_lineBreak = false;
    int m_elements = 0;                         // start tags so far
    int m_open = 0;                             // the innermost open element's number
    std::string_view m_first;                   // a start tag's first attribute
    std::vector<std::string_view> m_attributes; // all of them, once there are two
};

} // namespace

XmlCheck CheckWellFormed(const char* begin, const char* end) {
    return Checker(begin, end).run();
}

} // namespace platform
