#pragma once

#include "orvenly/StringConversion.h"
#include "orvenly/TextConversion.h"
#include "orvenly/Transcoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// What the files of the charset engine share. StringConversion's members delegate here.
namespace orvenly::charsets {

inline constexpr uint8_t Esc = 0x1B;
inline constexpr uint8_t Question = 0x3F;

inline uint8_t* bytesOf(QByteArray& array) {
    return reinterpret_cast<uint8_t*>(array.data());
}
inline const uint8_t* bytesOf(QByteArrayView view) {
    return reinterpret_cast<const uint8_t*>(view.data());
}
inline char16_t* unitsOf(QString& text) {
    return reinterpret_cast<char16_t*>(text.data());
}

// Cuts an encoder's output, sized for the worst case, and gives the slack back.
inline void cutTo(QByteArray& output, qsizetype size) {
    output.truncate(size);
    output.squeeze();
}

constexpr bool isKatakana(uint8_t b) {
    return b >= 0xA1 && b <= 0xDF;
}

// TAB, LF, CR and the printable 7-bit range pass through both encoders unchanged.
constexpr bool isPlainText(uint8_t b) {
    return b == 0x09 || b == 0x0A || b == 0x0D || (b >= 0x20 && b <= 0x7E);
}

// The 7-bit bytes that EUC-JP and JIS text, as encodeText writes it, hold as themselves:
// all, control codes included, but in JIS ESC, SO and SI, which switch its character sets.
constexpr bool holdsByte(uint8_t b, StringCharsetTypeConstants charset) {
    return b < 0x80 && !(charset == SCS_JIS && (b == 0x1B || b == 0x0E || b == 0x0F));
}

// Code page 932 codes from lead byte 0xF0 on (user-defined and IBM characters) lie beyond the
// 94 rows that JIS and EUC-JP have room for: the arithmetic would make bytes that are invalid
// there, so the encoders write "?" for them.
constexpr bool hasJisRow(uint8_t lead) {
    return lead < 0xF0;
}

// ---- Unmappable.cpp ----

// The charsets that hold every character (but U+FFFD, which stands for bytes lost already).
constexpr bool isUnicode(StringCharsetTypeConstants charset) {
    return TextForm(charset).isUnicode();
}

// Whether the charset's encoder (as encodeText writes it) writes the character of one
// UTF-16 unit as a code rather than as "?"; a few characters take the code of a look-alike
// (see platform/Cp932.h) and read back as that. Surrogates are never held alone.
bool holdsUnit(char16_t c, StringCharsetTypeConstants charset);
// The characters of the text that the Unicode forms cannot hold: lone surrogates and U+FFFD.
qsizetype countUnicodeLost(QStringView text);

// ---- CharsetRecognition.cpp ----

// AnalyzingCharset's rules. Tolerant, BEL, BS and an ESC that starts no JIS escape
// sequence count as text controls (as TAB does).
StringCharsetTypeConstants recogniseCharset(QByteArrayView bytes, bool tolerant);
// Whether the ESC at at starts one of the escape sequences JIS text uses.
bool isJisEscape(QByteArrayView bytes, qsizetype at);

// ---- FormRecognition.cpp ----

// The Japanese charsets as recogniseForm's step 4 tells them apart; cut when the file goes on
// beyond the sample.
StringCharsetTypeConstants recogniseLegacy(QByteArrayView sample, bool cut);

// ---- LineBreaks.cpp ----

// Every break of the text as CR LF and NUL as "?"; returns the code used most before.
StringLineBreakCodeConstants normaliseBreaks(QString& text);

// Breaks in bytes where CR and LF stand for themselves.
// Throws unless code is SLB_CRLF, SLB_CR or SLB_LF.
void checkBreakCode(StringLineBreakCodeConstants code);
#ifdef __SSE2__
// Bits set for the CR and LF among the sixteen bytes at p.
inline unsigned byteBreaks(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    return static_cast<unsigned>(_mm_movemask_epi8(breaks));
}
#endif
// The first CR or LF in [p, end), or end.
const char* findByteBreak(const char* p, const char* end);
// Whether some break in [in, end) is not written as code.
bool hasMisfitBreak(const char* in, const char* end, StringLineBreakCodeConstants code);
// Writes [in, end) to out with every break written as code and returns the end of the output.
// Only CR LF may grow the text (to twice its size at most); for the other codes out may be in.
char* writeLineBreaks(const char* in, const char* end, char* out,
                      StringLineBreakCodeConstants code);

// ---- ShiftJisPieces.cpp ----

// Hands the code page 932 bytes of the text to sink piece by piece, so that no Shift_JIS
// copy of a whole document is made; every piece holds whole characters, and a half-width
// sound mark stays with the katakana before it. Adds the characters without a code (each
// written as "?") to lost.
void forEachShiftJisPiece(QStringView text,
                          const std::function<void(const uint8_t*, qsizetype)>& sink,
                          qsizetype& lost);

// ---- JisConversion.cpp ----

QString decodeJis(QStringView jis);
QString decodeJis(QByteArrayView jis);
// The encoders add the characters they write as "?" for want of a code, those that
// findUnmappable counts, to lost.
QByteArray encodeJis(QStringView text, bool narrowFiltering, qsizetype& lost);
// JIS in full, as the routines of TextConversion.h read and write it: JIS X 0212 after
// ESC $ ( D (as EUC-JP's three-byte codes), and the control codes that holdsByte names.
QString decodeJisFull(QByteArrayView jis);
QByteArray encodeJisFull(QStringView text, bool narrowFiltering, qsizetype& lost);

// ---- TextCodec.cpp ----

// recogniseLegacy over the first RecognitionLimit + 1 bytes.
StringCharsetTypeConstants recogniseStart(QByteArrayView bytes);
// The bytes in form: EUC-JP in full, Shift_JIS and octet streams (and any other value)
// through code page 932. In a Unicode form the bytes decide on the mark, which is left out of
// the text and noted in form; malformed is set when some bytes were not well-formed.
QString decodeForm(QByteArrayView bytes, TextForm& form, bool& malformed);
// The text in form, adding the characters the charset cannot hold to lost.
QByteArray encodeForm(QStringView text, TextForm form, bool narrowFiltering, qsizetype& lost);
// encodeText, adding the characters the charset cannot hold to lost.
QByteArray encodeCounting(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                          bool narrowFiltering, qsizetype& lost);
// The form of bytes as decodeText reads them when it is to recognise it: UTF-8 or UTF-16
// recognised by its pattern alone (without a mark) that turns out malformed further on gives
// way to the legacy recognition. The text of such a form, decoded to be sure of it (line
// breaks as they are), comes along.
struct RecognisedForm {
    TextForm form;
    std::optional<QString> text;
};
RecognisedForm recogniseDecodable(QByteArrayView bytes);
// Reads the text's line breaks as decodeText says.
StringLineBreakCodeConstants readBreaks(QString& text, StringLineBreakCodeConstants breakCode);

// ---- UnicodeForms.cpp ----

QByteArrayView byteOrderMark(StringCharsetTypeConstants charset);
// Not well-formed bytes become U+FFFD and set malformed.
QString decodeUtf8(QByteArrayView bytes, bool& malformed);
QString decodeUtf16(QByteArrayView bytes, bool bigEndian, bool& malformed);
QByteArray encodeUtf8(QStringView text, bool mark, qsizetype& lost);
QByteArray encodeUtf16(QStringView text, bool bigEndian, bool mark, qsizetype& lost);

// ---- EucConversion.cpp ----

QString decodeEuc(QByteArrayView euc);
QByteArray encodeEuc(QStringView text, qsizetype& lost);
// The EUC-JP bytes for Shift_JIS bytes, as encodeEuc writes them; out needs room for 2 n.
uint8_t* sjisToEuc(const uint8_t* in, qsizetype n, uint8_t* out, qsizetype& lost);
// EUC-JP in full, as the routine of TextConversion.h reads it: the JIS X 0212 characters
// too, 0x8F and two bytes (a code without a character reads as U+FFFD).
QString decodeEucJp(QByteArrayView euc);

// ---- EucSupplement.cpp ----

// The character of the JIS X 0212 code b1 b2 (each 0xA1-0xFE), U+FFFD when it has none.
char16_t supplementCharacter(uint8_t b1, uint8_t b2);
// The JIS X 0212 code of a character, b1 << 8 | b2; 0 when it has none. ￤ takes that of
// its look-alike ¦, as EUC-JP-MS writes it.
uint16_t supplementCode(char16_t c);
// Writes the EUC-JP bytes of a character (at most three) and returns their end: out itself
// when the character has no code.
uint8_t* putEucJp(char16_t c, uint8_t* out);
// EUC-JP in full, as the routine of TextConversion.h writes it.
QByteArray encodeEucJp(QStringView text, qsizetype& lost);

} // namespace orvenly::charsets
