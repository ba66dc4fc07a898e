#include "orvenly/IStream.h"

#include "orvenly/IPersist.h"

namespace orvenly {

bool IStream::IsStoring() const {
    return false;
}

bool IStream::IsLoading() const {
    return false;
}

void IStream::WriteLong(int32_t) {}

int32_t IStream::ReadLong() {
    return 0;
}

void IStream::WriteString(const QString&) {}

QString IStream::ReadString() {
    return {};
}

void IStream::WriteAny(const void*, int32_t) {}

void IStream::ReadAny(void*, int32_t) {}

bool IStream::SerializePersistableObject(IPersist& lpsr) {
    return lpsr.Serialize(*this);
}

} // namespace orvenly
