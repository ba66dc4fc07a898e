#pragma once

#include "orvenly/TextForm.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace penlark {

// A charset and line-break code chosen together travel as one 32-bit value: the charset in
// the low 16 bits, the line-break code in the high 16. 0 in either half means recognise it
// when reading and keep the document's own when writing. A Unicode form with a byte-order
// mark adds FormMark to its charset.
inline constexpr int32_t FormatCancelled = -1;
inline constexpr int32_t FormMark = 0x100;

constexpr int32_t formValue(orvenly::TextForm form) {
    return form.charset + (form.byteOrderMark ? FormMark : 0);
}
constexpr int32_t formatSelection(int32_t charset, int32_t breakCode) {
    return charset + 65536 * breakCode;
}
orvenly::TextForm formOf(int32_t format);
orvenly::StringLineBreakCodeConstants breakOf(int32_t format);

// A form as the charset lists offer it.
struct FormChoice {
    QString caption;
    orvenly::TextForm form;
};

// The forms a file may be read in: the Japanese charsets and the Unicode forms (whose mark
// the bytes tell). The forms a file may be written in: those and each Unicode form with and
// without a mark.
const QList<FormChoice>& readForms();
const QList<FormChoice>& writeForms();
// The Japanese charsets alone.
const QList<FormChoice>& legacyForms();

// The line-break codes as the lists offer them: "CR + LF [Windows]", "CR [Macintosh]",
// "LF [Unix]", in the order of their values.
const QStringList& breakCaptions();
// A break code as a document's caption ends with it: "Windows", "Macintosh", "Unix"; empty for
// SLB_UNKNOWN.
QString breakCaption(orvenly::StringLineBreakCodeConstants breakCode);
// A break code by its characters, as questions name it: "CR LF", "CR", "LF".
QString breakCharacters(orvenly::StringLineBreakCodeConstants breakCode);

// How the program names a form in captions and questions: "Shift JIS", "JIS", "Euc",
// "Octet-Stream" for the Japanese charsets, as their captions always did, and the Unicode
// forms by their names ("UTF-8 (BOM)").
QString formCaption(orvenly::TextForm form);

} // namespace penlark
