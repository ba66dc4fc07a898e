#include "common/FontEnumeration.h"

#include "orvenly/AutomationError.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <utility>

namespace penlark {

float FontInfo::Size(int32_t Index) const {
    if (Index < 1 || Index > SizeCount)
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyArrayIndex);
    return m_sizes[size_t(Index - 1)];
}

void FontInfo::InitFont(const QString& name, float size, bool trueType, bool fixed) {
    FaceName = name;
    TrueType = trueType;
    Fixed = fixed;
    SizeCount = 0;
    m_sizes.clear();
    if (!trueType)
        AddSize(size);
}

void FontInfo::AddSize(float size) {
    // After the sizes equal to it, so that equal sizes keep the order they came in.
    const auto at = std::upper_bound(m_sizes.begin(), m_sizes.end(), size);
    m_sizes.insert(at, size);
    SizeCount = int32_t(m_sizes.size());
}

// The working list of one enumeration.
class FontList {
public:
    explicit FontList(bool fixedOnly) : m_fixedOnly(fixedOnly) {}

    void add(const FontReport& report) {
        if (m_fixedOnly && !report.fixed)
            return;
        const auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto& font) {
            return font->FaceName == report.faceName;
        });
        if (found != m_fonts.end()) {
            if (!(*found)->TrueType)
                (*found)->AddSize(report.pointSize);
            return;
        }
        auto font = std::make_shared<FontInfo>();
        font->InitFont(report.faceName, report.pointSize, report.trueType, report.fixed);
        m_fonts.push_back(std::move(font));
    }

    // Shell sort by face name with the gaps ..., 40, 13, 4, 1.
    void sort() {
        const size_t n = m_fonts.size();
        size_t gap = 1;
        while (gap + 1 <= n)
            gap = 3 * gap + 1;
        for (gap /= 3; gap > 0; gap /= 3) {
            for (size_t i = gap; i < n; ++i) {
                std::shared_ptr<FontInfo> moving = std::move(m_fonts[i]);
                size_t j = i;
                for (; j >= gap && m_fonts[j - gap]->FaceName > moving->FaceName; j -= gap)
                    m_fonts[j] = std::move(m_fonts[j - gap]);
                m_fonts[j] = std::move(moving);
            }
        }
    }

    FontCollection take() {
        FontCollection fonts;
        for (auto& font : m_fonts)
            fonts.Add(std::move(font));
        m_fonts.clear();
        return fonts;
    }

private:
    bool m_fixedOnly;
    std::vector<std::shared_ptr<FontInfo>> m_fonts;
};

namespace {

// Japanese faces whose Latin half is monospaced often call themselves dual-width rather than
// fixed-pitch; an editor takes them as fixed, so their widths decide.
bool hasFixedPitch(const QString& family) {
    if (QFontDatabase::isFixedPitch(family))
        return true;
    QFont font(family);
    font.setPixelSize(32);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(u'M');
    for (const char16_t ch : u"il0W.")
        if (ch != 0 && metrics.horizontalAdvance(QChar(ch)) != width)
            return false;
    return width > 0;
}

} // namespace

FontCollection EnumerateFonts(bool FixedOnly, const std::vector<FontReport>& reports) {
    FontList list(FixedOnly);
    for (const FontReport& report : reports)
        list.add(report);
    list.sort();
    return list.take();
}

FontCollection EnumerateFonts(bool FixedOnly) {
    return EnumerateFonts(FixedOnly, InstalledJapaneseFonts());
}

std::vector<FontReport> InstalledJapaneseFonts() {
    std::vector<FontReport> reports;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const bool fixed = hasFixedPitch(family);
        if (QFontDatabase::isSmoothlyScalable(family)) {
            reports.push_back({family, 0, true, fixed});
            continue;
        }
        // A bitmap face is reported once for each size it has.
        const QList<int> sizes = QFontDatabase::pointSizes(family);
        for (int size : sizes)
            reports.push_back({family, float(size), false, fixed});
        if (sizes.isEmpty())
            reports.push_back({family, 0, false, fixed});
    }
    return reports;
}

} // namespace penlark
