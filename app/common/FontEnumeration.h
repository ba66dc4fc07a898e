#pragma once

#include "orvenly/KeyedCollection.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace penlark {

// One installed font face. Outline faces (TrueType) carry no sizes; the others list the point
// sizes the host has for them, ascending, equal sizes kept.
class FontInfo {
public:
    QString FaceName;
    bool TrueType = false;
    bool Fixed = false;
    int32_t SizeCount = 0;

    // Size Index (1-based) in points; error 381 outside 1..SizeCount.
    float Size(int32_t Index) const;

private:
    friend class FontList;

    void InitFont(const QString& name, float size, bool trueType, bool fixed);
    void AddSize(float size);

    std::vector<float> m_sizes;
};

// One face in one size as the host reports it.
struct FontReport {
    QString faceName;
    float pointSize = 0;
    bool trueType = false;
    bool fixed = false;
};

using FontCollection = orvenly::KeyedCollection<std::shared_ptr<FontInfo>>;

// The installed faces that can show Japanese, only the fixed-pitch ones when FixedOnly, as
// unkeyed members sorted by face name. Needs a QGuiApplication.
FontCollection EnumerateFonts(bool FixedOnly);

// As above, over the given reports instead of the installed fonts.
FontCollection EnumerateFonts(bool FixedOnly, const std::vector<FontReport>& reports);

// The installed faces with Japanese script support, one report per bitmap size.
std::vector<FontReport> InstalledJapaneseFonts();

} // namespace penlark
