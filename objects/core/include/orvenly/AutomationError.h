#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace orvenly {

// Error numbers of the automation convention, shared by every object of the libraries.
namespace errors {
inline constexpr int32_t InvalidArgument = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t PermissionDenied = 70;
inline constexpr int32_t ObjectNotSet = 91;
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t InvalidPropertyArrayIndex = 381;
inline constexpr int32_t PropertyCannotBeSet = 383;
inline constexpr int32_t DuplicateKey = 457;
inline constexpr int32_t InvalidObject = 35610;
inline constexpr int32_t ArchiveFirst = int32_t(0x800403E8u);
inline constexpr int32_t ArchiveSecond = int32_t(0x800403E9u);
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t DeviceIOError = 57;
inline constexpr int32_t InputPastEndOfFile = 62;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t InvalidFileFormat = 321;
} // namespace errors

// The one exception type of the system: a numbered error with its description and source.
class AutomationError : public std::runtime_error {
public:
    // An empty description takes the standard text for the number.
    explicit AutomationError(int32_t number, const QString& description = {},
                             const QString& source = {});

    int32_t number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }

    static QString standardDescription(int32_t number);

private:
    int32_t m_number;
    QString m_description;
    QString m_source;
};

} // namespace orvenly
