#pragma once

#include <QString>
#include <cstdint>

namespace orvenly {

// A growable string builder. Storage is reserved in whole grow steps so that long runs of
// small appends do not reallocate each time.
class StringBuffer {
public:
    static constexpr int32_t DefaultGrowStep = 4096;

    // Empties the buffer and sets the grow step; a step of zero or less means the default.
    void Allocate(int32_t GrawLength);
    // Appends; an empty string changes nothing. Content beyond 2^31-1 characters raises
    // error 7 (out of memory).
    void Concat(const QString& CatString);

    QString Value() const { return m_storage.left(m_length); }
    int32_t Length() const { return m_length; }
    // Characters the content may reach before the storage grows again.
    int32_t Capacity() const { return m_capacity; }

private:
    void ensureCapacity(int64_t need);

    QString m_storage;
    int32_t m_growStep = DefaultGrowStep;
    int32_t m_capacity = 0;
    int32_t m_length = 0;
};

} // namespace orvenly
