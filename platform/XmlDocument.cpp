#include "platform/XmlDocument.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <QFileInfo>
#include <cstring>
#include <pugixml.hpp>
#include <string>

namespace platform {

namespace {

pugi::xml_node wrap(pugi::xml_node_struct* n) {
    return pugi::xml_node(n);
}

QString fromPugi(const pugi::char_t* s) {
    return QString::fromUtf8(s);
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the reference starting at p (just after '&') is one XML defines.
bool validReference(const char* p, const char* end) {
    static const char* const named[] = {"amp;", "lt;", "gt;", "quot;", "apos;"};
    for (const char* name : named) {
        size_t len = std::strlen(name);
        if (static_cast<size_t>(end - p) >= len && std::memcmp(p, name, len) == 0)
            return true;
    }
    if (p < end && *p == '#') {
        ++p;
        bool hex = p < end && *p == 'x';
        if (hex)
            ++p;
        const char* digits = p;
        while (p < end && (hex ? isHex(*p) : (*p >= '0' && *p <= '9')))
            ++p;
        return p > digits && p < end && *p == ';';
    }
    return false;
}

const char* findSeq(const char* from, const char* end, const char* seq) {
    size_t len = std::strlen(seq);
    if (static_cast<size_t>(end - from) < len)
        return nullptr;
    const void* hit = memmem(from, static_cast<size_t>(end - from), seq, len);
    return static_cast<const char*>(hit);
}

// Every '&' outside comments, CDATA sections, processing instructions and the
// document type must start a reference XML defines. The parser would keep an
// unknown one as literal text; a strict reader refuses the file.
bool referencesAreDefined(const char* begin, const char* end, QString* error) {
    // The common file has no comment, CDATA or document type at all, so the
    // ampersands can be checked straight away.
    // '!' and '?' are rare in a data file, so looking for them is far cheaper
    // than looking at every '<'.
    auto follows = [&](char mark, int allowed) {
        int seen = 0;
        for (const char* q = begin; q < end;) {
            q = static_cast<const char*>(std::memchr(q, mark, static_cast<size_t>(end - q)));
            if (!q)
                return false;
            if (q > begin && q[-1] == '<' && ++seen > allowed)
                return true;
            ++q;
        }
        return false;
    };
    // One "<?" is the declaration only when it opens the file; any other
    // processing instruction may hold an ampersand as plain text.
    const char* start = begin;
    if (end - start >= 3 && std::memcmp(start, "\xEF\xBB\xBF", 3) == 0)
        start += 3;
    const bool declared = end - start >= 5 && std::memcmp(start, "<?xml", 5) == 0;
    const bool firstDecl = follows('!', 0);
    const bool otherPi = follows('?', declared ? 1 : 0);
    bool simple = !firstDecl && !otherPi;
    const char* p = begin;
    while (p < end) {
        if (simple) {
            const char* amp = static_cast<const char*>(std::memchr(p, '&', static_cast<size_t>(end - p)));
            if (!amp)
                return true;
            if (!validReference(amp + 1, end)) {
                *error = QStringLiteral("Undefined entity or bare '&' at byte %1").arg(amp - begin);
                return false;
            }
            p = amp + 1;
            continue;
        }
        char c = *p;
        if (c == '&') {
            if (!validReference(p + 1, end)) {
                *error = QStringLiteral("Undefined entity or bare '&' at byte %1").arg(p - begin);
                return false;
            }
            ++p;
        } else if (c == '<' && p + 1 < end && (p[1] == '!' || p[1] == '?')) {
            const char* close = nullptr;
            if (p[1] == '?') {
                close = findSeq(p + 2, end, "?>");
                p = close ? close + 2 : end;
            } else if (end - p >= 4 && std::memcmp(p, "<!--", 4) == 0) {
                close = findSeq(p + 4, end, "-->");
                p = close ? close + 3 : end;
            } else if (end - p >= 9 && std::memcmp(p, "<![CDATA[", 9) == 0) {
                close = findSeq(p + 9, end, "]]>");
                p = close ? close + 3 : end;
            } else {
                // A document type: skip it whole, internal subset included.
                int depth = 0;
                p += 2;
                while (p < end && !(*p == '>' && depth == 0)) {
                    if (*p == '[')
                        ++depth;
                    else if (*p == ']')
                        --depth;
                    ++p;
                }
                if (p < end)
                    ++p;
            }
        } else {
            ++p;
        }
    }
    return true;
}

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The parser quietly drops text before and after the root element; a strict
// reader refuses it. Before the root only a declaration, comments, processing
// instructions and a document type may stand, and after it only comments and
// processing instructions.
bool textOutsideRoot(const char* begin, const char* end) {
    const char* p = begin;
    if (end - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3;
    for (;;) {
        while (p < end && isXmlSpace(*p))
            ++p;
        if (p >= end || *p != '<')
            return true;
        if (end - p >= 4 && std::memcmp(p, "<!--", 4) == 0) {
            const char* c = findSeq(p + 4, end, "-->");
            if (!c)
                return true;
            p = c + 3;
        } else if (end - p >= 2 && p[1] == '?') {
            const char* c = findSeq(p + 2, end, "?>");
            if (!c)
                return true;
            p = c + 2;
        } else if (end - p >= 9 && std::memcmp(p, "<!DOCTYPE", 9) == 0) {
            int depth = 0;
            while (p < end && !(*p == '>' && depth == 0)) {
                if (*p == '[')
                    ++depth;
                else if (*p == ']')
                    --depth;
                ++p;
            }
            if (p >= end)
                return true;
            ++p;
        } else {
            break;
        }
    }
    const char* e = end;
    for (;;) {
        while (e > p && isXmlSpace(e[-1]))
            --e;
        if (e - p >= 3 && std::memcmp(e - 3, "-->", 3) == 0) {
            const char* open = nullptr;
            for (const char* q = begin; (q = findSeq(q, e - 3, "<!--")); q += 4)
                open = q;
            if (!open || open < p)
                return false; // the comment belongs to the root; the parser judges it
            e = open;
        } else if (e - p >= 2 && std::memcmp(e - 2, "?>", 2) == 0) {
            const char* open = nullptr;
            for (const char* q = begin; (q = findSeq(q, e - 2, "<?")); q += 2)
                open = q;
            if (!open || open < p)
                return false;
            e = open;
        } else {
            break;
        }
    }
    return e <= p || e[-1] != '>';
}

// Whitespace holding a line break: the layout of a hand-formatted file. A
// blank field is stored as typed in one line, so it is never this.
bool isLayout(const char* text) {
    bool lineBreak = false;
    for (const char* p = text; *p; ++p) {
        if (!isXmlSpace(*p))
            return false;
        lineBreak = lineBreak || *p == '\n' || *p == '\r';
    }
    return lineBreak;
}

// Whether the numeric reference at p (just after "&#") stands for a line
// break, which a text made only of layout may be written with.
bool isLineBreakReference(const char* p, const char* end) {
    const bool hex = p < end && (*p == 'x' || *p == 'X');
    if (hex)
        ++p;
    long value = 0;
    for (; p < end && *p != ';' && value <= 0x10FFFF; ++p) {
        int digit = -1;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (hex && *p >= 'a' && *p <= 'f')
            digit = *p - 'a' + 10;
        else if (hex && *p >= 'A' && *p <= 'F')
            digit = *p - 'A' + 10;
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + digit;
    }
    return value == '\n' || value == '\r';
}

// Whether some element may hold nothing but layout: text of whitespace with a
// line break. The parser keeps whitespace only where it is an element's only
// content, right before the element's end tag; so a line break counts only in
// a run of whitespace that ends at "</" and starts after a start tag, or
// after a comment or instruction, which are not kept. A reference beside the
// run, or one that is itself a line break, counts too. A file saved by the
// organiser has none of these, so its tidying walk is skipped.
bool mayHoldLayoutOnly(const char* begin, const char* end, char lineBreak) {
    for (const char* p = begin; p < end;) {
        const char* hit = static_cast<const char*>(std::memchr(p, lineBreak, static_cast<size_t>(end - p)));
        if (!hit)
            return false;
        const char* b = hit;
        while (b > begin && isXmlSpace(b[-1]))
            --b;
        const char* e = hit + 1;
        while (e < end && isXmlSpace(*e))
            ++e;
        p = e;
        if ((b > begin && b[-1] == ';') || (e < end && *e == '&'))
            return true;
        if (b == begin || b[-1] != '>' || end - e < 2 || e[0] != '<' || e[1] != '/')
            continue;
        const char* close = b - 1;
        if (close == begin)
            return true;
        const char before = close[-1];
        if (before == '-' || before == '?' || before == ']')
            return true; // a comment, instruction or CDATA section
        if (before == '/')
            continue; // an empty-element tag
        // A '<' never stands inside a tag, so the last one opens the tag that
        // '>' closes; a '>' in text makes the text more than layout anyway.
        const char* open = static_cast<const char*>(memrchr(begin, '<', static_cast<size_t>(close - begin)));
        if (!open || open[1] != '/')
            return true;
    }
    return false;
}

bool mayHoldLayoutOnly(const char* begin, const char* end) {
    if (mayHoldLayoutOnly(begin, end, '\n'))
        return true;
    if (std::memchr(begin, '\r', static_cast<size_t>(end - begin)) && mayHoldLayoutOnly(begin, end, '\r'))
        return true;
    for (const char* p = begin; p < end;) {
        const char* amp = static_cast<const char*>(std::memchr(p, '&', static_cast<size_t>(end - p)));
        if (!amp)
            return false;
        if (end - amp > 2 && amp[1] == '#' && isLineBreakReference(amp + 2, end))
            return true;
        p = amp + 1;
    }
    return false;
}

// Whether some tag may give an attribute twice. A tag holds no '<', so two of
// its attributes mean two '=' with no '<' between them; a '>' may stand
// between them, inside a value. The declaration is no element and is passed.
bool mayRepeatAttribute(const char* begin, const char* end) {
    const char* p = begin;
    if (end - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3;
    if (end - p >= 5 && std::memcmp(p, "<?xml", 5) == 0)
        if (const char* close = findSeq(p + 5, end, "?>"))
            p = close + 2;
    const char* eq = static_cast<const char*>(std::memchr(p, '=', static_cast<size_t>(end - p)));
    while (eq) {
        const char* next = static_cast<const char*>(std::memchr(eq + 1, '=', static_cast<size_t>(end - eq - 1)));
        if (!next)
            return false;
        if (!std::memchr(eq + 1, '<', static_cast<size_t>(next - eq - 1)))
            return true;
        eq = next;
    }
    return false;
}

// Drops the layout that stands as an element's only text, as the layout
// between elements is dropped, so an empty list reads as empty however the
// file was formatted; and finds an attribute given twice.
bool tidyAndFindRepeatedAttributes(pugi::xml_node root, QString* error) {
    pugi::xml_node n = root;
    while (n) {
        if (n.type() == pugi::node_element) {
            pugi::xml_node only = n.first_child();
            if (only && !only.next_sibling() && only.type() == pugi::node_pcdata && isLayout(only.value()))
                n.remove_child(only);
            pugi::xml_attribute first = n.first_attribute();
            if (first && first.next_attribute()) {
                for (pugi::xml_attribute a = first; a; a = a.next_attribute())
                    for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
                        if (std::strcmp(a.name(), b.name()) == 0) {
                            *error = QStringLiteral("Attribute '%1' repeated on element '%2'")
                                         .arg(fromPugi(a.name()), fromPugi(n.name()));
                            return true;
                        }
            }
        }
        // Depth-first walk without recursion, so deep files cannot exhaust the stack.
        if (pugi::xml_node c = n.first_child()) {
            n = c;
            continue;
        }
        while (n && n != root && !n.next_sibling())
            n = n.parent();
        if (!n || n == root)
            break;
        n = n.next_sibling();
    }
    return false;
}

// The writer leaves a CR in text as it is, and every reader turns a raw CR
// into LF; written as a reference it reads back as CR. Attribute values get
// references already, and text read from a file holds no raw CR, so every raw
// CR in the output belongs to text set since.
void appendKeepingCr(std::string& out, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    const char* end = p + size;
    while (const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))) {
        out.append(p, static_cast<size_t>(cr - p));
        out.append("&#13;");
        p = cr + 1;
    }
    out.append(p, static_cast<size_t>(end - p));
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    bool keepCr = false; // set when the tree is written out, not when a file is converted
    void write(const void* data, size_t size) override {
        if (keepCr)
            appendKeepingCr(out, data, size);
        else
            out.append(static_cast<const char*>(data), size);
    }
};

} // namespace

// ---- XmlNode ----

bool XmlNode::isElement() const {
    return m_node && wrap(m_node).type() == pugi::node_element;
}

QString XmlNode::nodeName() const {
    if (!m_node)
        return QString();
    pugi::xml_node n = wrap(m_node);
    switch (n.type()) {
    case pugi::node_element:
        return fromPugi(n.name());
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    case pugi::node_document:
        return QStringLiteral("#document");
    default:
        return fromPugi(n.name());
    }
}

int XmlNode::childCount() const {
    int count = 0;
    if (m_node)
        for (pugi::xml_node c = wrap(m_node).first_child(); c; c = c.next_sibling())
            ++count;
    return count;
}

bool XmlNode::hasChildNodes() const {
    return m_node && wrap(m_node).first_child();
}

XmlNode XmlNode::child(int index) const {
    if (!m_node || index < 0)
        return XmlNode();
    pugi::xml_node c = wrap(m_node).first_child();
    for (int i = 0; c && i < index; ++i)
        c = c.next_sibling();
    return c ? XmlNode(c.internal_object(), m_doc) : XmlNode();
}

XmlNode XmlNode::firstChild() const {
    if (!m_node)
        return XmlNode();
    pugi::xml_node c = wrap(m_node).first_child();
    return c ? XmlNode(c.internal_object(), m_doc) : XmlNode();
}

XmlNode XmlNode::nextSibling() const {
    if (!m_node)
        return XmlNode();
    pugi::xml_node c = wrap(m_node).next_sibling();
    return c ? XmlNode(c.internal_object(), m_doc) : XmlNode();
}

XmlNode XmlNode::parentNode() const {
    if (!m_node)
        return XmlNode();
    pugi::xml_node p = wrap(m_node).parent();
    return p ? XmlNode(p.internal_object(), m_doc) : XmlNode();
}

int XmlNode::attributeCount() const {
    int count = 0;
    if (m_node)
        for (pugi::xml_attribute a = wrap(m_node).first_attribute(); a; a = a.next_attribute())
            ++count;
    return count;
}

static pugi::xml_attribute attributeAt(pugi::xml_node n, int index) {
    pugi::xml_attribute a = n.first_attribute();
    for (int i = 0; a && i < index; ++i)
        a = a.next_attribute();
    return a;
}

QString XmlNode::attributeName(int index) const {
    if (!m_node || index < 0)
        return QString();
    pugi::xml_attribute a = attributeAt(wrap(m_node), index);
    return a ? fromPugi(a.name()) : QString();
}

QString XmlNode::attributeText(int index) const {
    if (!m_node || index < 0)
        return QString();
    pugi::xml_attribute a = attributeAt(wrap(m_node), index);
    return a ? fromPugi(a.value()) : QString();
}

bool XmlNode::firstAttributeEquals(const QString& value) const {
    return firstAttributeEquals(value.toUtf8());
}

bool XmlNode::firstAttributeEquals(const QByteArray& utf8) const {
    if (!m_node)
        return false;
    pugi::xml_attribute a = wrap(m_node).first_attribute();
    if (!a)
        return false;
    const char* v = a.value();
    size_t len = std::strlen(v);
    return len == static_cast<size_t>(utf8.size()) && std::memcmp(v, utf8.constData(), len) == 0;
}

void XmlNode::setAttribute(const QString& name, const QString& value) {
    if (!m_node)
        return;
    pugi::xml_node n = wrap(m_node);
    QByteArray key = name.toUtf8();
    QByteArray val = value.toUtf8();
    pugi::xml_attribute a = n.attribute(key.constData());
    if (!a)
        a = n.append_attribute(key.constData());
    a.set_value(val.constData());
}

// The text under n in document order. The walk keeps no stack of its own, so a
// deeply nested file cannot exhaust the program's.
static void appendText(pugi::xml_node n, std::string& out) {
    pugi::xml_node c = n.first_child();
    while (c) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            out += c.value();
        } else if (c.type() == pugi::node_element && c.first_child()) {
            c = c.first_child();
            continue;
        }
        while (c != n && !c.next_sibling())
            c = c.parent();
        if (c == n)
            break;
        c = c.next_sibling();
    }
}

