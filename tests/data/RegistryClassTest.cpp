#include "MessageBoxResponder.h"
#include "UserFolders.h"
#include "data/cRegistry.h"
#include "data/mFunctionsServices.h"
#include "platform/Autostart.h"
#include "platform/ObjectError.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Variant;

namespace {

class RegistryClass : public ::testing::Test {
protected:
    void SetUp() override { point(reg, platform::HKEY_CURRENT_USER, "Software\\Veltrane", "Setting", 1); }

    static void point(cRegistry& r, int32_t root, const QString& section, const QString& value, int32_t type) {
        r.setClassKey(root);
        r.setSectionKey(section);
        r.setValueKey(value);
        r.setValueType(type);
    }

    // The stored type of a value, read without the class.
    int32_t storedType(const QString& section, const QString& value, int32_t root = platform::HKEY_CURRENT_USER) {
        int32_t key = 0, type = -1;
        QByteArray data;
        if (platform::RegOpenKeyEx(root, section, 0, platform::KEY_QUERY_VALUE, key) == 0) {
            platform::RegQueryValueEx(key, value, type, data);
            platform::RegCloseKey(key);
        }
        return type;
    }

    platform::RuntimeError errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.source(), QFileInfo(platform::ExecutablePath()).completeBaseName() + ".cRegistry");
            return e;
        }
        ADD_FAILURE() << "no error raised";
        return platform::RuntimeError(0, QString(), QString());
    }

    testsupport::TempConfigFolder config;
    testsupport::ScopedResponder ui;
    cRegistry reg;
};

} // namespace

TEST_F(RegistryClass, TextsWithAVariableBetweenPercentSignsAreStoredForExpansion) {
    qputenv("VELTRANE_REG_TEST", "expanded");
    const std::pair<const char*, int32_t> cases[] = {{"%VELTRANE_REG_TEST%", platform::REG_EXPAND_SZ},
                                                     {"a%b%", platform::REG_EXPAND_SZ},
                                                     {"100%", platform::REG_SZ},
                                                     {"%%", platform::REG_SZ},
                                                     {"%%x", platform::REG_SZ},
                                                     {"plain", platform::REG_SZ}};
    for (const auto& c : cases) {
        reg.setValueType(platform::REG_SZ);
        reg.setValue(c.first);
        EXPECT_EQ(storedType("Software\\Veltrane", "Setting"), c.second) << c.first;
    }
    reg.setValueType(platform::REG_EXPAND_SZ);
    reg.setValue("plain again");
    EXPECT_EQ(storedType("Software\\Veltrane", "Setting"), platform::REG_SZ) << "whatever ValueType says";

    reg.setValue("<%VELTRANE_REG_TEST%>");
    const Variant read = reg.Value();
    EXPECT_EQ(read.toString(), QStringLiteral("<expanded>"));
    EXPECT_EQ(reg.ValueType(), platform::REG_EXPAND_SZ) << "a read reports the type found";
}

