#include "data/cRC4.h"
#include "data/mGeneralFunctions.h"

#include "ProgramFolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

TEST(Cipher, MatchesPublishedAndIndependentVectors) {
    cRC4 c;
    EXPECT_EQ(c.EncryptString(QStringLiteral("Plaintext"), QStringLiteral("Key"), true),
              QStringLiteral("BBF316E8D940AF0AD3"));
    // Computed with a separate RC4 written for the purpose, over the UTF-8 bytes.
    EXPECT_EQ(EncipherField(QStringLiteral("Meet the bank manager")),
              QStringLiteral("E9475B0CEABBE454B3D34575EF0357E87394B21DD4"));
    EXPECT_EQ(EncipherField(QStringLiteral("Zażółć ΑΒΓ 中文")),
              QStringLiteral("FE43FBC4097C49B3573604D515EDA8478ED531C00B3147E9"));
}

TEST(Cipher, RoundTripsAnyTextAndRestartsTheKeyStreamEveryCall) {
    const QString texts[] = {QString(),
                             QStringLiteral("a"),
                             QStringLiteral("Line one\r\nLine two"),
                             QStringLiteral("Zażółć gęślą jaźń"),
                             QStringLiteral("Ελληνικά"),
                             QStringLiteral("中文笔记"),
                             QStringLiteral("emoji 😀 outside the basic plane")};
    cRC4 shared;
    for (const QString& t : texts) {
        const QString hex = shared.EncryptString(t, kDataKey, true);
        EXPECT_EQ(hex.size(), t.toUtf8().size() * 2);
        for (QChar ch : hex)
            EXPECT_TRUE((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) ||
                        (ch >= QLatin1Char('A') && ch <= QLatin1Char('F')))
                << hex.toStdString();
        // The same object a second time and a fresh object give the same text.
        EXPECT_EQ(shared.EncryptString(t, kDataKey, true), hex);
        EXPECT_EQ(EncipherField(t), hex);
        EXPECT_EQ(DecipherField(hex), t);
        EXPECT_EQ(DecipherField(hex.toLower()), t) << "lower-case digits read too";
    }
}

TEST(Cipher, HexReadingRules) {
    cRC4 c;
    // Deciphering with an all-zero table (no key on a new object) leaves the bytes
    // as they are, which shows exactly what the hex reader produced.
    EXPECT_EQ(c.DecryptString(QStringLiteral("414"), QString(), true), QStringLiteral("A") + QChar(4));
    EXPECT_EQ(c.DecryptString(QStringLiteral("4G41"), QString(), true), QChar(4) + QStringLiteral("A"))
        << "reading stops at the first character that is not a hex digit";
    EXPECT_EQ(c.DecryptString(QStringLiteral("G441"), QString(), true), QChar(0) + QStringLiteral("A"))
        << "a pair that starts with a non-digit reads 0";
    EXPECT_EQ(c.DecryptString(QString(), kDataKey, true), QString());
}

TEST(Cipher, ProgressReportsFromZeroToHundred) {
    cRC4 c;
    std::vector<int32_t> seen;
    c.Progress = [&](int32_t& p) { seen.push_back(p); };
    QByteArray empty;
    c.EncryptByte(empty, kDataKey);
    EXPECT_EQ(seen, std::vector<int32_t>({100}));
    seen.clear();
    QByteArray bytes(250, 'x');
    c.EncryptByte(bytes, kDataKey);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_GT(seen[i], seen[i - 1]);
}

TEST(Cipher, FileFormsRespectOverwriteAndReportFailures) {
    testsupport::TempProgramFolder folder;
    const QString in = folder.file(QStringLiteral("in.bin"));
    const QString out = folder.file(QStringLiteral("out.bin"));
    folder.write(QStringLiteral("in.bin"), "secret bytes");
    folder.write(QStringLiteral("out.bin"), "old");
    cRC4 c;
    EXPECT_FALSE(c.EncryptFile(in, out, false, kDataKey));
    EXPECT_EQ(folder.read(QStringLiteral("out.bin")), QByteArray("old"));
    EXPECT_EQ(folder.read(QStringLiteral("in.bin")), QByteArray("secret bytes"));
    ASSERT_TRUE(c.EncryptFile(in, out, true, kDataKey));
    EXPECT_NE(folder.read(QStringLiteral("out.bin")), QByteArray("secret bytes"));
    ASSERT_TRUE(c.DecryptFile(out, folder.file(QStringLiteral("back.bin")), false, kDataKey));
    EXPECT_EQ(folder.read(QStringLiteral("back.bin")), QByteArray("secret bytes"));

    EXPECT_FALSE(c.EncryptFile(folder.file(QStringLiteral("missing")), out, true, kDataKey));
    folder.write(QStringLiteral("empty.bin"), QByteArray());
    EXPECT_FALSE(c.EncryptFile(folder.file(QStringLiteral("empty.bin")), out, true, kDataKey));
    EXPECT_FALSE(c.EncryptFile(in, folder.file(QStringLiteral("no/such/folder/out")), true, kDataKey));
}
