// The field cipher against the least there can be: the data key's schedule
// made once and copied for each field, the digits read and written through a
// table, RC4, and the bytes taken as text. Both run over the same 1,000
// fields, of 48 and of 2,000 characters. There is no target: the ratios say
// what the cipher's own steps cost.
#include "LeastCipher.h"
#include "PairedRun.h"
#include "data/cRC4.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

QStringList texts(int count, int length) {
    QStringList all;
    for (int i = 0; i < count; ++i) {
        QString text = QStringLiteral("A description of moderate length for record %1 ").arg(i);
        while (text.size() < length)
            text += text;
        all << text.left(length);
    }
    return all;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    static const paired::LeastCipher least;
    for (int length : {48, 2000}) {
        const paired::Size size = {length == 48 ? "48" : "2000", 0, 21};
        const QStringList clear = texts(1000, length);
        QStringList hex;
        std::vector<QByteArray> latin;
        for (const QString& t : clear) {
            hex << EncipherField(t);
            latin.push_back(hex.back().toLatin1());
        }
        // A floor counts only when it gives the same result.
        if (least.encipher(clear[0]) != hex[0] || least.decipher(latin[0].constData()) != clear[0]) {
            std::fprintf(stderr, "the least cipher differs from the field cipher\n");
            return 1;
        }
        paired::add(size, {"decipher 1,000 fields", "least decipher", paired::Goal(), [] {}, paired::timed([hex] {
                               for (const QString& h : hex)
                                   paired::keep(DecipherField(h).size());
                           }),
                           paired::timed([latin] {
                               for (const QByteArray& h : latin)
                                   paired::keep(least.decipher(h.constData()).size());
                           })});
        paired::add(size, {"encipher 1,000 fields", "least encipher", paired::Goal(), [] {}, paired::timed([clear] {
                               for (const QString& t : clear)
                                   paired::keep(EncipherField(t).size());
                           }),
                           paired::timed([clear] {
                               for (const QString& t : clear)
                                   paired::keep(least.encipher(t).size());
                           })});
    }
    return paired::run(argc, argv);
}
