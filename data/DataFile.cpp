#include "data/DataFile.h"

#include "data/mGeneralFunctions.h"
#include "platform/ContentDigest.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QDir>

namespace DataFile {

namespace {

// The document last read from or written to data.xml, and the digest of the
// bytes that were on disk then. Reusing it spares a parse on most steps of
// an action; building with VELTRANE_NO_DOCUMENT_REUSE turns that off, so a
// benchmark can weigh what it buys.
struct Kept {
    ReadDocument doc;
    QString path;
    quint64 digest = 0;
};

Kept& kept() {
    static Kept k;
    return k;
}

void keep(ReadDocument doc, const QString& path, quint64 digest) {
#ifndef VELTRANE_NO_DOCUMENT_REUSE
    kept() = Kept{std::move(doc), path, digest};
#else
    (void)doc, (void)path, (void)digest;
#endif
}

EditDocument parse(QByteArray bytes, QString* error) {
    auto doc = std::make_unique<platform::XmlDocument>();
    if (!doc->loadXml(std::move(bytes))) {
        if (error)
            *error = doc->lastError();
        return nullptr;
    }
    return doc;
}

} // namespace

QString Path() {
    return QDir::toNativeSeparators(platform::ProgramFile(QStringLiteral("data.xml")));
}

void Fatal() {
    const QString text = QStringLiteral("Datebase File is missing or invalid. Please try installing the Applcation to "
                                        "solve this error issue.\r\n\r\nApplication can not work without Data file "
                                        "or with invalid Data File. Hence Application will terminate now.");
    const QString title = QStringLiteral("Data File is missing or invalid!");
    platform::ReportFailure(text + QStringLiteral("\r\n") + Path(), title);
    platform::MsgBox(text, platform::MsgStyle::Critical, title);
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(EXIT_FAILURE);
}

ReadDocument TryRead(QString* error) {
    const QString path = Path();
    // The file is compared a piece at a time: while it is unchanged, a large
    // one is never held whole beside the tree already built from it.
    const Kept& k = kept();
    quint64 digest = 0;
    if (k.doc && k.path == path && platform::ContentDigest::ofFile(path, digest) && digest == k.digest)
        return k.doc;
    // The document kept goes first, so two trees of a large file are not
    // held at once (a reader may still hold it).
    kept() = Kept();
    // The digest kept is that of the very bytes parsed, whatever the file
    // holds by now.
    QByteArray bytes;
    if (!platform::ReadWholeFile(path, bytes, error))
        return nullptr;
    digest = platform::ContentDigest::of(bytes);
    ReadDocument doc = parse(std::move(bytes), error);
    if (doc)
        keep(doc, path, digest);
    return doc;
}

ReadDocument Read() {
    ReadDocument doc = TryRead();
    if (!doc)
        Fatal();
    return doc;
}

EditDocument TryEdit() {
    // Always a tree of its own: the kept one may be in a reader's hands. It
    // goes now, not at the save, so two trees of a large file are not held at
    // once; the save keeps the changed one.
    kept() = Kept();
    QByteArray bytes;
    return platform::ReadWholeFile(Path(), bytes) ? parse(std::move(bytes), nullptr) : nullptr;
}

EditDocument Edit() {
    EditDocument doc = TryEdit();
    if (!doc)
        Fatal();
    return doc;
}

bool Save(EditDocument doc) {
    const QString path = Path();
    quint64 written = 0;
    if (doc->save(path, &written)) {
        keep(ReadDocument(std::move(doc)), path, written);
        return true;
    }
    platform::MsgBox(QStringLiteral("Your changes could not be written to the Data File:\r\n") + path +
                         QStringLiteral("\r\n") + doc->lastError() +
                         QStringLiteral("\r\n\r\nThe Data File was left as it was before this change."),
                     platform::MsgStyle::Critical, QStringLiteral("Data File could not be saved!"));
    return false;
}

bool CheckStorable(QStringView title, std::initializer_list<QStringView> values) {
    QString what;
    if (!platform::IsXmlText(title))
        what = QStringLiteral("The title");
    else
        for (QStringView value : values)
            if (!platform::IsXmlText(value))
                what = QStringLiteral("One of the fields");
    if (what.isEmpty())
        return true;
    platform::MsgBox(what + QStringLiteral(" holds a character that can not be stored in the Data File, such as a "
                                           "control character. Please remove it and try again."),
                     platform::MsgStyle::Information, QStringLiteral("Changes can not be saved!"));
    return false;
}

void RemoveStaleTemporaries() {
    platform::RemoveStaleTemporaries(Path());
}

platform::XmlNode RootOrDie(const platform::XmlDocument& doc) {
    platform::XmlNode root = doc.selectSingleNode(QStringLiteral(".//zandor"));
    if (!root)
        Fatal();
    return root;
}

} // namespace DataFile
