// The strict load on hostile files: each must cost linear time and bounded
// memory. And the strict load beside a bare pugixml load of the organiser's
// own (indented) file, which it should cost little more than.
#include "PairedBench.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"
#include "platform/XmlDocument.h"
#include "platform/XmlWellFormed.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <pugixml.hpp>
#include <vector>

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

void loadEach(benchmark::State& state, const QByteArray& xml, bool expectLoads) {
    for (auto _ : state) {
        platform::XmlDocument doc;
        if (doc.loadXml(xml) != expectLoads)
            state.SkipWithError("unexpected result");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * xml.size());
}

void BM_Hostile_100kAttributesRefused(benchmark::State& state) {
    QByteArray xml = manyAttributes(100000);
    xml.replace("a99999=", "a5=");
    loadEach(state, xml, false);
}
BENCHMARK(BM_Hostile_100kAttributesRefused)->Unit(benchmark::kMillisecond);

void BM_Hostile_100kAttributesLoad(benchmark::State& state) {
    loadEach(state, manyAttributes(100000), true);
}
BENCHMARK(BM_Hostile_100kAttributesLoad)->Unit(benchmark::kMillisecond);

void BM_Hostile_100kCommentsAfterTheRoot(benchmark::State& state) {
    loadEach(state, commentsAfterTheRoot(100000), true);
}
BENCHMARK(BM_Hostile_100kCommentsAfterTheRoot)->Unit(benchmark::kMillisecond);

void BM_Hostile_140kBNested20000DeepRefused(benchmark::State& state) {
    loadEach(state, deepNesting(20000, 140000), false);
}
BENCHMARK(BM_Hostile_140kBNested20000DeepRefused)->Unit(benchmark::kMillisecond);

// 140 kB of chains as deep as a file may go, loaded and saved; the counter
// gives the saved size against the loaded one.
void BM_Hostile_140kBNestedAtTheLimitLoadAndSave(benchmark::State& state) {
    const QByteArray xml = deepNesting(platform::kMaxXmlDepth - 1, 140000);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    qint64 saved = 0;
    for (auto _ : state) {
        platform::XmlDocument doc;
        if (!doc.loadXml(xml) || !doc.save(path))
            state.SkipWithError("did not load and save");
        saved = QFileInfo(path).size();
    }
    state.counters["loaded_bytes"] = static_cast<double>(xml.size());
    state.counters["saved_bytes"] = static_cast<double>(saved);
}
BENCHMARK(BM_Hostile_140kBNestedAtTheLimitLoadAndSave)->Unit(benchmark::kMillisecond);

// The organiser's own file as it writes it, from the generated records.
const QByteArray& ownFile() {
    static const QByteArray bytes = [] {
        platform::XmlDocument doc;
        doc.loadXml(paired::generate(10));
        return doc.xml();
    }();
    return bytes;
}

// Strict load and bare load back to back in each iteration, so the ratio is
// not swayed by what else the machine does between the two.
void BM_OwnFile_StrictOverBareLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    platform::WriteWholeFile(path, ownFile());
    const std::string bare = path.toStdString();
    std::vector<double> ratios;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        {
            platform::XmlDocument doc;
            QByteArray bytes;
            if (!platform::ReadWholeFile(path, bytes) || !doc.loadXml(std::move(bytes)))
                state.SkipWithError("own file refused");
        }
        auto t1 = std::chrono::steady_clock::now();
        {
            pugi::xml_document floor;
            floor.load_file(bare.c_str());
        }
        auto t2 = std::chrono::steady_clock::now();
        ratios.push_back(std::chrono::duration<double>(t1 - t0).count() /
                         std::chrono::duration<double>(t2 - t1).count());
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["median_ratio"] = ratios[ratios.size() / 2];
    state.counters["worst_ratio"] = ratios.back();
    state.counters["file_bytes"] = static_cast<double>(ownFile().size());
}
BENCHMARK(BM_OwnFile_StrictOverBareLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
