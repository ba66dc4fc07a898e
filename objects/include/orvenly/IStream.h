#pragma once

#include <QString>
#include <cstdint>

namespace orvenly {

class IPersist;

// A sequential stream of longs, strings and raw blocks that is either storing or loading.
// This base class does nothing; Archive is the real implementation.
class IStream {
public:
    virtual ~IStream() = default;

    virtual bool IsStoring() const;
    virtual bool IsLoading() const;
    virtual void WriteLong(int32_t dw);
    virtual int32_t ReadLong();
    virtual void WriteString(const QString& lpsz);
    virtual QString ReadString();
    virtual void WriteAny(const void* lpBuffer, int32_t Length);
    virtual void ReadAny(void* lpBuffer, int32_t Length);

    // Lets the object write itself to, or read itself from, this stream.
    bool SerializePersistableObject(IPersist& lpsr);
};

} // namespace orvenly
