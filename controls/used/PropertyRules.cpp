#include "PropertyRules.h"

#include "orvenly/AutomationError.h"

namespace tamsell {

void requireValid(bool condition) {
    if (!condition)
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
}

} // namespace tamsell
