#pragma once

// What every speed benchmark shares. Each measure is a ratio taken inside one
// iteration: the operation and its floor run back to back, in alternating
// order, so a busy machine slows both alike; the median and the worst of those
// ratios are reported. The data file is generated for 1, 10 and 100 years of
// use and saved once the way the organiser saves it, indented, before any
// measure. At the end the table of every measure, floor and target is printed.
#include "data/cRC4.h"
#include "platform/XmlDocument.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace paired {

// A year of use: 1,000 tasks and 200 meetings over 200 days, 100 notes and
// 100 password entries.
struct Size {
    const char* name;
    int years;
    int pairs; // ratios taken at this size
};
inline const std::vector<Size>& sizes() {
    static const std::vector<Size> all = [] {
        std::vector<Size> s = {{"1x", 1, 21}, {"10x", 10, 21}, {"100x", 100, 3}};
        // VELTRANE_BENCH_SIZES=1,10 keeps only those.
        const QByteArray only = qgetenv("VELTRANE_BENCH_SIZES");
        if (!only.isEmpty()) {
            std::vector<Size> kept;
            for (const QByteArray& y : only.split(','))
                for (const Size& z : s)
                    if (z.years == y.toInt())
                        kept.push_back(z);
            s = kept;
        }
        return s;
    }();
    return all;
}

inline constexpr int kDaysPerYear = 200;
inline constexpr int kTasksPerDay = 5;

inline QString dayKey(int year, int day) {
    return QDate(2000, 1, 1).addDays(year * 365 + day * 365 / kDaysPerYear).toString(QStringLiteral("dd-MM-yyyy"));
}
// A day, a note and a password entry in the middle of the file.
inline QString middleDay(int years) {
    return dayKey(years / 2, kDaysPerYear / 2);
}
inline QString middleNote(int years) {
    return QStringLiteral("Note %1").arg(years * 50);
}
inline QString middlePassword(int years) {
    return QStringLiteral("Site %1").arg(years * 50);
}

// The data file as the organiser leaves it after a save.
inline QByteArray generate(int years) {
    const QString desc = EncipherField(QStringLiteral("A description of moderate length for the record, as typed"));
    QString x = QStringLiteral("<?xml version=\"1.0\"?>\n<zandor><notes>");
    for (int i = 0; i < years * 100; ++i)
        x += QStringLiteral("<note title=\"Note %1\"><date>05/07/2006</date><time>02:30:00 PM</time>"
                            "<lastedit>05/07/2006; 02:30:00 PM</lastedit><text>%2</text></note>")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</notes><passwords>");
    for (int i = 0; i < years * 100; ++i)
        x += QStringLiteral("<password title=\"Site %1\"><uname>%2</uname><pwd>%2</pwd><url>www.example.com</url>"
                            "<anote>%2</anote></password>")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</passwords>");
    for (int y = 0; y < years; ++y)
        for (int d = 0; d < kDaysPerYear; ++d) {
            x += QStringLiteral("<date d=\"%1\"><tasks>").arg(dayKey(y, d));
            for (int t = 0; t < kTasksPerDay; ++t)
                x += QStringLiteral("<task title=\"Task %1\"><priority>%2</priority><status>%3</status>"
                                    "<desc>%4</desc><remarks></remarks></task>")
                         .arg(t)
                         .arg((y + d + t) % 4)
                         .arg((d + t) % 5)
                         .arg(desc);
            x += QStringLiteral("</tasks><meetings><meeting title=\"Meeting 1\"><priority>2</priority><m_for>1</m_for>"
                                "<s_time>10:00:00 AM</s_time><e_time>11:00:00 AM</e_time><desc>%1</desc></meeting>"
                                "</meetings></date>")
                     .arg(desc);
        }
    x += QStringLiteral("</zandor>\n");
    platform::XmlDocument doc;
    if (!doc.loadXml(x.toUtf8()))
        std::abort();
    return doc.xml();
}

// Writes the file as another program would: a new file renamed over the old,
// so the organiser sees a changed file and reads it afresh.
inline void putFile(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".bench");
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
    f.close();
    std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData());
}

// ---- Floors: pugixml alone, with the flushes a durable save needs ----

