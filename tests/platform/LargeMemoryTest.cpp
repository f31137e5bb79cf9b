#include "platform/LargeMemory.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <vector>

using platform::LargeAllocate;
using platform::LargeBytes;
using platform::LargeFree;

// Blocks of every kind stay apart and whole while others come and go, and a
// piece emptied is used again.
TEST(LargeMemory, BlocksOfEverySizeStayApartAndWhole) {
    const size_t sizes[] = {1, 16, 40000, 32800, 500000, 600000, 3 << 20, 0};
    std::vector<std::pair<unsigned char*, size_t>> blocks;
    for (int round = 0; round < 8; ++round)
        for (size_t size : sizes) {
            auto* p = static_cast<unsigned char*>(LargeAllocate(size));
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u) << size;
            std::memset(p, static_cast<int>(blocks.size() & 0xFF), size);
            blocks.emplace_back(p, size);
        }
    // Every other block freed, then all checked.
    for (size_t i = 0; i < blocks.size(); i += 2)
        LargeFree(blocks[i].first);
    for (size_t i = 1; i < blocks.size(); i += 2)
        for (size_t k = 0; k < blocks[i].second; k += 4093)
            ASSERT_EQ(blocks[i].first[k], static_cast<unsigned char>(i & 0xFF)) << i;
    for (size_t i = 1; i < blocks.size(); i += 2)
        LargeFree(blocks[i].first);
    LargeFree(nullptr);
}

TEST(LargeMemory, BytesGrowKeepingWhatTheyHoldAndEndWithAZero) {
    LargeBytes bytes;
    ASSERT_TRUE(bytes.resize(5));
    std::memcpy(bytes.data(), "hello", 5);
    for (size_t size : {size_t{3}, size_t{100000}, size_t{5} << 20, size_t{7}}) {
        ASSERT_TRUE(bytes.resize(size));
        EXPECT_EQ(std::memcmp(bytes.data(), "hel", 3), 0) << size;
        EXPECT_EQ(bytes.data()[size], 0) << size;
    }
    LargeBytes moved = std::move(bytes);
    EXPECT_EQ(moved.size(), 7u);
    EXPECT_EQ(bytes.data(), nullptr);
}

TEST(LargeMemory, AFileReadsTheSameIntoEitherBuffer) {
    QTemporaryDir dir;
    for (qsizetype size : {qsizetype{0}, qsizetype{1}, qsizetype{65536}, qsizetype{3} << 20}) {
        QByteArray content(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            content[i] = static_cast<char>('a' + i % 23);
        const QString path = dir.filePath(QStringLiteral("f%1").arg(size));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        LargeBytes large;
        ASSERT_TRUE(platform::ReadWholeFile(path, large));
        EXPECT_EQ(QByteArray(large.data(), static_cast<qsizetype>(large.size())), content);
        EXPECT_EQ(large.data()[large.size()], 0);
    }
    LargeBytes missing;
    QString reason;
    EXPECT_FALSE(platform::ReadWholeFile(dir.filePath(QStringLiteral("none")), missing, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

// Blocks freed and made again in any order, pieces and mappings kept and
// handed out anew, never overlap: each block keeps the bytes written to it.
TEST(LargeMemory, BlocksMadeAgainFromKeptMemoryNeverOverlap) {
    struct Block {
        unsigned char* p;
        size_t size;
        unsigned char mark;
    };
    const size_t sizes[] = {24, 32800, 200000, 524289, 1500000, 2100000, 3 << 20};
    std::mt19937 random(11);
    std::vector<Block> live;
    auto intact = [](const Block& b) {
        for (size_t k = 0; k < b.size; k += 997)
            if (b.p[k] != b.mark)
                return false;
        return b.p[b.size - 1] == b.mark;
    };
    for (int step = 0; step < 600; ++step) {
        if (!live.empty() && random() % 2 == 0) {
            const size_t at = random() % live.size();
            ASSERT_TRUE(intact(live[at])) << "step " << step;
            LargeFree(live[at].p);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(at));
            continue;
        }
        const size_t size = sizes[random() % std::size(sizes)];
        auto* p = static_cast<unsigned char*>(LargeAllocate(size));
        ASSERT_NE(p, nullptr);
        const auto mark = static_cast<unsigned char>(step);
        std::memset(p, mark, size);
        live.push_back({p, size, mark});
    }
    for (const Block& b : live) {
        EXPECT_TRUE(intact(b));
        LargeFree(b.p);
    }
}