QString XmlNode::text() const {
    if (!m_node)
        return QString();
    pugi::xml_node n = wrap(m_node);
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
        return fromPugi(n.value());
    pugi::xml_node only = n.first_child();
    if (!only)
        return QString();
    if (!only.next_sibling() && (only.type() == pugi::node_pcdata || only.type() == pugi::node_cdata))
        return fromPugi(only.value());
    std::string out;
    appendText(n, out);
    return QString::fromStdString(out);
}

void XmlNode::setText(const QString& value) {
    if (!m_node)
        return;
    pugi::xml_node n = wrap(m_node);
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
        n.set_value(value.toUtf8().constData());
        return;
    }
    while (pugi::xml_node c = n.first_child())
        n.remove_child(c);
    if (!value.isEmpty())
        n.append_child(pugi::node_pcdata).set_value(value.toUtf8().constData());
}

XmlNode XmlNode::appendChild(const XmlNode& node) {
    if (!m_node || !node.m_node || node.m_doc != m_doc)
        return XmlNode();
    pugi::xml_node moved = wrap(m_node).append_move(wrap(node.m_node));
    return moved ? XmlNode(moved.internal_object(), m_doc) : XmlNode();
}

bool XmlNode::removeChild(const XmlNode& node) {
    if (!m_node || !node.m_node)
        return false;
    return wrap(m_node).remove_child(wrap(node.m_node));
}

