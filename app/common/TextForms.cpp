#include "common/TextForms.h"

namespace penlark {

using namespace orvenly;
using namespace Qt::StringLiterals;

TextForm formOf(int32_t format) {
    const int32_t charset = format & 0xFF;
    return {static_cast<StringCharsetTypeConstants>(charset), (format & FormMark) != 0};
}

StringLineBreakCodeConstants breakOf(int32_t format) {
    return static_cast<StringLineBreakCodeConstants>((format >> 16) & 0xFFFF);
}

const QList<FormChoice>& legacyForms() {
    static const QList<FormChoice> forms = {
        {u"Shift JIS [shift_jis]"_s, SCS_SHIFTJIS},
        {u"JIS [iso-2022-jp]"_s, SCS_JIS},
        {u"EUC [euc-jp]"_s, SCS_EUC},
    };
    return forms;
}

const QList<FormChoice>& readForms() {
    static const QList<FormChoice> forms =
        legacyForms() + QList<FormChoice>{
                            {u"UTF-8 [utf-8]"_s, SCS_UTF8},
                            {u"UTF-16 LE [utf-16le]"_s, SCS_UTF16LE},
                            {u"UTF-16 BE [utf-16be]"_s, SCS_UTF16BE},
                        };
    return forms;
}

const QList<FormChoice>& writeForms() {
    static const QList<FormChoice> forms =
        legacyForms() + QList<FormChoice>{
                            {u"UTF-8 [utf-8]"_s, SCS_UTF8},
                            {u"UTF-8 (BOM) [utf-8]"_s, {SCS_UTF8, true}},
                            {u"UTF-16 LE [utf-16le]"_s, SCS_UTF16LE},
                            {u"UTF-16 LE (BOM) [utf-16le]"_s, {SCS_UTF16LE, true}},
                            {u"UTF-16 BE [utf-16be]"_s, SCS_UTF16BE},
                            {u"UTF-16 BE (BOM) [utf-16be]"_s, {SCS_UTF16BE, true}},
                        };
    return forms;
}

const QStringList& breakCaptions() {
    static const QStringList captions = {u"CR + LF [Windows]"_s, u"CR [Macintosh]"_s,
                                         u"LF [Unix]"_s};
    return captions;
}

QString breakCaption(StringLineBreakCodeConstants breakCode) {
    static const QString names[] = {u"Windows"_s, u"Macintosh"_s, u"Unix"_s};
    return breakCode >= SLB_CRLF && breakCode <= SLB_LF ? names[breakCode - SLB_CRLF] : QString();
}

QString breakCharacters(StringLineBreakCodeConstants breakCode) {
    switch (breakCode) {
    case SLB_CR:
        return u"CR"_s;
    case SLB_LF:
        return u"LF"_s;
    default:
        return u"CR LF"_s;
    }
}

QString formCaption(TextForm form) {
    // The captions spell EUC-JP as "Euc"; every other form goes by its own name.
    return form.charset == SCS_EUC ? u"Euc"_s : form.name();
}

} // namespace penlark
