#pragma once

#include "orvenly/StringConversion.h"
#include "orvenly/TextForm.h"

#include <QByteArray>
#include <QString>

namespace penlark {

// A file's bytes as a document's text: CR LF line breaks, with the form and line-break code
// it was read in.
struct DocumentText {
    QString text;
    orvenly::TextForm form = orvenly::SCS_SHIFTJIS;
    orvenly::StringLineBreakCodeConstants breakCode = orvenly::SLB_CRLF;
};

// Decodes bytes. A charset or break code of 0 is recognised: the form from the first 32768
// bytes (a byte-order mark, UTF-16, UTF-8, then the Japanese charsets; Shift_JIS when nothing
// is recognised), the break code as the one used most (LF for EUC-JP text without breaks,
// CR LF otherwise). A given CR code turns every CR into CR LF, a given LF code every LF.
DocumentText decodeDocument(const QByteArray& bytes, orvenly::TextForm form,
                            orvenly::StringLineBreakCodeConstants breakCode);

// Encodes text with CR LF breaks: the breaks written as breakCode, the characters in form.
// jisFilter turns half-width katakana into full-width ones in JIS.
QByteArray encodeDocument(QString text, orvenly::TextForm form,
                          orvenly::StringLineBreakCodeConstants breakCode, bool jisFilter);

} // namespace penlark
