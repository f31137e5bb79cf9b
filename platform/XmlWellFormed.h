#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace platform {

// What one pass over a document's bytes found. The pass judges everything the
// tree builder lets through: characters XML cannot hold, references, the
// declaration, markup in the wrong place, names, repeated attributes, nesting.
struct XmlCheck {
    bool ok = false;
    QString error;
    // The bytes stopped being UTF-8 at some point (error says where); the
    // caller may read them in the Windows code page instead.
    bool notUtf8 = false;
    // The encoding the declaration names, as written; empty when none.
    QByteArray declaredEncoding;
    // The elements (counted in document order from the root, 0) that hold
    // nothing but raw whitespace with a line break: a file's layout. Text
    // written with a reference is never layout.
    std::vector<int> layoutOnlyElements;
    // Some text holds whitespace written as a reference: the only way a
    // loaded text can be whitespace with a line feed that is not layout.
    bool spaceReference = false;
    int maxDepth = 0;
};

// Nesting deeper than this is refused: the organiser's own files use five
// levels, and a bound keeps every walk and the saved indentation small.
constexpr int kMaxXmlDepth = 256;

// Checks UTF-8 text (a byte-order mark already removed). The byte after the
// last one must be readable and zero, as a QByteArray guarantees.
XmlCheck CheckWellFormed(const char* begin, const char* end);

// The pass for the usual file, in far fewer steps: true when the bytes are
// well-formed provided the tree builder also accepts them (it checks that each
// end tag names its start tag), with what CheckWellFormed would have found.
// False means unsure (a comment, an instruction, a document type, CDATA, two
// attributes on one element, a name outside ASCII, another encoding, or a
// fault): CheckWellFormed then decides.
bool QuickCheckWellFormed(const char* begin, const char* end, XmlCheck* check);

// Where a file's text starts for the quick passes: past a UTF-8 byte-order
// mark. Null when the bytes look wide (UTF-16 or UTF-32), which only the full
// load reads.
const char* Utf8TextStart(const char* begin, const char* end);

// Where the elements directly under the root stand in the bytes judged, so
// one of them can be read without building the tree of all of them. Every
// view points into those bytes.
struct XmlOutline {
    QByteArrayView rootName;
    struct Element {
        QByteArrayView name;
        // The first attribute's value as written, references and all.
        QByteArrayView value;
        bool valued = false;
        // From its '<' to the '>' that ends it.
        QByteArrayView bytes;
    };
    std::vector<Element> children;
};

// The quick pass judging the whole of the same files: it also checks the
// names and attributes inside every tag and that each end tag names its start
// tag, so true means well-formed with nothing left to the tree builder. False
// means unsure, as above. outline may be null.
bool QuickCheckWhole(const char* begin, const char* end, XmlCheck* check, XmlOutline* outline);

} // namespace platform
