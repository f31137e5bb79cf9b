#include "platform/Registry.h"
#include "UserFolders.h"
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QByteArray sz(const char* text) {
    return QByteArray(text) + '\0';
}

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(Registry, KeysAndValuesLiveInOneFileInTheConfigurationFolder) {
    testsupport::TempConfigFolder config;
    int32_t key = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Veltrane", 0, KEY_QUERY_VALUE, key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Veltrane\\Settings", QString(), 0, KEY_ALL_ACCESS, key),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Name", REG_SZ, sz("first")), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Count", REG_DWORD, QByteArray("\x2A\0\0\0", 4)), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "NAME", REG_SZ, sz("second")), ERROR_SUCCESS) << "same value, any case";
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(QFileInfo(RegistryFile()).absolutePath(), config.path());
    ASSERT_TRUE(QFileInfo::exists(RegistryFile()));

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\VELTRANE", 0, KEY_QUERY_VALUE, key), ERROR_SUCCESS);
    int32_t sub = 0;
    ASSERT_EQ(RegOpenKeyEx(key, "settings", 0, KEY_QUERY_VALUE, sub), ERROR_SUCCESS);
    int32_t type = 0;
    QByteArray data;
    ASSERT_EQ(RegQueryValueEx(sub, "name", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(data, sz("second"));
    EXPECT_EQ(RegQueryValueEx(sub, "missing", type, data), ERROR_FILE_NOT_FOUND);

    QString name;
    EXPECT_EQ(RegEnumValue(sub, 0, name, 5), ERROR_SUCCESS);
    EXPECT_EQ(name, QStringLiteral("Name")) << "values keep the order and the name they were first written with";
    EXPECT_EQ(RegEnumValue(sub, 1, name, 5), ERROR_MORE_DATA) << "no room for \"Count\" and its terminator";
    EXPECT_EQ(RegEnumValue(sub, 2, name, 50), ERROR_NO_MORE_ITEMS);
    RegKeyInfo info;
    ASSERT_EQ(RegQueryInfoKey(sub, info), ERROR_SUCCESS);
    EXPECT_EQ(info.values, 2);
    EXPECT_EQ(info.maxValueNameLen, 5);

    // Keys list in name order; a key with sub-keys cannot be deleted.
    ASSERT_EQ(RegCreateKeyEx(key, "Alpha", QString(), 0, KEY_ALL_ACCESS, sub), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKey(key, 0, name, 255), ERROR_SUCCESS);
    EXPECT_EQ(name, QStringLiteral("Alpha"));
    EXPECT_EQ(RegEnumKey(key, 1, name, 255), ERROR_SUCCESS);
    EXPECT_EQ(name, QStringLiteral("Settings"));
    EXPECT_EQ(RegEnumKey(key, 2, name, 255), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Veltrane"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(key, "Settings"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(sub, "x", type, data), ERROR_FILE_NOT_FOUND);
    int32_t gone = 0;
    EXPECT_EQ(RegOpenKeyEx(key, "Settings", 0, KEY_QUERY_VALUE, gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(key, "Alpha"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(sub, "x", type, data), ERROR_KEY_DELETED);

    int32_t remote = 0;
    EXPECT_EQ(RegConnectRegistry("\\\\server", HKEY_LOCAL_MACHINE, remote), ERROR_BAD_NETPATH);
    EXPECT_EQ(RegConnectRegistry(QString(), HKEY_LOCAL_MACHINE, remote), ERROR_SUCCESS);
    EXPECT_EQ(remote, HKEY_LOCAL_MACHINE);
}

TEST(Registry, ADamagedFileIsNeverOverwritten) {
    testsupport::TempConfigFolder config;
    QFile f(RegistryFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{ not json");
    f.close();
    int32_t key = 0;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\X", QString(), 0, KEY_ALL_ACCESS, key),
              ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(readFile(RegistryFile()), QStringLiteral("{ not json"));
}

TEST(Registry, RunValuesBecomeAutostartEntries) {
    testsupport::TempConfigFolder config;
    const QString entry = config.file("autostart/Zandor.desktop");
    int32_t run = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kRunKey, QString(), 0, KEY_ALL_ACCESS, run), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(run, "Zandor", REG_SZ, sz("\"/opt/my apps/veltrane\" /s")), ERROR_SUCCESS);
    ASSERT_TRUE(QFileInfo::exists(entry));
    const QString text = readFile(entry);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=Zandor\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/my apps/veltrane\" /s\n"))) << text.toStdString();

    // The current user's value comes first; deleting it falls back to the machine's.
    int32_t userRun = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kRunKey, QString(), 0, KEY_ALL_ACCESS, userRun), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(userRun, "zandor", REG_SZ, sz("/usr/bin/other")), ERROR_SUCCESS);
    // One name, one entry, whatever the spelling.
    const QDir autostart(config.file("autostart"));
    EXPECT_EQ(autostart.entryList(QDir::Files), QStringList{"zandor.desktop"});
    EXPECT_TRUE(readFile(config.file("autostart/zandor.desktop")).contains("\nExec=/usr/bin/other\n"));
    ASSERT_EQ(RegDeleteValue(userRun, "ZANDOR"), ERROR_SUCCESS);
    EXPECT_EQ(autostart.entryList(QDir::Files), QStringList{"Zandor.desktop"});
    EXPECT_TRUE(readFile(entry).contains("\nExec=\"/opt/my apps/veltrane\" /s\n"));

    // A blank command starts nothing, and a deleted value leaves no entry.
    ASSERT_EQ(RegSetValueEx(run, "Zandor", REG_SZ, sz("")), ERROR_SUCCESS);
    EXPECT_FALSE(QFileInfo::exists(entry));
    ASSERT_EQ(RegSetValueEx(run, "Zandor", REG_SZ, sz("/usr/bin/veltrane /s")), ERROR_SUCCESS);
    EXPECT_TRUE(QFileInfo::exists(entry));
    ASSERT_EQ(RegDeleteValue(run, "Zandor"), ERROR_SUCCESS);
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_EQ(RegDeleteValue(run, "Zandor"), ERROR_FILE_NOT_FOUND);

    // Values elsewhere never reach the autostart folder.
    int32_t other = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Run", QString(), 0, KEY_ALL_ACCESS, other), 0);
    ASSERT_EQ(RegSetValueEx(other, "Zandor", REG_SZ, sz("/bin/true")), ERROR_SUCCESS);
    EXPECT_FALSE(QFileInfo::exists(entry));

    // Deleting the start-up key takes its entries along.
    ASSERT_EQ(RegSetValueEx(run, "Zandor", REG_SZ, sz("/bin/true")), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, kRunKey), ERROR_SUCCESS);
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST(Registry, CommandsAreQuotedAsDesktopEntriesRequire) {
    EXPECT_EQ(DesktopExec("/usr/bin/veltrane /s"), QStringLiteral("/usr/bin/veltrane /s"));
    EXPECT_EQ(DesktopExec("\"/home/a b/veltrane\" /s"), QStringLiteral("\"/home/a b/veltrane\" /s"));
    // Inside quotes " ` $ and \ take a backslash; the entry's own escaping
    // then doubles every backslash. Percent signs are doubled.
    EXPECT_EQ(DesktopExec("\"/tmp/$x`y\\z\" 100%"), QStringLiteral("\"/tmp/\\\\$x\\\\`y\\\\\\\\z\" 100%%"));
    EXPECT_EQ(DesktopExec("\"/tmp/it's\""), QStringLiteral("\"/tmp/it's\""));
    EXPECT_EQ(AutostartEntryPath("a/b").section('/', -1), QStringLiteral("a_b.desktop"));
}

TEST(Registry, EnvironmentVariablesExpandAndPathsAreTheirOwnShortForm) {
    qputenv("VELTRANE_TEST_DIR", "/srv/data");
    EXPECT_EQ(ExpandEnvironmentStrings("%VELTRANE_TEST_DIR%\\x"), QStringLiteral("/srv/data\\x"));
    EXPECT_EQ(ExpandEnvironmentStrings("%veltrane_test_dir%"), QStringLiteral("/srv/data")) << "names ignore case";
    EXPECT_EQ(ExpandEnvironmentStrings("100% %NOT_SET_ANYWHERE% 50%"), QStringLiteral("100% %NOT_SET_ANYWHERE% 50%"));
    EXPECT_EQ(ExpandEnvironmentStrings("%%VELTRANE_TEST_DIR%"), QStringLiteral("%/srv/data"));
    EXPECT_EQ(GetShortPathName("/a long/path name.txt"), QStringLiteral("/a long/path name.txt"));
}
