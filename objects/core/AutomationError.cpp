#include "orvenly/AutomationError.h"

#include <QHash>

namespace orvenly {

namespace {

QString resolvedDescription(int32_t number, const QString& description) {
    return description.isEmpty() ? AutomationError::standardDescription(number) : description;
}

// Object-defined codes (high bit set) read best in hexadecimal, as they are documented.
std::string whatText(int32_t number, const QString& description) {
    const QString shown =
        number < 0 ? QStringLiteral("0x") + QString::number(uint32_t(number), 16).toUpper()
                   : QString::number(number);
    return QStringLiteral("error %1: %2").arg(shown, description).toStdString();
}

} // namespace

AutomationError::AutomationError(int32_t number, const QString& description, const QString& source)
    : std::runtime_error(whatText(number, resolvedDescription(number, description))),
      m_number(number), m_description(resolvedDescription(number, description)), m_source(source) {}

QString AutomationError::standardDescription(int32_t number) {
    static const QHash<int32_t, QString> texts{
        {errors::InvalidArgument, QStringLiteral("Invalid procedure call or argument")},
        {errors::Overflow, QStringLiteral("Overflow")},
        {errors::OutOfMemory, QStringLiteral("Out of memory")},
        {errors::SubscriptOutOfRange, QStringLiteral("Subscript out of range")},
        {errors::TypeMismatch, QStringLiteral("Type mismatch")},
        {errors::FileNotFound, QStringLiteral("File not found")},
        {errors::DeviceIOError, QStringLiteral("Device I/O error")},
        {errors::InputPastEndOfFile, QStringLiteral("Input past end of file")},
        {errors::PermissionDenied, QStringLiteral("Permission denied")},
        {errors::PathFileAccessError, QStringLiteral("Path/File access error")},
        {errors::InvalidFileFormat, QStringLiteral("Invalid file format")},
        {errors::ObjectNotSet, QStringLiteral("Object variable or With block variable not set")},
        {errors::InvalidUseOfNull, QStringLiteral("Invalid use of Null")},
        {errors::InvalidPropertyValue, QStringLiteral("Invalid property value")},
        {errors::InvalidPropertyArrayIndex, QStringLiteral("Invalid property array index")},
        {errors::PropertyCannotBeSet, QStringLiteral("Property cannot be set")},
        {errors::DuplicateKey,
         QStringLiteral("This key is already associated with an element of this collection")},
    };
    return texts.value(number, QStringLiteral("Application-defined or object-defined error"));
}

} // namespace orvenly
