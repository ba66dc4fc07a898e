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

// The line breaks of Shift_JIS, EUC-JP or UTF-8 bytes as ConvertBreakCode counts them once
// the bytes are decoded, without decoding them.
LineBreakCounts countLineBreaks(QByteArrayView input, StringCharsetTypeConstants charset);

// Input bytes converted per piece handed to the writer of transcode.
inline constexpr qsizetype TranscodingPiece = qsizetype(1) << 17;

// What a conversion met on its way.
struct TranscodeFindings {
    // Characters the target cannot hold (those findUnmappable counts in the decoded text),
    // written as "?".
    bool lost = false;
    // UTF-8 input that is not well-formed (read as U+FFFD, one for each maximal part).
    bool malformed = false;
};

// Converts Shift_JIS (code page 932), EUC-JP or UTF-8 bytes without going through UTF-16:
// Shift_JIS and EUC-JP into each other, UTF-8 into either, Shift_JIS into UTF-8 (without a
// mark). The result is, byte for byte, what decodeText (the line breaks as they are),
// ConvertBreakCode, replaceUnmappable, encodeText and writing the CR LF breaks as code give.
// The output goes to write piece by piece, so that a large text never needs a large buffer;
// write returns false to stop, and transcode then returns false. findings, when given, tells
// what the conversion met. With stopAtLoss, the piece that holds the first character the
// target cannot hold is not written, and the conversion ends there (returning true).
bool transcode(QByteArrayView input, StringCharsetTypeConstants from, StringCharsetTypeConstants to,
               StringLineBreakCodeConstants code, const std::function<bool(QByteArrayView)>& write,
               TranscodeFindings* findings = nullptr, bool stopAtLoss = false);
// The same, with the whole output returned.
QByteArray transcode(QByteArrayView input, StringCharsetTypeConstants from,
                     StringCharsetTypeConstants to, StringLineBreakCodeConstants code);

} // namespace orvenly
