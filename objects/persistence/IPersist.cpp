#include "orvenly/IPersist.h"

namespace orvenly {

bool IPersist::Serialize(IStream&) {
    return false;
}

bool IPersist::Load(IRegister&) {
    return false;
}

bool IPersist::Save(IRegister&) {
    return false;
}

} // namespace orvenly
