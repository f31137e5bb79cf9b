#include "platform/Registry.h"

#include "platform/Autostart.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>

#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {

struct RegValue {
    QString name;
    int32_t type = REG_NONE;
    QByteArray data;
};

struct RegKey {
    QString name;
    std::vector<RegValue> values; // in the order first written
    std::vector<RegKey> keys;     // in the order of their names
};

const std::pair<int32_t, const char*> kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                                  {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                                  {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                                                  {HKEY_USERS, "HKEY_USERS"},
                                                  {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};

bool isRoot(int32_t hKey) {
    return std::any_of(std::begin(kRoots), std::end(kRoots), [hKey](const auto& r) { return r.first == hKey; });
}

using Hive = std::map<int32_t, RegKey>;

struct OpenKey {
    int32_t root;
    QStringList path;
};

std::map<int32_t, OpenKey>& handles() {
    static std::map<int32_t, OpenKey> open;
    return open;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList splitPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// Reading and writing the file -------------------------------------------

QJsonObject keyToJson(const RegKey& key) {
    QJsonArray values;
    for (const RegValue& v : key.values)
        values.append(QJsonObject{{QStringLiteral("name"), v.name},
                                  {QStringLiteral("type"), v.type},
                                  {QStringLiteral("data"), QString::fromLatin1(v.data.toHex())}});
    QJsonArray keys;
    for (const RegKey& k : key.keys)
        keys.append(keyToJson(k));
    return QJsonObject{
        {QStringLiteral("name"), key.name}, {QStringLiteral("values"), values}, {QStringLiteral("keys"), keys}};
}

bool keyFromJson(const QJsonValue& json, RegKey& key) {
    if (!json.isObject())
        return false;
    const QJsonObject o = json.toObject();
    key.name = o.value(QStringLiteral("name")).toString();
    for (const QJsonValue& v : o.value(QStringLiteral("values")).toArray()) {
        const QJsonObject vo = v.toObject();
        key.values.push_back({vo.value(QStringLiteral("name")).toString(), vo.value(QStringLiteral("type")).toInt(),
                              QByteArray::fromHex(vo.value(QStringLiteral("data")).toString().toLatin1())});
    }
    for (const QJsonValue& k : o.value(QStringLiteral("keys")).toArray()) {
        key.keys.emplace_back();
        if (!keyFromJson(k, key.keys.back()))
            return false;
    }
    return true;
}

int32_t loadHive(Hive& hive) {
    for (const auto& r : kRoots)
        hive[r.first].name = QString::fromLatin1(r.second);
    const QString file = RegistryFile();
    if (!QFileInfo::exists(file))
        return ERROR_SUCCESS;
    QByteArray bytes;
    if (!ReadWholeFile(file, bytes))
        return ERROR_REGISTRY_IO_FAILED;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    // A damaged file is never overwritten: every call fails until it is mended.
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return ERROR_REGISTRY_CORRUPT;
    const QJsonObject o = doc.object();
    for (const auto& r : kRoots) {
        const QJsonValue v = o.value(QString::fromLatin1(r.second));
        if (v.isUndefined())
            continue;
        RegKey root;
        if (!keyFromJson(v, root))
            return ERROR_REGISTRY_CORRUPT;
        root.name = QString::fromLatin1(r.second);
        hive[r.first] = std::move(root);
    }
    return ERROR_SUCCESS;
}

int32_t saveHive(const Hive& hive) {
    QJsonObject o;
    for (const auto& r : kRoots)
        o.insert(QString::fromLatin1(r.second), keyToJson(hive.at(r.first)));
    if (!QDir().mkpath(QFileInfo(RegistryFile()).absolutePath()) ||
        !ReplaceFileAtomically(RegistryFile(), QJsonDocument(o).toJson(QJsonDocument::Indented)))
        return ERROR_REGISTRY_IO_FAILED;
    return ERROR_SUCCESS;
}

// Walking the tree --------------------------------------------------------

// The first item of a key's values or sub-keys with the name, in any case.
template <class Item> Item* findNamed(std::vector<Item>& items, const QString& name) {
    for (Item& item : items)
        if (sameName(item.name, name))
            return &item;
    return nullptr;
}

RegKey* findChild(RegKey& key, const QString& name) {
    return findNamed(key.keys, name);
}

RegKey* navigate(Hive& hive, int32_t root, const QStringList& path) {
    RegKey* key = &hive[root];
    for (const QString& part : path) {
        key = findChild(*key, part);
        if (!key)
            return nullptr;
    }
    return key;
}

RegValue* findValue(RegKey& key, const QString& name) {
    return findNamed(key.values, name);
}

// The root and path a key handle and a sub-key name stand for.
int32_t resolve(int32_t hKey, const QString& subKey, int32_t& root, QStringList& path) {
    if (isRoot(hKey)) {
        root = hKey;
        path.clear();
    } else {
        auto it = handles().find(hKey);
        if (it == handles().end())
            return ERROR_INVALID_HANDLE;
        root = it->second.root;
        path = it->second.path;
    }
    path += splitPath(subKey);
    return ERROR_SUCCESS;
}

int32_t newHandle(int32_t root, const QStringList& path) {
    static int32_t last = 0x100;
    do
        ++last;
    while (handles().count(last));
    handles()[last] = OpenKey{root, path};
    return last;
}

// The loaded registry and the key a handle names.
struct Opened {
    Hive hive;
    int32_t root = 0;
    QStringList path;
    RegKey* key = nullptr;
};

int32_t openHandle(int32_t hKey, Opened& o) {
    if (int32_t rc = resolve(hKey, QString(), o.root, o.path))
        return rc;
    if (int32_t rc = loadHive(o.hive))
        return rc;
    o.key = navigate(o.hive, o.root, o.path);
    return o.key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// The name of the item at an index of an enumeration, when it fits a buffer
// of cch characters with its terminating zero.
template <class Items> int32_t nameAt(const Items& items, int32_t index, int32_t cch, QString& name) {
    if (index < 0 || index >= static_cast<int32_t>(items.size()))
        return ERROR_NO_MORE_ITEMS;
    const QString& found = items[static_cast<size_t>(index)].name;
    if (found.size() >= cch)
        return ERROR_MORE_DATA;
    name = found;
    return ERROR_SUCCESS;
}

// The start-up list -------------------------------------------------------

bool isRunKey(int32_t root, const QStringList& path) {
    static const QStringList run = splitPath(kRunKey);
    if ((root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE) || path.size() != run.size())
        return false;
    for (int i = 0; i < run.size(); ++i)
        if (!sameName(path[i], run[i]))
            return false;
    return true;
}

QString valueText(const RegValue& v) {
    QByteArray bytes = v.data;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = FromAnsi(bytes);
    return v.type == REG_EXPAND_SZ ? ExpandEnvironmentStrings(text) : text;
}

// Makes the desktop's entry for a start-up name match the registry: the
// current user's command first, then the machine's, or no entry.
int32_t syncAutostart(Hive& hive, const QString& name) {
    static const QStringList run = splitPath(kRunKey);
    for (int32_t root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegKey* key = navigate(hive, root, run);
        RegValue* v = key ? findValue(*key, name) : nullptr;
        if (!v || (v->type != REG_SZ && v->type != REG_EXPAND_SZ))
            continue;
        const QString command = valueText(*v);
        if (command.trimmed().isEmpty())
            continue;
        return WriteAutostartEntry(v->name, command) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
    }
    return RemoveAutostartEntry(name) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

// Saves the registry after a value of the opened key changed, and keeps the
// desktop's start-up entry for it in step.
int32_t saveValueChange(Opened& o, const QString& name) {
    if (int32_t rc = saveHive(o.hive))
        return rc;
    return isRunKey(o.root, o.path) ? syncAutostart(o.hive, name) : ERROR_SUCCESS;
}

} // namespace

QString RegistryFile() {
    return UserConfigFolder() + QStringLiteral("/veltrane-registry.json");
}

int32_t RegOpenKeyEx(int32_t hKey, const QString& lpSubKey, int32_t, int32_t, int32_t& phkResult) {
    phkResult = 0;
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    const QStringList sub = splitPath(lpSubKey);
    if (!navigate(o.hive, o.root, o.path + sub))
        return ERROR_FILE_NOT_FOUND;
    phkResult = newHandle(o.root, o.path + sub);
    return ERROR_SUCCESS;
}

int32_t RegCreateKeyEx(int32_t hKey, const QString& lpSubKey, const QString&, int32_t, int32_t, int32_t& phkResult) {
    phkResult = 0;
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    bool created = false;
    RegKey* key = o.key;
    for (const QString& part : splitPath(lpSubKey)) {
        RegKey* child = findChild(*key, part);
        if (!child) {
            auto at = std::find_if(key->keys.begin(), key->keys.end(),
                                   [&part](const RegKey& k) { return k.name.compare(part, Qt::CaseInsensitive) > 0; });
            child = &*key->keys.insert(at, RegKey{part, {}, {}});
            created = true;
        }
        key = child;
    }
    if (created)
        if (int32_t rc = saveHive(o.hive))
            return rc;
    phkResult = newHandle(o.root, o.path + splitPath(lpSubKey));
    return ERROR_SUCCESS;
}

int32_t RegCloseKey(int32_t hKey) {
    if (isRoot(hKey))
        return ERROR_SUCCESS;
    return handles().erase(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

int32_t RegQueryValueEx(int32_t hKey, const QString& lpValueName, int32_t& lpType, QByteArray& lpData) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    const RegValue* v = findValue(*o.key, lpValueName);
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    lpType = v->type;
    lpData = v->data;
    return ERROR_SUCCESS;
}

int32_t RegSetValueEx(int32_t hKey, const QString& lpValueName, int32_t dwType, const QByteArray& lpData) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    RegValue* v = findValue(*o.key, lpValueName);
    if (!v) {
        o.key->values.push_back({lpValueName, dwType, lpData});
        v = &o.key->values.back();
    }
    v->type = dwType;
    v->data = lpData;
    return saveValueChange(o, v->name);
}

int32_t RegDeleteValue(int32_t hKey, const QString& lpValueName) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    RegValue* v = findValue(*o.key, lpValueName);
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    const QString name = v->name;
    o.key->values.erase(o.key->values.begin() + (v - o.key->values.data()));
    return saveValueChange(o, name);
}

int32_t RegDeleteKey(int32_t hKey, const QString& lpSubKey) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    const QStringList sub = splitPath(lpSubKey);
    if (sub.isEmpty())
        return ERROR_ACCESS_DENIED;
    RegKey* parent = navigate(o.hive, o.root, o.path + sub.mid(0, sub.size() - 1));
    RegKey* key = parent ? findChild(*parent, sub.back()) : nullptr;
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (!key->keys.empty())
        return ERROR_ACCESS_DENIED;
    QStringList names;
    for (const RegValue& v : key->values)
        names << v.name;
    parent->keys.erase(parent->keys.begin() + (key - parent->keys.data()));
    if (int32_t rc = saveHive(o.hive))
        return rc;
    int32_t rc = ERROR_SUCCESS;
    if (isRunKey(o.root, o.path + sub))
        for (const QString& name : names)
            if (int32_t r = syncAutostart(o.hive, name))
                rc = r;
    return rc;
}

int32_t RegEnumKey(int32_t hKey, int32_t dwIndex, QString& lpName, int32_t cchName) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    return nameAt(o.key->keys, dwIndex, cchName, lpName);
}

int32_t RegEnumValue(int32_t hKey, int32_t dwIndex, QString& lpValueName, int32_t cchValueName) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    return nameAt(o.key->values, dwIndex, cchValueName, lpValueName);
}

