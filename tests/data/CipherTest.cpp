#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"

#include "ProgramFolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Every text through all four forms: hex and the plain text form, each read back.
void expectRoundTrip(const QString& text, const QString& hex) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(DecipherField(hex), text);
    EXPECT_EQ(DecipherField(hex.toLower()), text) << "lower-case digits read too";
    cRC4 c;
    const QString plain = c.EncryptString(text, kDataKey, false);
    EXPECT_EQ(plain.size(), hex.size() / 2) << "one character a cipher byte";
    EXPECT_EQ(c.DecryptString(plain, kDataKey, false), text);
}

} // namespace

TEST(Cipher, FieldsAreWindows1252OrMarkedUtf8BothWays) {
    cRC4 c;
    EXPECT_EQ(c.EncryptString(QStringLiteral("Plaintext"), QStringLiteral("Key"), true),
              QStringLiteral("BBF316E8D940AF0AD3"));
    // Computed with a separate RC4 written for the purpose.
    const struct {
        QString text;
        QString hex;
    } vectors[] = {
        {QStringLiteral("Meet the bank manager"), QStringLiteral("E9475B0CEABBE454B3D34575EF0357E87394B21DD4")},
        {QStringLiteral("é"), QStringLiteral("4D")},
        {QStringLiteral("Hello World"), QStringLiteral("EC475214A5EFDB5EE1DD40")},
        {QStringLiteral("secret password"), QStringLiteral("D7475D0AAFBBAC41F2C2576CEB515E")},
        {QStringLiteral("café"), QStringLiteral("C7435891")},
        // Windows-1252 bytes that also happen to form valid UTF-8 are still Windows-1252.
        {QStringLiteral("CAFÉ… open"), QStringLiteral("E76378B14FEFE341F6DF")},
        {QStringLiteral("Gruß“"), QStringLiteral("E3504BA759")},
        {QStringLiteral("€"), QStringLiteral("24")},
        // The five bytes the code page leaves undefined.
        {QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D), QStringLiteral("25AFB1E857")},
        // Anything else: the mark EF BB BF, then UTF-8.
        {QStringLiteral("Zażółć ΑΒΓ 中文"), QStringLiteral("4B998122AB0A30F22074A6DF0303F418D3671BEB863369C31B4039")},
        {QString(QChar(0xFEFF)), QStringLiteral("4B9981977170")},
        {QChar(0xFEFF) + QStringLiteral("abc"), QStringLiteral("4B9981977170ED53F0")},
        // Western text whose own bytes would begin with the mark goes marked.
        {QStringLiteral("ï»¿x"), QStringLiteral("4B9981BB650D37F32CC9")},
        {QString(), QString()},
    };
    for (const auto& v : vectors) {
        EXPECT_EQ(EncipherField(v.text), v.hex) << v.text.toStdString();
        expectRoundTrip(v.text, v.hex);
    }
}

TEST(Cipher, RoundTripsAnyTextAndRestartsTheKeyStreamEveryCall) {
    const struct {
        QString text;
        int bytes;
    } texts[] = {{QStringLiteral("a"), 1},
                 {QStringLiteral("Line one\r\nLine two"), 18},
                 {QStringLiteral("Zażółć gęślą jaźń"), 3 + 26},
                 {QStringLiteral("Ελληνικά"), 3 + 16},
                 {QStringLiteral("中文笔记"), 3 + 12},
                 {QStringLiteral("emoji 😀 outside the basic plane"), 3 + 34},
                 {QString(QChar(0x80)) + QChar(0x9F) + QChar(0xFFFD), 3 + 7},
                 {QStringLiteral("\u00A0\u00FF\u0178\u2122"), 4}};
    cRC4 shared;
    for (const auto& t : texts) {
        const QString hex = shared.EncryptString(t.text, kDataKey, true);
        EXPECT_EQ(hex.size(), t.bytes * 2) << t.text.toStdString();
        for (QChar ch : hex)
            EXPECT_TRUE((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) ||
                        (ch >= QLatin1Char('A') && ch <= QLatin1Char('F')))
                << hex.toStdString();
        // The same object a second time and a fresh object give the same text.
        EXPECT_EQ(shared.EncryptString(t.text, kDataKey, true), hex);
        EXPECT_EQ(EncipherField(t.text), hex);
        expectRoundTrip(t.text, hex);
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
    // A list deciphers only the start of a long text, one character past what
    // it shows; what it shows is the same.
    for (const QString& text :
         {QString(), QStringLiteral("short"), QString(29, QLatin1Char('a')), QString(30, QLatin1Char('b')),
          QString(31, QChar(0xE9)), QString(200, QLatin1Char('c')), QString(40, QChar(0x4E2D)),
          QString::fromUtf8("\xF0\x9F\x98\x80").repeated(40), QStringLiteral("x") + QString(35, QChar(0x20AC))}) {
        const QString hex = EncipherField(text);
        const QString whole = DecipherField(hex);
        EXPECT_EQ(mFunctions::ShortenText(DecipherFieldStart(hex, mFunctions::kShortenedLength + 1)),
                  mFunctions::ShortenText(whole))
            << text.toStdString();
        // Read from the stored bytes and shortened in place, the same.
        EXPECT_EQ(
            mFunctions::ShortenText(DecipherFieldStart(QByteArrayView(hex.toUtf8()), mFunctions::kShortenedLength + 1)),
            mFunctions::ShortenText(QString(whole)))
            << text.toStdString();
    }
    // A field read for a list follows the same rules as the cipher object,
    // from its text or from its stored bytes, whole or only its start.
    const QString padding(300, QLatin1Char('A'));
    for (const char* hex : {"", "4", "414", "4G41", "G441", "\u00E941", "EFBBBF41", "8F9a0b", "41\u00E9"}) {
        const QString text = QString::fromUtf8(hex);
        EXPECT_EQ(DecipherField(text), cRC4().DecryptString(text, kDataKey, true)) << hex;
        for (const QString& stored : {text, text + padding, padding + text})
            for (int characters : {-1, 0, 2, 31})
                EXPECT_EQ(DecipherFieldStart(QByteArrayView(stored.toUtf8()), characters),
                          DecipherFieldStart(stored, characters))
                    << hex << " " << characters << " " << stored.size();
    }
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