// ---- XmlDocument ----

XmlDocument::XmlDocument() : m_doc(std::make_unique<pugi::xml_document>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::load(const QString& path) {
    m_doc->reset();
    m_buffer.clear();
    QByteArray bytes;
    QString reason;
    if (!ReadWholeFile(path, bytes, &reason)) {
        m_error = reason;
        return false;
    }
    return parse(std::move(bytes));
}

bool XmlDocument::loadXml(const QByteArray& xml) {
    m_doc->reset();
    m_buffer.clear();
    return parse(xml);
}

bool XmlDocument::parse(QByteArray bytes) {
    m_error.clear();
    pugi::xml_encoding encoding = pugi::encoding_utf8;
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    bool wide = n >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF) ||
                           (u[0] == '<' && u[1] == 0) || (u[0] == 0 && u[1] == '<'));
    if (wide) {
        // Wide files are rare (a backup written elsewhere); convert them once so
        // the strict checks below see UTF-8 like every other file.
        pugi::xml_document probe;
        pugi::xml_parse_result r =
            probe.load_buffer(bytes.constData(), static_cast<size_t>(n), pugi::parse_full, pugi::encoding_auto);
        if (!r) {
            m_error = QString::fromUtf8(r.description());
            return false;
        }
        StringWriter w;
        probe.save(w, "", pugi::format_raw, pugi::encoding_utf8);
        bytes = QByteArray::fromStdString(w.out);
    } else {
        qsizetype skip = (n >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) ? 3 : 0;
        if (!IsValidUtf8(bytes.constData() + skip, n - skip)) {
            // An older file in the Windows code page.
            bytes = FromWindows1252(bytes).toUtf8();
        }
    }
    if (!referencesAreDefined(bytes.constData(), bytes.constData() + bytes.size(), &m_error))
        return false;

    if (textOutsideRoot(bytes.constData(), bytes.constData() + bytes.size())) {
        m_error = QStringLiteral("Text outside the root element");
        return false;
    }

    // The tidying walk goes node by node through the library's calls and costs
    // more than the parse itself; it runs only where the text shows it may
    // find something.
    const char* text = bytes.constData();
    const bool mayNeedTidying =
        mayHoldLayoutOnly(text, text + bytes.size()) || mayRepeatAttribute(text, text + bytes.size());
    m_buffer = std::move(bytes);
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    pugi::xml_parse_result r =
        m_doc->load_buffer_inplace(m_buffer.data(), static_cast<size_t>(m_buffer.size()), options, encoding);
    if (!r) {
        m_error = QStringLiteral("%1 at byte %2").arg(QString::fromUtf8(r.description())).arg(r.offset);
        m_doc->reset();
        m_buffer.clear();
        return false;
    }
    // Exactly one root element and no text beside it.
    int roots = 0;
    for (pugi::xml_node c = m_doc->first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            ++roots;
        else if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            m_error = QStringLiteral("Text outside the root element");
            roots = -100;
            break;
        }
    }
    if (roots != 1) {
        if (roots >= 0)
            m_error = roots == 0 ? QStringLiteral("No root element") : QStringLiteral("More than one root element");
        m_doc->reset();
        m_buffer.clear();
        return false;
    }
    if (mayNeedTidying && tidyAndFindRepeatedAttributes(m_doc->document_element(), &m_error)) {
        m_doc->reset();
        m_buffer.clear();
        return false;
    }
    return true;
}

