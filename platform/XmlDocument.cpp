#include "platform/XmlDocument.h"

#include "platform/ContentDigest.h"
#include "platform/FileIO.h"
#include "platform/Text.h"
#include "platform/XmlLoader.h"

#include <algorithm>
#include <cstring>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace platform {

namespace {

pugi::xml_node wrap(pugi::xml_node_struct* n) {
    return pugi::xml_node(n);
}

QString fromPugi(const pugi::char_t* s) {
    return FromUtf8Exactly(QByteArrayView(s));
}

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whitespace holding a line feed: how a hand-formatted file's layout reads
// once loaded (a raw line break reads as a line feed). A text of this
// program's is written so that it never reads back as that.
bool looksLikeLayout(const char* text) {
    bool lineFeed = false;
    for (const char* p = text; *p; ++p) {
        if (!isXmlSpace(*p))
            return false;
        lineFeed = lineFeed || *p == '\n';
    }
    return lineFeed;
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

void appendKeepingReturns(QByteArray& out, const char* data, size_t size, bool marked) {
    const char* end = data + size;
    if (!marked) {
        while (const char* cr = static_cast<const char*>(std::memchr(data, '\r', static_cast<size_t>(end - data)))) {
            out.append(data, cr - data).append("&#13;");
            data = cr + 1;
        }
        out.append(data, end - data);
        return;
    }
    for (const char* p = data; p != end; ++p) {
        if (*p == '\r' || *p == kMarkedLineFeed) {
            out.append(data, p - data).append(*p == '\r' ? "&#13;" : "&#10;");
            data = p + 1;
        }
    }
    out.append(data, end - data);
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
            if (n.type() == pugi::node_pcdata && looksLikeLayout(n.value()))
                mark(n, '\n', kMarkedLineFeed);
    }
    ~LineFeedsMarked() {
        for (pugi::xml_node n : m_marked)
            mark(n, kMarkedLineFeed, '\n');
    }
    LineFeedsMarked(const LineFeedsMarked&) = delete;
    LineFeedsMarked& operator=(const LineFeedsMarked&) = delete;
    bool any() const { return !m_marked.empty(); }

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

// Hands the saved text on in pieces of about 256 KB, so a large file is
// never held whole beside its tree.
struct PieceWriter : pugi::xml_writer {
    explicit PieceWriter(std::function<void(QByteArrayView)> to) : take(std::move(to)) {}
    void write(const void* data, size_t size) override {
        appendKeepingReturns(pending, static_cast<const char*>(data), size, marked);
        if (pending.size() >= 256 * 1024)
            flush();
    }
    void flush() {
        take(pending);
        pending.clear();
    }
    std::function<void(QByteArrayView)> take;
    QByteArray pending;
    bool marked = false;
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
    return FromUtf8Exactly(QByteArrayView(out.data(), static_cast<qsizetype>(out.size())));
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

// ---- XmlDocument ----

XmlDocument::XmlDocument() : m_doc(std::make_unique<pugi::xml_document>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::loadXml(QByteArray bytes) {
    m_doc->reset();
    m_buffer.clear();
    m_depth = 0;
    m_unwritable = false;
    m_lineFeedText = false;
    XmlText text = ReadXmlText(std::move(bytes));
    if (!text.check.ok) {
        m_error = text.check.error;
        return false;
    }
    m_buffer = std::move(text.utf8);
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result r = m_doc->load_buffer_inplace(
        m_buffer.data() + text.start, static_cast<size_t>(m_buffer.size() - text.start), options, pugi::encoding_utf8);
    if (!r) {
        // The strict pass judges everything the builder refuses; should the
        // two ever disagree, the file is still refused.
        m_error = QStringLiteral("%1 at byte %2").arg(QString::fromUtf8(r.description())).arg(r.offset);
        m_doc->reset();
        m_buffer.clear();
        return false;
    }
    // The whole-tree walk runs only when the pass saw something for it to drop.
    if (!text.check.layoutOnlyElements.empty())
        dropLayoutOnlyText(m_doc->document_element(), text.check.layoutOnlyElements);
    m_depth = text.check.maxDepth;
    // Raw whitespace with a line feed was dropped, above or between elements;
    // only whitespace written as a reference can leave such a text.
    m_lineFeedText = text.check.spaceReference;
    m_error.clear();
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

void XmlDocument::write(const std::function<void(QByteArrayView)>& take) const {
    const_cast<XmlDocument*>(this)->dropUnattached();
    PieceWriter w(take);
    LineFeedsMarked marked(m_doc->root(), m_lineFeedText);
    w.marked = marked.any();
    m_doc->save(w, "\t", saveFormat(), pugi::encoding_utf8);
    w.flush();
}

QByteArray XmlDocument::xml() const {
    QByteArray out;
    write([&](QByteArrayView piece) { out.append(piece); });
    return out;
}

bool XmlDocument::save(const QString& path, quint64* digest) {
    // Written anyway, such a text would make the file unreadable to every
    // strict reader, this program's own included.
    if (m_unwritable) {
        m_error = QStringLiteral("A text holds a character that XML files cannot hold");
        return false;
    }
    ContentDigest written;
    QString reason;
    const bool saved = FileWriter::current().replace(
        path,
        [&](const FileWriter::Put& put) {
            write([&](QByteArrayView piece) {
                written.add(piece);
                put(piece);
            });
        },
        &reason);
    if (!saved) {
        m_error = reason;
        return false;
    }
    if (digest)
        *digest = written.finish();
    m_error.clear();
    return true;
}

XmlNode XmlDocument::documentElement() const {
    // The first element child of the document is the root; createElement adds
    // its new elements after it.
    for (pugi::xml_node c = m_doc->first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return XmlNode(c.internal_object(), this);
    return XmlNode();
}

XmlNode XmlDocument::selectSingleNode(const QString& xpath) const {
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
                    return XmlNode(root.internal_object(), this);
                pugi::xml_node c = root.child(steps[1].toUtf8().constData());
                if (c)
                    return XmlNode(c.internal_object(), this);
            }
        }
    }
    try {
        pugi::xpath_node found = m_doc->select_node(xpath.toUtf8().constData());
        if (found.node())
            return XmlNode(found.node().internal_object(), this);
    } catch (const pugi::xpath_exception&) {
    }
    return XmlNode();
}

XmlNode XmlDocument::createElement(const QString& name) {
    pugi::xml_node n = m_doc->append_child(name.toUtf8().constData());
    return XmlNode(n.internal_object(), this);
}

XmlNode XmlDocument::appendChild(XmlNode parent, XmlNode child) {
    if (!mine(parent) || !mine(child))
        return XmlNode();
    pugi::xml_node moved = wrap(parent.m_node).append_move(wrap(child.m_node));
    return moved ? XmlNode(moved.internal_object(), this) : XmlNode();
}

bool XmlDocument::removeChild(XmlNode parent, XmlNode child) {
    return mine(parent) && mine(child) && wrap(parent.m_node).remove_child(wrap(child.m_node));
}

void XmlDocument::setText(XmlNode node, const QString& value) {
    if (!mine(node))
        return;
    m_unwritable = m_unwritable || !IsXmlText(value);
    const QByteArray utf8 = value.toUtf8();
    m_lineFeedText = m_lineFeedText || looksLikeLayout(utf8.constData());
    pugi::xml_node n = wrap(node.m_node);
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
        n.set_value(utf8.constData());
        return;
    }
    while (pugi::xml_node c = n.first_child())
        n.remove_child(c);
    if (!value.isEmpty())
        n.append_child(pugi::node_pcdata).set_value(utf8.constData());
}

void XmlDocument::setAttribute(XmlNode element, const QString& name, const QString& value) {
    if (!mine(element))
        return;
    m_unwritable = m_unwritable || !IsXmlText(value);
    const QByteArray key = name.toUtf8();
    pugi::xml_node n = wrap(element.m_node);
    pugi::xml_attribute a = n.attribute(key.constData());
    if (!a)
        a = n.append_attribute(key.constData());
    a.set_value(value.toUtf8().constData());
}

} // namespace platform
