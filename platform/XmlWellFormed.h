#pragma once

#include <QByteArray>
#include <QString>

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
    // Some element holds nothing but whitespace with a line break.
    bool layoutOnlyElement = false;
    int maxDepth = 0;
};

// Nesting deeper than this is refused: the organiser's own files use five
// levels, and a bound keeps every walk and the saved indentation small.
constexpr int kMaxXmlDepth = 256;

// Checks UTF-8 text (a byte-order mark already removed). The byte after the
// last one must be readable and zero, as a QByteArray guarantees.
XmlCheck CheckWellFormed(const char* begin, const char* end);

// The quick judgement of the common file: plain ASCII without control
// characters, references, comments, CDATA, processing instructions or a
// document type, holding nothing but whitespace around its markup outside the
// root. For such text the tree builder itself refuses every fault left but
// those JudgeTree looks for. True with the declaration's findings in *check
// (ok set); false when the text is not of that kind, which says nothing of
// whether it is well formed: CheckWellFormed decides then. Same conditions on
// the text as CheckWellFormed.
bool CheckPlain(const char* begin, const char* end, XmlCheck* check);

} // namespace platform