void XmlDocument::dropUnattached() {
    // Elements made by createElement wait beside the root until they are
    // appended; those never appended are not part of the document.
    pugi::xml_node root = m_doc->document_element();
    for (pugi::xml_node c = m_doc->first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (c.type() == pugi::node_element && c != root)
            m_doc->remove_child(c);
        c = next;
    }
}

QByteArray XmlDocument::xml() const {
    const_cast<XmlDocument*>(this)->dropUnattached();
    StringWriter w;
    w.keepCr = true;
    m_doc->save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    return QByteArray::fromStdString(w.out);
}

bool XmlDocument::save(const QString& path) {
    dropUnattached();
    // Streams the text to the temporary file in large pieces instead of building
    // the whole file in memory first.
    constexpr size_t kChunk = 256 * 1024;
    struct FileWriter : pugi::xml_writer {
        AtomicFileWriter& file;
        std::string pending;
        explicit FileWriter(AtomicFileWriter& f) : file(f) { pending.reserve(kChunk + 4096); }
        void write(const void* data, size_t size) override {
            appendKeepingCr(pending, data, size);
            if (pending.size() >= kChunk) {
                file.write(pending.data(), pending.size());
                pending.clear();
            }
        }
    };
    AtomicFileWriter file(path);
    FileWriter w(file);
    m_doc->save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    file.write(w.pending.data(), w.pending.size());
    QString reason;
    if (!file.commit(&reason)) {
        m_error = reason;
        return false;
    }
    m_error.clear();
    return true;
}

