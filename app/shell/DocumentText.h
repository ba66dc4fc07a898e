#pragma once

#include "orvenly/StringConversion.h"

#include <QByteArray>
#include <QString>

namespace penlark {

// A file's bytes as a document's text: CR LF line breaks, with the charset and line-break
// code it was read in.
struct DocumentText {
    QString text;
    orvenly::StringCharsetTypeConstants charset = orvenly::SCS_SHIFTJIS;
    orvenly::StringLineBreakCodeConstants breakCode = orvenly::SLB_CRLF;
};

// Decodes bytes. A charset or break code of 0 is recognised: the charset from the first
// 32768 bytes (Shift_JIS when nothing is recognised), the break code as the one used most
// (LF for EUC-JP text without breaks, CR LF otherwise). A given CR code turns every CR into
// CR LF, a given LF code every LF.
DocumentText decodeDocument(const QByteArray& bytes, orvenly::StringCharsetTypeConstants charset,
                            orvenly::StringLineBreakCodeConstants breakCode);

// Encodes text with CR LF breaks: the breaks written as breakCode, the characters in charset.
// jisFilter turns half-width katakana into full-width ones in JIS.
QByteArray encodeDocument(QString text, orvenly::StringCharsetTypeConstants charset,
                          orvenly::StringLineBreakCodeConstants breakCode, bool jisFilter);

} // namespace penlark
