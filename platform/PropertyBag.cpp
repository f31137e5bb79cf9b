#include "platform/PropertyBag.h"

namespace platform {

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    auto it = m_values.find(name.toLower());
    return it == m_values.end() ? defaultValue : it.value();
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
    if (defaultValue.isValid() && value == defaultValue) {
        m_values.remove(name.toLower());
        return;
    }
    m_values.insert(name.toLower(), value);
}

} // namespace platform
