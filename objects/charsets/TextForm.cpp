#include "orvenly/TextForm.h"

using namespace Qt::StringLiterals;

namespace orvenly {

QString TextForm::name() const {
    const QString mark = byteOrderMark ? u" (BOM)"_s : QString();
    switch (charset) {
    case SCS_SHIFTJIS:
        return u"Shift JIS"_s;
    case SCS_JIS:
        return u"JIS"_s;
    case SCS_EUC:
        return u"EUC"_s;
    case SCS_OCTETSTREAM:
        return u"Octet-Stream"_s;
    case SCS_UTF8:
        return u"UTF-8"_s + mark;
    case SCS_UTF16LE:
        return u"UTF-16 LE"_s + mark;
    case SCS_UTF16BE:
        return u"UTF-16 BE"_s + mark;
    case SCS_UNKNOWN:
        break;
    }
    return {};
}

} // namespace orvenly
