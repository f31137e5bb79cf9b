#pragma once

#include "platform/XmlWellFormed.h"

#include <QByteArray>

namespace platform {

// The bytes of an XML file made ready for the tree builder: UTF-8 text that
// the strict pass judged well-formed, with what the pass found.
struct XmlText {
    QByteArray utf8;     // followed by its zero, as the builder parses it in place
    qsizetype start = 0; // where the text starts, past a byte-order mark
    XmlCheck check;      // check.ok false, with check.error, when the file is refused
};

// Settles a file's encoding and judges its text, in one place: a byte-order
// mark (UTF-8; UTF-16 either way round, decoded whole), UTF-16 without one,
// else the declaration (UTF-8, or the Windows code page with its subsets
// Latin-1 and ASCII), else UTF-8 when the bytes are UTF-8 and the Windows
// code page, in which files from Windows desktops were written, when not.
XmlText ReadXmlText(QByteArray bytes);

} // namespace platform
