#include "platform/LargeMemory.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
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
