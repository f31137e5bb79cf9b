#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

namespace platform {

// The saved settings of a control on its host form. A value equal to its
// default is not written, so a control reading it back gets the default.
class PropertyBag {
public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = QVariant()) const;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = QVariant());

    bool contains(const QString& name) const { return m_values.contains(name.toLower()); }
    int count() const { return static_cast<int>(m_values.size()); }
    void clear() { m_values.clear(); }

private:
    QMap<QString, QVariant> m_values; // keyed by lower-case name: keys match without regard to case
};

// The ambient design-mode flag of a control's host. The organiser only ever
// runs its forms, so this is always run mode.
inline bool AmbientUserMode() {
    return true;
}

} // namespace platform
