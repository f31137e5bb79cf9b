#pragma once

#include "platform/Variant.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// Reads, writes, creates, deletes and lists registry keys and values. One
// object addresses one value through ClassKey, SectionKey, ValueKey and
// ValueType, set before its methods and Value are used. Failures are raised
// as run-time errors with the source "<executable>.cRegistry".
class cRegistry {
public:
    QString Machine() const { return m_machine; }
    // Another computer as "\\name"; fewer than 3 characters means this one.
    void setMachine(const QString& sMachine);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    // Default when the value cannot be read; a read also sets ValueType to
    // the type found.
    platform::Variant Value();
    void setValue(const platform::Variant& vValue);

    // Names fill sKeyNames from index 0, in the registry's order.
    bool EnumerateValues(QStringList& sKeyNames, int32_t& iKeyCount);
    bool EnumerateSections(QStringList& sSect, int32_t& iSectCount);

    void CreateEXEAssociation(const QString& sExePath, const QString& sClassName, const QString& sClassDescription,
                              const QString& sAssociation, const QString& sOpenMenuText = QString(),
                              bool bSupportPrint = false, const QString& sPrintMenuText = QString(),
                              bool bSupportNew = false, const QString& sNewMenuText = QString(),
                              bool bSupportInstall = false, const QString& sInstallMenuText = QString(),
                              int32_t lDefaultIconIndex = -1);
    void CreateWinStartup(const QString& sAppName, const QString& sAppPath, bool bRemove = false);
    // vItems come in threes: verb name, menu text, command.
    void CreateAdditionalEXEAssociations(const QString& sClassName, const std::vector<platform::Variant>& vItems);

    int32_t ValueType() const { return m_valueType; }
    void setValueType(int32_t eValueType) { m_valueType = eValueType; }
    int32_t ClassKey() const { return m_classKey; }
    void setClassKey(int32_t eKey) { m_classKey = eKey; }
    QString SectionKey() const { return m_sectionKey; }
    void setSectionKey(const QString& sSectionKey) { m_sectionKey = sSectionKey; }
    QString ValueKey() const { return m_valueKey; }
    void setValueKey(const QString& sValueKey) { m_valueKey = sValueKey; }
    platform::Variant Default() const { return m_default; }
    void setDefault(const platform::Variant& vDefault) { m_default = vDefault; }

    platform::Variant ValueEx(int32_t eClassKey, const QString& sSectionKey, const QString& sValueKey,
                              int32_t eValueType, const platform::Variant& vDefault);
    // Writes vDefault instead when the type is REG_SZ and NewValue is empty.
    void setValueEx(int32_t eClassKey, const QString& sSectionKey, const QString& sValueKey, int32_t eValueType,
                    const platform::Variant& vDefault, const platform::Variant& NewValue);

private:
    void ClassesRootKey(const QString& text);
    static int32_t SwapEndian(int32_t value);
    static QString ExpandEnvStr(const QString& text);
    static QString ShortPath(const QString& path);

    [[noreturn]] void raise(long number, const QString& description) const;
    QString keyText() const;
    QString setValueError(const platform::Variant& value) const;
    // The root to use for Value: this computer's, or the other machine's
    // when the connection succeeds.
    bool connectedRoot(int32_t& root) const;

    int32_t m_classKey = 0;
    QString m_sectionKey;
    QString m_valueKey;
    int32_t m_valueType = 0;
    platform::Variant m_default;
    QString m_machine;
};
