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

// The number of bytes recognition looks at.
inline constexpr int32_t RecognitionLimit = 32768;

// A file's bytes read as text.
struct DecodedText {
    QString text;
    TextForm form;
    // The code found (SLB_UNKNOWN when the text holds no break), or the one given.
    StringLineBreakCodeConstants breakCode = SLB_UNKNOWN;
};

// Decodes bytes in form. A charset of SCS_UNKNOWN is recognised from the first
// RecognitionLimit + 1 bytes, and undecided text is read as undecided; Shift_JIS and octet
// streams read through code page 932. Line breaks: SLB_UNKNOWN turns every break into CR LF
// and every NUL into "?" (ConvertBreakCode); a given SLB_CR turns every CR into CR LF, SLB_LF
// every LF, and SLB_CRLF leaves the text as it is.
DecodedText decodeText(QByteArrayView bytes, TextForm form, StringLineBreakCodeConstants breakCode,
                       StringCharsetTypeConstants undecided = SCS_SHIFTJIS);

// Encodes text held with CR LF breaks: every CR LF written as breakCode (SLB_CR or SLB_LF; any
// other code keeps them), the characters in form. In the Japanese charsets the characters
// they cannot hold (see findUnmappable) become "?"; callers that warn about them first
// (replaceUnmappable) get the same bytes. narrowFiltering turns half-width katakana into
// full-width ones in JIS.
QByteArray encodeText(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                      bool narrowFiltering);

// What one file's conversion asks for.
struct ConversionRequest {
    // The charset of the input; SCS_UNKNOWN recognises it.
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
// a complete output; what was written before any other status is to be discarded. Shift_JIS
// and EUC-JP are converted into each other directly, without a detour through UTF-16.
ConversionResult convertText(QByteArrayView input, const ConversionRequest& request,
                             const std::function<bool(QByteArrayView)>& write);
// The same, with the whole output in the result.
ConversionResult convertText(QByteArrayView input, const ConversionRequest& request);

} // namespace orvenly
