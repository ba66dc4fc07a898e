#include "orvenly/StringConversion.h"

#include "CharsetEngine.h"

#include <algorithm>

namespace orvenly {

const StringConversion& StringConversion::instance() {
    static const StringConversion shared;
    return shared;
}

StringCharsetTypeConstants StringConversion::AnalyzingCharset(const QByteArray& UnknownStream,
                                                              int32_t Limit) const {
    if (Limit < 0) {
        return SCS_UNKNOWN;
    }
    // Limit + 1 bytes are examined.
    const qsizetype n = std::min(UnknownStream.size(), qsizetype{Limit} + 1);
    return charsets::recogniseCharset(QByteArrayView(UnknownStream).first(n), false);
}

StringLineBreakCodeConstants StringConversion::ConvertBreakCode(QString& UnknownString) const {
    return charsets::normaliseBreaks(UnknownString);
}

QString StringConversion::JisToUnicode(const QString& JIS) const {
    return charsets::decodeJis(QStringView(JIS));
}

QString StringConversion::JisToUnicode(QByteArrayView JIS) const {
    return charsets::decodeJis(JIS);
}

QString StringConversion::UnicodeToJis(const QString& UNICODE, bool NarrowFiltering) const {
    qsizetype lost = 0;
    return QString::fromLatin1(charsets::encodeJis(UNICODE, NarrowFiltering, lost));
}

QByteArray StringConversion::UnicodeToJisBytes(const QString& UNICODE, bool NarrowFiltering) const {
    qsizetype lost = 0;
    return charsets::encodeJis(UNICODE, NarrowFiltering, lost);
}

QString StringConversion::EucToUnicode(const QByteArray& Euc) const {
    return charsets::decodeEuc(Euc);
}

QByteArray StringConversion::UnicodeToEuc(const QString& UNICODE) const {
    qsizetype lost = 0;
    return charsets::encodeEuc(UNICODE, lost);
}

} // namespace orvenly
