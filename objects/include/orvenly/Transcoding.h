#pragma once

#include "orvenly/StringConversion.h"

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace orvenly {

// The line breaks of a text as ConvertBreakCode counts them: CR LF pairs first, then the CR
// and the LF left alone.
struct LineBreakCounts {
    qsizetype crLf = 0;
    qsizetype cr = 0;
    qsizetype lf = 0;

    // The code ConvertBreakCode reports: the one used most, ties going to CR LF, then to LF;
    // SLB_UNKNOWN when there is no break.
    StringLineBreakCodeConstants dominant() const;
};

// Writes every line break of bytes (CR LF, or CR or LF alone) as code: SLB_CRLF, SLB_CR or
// SLB_LF. CR and LF must stand for themselves wherever they occur, as in Shift_JIS, EUC-JP,
// JIS and UTF-8, where they are never part of a longer code.
void setLineBreaks(QByteArray& bytes, StringLineBreakCodeConstants code);

// The line breaks of Shift_JIS or EUC-JP bytes as ConvertBreakCode counts them once the
// bytes are decoded, without decoding them.
LineBreakCounts countLineBreaks(QByteArrayView input, StringCharsetTypeConstants charset);

// Input bytes converted per piece handed to the writer of transcode.
inline constexpr qsizetype TranscodingPiece = qsizetype(1) << 17;

// Converts Shift_JIS (code page 932) or EUC-JP bytes to either of them without going through
// UTF-16: the result is, byte for byte, what decoding (code page 932, or EucToUnicode),
// ConvertBreakCode, encoding (code page 932, or UnicodeToEuc) and writing the CR LF breaks as
// code give. from and to are SCS_SHIFTJIS or SCS_EUC. The output goes to write piece by
// piece, so that a large text never needs a large buffer; write returns false to stop, and
// transcode then returns false. Characters the target cannot hold (those findUnmappable
// counts in the decoded text) are written as "?"; lost, when given, tells whether there
// were any.
bool transcode(QByteArrayView input, StringCharsetTypeConstants from, StringCharsetTypeConstants to,
               StringLineBreakCodeConstants code, const std::function<bool(QByteArrayView)>& write,
               bool* lost = nullptr);
// The same, with the whole output returned.
QByteArray transcode(QByteArrayView input, StringCharsetTypeConstants from,
                     StringCharsetTypeConstants to, StringLineBreakCodeConstants code);

} // namespace orvenly
