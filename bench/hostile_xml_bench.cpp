// The strict load against a bare pugixml load of the same bytes, in the plain
// program beside this one. On hostile files each must cost time in
// proportion to the file, and a refusal no more than a load; on the
// organiser's own (indented) file, at each size, the strict load is a read
// and is held to a read's target.
#include "BenchData.h"
#include "Helper.h"
#include "PairedRun.h"
#include "platform/XmlDocument.h"
#include "platform/XmlWellFormed.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QByteArray manyAttributes(int n) {
    QByteArray x = "<zandor><notes><note";
    for (int i = 0; i < n; ++i)
        x += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    return x + "/></notes><passwords/></zandor>";
}

QByteArray commentsAfterTheRoot(int n) {
    QByteArray x = "<zandor><notes/><passwords/></zandor>\n";
    for (int i = 0; i < n; ++i)
        x += "<!-- comment " + QByteArray::number(i) + " -->\n";
    return x;
}

// Chains of elements nested as deep as depth, filling about size bytes.
QByteArray deepNesting(int depth, int size) {
    QByteArray x = "<zandor><notes/><passwords/>";
    while (x.size() < size) {
        for (int i = 1; i < depth; ++i)
            x += "<a>";
        for (int i = 1; i < depth; ++i)
            x += "</a>";
    }
    return x + "</zandor>";
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

// The file of one measure, written before its first pair.
QString fileFor(const std::string& what) {
    return folder().filePath(QString::fromStdString(what).replace(QLatin1Char(' '), QLatin1Char('_')) +
                             QStringLiteral(".xml"));
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

// The strict load of a file: its bytes read, then judged and built.
bool strictLoad(const QString& path, platform::XmlDocument& doc) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && doc.loadXml(f.readAll());
}

const paired::Size kHostile = {"-", 0, 21};

void addLoad(paired::Helper& floors, const paired::Size& size, const std::string& what, bool loads,
             std::function<QByteArray()> bytes, paired::Goal goal) {
    const QString path = fileFor(what + size.name);
    paired::add(size,
                {what, "bare load of the same bytes", goal, [] {}, paired::timed([path, loads] {
                     platform::XmlDocument doc;
                     if (strictLoad(path, doc) != loads) {
                         std::fprintf(stderr, "%s: %s\n", qPrintable(path), loads ? "refused" : "loaded");
                         std::abort();
                     }
                 }),
                 [&floors, path] {
                     return floors.time({QStringLiteral("load"), path});
                 }},
                [path, bytes] { write(path, bytes()); });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    paired::Helper floors(paired::besideThisProgram("plain_floors"), {});
    const paired::Goal none;

    addLoad(
        floors, kHostile, "100k attributes, one repeated (refused)", false,
        [] { return manyAttributes(100000).replace("a99999=", "a5="); }, none);
    addLoad(
        floors, kHostile, "100k attributes", true, [] { return manyAttributes(100000); }, none);
    addLoad(
        floors, kHostile, "100k comments after the root", true, [] { return commentsAfterTheRoot(100000); }, none);
    addLoad(
        floors, kHostile, "140 kB nested 20000 deep (refused)", false, [] { return deepNesting(20000, 140000); }, none);

    // As deep as a file may go, loaded and saved: the saved file must stay
    // near the loaded one's size, its indentation bounded by the depth.
    const QString nested = fileFor("nested at the limit");
    const QString saved = fileFor("nested at the limit, saved");
    paired::add(kHostile,
                {"140 kB nested at the limit, loaded and saved", "bare load + durable save", none,
                 [=] {
                     QFile::remove(saved + QStringLiteral(".in"));
                     QFile::copy(nested, saved + QStringLiteral(".in"));
                 },
                 paired::timed([=] {
                     platform::XmlDocument doc;
                     if (!strictLoad(nested, doc) || !doc.save(saved))
                         std::abort();
                 }),
                 [&floors, saved] {
                     return floors.time({QStringLiteral("save"), saved + QStringLiteral(".in")});
                 }},
                [=] {
                    const QByteArray bytes = deepNesting(platform::kMaxXmlDepth - 1, 140000);
                    write(nested, bytes);
                    platform::XmlDocument doc;
                    if (!doc.loadXml(bytes) || !doc.save(saved))
                        std::abort();
                    paired::record(kHostile, "140 kB nested at the limit, size saved", "size loaded", "kB",
                                   QFileInfo(saved).size() / 1024.0, bytes.size() / 1024.0, none);
                });

    for (const paired::Size& size : paired::sizes())
        addLoad(
            floors, size, "the organiser's own file (a read)", true,
            [years = size.years] { return paired::generate(years); }, paired::ratioAtMost(1.5));
    return paired::run(argc, argv);
}
