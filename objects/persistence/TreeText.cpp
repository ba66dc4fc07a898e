#include "TreeText.h"

#include "platform/Cp932.h"

namespace orvenly {

namespace {

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");

} // namespace

TreeFileText decodeTreeFile(QByteArrayView bytes) {
    if (bytes.startsWith(Utf8Mark))
        return {QString::fromUtf8(bytes.sliced(Utf8Mark.size())), TDBCharset::Utf8};
    return {platform::cp932::decode(bytes), TDBCharset::Ansi};
}

QStringList treeLines(QString text) {
    text.replace(u'\t', u' ');
    // Files made by hand on this system end their lines with LF alone; a lone LF inside a line
    // of a file that uses CR LF is kept, as a saved value may hold one.
    if (text.contains(u"\r\n"))
        return text.split(QStringLiteral("\r\n"));
    return text.split(u'\n');
}

std::optional<QByteArray> encodeTreeText(const QString& text, TDBCharset charset) {
    if (charset == TDBCharset::Utf8)
        return Utf8Mark.toByteArray() + text.toUtf8();
    qsizetype unmappable = 0;
    QByteArray bytes = platform::cp932::encode(text, &unmappable);
    if (unmappable != 0)
        return std::nullopt;
    return bytes;
}

} // namespace orvenly
