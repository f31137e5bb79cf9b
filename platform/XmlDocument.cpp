#include "platform/XmlDocument.h"

#include "platform/LargeMemory.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/XmlWellFormed.h"

#include <QFileInfo>
#include <algorithm>
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

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whitespace holding a line break: raw, the layout of a hand-formatted file;
// a text of this program's is written so that it never reads as that.
bool looksLikeLayout(const char* text) {
    bool lineBreak = false;
    for (const char* p = text; *p; ++p) {
        if (!isXmlSpace(*p))
            return false;
        lineBreak = lineBreak || *p == '\n' || *p == '\r';
    }
    return lineBreak;
}

// The node after n in document order among root's descendants, or none. The
// walk keeps no stack of its own, so a deeply nested file cannot exhaust the
// program's.
pugi::xml_node nextInside(pugi::xml_node n, pugi::xml_node root) {
    if (pugi::xml_node c = n.first_child())
        return c;
    while (n && n != root && !n.next_sibling())
        n = n.parent();
    if (!n || n == root)
        return pugi::xml_node();
    return n.next_sibling();
}

// Drops the layout that stands as an element's only text, as the layout
// between elements is dropped, so an empty list reads as empty however the
// file was formatted. `layout` gives the elements, by number in document
// order, whose text was raw layout in the file (ascending).
void dropLayoutOnlyText(pugi::xml_node root, const std::vector<int>& layout) {
    pugi::xml_node n = root;
    int number = 0;
    auto next = layout.begin();
    for (; n && next != layout.end(); n = nextInside(n, root)) {
        if (n.type() == pugi::node_element && number++ == *next) {
            ++next;
            pugi::xml_node only = n.first_child();
            if (only && !only.next_sibling() && only.type() == pugi::node_pcdata && looksLikeLayout(only.value()))
                n.remove_child(only);
        }
    }
}

// Appends written text, with every carriage return as a reference: the
// library writes one in text as it stands, and every reader turns a raw one
// into a line feed. Attributes have theirs escaped already, and the only other
// place one could stand, a CDATA section, loses its own when it is read.
// A line feed marked by LineFeedsMarked goes out as a reference too.
constexpr char kMarkedLineFeed = '\xFF';

void appendKeepingReturns(std::string& out, const char* data, size_t size, bool marked) {
    const char* end = data + size;
    if (!marked) {
        while (const char* cr = static_cast<const char*>(std::memchr(data, '\r', static_cast<size_t>(end - data)))) {
            out.append(data, cr).append("&#13;");
            data = cr + 1;
        }
        out.append(data, end);
        return;
    }
    for (const char* p = data; p != end; ++p) {
        if (*p == '\r' || *p == kMarkedLineFeed) {
            out.append(data, p).append(*p == '\r' ? "&#13;" : "&#10;");
            data = p + 1;
        }
    }
    out.append(data, end);
}

// A text of nothing but whitespace with a line feed would be read back as the
// file's layout and dropped; its line feeds are written as references, which
// layout never holds. They are marked with a byte UTF-8 never holds, which
// the library writes as it stands, for the writer to turn into the
// reference, and put back after the save. The walk is skipped for a document
// that cannot hold such a text.
class LineFeedsMarked {
public:
    LineFeedsMarked(pugi::xml_node root, bool mayHold) {
        for (pugi::xml_node n = mayHold ? root : pugi::xml_node(); n; n = nextInside(n, root))
            if (n.type() == pugi::node_pcdata && needsMarking(n.value()))
                mark(n, '\n', kMarkedLineFeed);
    }
    ~LineFeedsMarked() {
        for (pugi::xml_node n : m_marked)
            mark(n, kMarkedLineFeed, '\n');
    }
    LineFeedsMarked(const LineFeedsMarked&) = delete;
    LineFeedsMarked& operator=(const LineFeedsMarked&) = delete;
    bool any() const { return !m_marked.empty(); }

    static bool needsMarking(const char* text) {
        bool lineFeed = false;
        for (const char* p = text; *p; ++p) {
            if (!isXmlSpace(*p))
                return false;
            lineFeed = lineFeed || *p == '\n';
        }
        return lineFeed;
    }

private:
    void mark(pugi::xml_node n, char from, char to) {
        std::string text(n.value());
        std::replace(text.begin(), text.end(), from, to);
        n.set_value(text.c_str());
        if (to == kMarkedLineFeed)
            m_marked.push_back(n);
    }
    std::vector<pugi::xml_node> m_marked;
};