int32_t RegQueryInfoKey(int32_t hKey, RegKeyInfo& info) {
    Opened o;
    if (int32_t rc = openHandle(hKey, o))
        return rc;
    info = RegKeyInfo();
    info.subKeys = static_cast<int32_t>(o.key->keys.size());
    info.values = static_cast<int32_t>(o.key->values.size());
    for (const RegKey& k : o.key->keys)
        info.maxSubKeyLen = std::max(info.maxSubKeyLen, static_cast<int32_t>(k.name.size()));
    for (const RegValue& v : o.key->values) {
        info.maxValueNameLen = std::max(info.maxValueNameLen, static_cast<int32_t>(v.name.size()));
        info.maxValueLen = std::max(info.maxValueLen, static_cast<int32_t>(v.data.size()));
    }
    return ERROR_SUCCESS;
}

int32_t RegConnectRegistry(const QString& lpMachineName, int32_t hKey, int32_t& phkResult) {
    phkResult = 0;
    if (!lpMachineName.isEmpty())
        return ERROR_BAD_NETPATH;
    if (!isRoot(hKey))
        return ERROR_INVALID_HANDLE;
    phkResult = hKey;
    return ERROR_SUCCESS;
}

QString ExpandEnvironmentStrings(const QString& lpSrc) {
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    auto lookup = [&env](const QString& name, QString& value) {
        if (env.contains(name)) {
            value = env.value(name);
            return true;
        }
        // Windows names ignore case.
        for (const QString& key : env.keys())
            if (sameName(key, name)) {
                value = env.value(key);
                return true;
            }
        return false;
    };
    QString out;
    qsizetype i = 0;
    while (i < lpSrc.size()) {
        const qsizetype open = lpSrc.indexOf(QLatin1Char('%'), i);
        const qsizetype close = open < 0 ? -1 : lpSrc.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            out += lpSrc.mid(i);
            break;
        }
        out += lpSrc.mid(i, open - i);
        QString value;
        const QString name = lpSrc.mid(open + 1, close - open - 1);
        if (!name.isEmpty() && lookup(name, value)) {
            out += value;
            i = close + 1;
        } else {
            // Not a variable: the first "%" stays, the second may open one.
            out += lpSrc.mid(open, close - open);
            i = close;
        }
    }
    return out;
}

QString GetShortPathName(const QString& lpszLongPath) {
    return lpszLongPath;
}

} // namespace platform
