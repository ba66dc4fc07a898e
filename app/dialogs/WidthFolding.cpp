#include "dialogs/WidthFolding.h"

#include <array>

namespace penlark {

namespace {

// Half-width katakana and punctuation U+FF61..U+FF9F and their full-width forms. A voiced
// or semi-voiced sound mark that does not combine with the katakana before it stays a
// separate character (U+309B, U+309C).
constexpr std::array<char16_t, 0xFF9F - 0xFF61 + 1> HalfWidthKana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

// Full-width signs U+FFE0..U+FFE6 (￠ ￡ ￢ ￣ ￤ ￥ ￦) and their ordinary forms.
constexpr std::array<char16_t, 7> FullWidthSigns = {u'\u00A2', u'\u00A3', u'\u00AC', u'\u00AF',
                                                    u'\u00A6', u'\u00A5', u'\u20A9'};

// Half-width symbols U+FFE8..U+FFEE (￨ ￩ ￪ ￫ ￬ ￭ ￮) and their ordinary forms.
constexpr std::array<char16_t, 7> HalfWidthSymbols = {u'\u2502', u'\u2190', u'\u2191', u'\u2192',
                                                      u'\u2193', u'\u25A0', u'\u25CB'};

char16_t lower(char16_t c) {
    const char32_t mapped = QChar::toLower(char32_t(c));
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : c;
}

char16_t upper(char16_t c) {
    const char32_t mapped = QChar::toUpper(char32_t(c));
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : c;
}

// The folding table:
//   U+FF01..U+FF5E  full-width ASCII          -> U+0021..U+007E, then lower-cased
//   U+3000          ideographic space         -> U+0020
//   U+FF61..U+FF9F  half-width katakana       -> full-width katakana and punctuation
//   U+FFE0..U+FFE6  full-width signs          -> U+00A2 ¢, U+00A3 £, U+00AC ¬, U+00AF ¯,
//                                                U+00A6 ¦, U+00A5 ¥, U+20A9 ₩
//   U+FFE8..U+FFEE  half-width symbols        -> U+2502 │, U+2190..U+2193 ←↑→↓, U+25A0 ■,
//                                                U+25CB ○
//   anything else                             -> lower-cased unit by unit
// Hiragana and katakana stay distinct.
char16_t foldWidth(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        return lower(static_cast<char16_t>(c - 0xFF01 + 0x21));
    if (c == 0x3000)
        return u' ';
    if (c >= 0xFF61 && c <= 0xFF9F)
        return HalfWidthKana[c - 0xFF61];
    if (c >= 0xFFE0 && c <= 0xFFE6)
        return FullWidthSigns[c - 0xFFE0];
    if (c >= 0xFFE8 && c <= 0xFFEE)
        return HalfWidthSymbols[c - 0xFFE8];
    return lower(c);
}

constexpr char16_t VoicedMark = u'\uFF9E';
constexpr char16_t SemiVoicedMark = u'\uFF9F';

// The full-width character a half-width katakana and the sound mark after it make, 0 when
// they make none; taken from Unicode's own compositions (カ + ゛ ガ, ワ + ゛ ヷ ...).
char16_t composed(char16_t base, char16_t mark) {
    static const auto table = [] {
        std::array<std::array<char16_t, 2>, 0xFF9D - 0xFF61 + 1> result{};
        for (std::size_t k = 0; k < result.size(); ++k) {
            for (std::size_t m = 0; m < 2; ++m) {
                const QString pair =
                    QString(QChar(HalfWidthKana[k])) + QChar(m == 0 ? u'\u3099' : u'\u309A');
                const QString one = pair.normalized(QString::NormalizationForm_C);
                result[k][m] = one.size() == 1 ? one[0].unicode() : 0;
            }
        }
        return result;
    }();
    if (base < 0xFF61 || base > 0xFF9D || (mark != VoicedMark && mark != SemiVoicedMark))
        return 0;
    return table[base - 0xFF61][mark == VoicedMark ? 0 : 1];
}

using UnitTable = std::array<char16_t, 0x10000>;

// Every unit's image, looked up: a search maps hundreds of millions of them.
template <char16_t (*Map)(char16_t)> const UnitTable& tableOf() {
    static const UnitTable table = [] {
        UnitTable result{};
        for (std::size_t c = 0; c < result.size(); ++c)
            result[c] = Map(static_cast<char16_t>(c));
        return result;
    }();
    return table;
}

template <char16_t (*Map)(char16_t)> QString mapUnits(QStringView text) {
    const UnitTable& table = tableOf<Map>();
    QString result(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (const QChar c : text)
        *out++ = table[c.unicode()];
    return result;
}

} // namespace

QString LowerSameLength(QStringView text) {
    return mapUnits<lower>(text);
}

QString UpperSameLength(QStringView text) {
    return mapUnits<upper>(text);
}

QString FoldWidth(QStringView text) {
    const UnitTable& fold = tableOf<foldWidth>();
    QString result(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (const char16_t one =
                c >= 0xFF61 && i + 1 < n ? composed(c, text[i + 1].unicode()) : 0) {
            *out++ = one;
            *out++ = ComposedMark;
            ++i;
        } else {
            // A noncharacter in the text must not pass for the mark.
            *out++ = c == ComposedMark ? u'\uFFFD' : fold[c];
        }
    }
    return result;
}

QString FoldWidthComposed(QStringView text) {
    QString key = FoldWidth(text);
    key.remove(ComposedMark);
    return key;
}

qsizetype MatchFolded(QStringView key, qsizetype at, QStringView pattern) {
    qsizetype k = at;
    for (const QChar c : pattern) {
        if (k == key.size() || key[k] != c)
            return -1;
        ++k;
        if (k < key.size() && key[k] == ComposedMark)
            ++k;
    }
    return k - at;
}

} // namespace penlark