struct StringWriter : pugi::xml_writer {
    std::string out;
    bool marked = false;
    void write(const void* data, size_t size) override {
        appendKeepingReturns(out, static_cast<const char*>(data), size, marked);
    }
};

} // namespace

// ---- XmlNode ----

bool XmlNode::isElement() const {
    return m_node && wrap(m_node).type() == pugi::node_element;
}

namespace {

// A node's name as the document model gives it: text, CDATA, comments and
// the document have names of their own.
const char* modelName(pugi::xml_node n) {
    switch (n.type()) {
    case pugi::node_pcdata:
        return "#text";
    case pugi::node_cdata:
        return "#cdata-section";
    case pugi::node_comment:
        return "#comment";
    case pugi::node_document:
        return "#document";
    default:
        return n.name();
    }
}

} // namespace

QString XmlNode::nodeName() const {
    return m_node ? fromPugi(modelName(wrap(m_node))) : QString();
}

bool XmlNode::nodeNameIs(const char* utf8) const {
    return std::strcmp(m_node ? modelName(wrap(m_node)) : "", utf8) == 0;
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

QByteArrayView XmlNode::attributeInPlace(int index) const {
    if (!m_node || index < 0)
        return QByteArrayView();
    pugi::xml_attribute a = attributeAt(wrap(m_node), index);
    return a ? QByteArrayView(a.value()) : QByteArrayView();
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
    // Written anyway, such a text would make the file unreadable to every
    // strict reader, this program's own included: the save refuses it.
    if (!IsXmlText(value) && m_doc)
        m_doc->m_unwritable = true;
    pugi::xml_attribute a = n.attribute(key.constData());
    if (!a)
        a = n.append_attribute(key.constData());
    a.set_value(val.constData());
}

// The text under n in document order.
static void appendText(pugi::xml_node n, std::string& out) {
    for (pugi::xml_node c = n.first_child(); c; c = nextInside(c, n))
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
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

static bool isText(pugi::xml_node n) {
    const pugi::xml_node_type type = n.type();
    return type == pugi::node_pcdata || type == pugi::node_cdata;
}

// A node's text where it is held in one piece, as text() gives it.
static bool textOf(pugi::xml_node n, QByteArrayView& utf8) {
    utf8 = QByteArrayView();
    if (!n)
        return true;
    // A text node has no children, so an element's test comes first.
    pugi::xml_node only = n.first_child();
    if (!only) {
        if (isText(n))
            utf8 = QByteArrayView(n.value());
        return true;
    }
    if (!only.next_sibling() && isText(only)) {
        utf8 = QByteArrayView(only.value());
        return true;
    }
    return false;
}

bool XmlNode::textInPlace(QByteArrayView& utf8) const {
    return textOf(wrap(m_node), utf8);
}

int XmlNode::childTextsInPlace(QByteArrayView* utf8, int count, bool* joined) const {
    *joined = false;
    int found = 0;
    pugi::xml_node c = m_node ? wrap(m_node).first_child() : pugi::xml_node();
    for (; c && found < count; c = c.next_sibling(), ++found)
        if (!textOf(c, utf8[found]))
            *joined = true;
    for (int i = found; i < count; ++i)
        utf8[i] = QByteArrayView();
    return found;
}

void XmlNode::setText(const QString& value) {
    if (!m_node)
        return;
    if (!IsXmlText(value) && m_doc)
        m_doc->m_unwritable = true;
    if (m_doc && !m_doc->m_lineFeedText && value.contains(QLatin1Char('\n')) &&
        LineFeedsMarked::needsMarking(value.toUtf8().constData()))
        m_doc->m_lineFeedText = true;
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

namespace {

// Every tree, the organiser's and any other in the program, takes its memory
// from the large pieces; set before any tree is built.
const bool kTreesInLargeMemory = [] {
    pugi::set_memory_management_functions(LargeAllocate, LargeFree);
    return true;
}();

} // namespace

XmlDocument::XmlDocument() : m_doc(std::make_unique<pugi::xml_document>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::load(const QString& path, quint64* digest) {
    m_doc->reset();
    m_buffer.clear();
    m_large = LargeBytes();
    m_depth = 0;
    m_unwritable = false;
    m_lineFeedText = false;
    m_error.clear();
    LargeBytes bytes;
    QString reason;
    if (!ReadWholeFile(path, bytes, &reason)) {
        m_error = reason;
        return false;
    }
    // Before the parse, which works in the bytes themselves.
    if (digest)
        *digest = ContentDigest::of(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const auto again = [&](QByteArray& raw) {
        if (!ReadWholeFile(path, raw, &reason))
            return false;
        if (digest)
            *digest = ContentDigest::of(raw);
        return true;
    };
    // The usual file is parsed where it was read; any other goes through the
    // steps that may convert it first.
    const size_t n = bytes.size();
    const char* text = Utf8TextStart(bytes.data(), bytes.data() + n);
    const size_t bom = text ? static_cast<size_t>(text - bytes.data()) : 0;
    XmlCheck check;
    // Left unsure, the bytes go to the full pass alone.
    if (!text || !QuickCheckWellFormed(text, bytes.data() + n, &check))
        return parse(QByteArray(bytes.data(), static_cast<qsizetype>(n)), nullptr);
    if (build(bytes.data() + bom, n - bom, check)) {
        m_large = std::move(bytes);
        return true;
    }
    // The parse consumed the bytes the full check needs to say where and why.
    QByteArray raw;
    return again(raw) && parse(std::move(raw), nullptr);
}

bool XmlDocument::loadXml(const QByteArray& xml) {
    m_doc->reset();
    m_buffer.clear();
    m_large = LargeBytes();
    return parse(xml, [&](QByteArray& again) {
        again = xml;
        return true;
    });
}

namespace {

enum class Charset { Utf8, Windows1252, Unknown };

// The declared encodings a file of this program may carry. Latin-1 and ASCII
// files written on Windows are in its code page, of which both are subsets.
Charset charsetNamed(const QByteArray& declared) {
    const QByteArray name = declared.toLower();
    if (name.isEmpty() || name == "utf-8" || name == "utf8")
        return Charset::Utf8;
    for (const char* known : {"windows-1252", "cp1252", "iso-8859-1", "iso8859-1", "latin1", "us-ascii", "ascii"})
        if (name == known)
            return Charset::Windows1252;
    return Charset::Unknown;
}

// A file in UTF-16 (a backup written elsewhere) as UTF-8, or false when it is
// not whole UTF-16.
bool wideToUtf8(const QByteArray& bytes, QByteArray* out) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    const bool big = (u[0] == 0xFE && u[1] == 0xFF) || (u[0] == 0 && u[1] == '<');
    const qsizetype skip = (u[0] == 0xFF || u[0] == 0xFE) ? 2 : 0;
    if ((bytes.size() - skip) % 2 != 0)
        return false;
    QString text(static_cast<qsizetype>((bytes.size() - skip) / 2), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = skip, k = 0; i < bytes.size(); i += 2, ++k)
        d[k] = big ? static_cast<char16_t>(u[i] << 8 | u[i + 1]) : static_cast<char16_t>(u[i + 1] << 8 | u[i]);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    *out = text.toUtf8();
    return true;
}

} // namespace

bool XmlDocument::parse(QByteArray bytes, const std::function<bool(QByteArray&)>& again) {
    m_error.clear();
    m_depth = 0;
    m_unwritable = false;
    m_lineFeedText = false;
    // The checks read up to the zero after the last byte, which only an owned
    // buffer is sure to hold; the file's own bytes are owned already.
    bytes.data();
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    const bool wide = n >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF) ||
                                 (u[0] == '<' && u[1] == 0) || (u[0] == 0 && u[1] == '<'));
    if (wide && !wideToUtf8(bytes, &bytes)) {
        m_error = QStringLiteral("The file is not whole UTF-16");
        return false;
    }
    const qsizetype bom = (!wide && n >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) ? 3 : 0;
    XmlCheck check;
    // The usual file is judged by the quick pass; whatever leaves it unsure,
    // and a fault the tree builder then finds, by the full one.
    const bool quick = again && QuickCheckWellFormed(bytes.constData() + bom, bytes.constData() + bytes.size(), &check);
    if (!quick)
        check = CheckWellFormed(bytes.constData() + bom, bytes.constData() + bytes.size());
    // A wide file was decoded whole above, whatever its declaration says.
    const Charset declared = wide ? Charset::Utf8 : charsetNamed(check.declaredEncoding);
    if (declared == Charset::Unknown) {
        m_error = QStringLiteral("Unsupported encoding '%1'").arg(QString::fromLatin1(check.declaredEncoding));
        return false;
    }
    // A file that says nothing of its encoding and is not UTF-8 comes from
    // a Windows desktop in its code page. A byte-order mark says UTF-8.
    const bool codePage =
        declared == Charset::Windows1252 || (check.notUtf8 && !bom && !wide && check.declaredEncoding.isEmpty());
    if (codePage && !bom) {
        bytes = FromWindows1252(bytes).toUtf8();
        check = CheckWellFormed(bytes.constData(), bytes.constData() + bytes.size());
    } else if (codePage) {
        m_error = QStringLiteral("A UTF-8 byte-order mark before another declared encoding");
        return false;
    }
    if (!check.ok) {
        m_error = check.error;
        return false;
    }
    m_buffer = std::move(bytes);
    const qsizetype start = codePage ? 0 : bom;
    if (build(m_buffer.data() + start, static_cast<size_t>(m_buffer.size() - start), check))
        return true;
    m_buffer.clear();
    // The parse consumed the bytes the full check needs to say where and why.
    QByteArray raw;
    if (quick && again(raw))
        return parse(std::move(raw), nullptr);
    return false;
}

bool XmlDocument::build(char* text, size_t size, const XmlCheck& check) {
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    pugi::xml_parse_result r = m_doc->load_buffer_inplace(text, size, options, pugi::encoding_utf8);
    if (!r) {
        m_error = QStringLiteral("%1 at byte %2").arg(QString::fromUtf8(r.description())).arg(r.offset);
        m_doc->reset();
        return false;
    }
    // The whole-tree walk runs only when the pass saw something for it to drop.
    if (!check.layoutOnlyElements.empty())
        dropLayoutOnlyText(m_doc->document_element(), check.layoutOnlyElements);
    m_depth = check.maxDepth;
    // Raw whitespace with a line feed was dropped, above or between elements;
    // only whitespace written as a reference can leave such a text.
    m_lineFeedText = check.spaceReference;
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

// Indented as the organiser's files are; a file nested deeper than any of
// them is written without indentation, which would otherwise grow with the
// square of the depth.
unsigned XmlDocument::saveFormat() const {
    return m_depth <= 16 ? pugi::format_default : pugi::format_raw;
}

QByteArray XmlDocument::xml() const {
    const_cast<XmlDocument*>(this)->dropUnattached();
    StringWriter w;
    {
        LineFeedsMarked marked(m_doc->root(), m_lineFeedText);
        w.marked = marked.any();
        m_doc->save(w, "\t", saveFormat(), pugi::encoding_utf8);
    }
    return QByteArray::fromStdString(w.out);
}

bool XmlDocument::save(const QString& path, FileId* written, quint64* digest) {
    if (m_unwritable) {
        m_error = QStringLiteral("A text holds a character that XML files cannot hold");
        return false;
    }
    dropUnattached();
    // Streams the text to the temporary file in large pieces instead of building
    // the whole file in memory first.
    constexpr size_t kChunk = 256 * 1024;
    struct FileWriter : pugi::xml_writer {
        AtomicFileWriter& file;
        std::string pending;
        bool marked = false;
        ContentDigest digest;
        explicit FileWriter(AtomicFileWriter& f) : file(f) { pending.reserve(kChunk + 4096); }
        void write(const void* data, size_t size) override {
            appendKeepingReturns(pending, static_cast<const char*>(data), size, marked);
            if (pending.size() >= kChunk)
                flush();
        }
        void flush() {
            file.write(pending.data(), pending.size());
            digest.add(pending.data(), pending.size());
            pending.clear();
        }
    };
    AtomicFileWriter file(path);
    FileWriter w(file);
    {
        LineFeedsMarked marked(m_doc->root(), m_lineFeedText);
        w.marked = marked.any();
        m_doc->save(w, "\t", saveFormat(), pugi::encoding_utf8);
    }
    w.flush();
    QString reason;
    if (!file.commit(&reason)) {
        m_error = reason;
        return false;
    }
    if (written)
        *written = file.written();
    if (digest)
        *digest = w.digest.finish();
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
