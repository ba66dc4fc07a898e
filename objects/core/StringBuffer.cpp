#include "orvenly/StringBuffer.h"

#include "orvenly/AutomationError.h"

#include <algorithm>
#include <limits>

namespace orvenly {

void StringBuffer::Allocate(int32_t GrawLength) {
    m_storage = QString();
    m_capacity = 0;
    m_length = 0;
    // The growth needs a positive step; anything else would never reach the needed size.
    m_growStep = GrawLength > 0 ? GrawLength : DefaultGrowStep;
}

void StringBuffer::Concat(const QString& CatString) {
    if (CatString.isEmpty())
        return;
    ensureCapacity(int64_t(m_length) + CatString.size());
    std::copy(CatString.cbegin(), CatString.cend(), m_storage.begin() + m_length);
    m_length += int32_t(CatString.size());
}

void StringBuffer::ensureCapacity(int64_t need) {
    if (m_capacity >= need)
        return;
    constexpr int64_t Limit = std::numeric_limits<int32_t>::max();
    if (need > Limit)
        throw AutomationError(errors::OutOfMemory);
    // Whole steps, computed at once rather than added one by one; only the last step below
    // the size limit may be cut short.
    const int64_t steps = (need - m_capacity + m_growStep - 1) / m_growStep;
    const int64_t capacity = std::min(m_capacity + steps * m_growStep, Limit);
    m_storage.resize(capacity, QChar(u'\0'));
    m_capacity = int32_t(capacity);
}

} // namespace orvenly