TEST_F(RegistryClass, ValuesReadBackByTheirType) {
    reg.setValue("text");
    Variant v = reg.Value();
    EXPECT_EQ(v.kind(), Variant::String);
    EXPECT_EQ(v.toString(), QStringLiteral("text")) << "no trailing zero";

    // A missing value gives Default and leaves ValueType as it was.
    reg.setDefault("fallback");
    reg.setValueKey("Missing");
    reg.setValueType(platform::REG_BINARY);
    EXPECT_EQ(reg.Value().toString(), QStringLiteral("fallback"));
    EXPECT_EQ(reg.ValueType(), platform::REG_BINARY);

    reg.setValueKey("Number");
    reg.setValueType(platform::REG_DWORD_BIG_ENDIAN);
    reg.setValue(Variant::fromLong(0x01020304));
    EXPECT_EQ(storedType("Software\\Veltrane", "Number"), platform::REG_DWORD);
    v = reg.Value();
    EXPECT_EQ(v.kind(), Variant::Long);
    EXPECT_EQ(v.toLong(), 0x01020304);
    reg.setValue(Variant::fromInteger(-2));
    EXPECT_EQ(reg.Value().toLong(), -2);
    reg.setValueType(platform::REG_DWORD);
    reg.setValue("12"); // not a number: nothing written, nothing reported
    EXPECT_EQ(reg.Value().toLong(), -2);

    // Big-endian numbers written by others read with their bytes swapped.
    int32_t key = 0;
    ASSERT_EQ(platform::RegOpenKeyEx(platform::HKEY_CURRENT_USER, "Software\\Veltrane", 0, 0, key), 0);
    platform::RegSetValueEx(key, "Big", platform::REG_DWORD_BIG_ENDIAN, QByteArray("\x00\x00\x01\x02", 4));
    platform::RegSetValueEx(key, "Multi", platform::REG_MULTI_SZ, QByteArray("a\0b\0\0", 5));
    platform::RegCloseKey(key);
    reg.setValueKey("Big");
    EXPECT_EQ(reg.Value().toLong(), 0x0102);
    reg.setValueKey("Multi");
    EXPECT_EQ(reg.Value().toString(), QString::fromLatin1("a\0b\0", 4));

    reg.setValueKey("Blob");
    reg.setValueType(platform::REG_BINARY);
    const QByteArray bytes("\x00\xFF\x10", 3);
    reg.setValue(Variant(bytes));
    v = reg.Value();
    EXPECT_EQ(v.kind(), Variant::ByteArray);
    EXPECT_EQ(v.toByteArray(), bytes);
    EXPECT_EQ(errorOf([&] { reg.setValue("not bytes"); }).number(), 26001);

    reg.setValueType(6);
    const platform::RuntimeError e = errorOf([&] { reg.setValue("x"); });
    EXPECT_EQ(e.number(), platform::kUserErrorBase + 27049);
    EXPECT_EQ(e.description(), QStringLiteral("Failed to set registry value Key: '-2147483647',Section: "
                                              "'Software\\Veltrane',Key: 'Blob' to value: 'x'"));

    // ValueEx: an empty text of type REG_SZ writes Default instead.
    reg.setValueEx(platform::HKEY_CURRENT_USER, "Software\\Veltrane", "Ex", platform::REG_SZ, "dflt", "");
    EXPECT_EQ(reg.ValueEx(platform::HKEY_CURRENT_USER, "Software\\Veltrane", "Ex", 0, "none").toString(),
              QStringLiteral("dflt"));
}

TEST_F(RegistryClass, KeysAreListedCreatedAndDeleted) {
    QStringList names{"stale"};
    int32_t count = 7;
    reg.setSectionKey("Software\\Nowhere");
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    reg.setSectionKey("Software\\Veltrane\\Child");
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    reg.setSectionKey("Software\\Veltrane");
    for (const char* n : {"First", "", "Third"}) {
        reg.setValueKey(n);
        reg.setValue(n);
    }
    ASSERT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (QStringList{"First", "", "Third"}));
    ASSERT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(names, QStringList{"Child"});

    reg.setValueKey("First");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_EQ(errorOf([&] { reg.DeleteValue(); }).description(),
              QStringLiteral("Failed to delete registry Key: '-2147483647',Section: 'Software\\Veltrane',Key: 'First"));
    reg.setSectionKey("Software\\Nowhere");
    EXPECT_EQ(errorOf([&] { reg.DeleteValue(); }).description(),
              QStringLiteral("Failed to open key '-2147483647',Section: 'Software\\Nowhere' for delete access"));
    EXPECT_EQ(errorOf([&] { reg.DeleteKey(); }).number(), 26001);
    reg.setSectionKey("Software\\Veltrane\\Child");
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());

    // Another computer cannot be reached: reads give Default, writes nothing.
    reg.setMachine("pc");
    EXPECT_EQ(reg.Machine(), QString());
    reg.setMachine("server");
    EXPECT_EQ(reg.Machine(), QStringLiteral("\\\\server"));
    reg.setMachine("\\\\server");
    EXPECT_EQ(reg.Machine(), QStringLiteral("\\\\server"));
    reg.setSectionKey("Software\\Veltrane");
    reg.setValueKey("Third");
    reg.setDefault("remote default");
    EXPECT_EQ(reg.Value().toString(), QStringLiteral("remote default"));
    reg.setValue("changed");
    reg.setMachine("");
    EXPECT_EQ(reg.Value().toString(), QStringLiteral("Third"));
}

