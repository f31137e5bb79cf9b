#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

namespace platform {

class XmlDocument;

// A node of an XmlDocument, to read: a small handle, valid while its document
// lives and the node is in it. A null handle answers every question with
// nothing. Changes go through the document, so a document held const cannot
// be changed through its nodes.
class XmlNode {
public:
    XmlNode() = default;

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    bool operator==(const XmlNode& o) const { return m_node == o.m_node; }
    bool operator!=(const XmlNode& o) const { return m_node != o.m_node; }

    bool isElement() const;
    QString nodeName() const;
    // Whether nodeName() is this name, compared in place.
    bool nodeNameIs(const char* utf8) const;

    // Children in document order, counting text as well as elements, as the
    // document's child list does. Whitespace between elements is never a child,
    // nor is whitespace holding a line break that is an element's only text.
    int childCount() const;
    bool hasChildNodes() const;
    XmlNode child(int index) const; // 0-based; a null node past the end
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    XmlNode parentNode() const;

    int attributeCount() const;
    QString attributeName(int index) const;
    QString attributeText(int index) const; // empty past the end
    // The same in UTF-8, read in place (valid while the node is unchanged); a
    // null view past the end.
    QByteArrayView attributeInPlace(int index) const;

    // The text content of the node and everything under it.
    QString text() const;
    // The same text in UTF-8, read in place where the document holds it as one
    // piece (valid while the node is unchanged); false when it is spread over
    // several pieces, for text() to join.
    bool textInPlace(QByteArrayView& utf8) const;
    // The same for the first `count` children at once, as a walk over many
    // records reads their fields: how many children there were, up to count.
    // Where a child's text is not in one piece its view is null and *joined
    // is set, for text() to give it.
    int childTextsInPlace(QByteArrayView* utf8, int count, bool* joined) const;
    // Whether the first attribute's text is exactly this one (case-sensitive);
    // false when there is no attribute. Walks pass the UTF-8 form once.
    bool firstAttributeEquals(const QString& value) const;
    bool firstAttributeEquals(const QByteArray& utf8) const;

private:
    friend class XmlDocument;
    XmlNode(pugi::xml_node_struct* node, const XmlDocument* doc) : m_node(node), m_doc(doc) {}
    pugi::xml_node_struct* m_node = nullptr;
    const XmlDocument* m_doc = nullptr;
};

// An XML document loaded whole, changed in memory and saved whole. Loading is
// strict: anything that is not well-formed XML is refused.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // True for the bytes of a well-formed file, in any encoding ReadXmlText
    // reads; otherwise false, an empty document and lastError() saying why.
    bool loadXml(QByteArray bytes);
    // The whole tree as it is saved: UTF-8, indented.
    QByteArray xml() const;
    // Writes the whole tree through a temporary file and a rename; false (with
    // lastError()) when the file could not be written or a text holds a
    // character XML cannot hold, the old file left as it was. `digest`, when
    // given, receives the ContentDigest of the bytes written.
    bool save(const QString& path, quint64* digest = nullptr);

    QString lastError() const { return m_error; }

    XmlNode documentElement() const;
    // The first match of a location path; the organiser's own paths (".//name"
    // and ".//name/child") take a short road, anything else goes through XPath.
    XmlNode selectSingleNode(const QString& xpath) const;

    // The changes, each on a node of this document (any other is ignored).
    // A new element of this document, not in the tree until appended.
    XmlNode createElement(const QString& name);
    // Appends a node made by createElement (or moves one of this document) as
    // the parent's last child and returns it.
    XmlNode appendChild(XmlNode parent, XmlNode child);
    // Detaches a child and everything under it.
    bool removeChild(XmlNode parent, XmlNode child);
    // Replaces the content of the node with one text.
    void setText(XmlNode node, const QString& value);
    // Creates or replaces the attribute; a new one goes after the others, so an
    // element's first attribute is the first one set.
    void setAttribute(XmlNode element, const QString& name, const QString& value);

private:
    // Hands the saved text to take, a piece at a time.
    void write(const std::function<void(QByteArrayView)>& take) const;
    bool mine(const XmlNode& node) const { return node.m_node && node.m_doc == this; }
    void dropUnattached();
    unsigned saveFormat() const;
    std::unique_ptr<pugi::xml_document> m_doc;
    QByteArray m_buffer; // parsed in place, so it lives as long as the tree
    QString m_error;
    int m_depth = 0;             // the deepest nesting the file loaded held
    bool m_unwritable = false;   // a text was given that XML cannot hold
    bool m_lineFeedText = false; // a text may be whitespace holding a line feed
};

} // namespace platform
