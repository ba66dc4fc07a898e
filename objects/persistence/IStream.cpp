#include "orvenly/IStream.h"

#include "orvenly/IPersist.h"

namespace orvenly {

bool IStream::SerializePersistableObject(IPersist& lpsr) {
    return lpsr.Serialize(*this);
}

} // namespace orvenly
