#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace orvenly {

enum StringCharsetTypeConstants : int32_t {
    SCS_UNKNOWN = 0,
    SCS_SHIFTJIS = 1,
    SCS_JIS = 2,
    SCS_EUC = 3,
    SCS_OCTETSTREAM = 4,
    // Beyond the Japanese charsets: the Unicode forms, which recogniseForm, decodeText,
    // encodeText and convertText (orvenly/TextConversion.h) read and write, with or without a
    // byte-order mark (orvenly/TextForm.h). StringConversion's own operations know only the
    // values above.
    SCS_UTF8 = 5,
    SCS_UTF16LE = 6,
    SCS_UTF16BE = 7,
};

enum StringLineBreakCodeConstants : int32_t {
    SLB_UNKNOWN = 0,
    SLB_CRLF = 1,
    SLB_CR = 2,
    SLB_LF = 3,
};

// Charset recognition and conversion between UTF-16 and the Japanese encodings.
// Stateless; the application-wide instance is StringConversion::instance().
class StringConversion {
public:
    static const StringConversion& instance();

    StringCharsetTypeConstants AnalyzingCharset(const QByteArray& UnknownStream,
                                                int32_t Limit = 32768) const;
    StringLineBreakCodeConstants ConvertBreakCode(QString& UnknownString) const;
    // JIS bytes travel in a string, one character per byte (its code point is the byte).
    QString JisToUnicode(const QString& JIS) const;
    QString UnicodeToJis(const QString& UNICODE, bool NarrowFiltering = true) const;
    QString EucToUnicode(const QByteArray& Euc) const;
    QByteArray UnicodeToEuc(const QString& UNICODE) const;

    // The same conversions on the file's bytes, without the string detour. Text outside
    // the escapes is read as code page 932, as a caller decoding the file first would.
    QString JisToUnicode(QByteArrayView JIS) const;
    QByteArray UnicodeToJisBytes(const QString& UNICODE, bool NarrowFiltering = true) const;
};

} // namespace orvenly
