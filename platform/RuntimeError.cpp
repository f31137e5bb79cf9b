#include "platform/RuntimeError.h"

namespace platform {

RuntimeError::RuntimeError(long number, const QString& source, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_source(source), m_description(description) {}

QString RuntimeError::standardDescription(long number) {
    switch (number) {
    case 3:
        return QStringLiteral("Return without GoSub");
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 11:
        return QStringLiteral("Division by zero");
    case 13:
        return QStringLiteral("Type mismatch");
    case 35:
        return QStringLiteral("Sub or Function not defined");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 54:
        return QStringLiteral("Bad file mode");
    case 55:
        return QStringLiteral("File already open");
    case 57:
        return QStringLiteral("Device I/O error");
    case 58:
        return QStringLiteral("File already exists");
    case 61:
        return QStringLiteral("Disk full");
    case 62:
        return QStringLiteral("Input past end of file");
    case 67:
        return QStringLiteral("Too many files");
    case 68:
        return QStringLiteral("Device unavailable");
    case 70:
        return QStringLiteral("Permission denied");
    case 71:
        return QStringLiteral("Disk not ready");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 91:
        return QStringLiteral("Object variable or With block variable not set");
    case 94:
        return QStringLiteral("Invalid use of Null");
    case 380:
        return QStringLiteral("Invalid property value");
    case 381:
        return QStringLiteral("Invalid property array index");
    case 382:
        return QStringLiteral("Set not supported at runtime");
    case 383:
        return QStringLiteral("Set not supported (read-only property)");
    case 387:
        return QStringLiteral("Set not permitted");
    case 393:
        return QStringLiteral("Get not supported at runtime");
    case 394:
        return QStringLiteral("Get not supported (write-only property)");
    case 424:
        return QStringLiteral("Object required");
    case 438:
        return QStringLiteral("Object doesn't support this property or method");
    case 445:
        return QStringLiteral("Object doesn't support this action");
    case 481:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError RuntimeError::fromNumber(long number, const QString& source) {
    return RuntimeError(number, source.isEmpty() ? QStringLiteral("Veltrane") : source, standardDescription(number));
}

} // namespace platform