XmlNode XmlDocument::documentElement() const {
    // The first element child of the document is the root; createElement adds
    // its new elements after it.
    for (pugi::xml_node c = m_doc->first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return XmlNode(c.internal_object(), const_cast<XmlDocument*>(this));
    return XmlNode();
}

XmlNode XmlDocument::selectSingleNode(const QString& xpath) const {
    auto* self = const_cast<XmlDocument*>(this);
    // ".//a" and ".//a/b": the first match in document order is the root itself,
    // or its first child b, whenever the root is named a.
    if (xpath.startsWith(QLatin1String(".//"))) {
        QStringList steps = xpath.mid(3).split(QLatin1Char('/'));
        bool plain = !steps.isEmpty() && steps.size() <= 2;
        for (const QString& s : steps)
            if (s.isEmpty() || s.contains(QLatin1Char('[')) || s.contains(QLatin1Char(':')) ||
                s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('@')) || s.contains(QLatin1Char('.')))
                plain = false;
        if (plain) {
            pugi::xml_node root = wrap(documentElement().m_node);
            if (root && fromPugi(root.name()) == steps[0]) {
                if (steps.size() == 1)
                    return XmlNode(root.internal_object(), self);
                pugi::xml_node c = root.child(steps[1].toUtf8().constData());
                if (c)
                    return XmlNode(c.internal_object(), self);
            }
        }
    }
    try {
        pugi::xpath_node found = m_doc->select_node(xpath.toUtf8().constData());
        if (found.node())
            return XmlNode(found.node().internal_object(), self);
    } catch (const pugi::xpath_exception&) {
    }
    return XmlNode();
}

XmlNode XmlDocument::createElement(const QString& name) {
    pugi::xml_node n = m_doc->append_child(name.toUtf8().constData());
    return XmlNode(n.internal_object(), this);
}

} // namespace platform