TEST_F(RegistryClass, TheStartUpEntryAppearsAndDisappears) {
    const QString entry = platform::AutostartEntryPath("Zandor");
    EXPECT_TRUE(entry.startsWith(config.path()));
    mFunctions::SetWindowsStartup("Zandor", false);
    cRegistry check;
    point(check, platform::HKEY_LOCAL_MACHINE, platform::kRunKey, "Zandor", platform::REG_SZ);
    const QString command = QLatin1Char('"') + platform::ExecutablePath() + QStringLiteral("\" /s");
    EXPECT_EQ(check.Value().toString(), command);
    QFile f(entry);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains(QStringLiteral("\nExec=") + platform::DesktopExec(command)));
    f.close();

    mFunctions::SetWindowsStartup("Zandor", true);
    EXPECT_FALSE(QFileInfo::exists(entry));
    check.setDefault("gone");
    EXPECT_EQ(check.Value().toString(), QStringLiteral("gone"));
    EXPECT_NO_THROW(mFunctions::SetWindowsStartup("Zandor", true)) << "removing an entry that is not there";
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST_F(RegistryClass, ProgramsAreRegisteredForFileTypesAndTheUsersStartUp) {
    QTemporaryDir dir;
    const QString exe = dir.filePath("tool");
    QFile(exe).open(QIODevice::WriteOnly);
    reg.CreateEXEAssociation("  " + exe + " ", "Veltrane.Doc", "Organiser file", "vlt", QString(), true, QString(),
                             false, QString(), true, QString(), 0);
    cRegistry r;
    auto read = [&](int32_t root, const QString& section) {
        point(r, root, section, QString(), platform::REG_SZ);
        return r.Value().toString();
    };
    const QString q = QLatin1Char('"') + exe + QLatin1Char('"');
    for (const QString& prefix : {QString(), QStringLiteral("SOFTWARE\\Classes\\")}) {
        const int32_t root = prefix.isEmpty() ? platform::HKEY_CLASSES_ROOT : platform::HKEY_LOCAL_MACHINE;
        EXPECT_EQ(read(root, prefix + ".vlt"), QStringLiteral("Veltrane.Doc"));
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc"), QStringLiteral("Organiser file"));
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc\\shell\\open"), QStringLiteral("&Open"));
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc\\shell\\open\\command"), q + " \"%1\"");
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc\\shell\\print\\command"), q + " /p \"%1\"");
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc\\shell\\add"), QStringLiteral("&Install vlt"));
        EXPECT_EQ(read(root, prefix + "Veltrane.Doc\\DefaultIcon"), q + ",0");
    }
    EXPECT_EQ(reg.ClassKey(), platform::HKEY_LOCAL_MACHINE);

    reg.CreateAdditionalEXEAssociations("Veltrane.Doc", {"edit", "&Edit", "tool -e"});
    EXPECT_EQ(read(platform::HKEY_CLASSES_ROOT, "Veltrane.Doc\\shell\\edit\\command"), QStringLiteral("tool -e"));
    EXPECT_EQ(errorOf([&] {
                  reg.CreateAdditionalEXEAssociations("Veltrane.Doc", {"a", "b"});
              }).number(),
              platform::kUserErrorBase + 27052);
    EXPECT_EQ(errorOf([&] { reg.CreateAdditionalEXEAssociations("No.Class", {}); }).description(),
              QStringLiteral("Error - attempt to create additional associations before class defined."));

    reg.CreateWinStartup("Tool", exe);
    EXPECT_EQ(storedType(platform::kRunKey, "Tool"), platform::REG_SZ);
    EXPECT_TRUE(QFileInfo::exists(platform::AutostartEntryPath("Tool")));
    reg.CreateWinStartup("Tool", exe, true);
    EXPECT_FALSE(QFileInfo::exists(platform::AutostartEntryPath("Tool")));
    reg.CreateWinStartup("Missing", dir.filePath("nothing"));
    EXPECT_EQ(storedType(platform::kRunKey, "Missing"), -1) << "only an existing program is entered";
}
