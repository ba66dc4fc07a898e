#include "orvenly/Trimming.h"

namespace orvenly {

namespace {

constexpr QChar Space = u' ';

qsizetype firstNonSpace(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != Space)
            return i;
    return -1;
}

qsizetype lastNonSpace(const QString& text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (text[i] != Space)
            return i;
    return -1;
}

} // namespace

QString TrimSpaces(const QString& text) {
    const qsizetype first = firstNonSpace(text);
    if (first < 0)
        return {};
    return text.mid(first, lastNonSpace(text) - first + 1);
}

QString TrimLeadingSpaces(const QString& text) {
    const qsizetype first = firstNonSpace(text);
    return first < 0 ? QString() : text.mid(first);
}

QString TrimTrailingSpaces(const QString& text) {
    return text.left(lastNonSpace(text) + 1);
}

} // namespace orvenly
