#include "NumberFormat.h"
#include "tamsell/ProgressBar.h"

namespace tamsell {

QString ProgressBar::Caption() const {
    const double span = double(m_range.span());
    const double done = double(m_range.done());
    const bool plain = m_formatString.isEmpty();
    switch (m_notation) {
    case pbrParcentage:
        return plain ? formatNumber(done / span, QStringLiteral("##0%"))
                     : formatNumber(done * 100 / span, m_formatString);
    case pbrValue:
        return plain ? QString::number(m_range.value) : formatNumber(m_range.value, m_formatString);
    case pbrRatio:
        return formatNumber(done / span, plain ? QStringLiteral("Standard") : m_formatString);
    case pbrHide:
        break;
    }
    return m_formatString;
}

} // namespace tamsell
