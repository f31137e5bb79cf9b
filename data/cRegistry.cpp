#include "data/cRegistry.h"

#include "data/mGeneralFunctions.h"
#include "platform/ObjectError.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QFileInfo>

using platform::Variant;

namespace {

// Closes the key it holds when the operation ends, however it ends.
struct KeyHandle {
    int32_t h = 0;
    KeyHandle() = default;
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (h)
            platform::RegCloseKey(h);
    }
};

const long kRegistryError = 26001;

QByteArray littleEndian(int32_t value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

int32_t fromLittleEndian(const QByteArray& data) {
    uint32_t v = 0;
    for (int i = 0; i < 4 && i < data.size(); ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return static_cast<int32_t>(v);
}

// A text with two percent signs at least two characters apart names an
// environment variable, and is stored to be expanded when read.
bool looksExpandable(const QString& text) {
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

} // namespace

void cRegistry::setMachine(const QString& sMachine) {
    if (sMachine.size() < 3)
        m_machine.clear();
    else
        m_machine = sMachine.startsWith(QStringLiteral("\\\\")) ? sMachine : QStringLiteral("\\\\") + sMachine;
}

void cRegistry::raise(long number, const QString& description) const {
    const QString exe = QFileInfo(platform::ExecutablePath()).completeBaseName();
    throw platform::RuntimeError(number, exe + QStringLiteral(".cRegistry"), description);
}

QString cRegistry::keyText() const {
    return QString::number(m_classKey) + QStringLiteral("',Section: '") + m_sectionKey;
}

QString cRegistry::setValueError(const Variant& value) const {
    return QStringLiteral("Failed to set registry value Key: '") + keyText() + QStringLiteral("',Key: '") + m_valueKey +
           QStringLiteral("' to value: '") + value.toString() + QStringLiteral("'");
}

bool cRegistry::connectedRoot(int32_t& root) const {
    root = m_classKey;
    if (m_machine.isEmpty())
        return true;
    return platform::RegConnectRegistry(m_machine, m_classKey, root) == platform::ERROR_SUCCESS;
}

bool cRegistry::KeyExists() {
    KeyHandle key;
    return platform::RegOpenKeyEx(m_classKey, m_sectionKey, 0, platform::KEY_QUERY_VALUE, key.h) ==
           platform::ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
    KeyHandle key;
    if (platform::RegCreateKeyEx(m_classKey, m_sectionKey, QString(), 0, platform::KEY_ALL_ACCESS, key.h) !=
        platform::ERROR_SUCCESS)
        raise(kRegistryError, QStringLiteral("Failed to create registry Key: '") + m_sectionKey);
    return true;
}

bool cRegistry::DeleteKey() {
    if (platform::RegDeleteKey(m_classKey, m_sectionKey) != platform::ERROR_SUCCESS)
        raise(kRegistryError, QStringLiteral("Failed to delete registry Key: '") + keyText());
    return true;
}

bool cRegistry::DeleteValue() {
    KeyHandle key;
    if (platform::RegOpenKeyEx(m_classKey, m_sectionKey, 0, platform::KEY_ALL_ACCESS, key.h) != platform::ERROR_SUCCESS)
        raise(kRegistryError,
              QStringLiteral("Failed to open key '") + keyText() + QStringLiteral("' for delete access"));
    if (platform::RegDeleteValue(key.h, m_valueKey) != platform::ERROR_SUCCESS)
        raise(kRegistryError,
              QStringLiteral("Failed to delete registry Key: '") + keyText() + QStringLiteral("',Key: '") + m_valueKey);
    return true;
}

Variant cRegistry::Value() {
    int32_t root = 0;
    if (!connectedRoot(root))
        return m_default;
    KeyHandle key;
    if (platform::RegOpenKeyEx(root, m_sectionKey, 0, platform::KEY_QUERY_VALUE, key.h) != platform::ERROR_SUCCESS)
        return m_default;
    int32_t type = 0;
    QByteArray data;
    const int32_t rc = platform::RegQueryValueEx(key.h, m_valueKey, type, data);
    if (rc != platform::ERROR_SUCCESS && rc != platform::ERROR_MORE_DATA)
        return m_default;
    m_valueType = type;
    switch (type) {
    case platform::REG_SZ:
    case platform::REG_MULTI_SZ:
        // Without the final terminating zero; a multi-string keeps the zeros
        // between its parts.
        return Variant(platform::FromAnsi(data.left(data.isEmpty() ? 0 : data.size() - 1)));
    case platform::REG_EXPAND_SZ:
        return Variant(ExpandEnvStr(platform::FromAnsi(data.left(data.isEmpty() ? 0 : data.size() - 1))));
    case platform::REG_DWORD:
        return Variant::fromLong(fromLittleEndian(data));
    case platform::REG_DWORD_BIG_ENDIAN:
        return Variant::fromLong(SwapEndian(fromLittleEndian(data)));
    default:
        return Variant(data);
    }
}

void cRegistry::setValue(const Variant& vValue) {
    int32_t root = 0;
    if (!connectedRoot(root))
        return;
    KeyHandle key;
    if (platform::RegCreateKeyEx(root, m_sectionKey, QString(), 0, platform::KEY_ALL_ACCESS, key.h) !=
        platform::ERROR_SUCCESS)
        raise(kRegistryError, setValueError(vValue));
    int32_t rc = 13;
    switch (m_valueType) {
    case platform::REG_SZ:
    case platform::REG_EXPAND_SZ: {
        const QString text = vValue.toString();
        rc = platform::RegSetValueEx(key.h, m_valueKey,
                                     looksExpandable(text) ? platform::REG_EXPAND_SZ : platform::REG_SZ,
                                     platform::ToAnsi(text) + '\0');
        break;
    }
    case platform::REG_BINARY:
        if (vValue.kind() != Variant::ByteArray)
            raise(kRegistryError, platform::RuntimeError::standardDescription(kRegistryError));
        rc = platform::RegSetValueEx(key.h, m_valueKey, platform::REG_BINARY, vValue.toByteArray());
        break;
    case platform::REG_DWORD:
    case platform::REG_DWORD_BIG_ENDIAN:
        // Only whole numbers are written; anything else is let go unreported.
        if (!vValue.isNumeric())
            return;
        rc = platform::RegSetValueEx(key.h, m_valueKey, platform::REG_DWORD, littleEndian(vValue.toLong()));
        break;
    default:
        break;
    }
    if (rc != platform::ERROR_SUCCESS)
        raise(platform::kUserErrorBase + 27049, setValueError(vValue));
}

bool cRegistry::EnumerateValues(QStringList& sKeyNames, int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.clear();
    KeyHandle key;
    if (platform::RegOpenKeyEx(m_classKey, m_sectionKey, 0, platform::KEY_QUERY_VALUE, key.h) !=
        platform::ERROR_SUCCESS)
        return true;
    platform::RegKeyInfo info;
    platform::RegQueryInfoKey(key.h, info);
    const int32_t buffer = std::max(1, info.maxValueNameLen + 1);
    for (int32_t index = 0;; ++index) {
        QString name;
        if (platform::RegEnumValue(key.h, index, name, buffer) != platform::ERROR_SUCCESS)
            break;
        sKeyNames << name;
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(QStringList& sSect, int32_t& iSectCount) {
    iSectCount = 0;
    sSect.clear();
    KeyHandle key;
    try {
        platform::RegOpenKeyEx(m_classKey, m_sectionKey, 0, platform::KEY_ENUMERATE_SUB_KEYS, key.h);
        for (int32_t index = 0;; ++index) {
            QString name;
            if (platform::RegEnumKey(key.h, index, name, 255) != platform::ERROR_SUCCESS)
                break;
            sSect << name.left(name.indexOf(QChar(0)));
            ++iSectCount;
        }
    } catch (const platform::RuntimeError& err) {
        raise(platform::kUserErrorBase + 27050, err.description());
    }
    return true;
}

void cRegistry::ClassesRootKey(const QString& text) {
    m_classKey = platform::HKEY_CLASSES_ROOT;
    setValue(text);
    const QString section = m_sectionKey;
    m_classKey = platform::HKEY_LOCAL_MACHINE;
    m_sectionKey = QStringLiteral("SOFTWARE\\Classes\\") + section;
    setValue(text);
    m_sectionKey = section;
}

void cRegistry::CreateEXEAssociation(const QString& sExePath, const QString& sClassName,
                                     const QString& sClassDescription, const QString& sAssociation,
                                     const QString& sOpenMenuText, bool bSupportPrint, const QString& sPrintMenuText,
                                     bool bSupportNew, const QString& sNewMenuText, bool bSupportInstall,
                                     const QString& sInstallMenuText, int32_t lDefaultIconIndex) {
    QString path = platform::TrimSpaces(sExePath);
    if (!path.startsWith(QLatin1Char('"')))
        path.prepend(QLatin1Char('"'));
    if (!path.endsWith(QLatin1Char('"')))
        path.append(QLatin1Char('"'));
    m_valueType = platform::REG_SZ;
    m_valueKey.clear();
    auto write = [this](const QString& section, const QString& text) {
        m_sectionKey = section;
        ClassesRootKey(text);
    };
    auto verb = [&](const QString& name, const QString& menuText, const QString& command) {
        write(sClassName + QStringLiteral("\\shell\\") + name, menuText);
        write(sClassName + QStringLiteral("\\shell\\") + name + QStringLiteral("\\command"), command);
    };
    write(QLatin1Char('.') + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    verb(QStringLiteral("open"), sOpenMenuText.isEmpty() ? QStringLiteral("&Open") : sOpenMenuText,
         path + QStringLiteral(" \"%1\""));
    if (bSupportPrint)
        verb(QStringLiteral("print"), sPrintMenuText.isEmpty() ? QStringLiteral("&Print") : sPrintMenuText,
             path + QStringLiteral(" /p \"%1\""));
    if (bSupportInstall)
        verb(QStringLiteral("add"),
             sInstallMenuText.isEmpty() ? QStringLiteral("&Install ") + sAssociation : sInstallMenuText,
             path + QStringLiteral(" /a \"%1\""));
    if (bSupportNew)
        verb(QStringLiteral("new"), sNewMenuText.isEmpty() ? QStringLiteral("&New") : sNewMenuText,
             path + QStringLiteral(" /n \"%1\""));
    if (lDefaultIconIndex > -1)
        write(sClassName + QStringLiteral("\\DefaultIcon"),
              path + QLatin1Char(',') + QString::number(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const QString& sClassName, const std::vector<Variant>& vItems) {
    if (vItems.size() % 3 != 0)
        raise(platform::kUserErrorBase + 27052,
              QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                             "Name/Text/Command"));
    m_classKey = platform::HKEY_CLASSES_ROOT;
    m_sectionKey = sClassName;
    if (!KeyExists())
        raise(platform::kUserErrorBase + 27053,
              QStringLiteral("Error - attempt to create additional associations before class defined."));
    m_valueType = platform::REG_SZ;
    m_valueKey.clear();
    for (size_t i = 0; i + 2 < vItems.size(); i += 3) {
        const QString verbKey = sClassName + QStringLiteral("\\shell\\") + vItems[i].toString();
        m_sectionKey = verbKey;
        ClassesRootKey(vItems[i + 1].toString());
        m_sectionKey = verbKey + QStringLiteral("\\command");
        ClassesRootKey(vItems[i + 2].toString());
    }
}

void cRegistry::CreateWinStartup(const QString& sAppName, const QString& sAppPath, bool bRemove) {
    if (!mGeneralFunctions::FileExists(sAppPath))
        return;
    m_classKey = platform::HKEY_CURRENT_USER;
    m_sectionKey = platform::kRunKey;
    m_valueKey = sAppName;
    m_valueType = platform::REG_SZ;
    try {
        if (bRemove)
            DeleteValue();
        else
            setValue(ShortPath(sAppPath));
    } catch (const platform::RuntimeError&) {
        // The start-up entry is a convenience; failing to change it is not
        // reported.
    }
}

Variant cRegistry::ValueEx(int32_t eClassKey, const QString& sSectionKey, const QString& sValueKey, int32_t eValueType,
                           const Variant& vDefault) {
    m_classKey = eClassKey;
    m_sectionKey = sSectionKey;
    m_valueKey = sValueKey;
    m_valueType = eValueType;
    m_default = vDefault;
    return Value();
}

void cRegistry::setValueEx(int32_t eClassKey, const QString& sSectionKey, const QString& sValueKey, int32_t eValueType,
                           const Variant& vDefault, const Variant& NewValue) {
    m_classKey = eClassKey;
    m_sectionKey = sSectionKey;
    m_valueKey = sValueKey;
    m_valueType = eValueType;
    m_default = vDefault;
    if (m_valueType == platform::REG_SZ && NewValue.toString().isEmpty())
        setValue(m_default);
    else
        setValue(NewValue);
}

int32_t cRegistry::SwapEndian(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24));
}

QString cRegistry::ExpandEnvStr(const QString& text) {
    return platform::ExpandEnvironmentStrings(text);
}

QString cRegistry::ShortPath(const QString& path) {
    return platform::GetShortPathName(path);
}
