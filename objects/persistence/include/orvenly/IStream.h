#pragma once

#include <QString>
#include <cstdint>

namespace orvenly {

class IPersist;

// A sequential stream of longs, strings and raw blocks that is either storing or loading.
// Archive is the file stream.
class IStream {
public:
    virtual ~IStream() = default;

    virtual bool IsStoring() const = 0;
    virtual bool IsLoading() const = 0;
    virtual void WriteLong(int32_t dw) = 0;
    virtual int32_t ReadLong() = 0;
    virtual void WriteString(const QString& lpsz) = 0;
    virtual QString ReadString() = 0;
    virtual void WriteAny(const void* lpBuffer, int32_t Length) = 0;
    virtual void ReadAny(void* lpBuffer, int32_t Length) = 0;

    // Lets the object write itself to, or read itself from, this stream.
    bool SerializePersistableObject(IPersist& lpsr);
};

} // namespace orvenly
