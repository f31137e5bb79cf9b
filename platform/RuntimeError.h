#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// A run-time error as the run time raises it: a number, the source
// that raised it and a description. Numbers below 1000 keep the run time's
// meaning and standard descriptions.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(long number, const QString& source, const QString& description);

    // A standard error with the run time's own description, e.g. 91 "Object
    // variable or With block variable not set".
    static RuntimeError fromNumber(long number, const QString& source = QString());
    static QString standardDescription(long number);

    long number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

private:
    long m_number;
    QString m_source;
    QString m_description;
};

} // namespace platform