inline bool durableSave(const pugi::xml_document& doc, const std::string& path) {
    const std::string temp = path + ".floor";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct Writer : pugi::xml_writer {
        int fd;
        std::string pending;
        void flush() {
            const char* p = pending.data();
            size_t left = pending.size();
            while (left > 0) {
                const ssize_t n = ::write(fd, p, left);
                if (n <= 0)
                    break;
                p += n;
                left -= static_cast<size_t>(n);
            }
            pending.clear();
        }
        void write(const void* data, size_t size) override {
            pending.append(static_cast<const char*>(data), size);
            if (pending.size() >= 256 * 1024)
                flush();
        }
    } w;
    w.fd = fd;
    doc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
    w.flush();
    ::fsync(fd);
    ::close(fd);
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        return false;
    const std::string folder = path.substr(0, path.rfind('/'));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

// A store write's floor: one bare load and one durable save.
inline void floorLoadAndSave(const std::string& path) {
    pugi::xml_document doc;
    doc.load_file(path.c_str());
    durableSave(doc, path);
}

// A read's floor: one bare load.
inline void floorLoad(const std::string& path) {
    pugi::xml_document doc;
    benchmark::DoNotOptimize(doc.load_file(path.c_str()));
}

// ---- The least decipher there can be: the data key's schedule once, its
// state copied for each field, the digits decoded through a table ----

class LeastDecipher {
public:
    LeastDecipher() {
        const QByteArray key = kDataKey.toLatin1();
        for (int i = 0; i < 256; ++i)
            m_initial[i] = static_cast<unsigned char>(i);
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + m_initial[i] + static_cast<unsigned char>(key[i % key.size()])) & 255;
            std::swap(m_initial[i], m_initial[j]);
        }
        std::memset(m_hex, 0xFF, sizeof m_hex);
        for (int c = 0; c < 10; ++c)
            m_hex['0' + c] = static_cast<unsigned char>(c);
        for (int c = 0; c < 6; ++c)
            m_hex['A' + c] = m_hex['a' + c] = static_cast<unsigned char>(10 + c);
    }
    QString operator()(const char* hex) const {
        unsigned char s[256];
        std::memcpy(s, m_initial, 256);
        const size_t n = std::strlen(hex) / 2;
        QByteArray out(static_cast<qsizetype>(n), Qt::Uninitialized);
        unsigned i = 0, j = 0;
        for (size_t k = 0; k < n; ++k) {
            const unsigned char b = static_cast<unsigned char>(m_hex[static_cast<unsigned char>(hex[2 * k])] << 4 |
                                                               m_hex[static_cast<unsigned char>(hex[2 * k + 1])]);
            i = (i + 1) & 255;
            j = (j + s[i]) & 255;
            std::swap(s[i], s[j]);
            out[static_cast<qsizetype>(k)] = static_cast<char>(b ^ s[(s[i] + s[j]) & 255]);
        }
        return QString::fromLatin1(out);
    }

private:
    unsigned char m_initial[256];
    unsigned char m_hex[256];
};

// ---- Pairs and the table ----

using Clock = std::chrono::steady_clock;

inline double timeOf(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

struct Row {
    std::string what, floor;
    double target = 0;
    std::map<std::string, std::vector<double>> ratios; // by size
    std::map<std::string, double> floorSeconds;        // median, by size
};

inline std::vector<Row>& table() {
    static std::vector<Row> rows;
    return rows;
}

inline Row& row(const std::string& what, const std::string& floor, double target) {
    for (Row& r : table())
        if (r.what == what)
            return r;
    table().push_back(Row{what, floor, target, {}, {}});
    return table().back();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One measure: before each timed run, prepare() puts the file in place
// (untimed); the operation and the floor take turns going first.
struct Measure {
    std::string what, floor;
    double target;
    std::function<void()> prepare, op, floorOp;
};

// Registers a measure at one size as a benchmark of a fixed number of pairs;
// its time is the operation's, its counters the ratios.
inline void add(const Size& size, const Measure& m, const std::function<void()>& beforeSize) {
    const std::string name = m.what + "/" + size.name;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [size, m, beforeSize](benchmark::State& state) {
                                     beforeSize();
                                     std::vector<double> ratios, floors;
                                     int n = 0;
                                     for (auto _ : state) {
                                         double op = 0, fl = 0;
                                         const bool opFirst = n++ % 2 == 0;
                                         for (int turn = 0; turn < 2; ++turn) {
                                             m.prepare();
                                             if ((turn == 0) == opFirst)
                                                 op = timeOf(m.op);
                                             else
                                                 fl = timeOf(m.floorOp);
                                         }
                                         state.SetIterationTime(op);
                                         ratios.push_back(op / fl);
                                         floors.push_back(fl);
                                     }
                                     Row& r = row(m.what, m.floor, m.target);
                                     r.ratios[size.name] = ratios;
                                     r.floorSeconds[size.name] = median(floors);
                                     state.counters["ratio_median"] = median(ratios);
                                     state.counters["ratio_worst"] = *std::max_element(ratios.begin(), ratios.end());
                                 })
        ->Iterations(size.pairs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

inline void printTable() {
    std::printf("\n%-44s %-34s %6s", "what", "floor", "target");
    for (const Size& s : sizes())
        std::printf("  %5s med/worst (floor ms)", s.name);
    std::printf("\n");
    for (const Row& r : table()) {
        std::printf("%-44s %-34s %6.2f", r.what.c_str(), r.floor.c_str(), r.target);
        for (const Size& s : sizes()) {
            auto it = r.ratios.find(s.name);
            if (it == r.ratios.end() || it->second.empty()) {
                std::printf("  %30s", "-");
                continue;
            }
            const double worst = *std::max_element(it->second.begin(), it->second.end());
            std::printf("  %8.2f / %5.2f (%8.2f)%s", median(it->second), worst, r.floorSeconds.at(s.name) * 1e3,
                        median(it->second) <= r.target ? " " : "!");
        }
        std::printf("\n");
    }
    std::printf("(! marks a median above its target)\n");
}

// Runs the registered measures and prints the table.
inline int run(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable();
    return 0;
}

} // namespace paired
