#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace platform {

// What one pass over a document's bytes found. The pass judges everything the
// tree builder lets through: characters XML cannot hold, references, the
// declaration, markup in the wrong place, names, repeated attributes, nesting.
// It refuses a document type, which the organiser never writes.
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

} // namespace platform
