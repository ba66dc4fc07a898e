#pragma once

#include "orvenly/StringConversion.h"
#include "orvenly/TextForm.h"
#include "orvenly/Unmappable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

// A file's bytes to a document's text and back, and one file's conversion from one charset
// and line-break code to another: the one road that the editor's load and save, the batch
// converter and penlark-convert all take.
namespace orvenly {

// Recognition looks at the first RecognitionLimit + 1 bytes.
inline constexpr int32_t RecognitionLimit = 32768;

// The form of a file's bytes, from the first limit + 1 of them (the sample), in this order:
//  1. a byte-order mark (EF BB BF, FF FE, FE FF) decides at once: UTF-8, UTF-16 LE or BE,
//     each with its mark;
//  2. UTF-16 without a mark: the sample holds zero bytes, more of them on one side of the
//     units than on the other (the high bytes of characters up to U+00FF, such as line
//     breaks), and read so it holds only characters that text holds (no NUL, no control
//     code but BEL, BS, TAB, LF, VT, FF, CR, SUB and ESC, no DEL or C1 control, no lone
//     surrogate, no U+FFFE or U+FFFF). Text without any character up to U+00FF has no zero
//     byte and so is not recognised without a mark;
//  3. a sample of which more than one byte in four is a control code that text holds only a
//     few of (BEL, BS, VT, FF, SUB, an ESC that starts no JIS escape sequence) is an octet
//     stream;
//  4. UTF-8: the sample is well-formed UTF-8 (a sequence cut by the end of the sample, when
//     the file goes on, does not count against it), holds no byte that step 5 takes for
//     binary data, and holds a sequence that legacy Japanese text does not make: one of three
//     or four bytes, or one of two bytes whose second byte is 80-A0. Two-byte sequences of
//     C2-DF and A1-BF alone are also Shift_JIS half-width katakana and EUC-JP kanji; text
//     made only of those and ASCII stays with step 5. Japanese UTF-8 text has kana or kanji,
//     three-byte sequences, within its first characters, while legacy text that is
//     well-formed UTF-8 by accident is all but limited to such pairs: a Shift_JIS kana or
//     kanji lead byte (81-9F) or an EUC-JP kana byte (A4, A5) cannot start a sequence;
//  5. the legacy charsets, as StringConversion::AnalyzingCharset says (SCS_UNKNOWN when
//     undecided), with two changes. BEL, BS and an ESC that starts no JIS escape sequence
//     (ESC $ B, $ @, ( B, ( J, ( I, $ ( D) count as text controls, as TAB does: they neither
//     make the sample binary nor, the ESC, JIS; NUL and the other control codes still make it
//     an octet stream. And when those rules choose Shift_JIS but the sample is not code page
//     932 text (a lead byte without a trail byte that makes a defined code, or a byte 80, A0,
//     FD-FF) while it is EUC-JP text (every code complete and defined, JIS X 0212 included),
//     it is EUC-JP: EUC-JP's 0x8F, which starts a JIS X 0212 code, is a Shift_JIS lead byte.
//     A code cut by the end of the sample, when the file goes on, counts against neither.
// decodeText and convertText go on: UTF-8 or UTF-16 recognised by step 2 or 4 whose bytes
// are not well-formed further on is read as step 5 says instead.
TextForm recogniseForm(QByteArrayView bytes, int32_t limit = RecognitionLimit);

// A file's bytes read as text.
struct DecodedText {
    QString text;
    TextForm form;
    // The code found (SLB_UNKNOWN when the text holds no break), or the one given.
    StringLineBreakCodeConstants breakCode = SLB_UNKNOWN;
};

// Decodes bytes in form. A charset of SCS_UNKNOWN is recognised (recogniseForm), and undecided
// text is read as undecided; Shift_JIS and octet streams read through code page 932. EUC-JP
// is read in full: 0x8F and two bytes of A1-FE are a JIS X 0212 character (EucToUnicode
// reads 0x8F as the first byte of a pair). JIS likewise: ESC $ ( D selects JIS X 0212 (JisToUnicode
// drops the escape and reads its last byte as ASCII). In the Unicode forms the bytes decide on the
// mark, whatever form says: the result's form tells whether there was one, and the text leaves it
// out; bytes that are not well-formed become U+FFFD. Line breaks: SLB_UNKNOWN turns every
// break into CR LF and every NUL into "?" (ConvertBreakCode); a given SLB_CR turns every CR
// into CR LF, SLB_LF every LF, and SLB_CRLF leaves the text as it is.
DecodedText decodeText(QByteArrayView bytes, TextForm form, StringLineBreakCodeConstants breakCode,
                       StringCharsetTypeConstants undecided = SCS_SHIFTJIS);

// Encodes text held with CR LF breaks: every CR LF written as breakCode (SLB_CR or SLB_LF; any
// other code keeps them), the characters in form, with its mark if it has one. Text decoded
// from bytes in a form and not changed gives those bytes again. EUC-JP is written in full: a
// character that has no two-byte code but a JIS X 0212 one takes that (UnicodeToEuc writes
// "?"); JIS writes it after ESC $ ( D. EUC-JP and JIS keep the control codes (JIS all but
// ESC, SO and SI), which UnicodeToEuc and UnicodeToJis write as "?". The characters code page
// 932 writes as a look-alike's code (U+301C 〜 as that of ～, see platform/Cp932.h) take
// that code in all three Japanese charsets. Those they cannot hold at all (see
// findUnmappable) become "?"; callers that warn about them first (replaceUnmappable) get the
// same bytes. narrowFiltering turns half-width katakana into full-width ones in JIS.
QByteArray encodeText(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                      bool narrowFiltering);

// Whether JIS bytes hold a half-width katakana (after ESC ( I, or a katakana byte outside the
// escapes), which a save with narrowFiltering would widen. Reads no more than it must.
bool hasHalfWidthKatakana(QByteArrayView jis);

// The form decodeText would read bytes in, and the line-break code used most in them.
struct Recognition {
    TextForm form;
    StringLineBreakCodeConstants breakCode = SLB_UNKNOWN; // SLB_UNKNOWN when there is none
};
Recognition recogniseText(QByteArrayView bytes);

// What one file's conversion asks for.
struct ConversionRequest {
    // The charset of the input; SCS_UNKNOWN recognises it. A Unicode form's mark is found
    // in the bytes.
    StringCharsetTypeConstants from = SCS_UNKNOWN;
    // Taken when recognition is undecided; SCS_UNKNOWN stops with ConversionStatus::Undecided.
    StringCharsetTypeConstants undecided = SCS_SHIFTJIS;
    // The line breaks of the input: SLB_UNKNOWN reads every break (CR LF, CR, LF) as one;
    // a given code reads the input as decodeText does.
    StringLineBreakCodeConstants fromBreak = SLB_UNKNOWN;
    TextForm to = SCS_SHIFTJIS;
    // SLB_UNKNOWN keeps the code found, CR LF when there is none.
    StringLineBreakCodeConstants toBreak = SLB_UNKNOWN;
    bool narrowFiltering = false;
    // Write characters the target cannot hold as "?" instead of stopping.
    bool lossy = false;
};

enum class ConversionStatus {
    Converted,   // the output is complete
    Unchanged,   // the output is complete and byte for byte the input: nothing to rewrite
    NotText,     // recognised as an octet stream: nothing converted
    Undecided,   // recognition could not tell, and the request gave no charset for that
    Unmappable,  // characters the target cannot hold, and the request was not lossy
    WriteFailed, // the writer refused a piece
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::Converted;
    // The form the input was read in (recognised or given).
    TextForm form;
    // The line-break code found in the input (SLB_UNKNOWN when it holds none), or the one
    // given; left SLB_UNKNOWN by NotText and Undecided.
    StringLineBreakCodeConstants breakCode = SLB_UNKNOWN;
    // The characters the target cannot hold, counted whether or not the request is lossy
    // (when lossy, they were written as "?").
    Unmappable unmappable;
    // The output, from the overload that returns it whole.
    QByteArray output;
};

// Converts one file's bytes as the request says: decoded as decodeText reads them, the line
// breaks written in one code, and encoded as encodeText writes them. The output goes to write
// in pieces when it is large (write returns false to stop). Only Converted and Unchanged leave
// a complete output. Unless the request is lossy, characters the target cannot hold end the
// output before the piece that holds the first of them (as iconv ends at the character): a
// caller that rewrites a file discards what it got, one that writes a stream may keep it.
// Shift_JIS, EUC-JP and UTF-8 are mostly converted into each other directly (see transcode),
// without a detour through UTF-16.
ConversionResult convertText(QByteArrayView input, const ConversionRequest& request,
                             const std::function<bool(QByteArrayView)>& write);
// The same, with the whole output in the result (none unless Converted or Unchanged).
ConversionResult convertText(QByteArrayView input, const ConversionRequest& request);

} // namespace orvenly
