#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// A registry of keys and typed values, kept in one file in the user's
// configuration folder and replaced whole on every change. Names of keys and
// values match without regard to case. Values written under the start-up key
// "Software\Microsoft\Windows\CurrentVersion\Run" of HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE also make the desktop start their command at sign-in.
namespace platform {

constexpr int32_t HKEY_CLASSES_ROOT = static_cast<int32_t>(0x80000000u);
constexpr int32_t HKEY_CURRENT_USER = static_cast<int32_t>(0x80000001u);
constexpr int32_t HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u);
constexpr int32_t HKEY_USERS = static_cast<int32_t>(0x80000003u);
constexpr int32_t HKEY_PERFORMANCE_DATA = static_cast<int32_t>(0x80000004u);
constexpr int32_t HKEY_CURRENT_CONFIG = static_cast<int32_t>(0x80000005u);
constexpr int32_t HKEY_DYN_DATA = static_cast<int32_t>(0x80000006u);

constexpr int32_t REG_NONE = 0;
constexpr int32_t REG_SZ = 1;
constexpr int32_t REG_EXPAND_SZ = 2;
constexpr int32_t REG_BINARY = 3;
constexpr int32_t REG_DWORD = 4;
constexpr int32_t REG_DWORD_BIG_ENDIAN = 5;
constexpr int32_t REG_MULTI_SZ = 7;

constexpr int32_t KEY_QUERY_VALUE = 1;
constexpr int32_t KEY_ENUMERATE_SUB_KEYS = 8;
constexpr int32_t KEY_ALL_ACCESS = 0x3F;

constexpr int32_t ERROR_SUCCESS = 0;
constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr int32_t ERROR_ACCESS_DENIED = 5;
constexpr int32_t ERROR_INVALID_HANDLE = 6;
constexpr int32_t ERROR_BAD_NETPATH = 53;
constexpr int32_t ERROR_MORE_DATA = 234;
constexpr int32_t ERROR_NO_MORE_ITEMS = 259;
constexpr int32_t ERROR_REGISTRY_CORRUPT = 1015;
constexpr int32_t ERROR_REGISTRY_IO_FAILED = 1016;
constexpr int32_t ERROR_KEY_DELETED = 1018;

// The start-up key whose values the desktop runs at sign-in.
inline const QString kRunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// The file that holds the registry.
QString RegistryFile();

// Every call returns ERROR_SUCCESS or an error code. Access masks are taken
// but not enforced: both roots belong to the one user.
int32_t RegOpenKeyEx(int32_t hKey, const QString& lpSubKey, int32_t ulOptions, int32_t samDesired, int32_t& phkResult);
int32_t RegCreateKeyEx(int32_t hKey, const QString& lpSubKey, const QString& lpClass, int32_t dwOptions,
                       int32_t samDesired, int32_t& phkResult);
int32_t RegCloseKey(int32_t hKey);
// The value's type and data; the data's size is lpData's size.
int32_t RegQueryValueEx(int32_t hKey, const QString& lpValueName, int32_t& lpType, QByteArray& lpData);
int32_t RegSetValueEx(int32_t hKey, const QString& lpValueName, int32_t dwType, const QByteArray& lpData);
int32_t RegDeleteValue(int32_t hKey, const QString& lpValueName);
// Deletes a key that has no sub-keys, with its values.
int32_t RegDeleteKey(int32_t hKey, const QString& lpSubKey);
// Sub-keys in the order of their names; a name of cchName characters or more
// gives ERROR_MORE_DATA.
int32_t RegEnumKey(int32_t hKey, int32_t dwIndex, QString& lpName, int32_t cchName);
// Values in the order they were first written; a name of cchValueName
// characters or more gives ERROR_MORE_DATA.
int32_t RegEnumValue(int32_t hKey, int32_t dwIndex, QString& lpValueName, int32_t cchValueName);

struct RegKeyInfo {
    int32_t subKeys = 0;
    int32_t maxSubKeyLen = 0;
    int32_t values = 0;
    int32_t maxValueNameLen = 0;
    int32_t maxValueLen = 0;
};
int32_t RegQueryInfoKey(int32_t hKey, RegKeyInfo& info);

// This computer only: an empty machine name gives hKey back, any other name
// fails with ERROR_BAD_NETPATH.
int32_t RegConnectRegistry(const QString& lpMachineName, int32_t hKey, int32_t& phkResult);

// Replaces every %NAME% whose NAME is set in the environment by its value.
QString ExpandEnvironmentStrings(const QString& lpSrc);
// Paths have no short form here: the path itself.
QString GetShortPathName(const QString& lpszLongPath);

} // namespace platform
