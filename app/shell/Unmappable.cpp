#include "Unmappable.h"

#include <platform/Cp932.h>

#include <QChar>
#include <array>
#include <cstdint>
#include <vector>

namespace penlark {

using namespace orvenly;

namespace {

enum class Fit : uint8_t { Unknown, Kept, Lost };

// Code page 932 codes from lead byte 0xF0 on (user-defined and IBM characters) lie beyond the
// 94 rows that EUC-JP and JIS have room for; their bytes would be invalid there.
constexpr uint8_t FirstLeadBeyondRows = 0xF0;

bool survives(char16_t ch, StringCharsetTypeConstants charset) {
    const QString alone(QChar{ch});
    if ((charset == SCS_JIS || charset == SCS_EUC) &&
        platform::cp932::encodeChar(ch) >> 8 >= FirstLeadBeyondRows)
        return false;
    const StringConversion& conversion = StringConversion::instance();
    switch (charset) {
    case SCS_JIS:
        // The half-width katakana filter changes characters by choice, not by loss.
        return conversion.JisToUnicode(
                   QByteArrayView(conversion.UnicodeToJisBytes(alone, false))) == alone;
    case SCS_EUC:
        return conversion.EucToUnicode(conversion.UnicodeToEuc(alone)) == alone;
    default:
        return platform::cp932::decode(platform::cp932::encode(alone)) == alone;
    }
}

// What becomes of each UTF-16 unit, found out once per unit and charset.
class FitTable {
public:
    explicit FitTable(StringCharsetTypeConstants charset) : m_charset(charset) {}

    bool lost(char16_t ch) {
        Fit& fit = m_fits[ch];
        if (fit == Fit::Unknown)
            fit = !QChar::isSurrogate(ch) && survives(ch, m_charset) ? Fit::Kept : Fit::Lost;
        return fit == Fit::Lost;
    }

private:
    StringCharsetTypeConstants m_charset;
    std::vector<Fit> m_fits = std::vector<Fit>(0x10000, Fit::Unknown);
};

FitTable& tableFor(StringCharsetTypeConstants charset) {
    static std::array<FitTable, 3> tables{FitTable(SCS_SHIFTJIS), FitTable(SCS_JIS),
                                          FitTable(SCS_EUC)};
    switch (charset) {
    case SCS_JIS:
        return tables[1];
    case SCS_EUC:
        return tables[2];
    default:
        return tables[0];
    }
}

// Calls lost(position, length) for each character the charset cannot hold.
template <typename Lost>
void forEachLost(QStringView text, StringCharsetTypeConstants charset, Lost lost) {
    FitTable& table = tableFor(charset);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (!table.lost(ch))
            continue;
        const bool pair = QChar::isHighSurrogate(ch) && i + 1 < n && text[i + 1].isLowSurrogate();
        lost(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
}

} // namespace

Unmappable findUnmappable(QStringView text, StringCharsetTypeConstants charset) {
    Unmappable found;
    forEachLost(text, charset, [&found](qsizetype at, qsizetype) {
        if (found.count++ == 0)
            found.first = at;
    });
    return found;
}

QString replaceUnmappable(QStringView text, StringCharsetTypeConstants charset) {
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    forEachLost(text, charset, [&](qsizetype at, qsizetype length) {
        result += text.mid(copied, at - copied);
        result += u'?';
        copied = at + length;
    });
    result += text.mid(copied);
    return result;
}

} // namespace penlark
