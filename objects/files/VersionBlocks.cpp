#include "VersionResource.h"

#include <QStringList>
#include <QtEndian>

namespace orvenly::version {

namespace {

constexpr uint32_t FixedSignature = 0xFEEF04BDu;
constexpr qsizetype FixedSize = 52;
constexpr qsizetype BlockHeader = 6;

qsizetype aligned(qsizetype offset) {
    return (offset + 3) & ~qsizetype(3);
}

uint16_t word(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<uint16_t>(bytes.data() + at);
}

// One block of the resource: a length, a key, a value, and child blocks up to its end.
struct Block {
    QString key;
    QByteArrayView value;
    qsizetype children = 0;
    qsizetype end = 0;
};

// The block at offset, which must end by limit.
std::optional<Block> blockAt(QByteArrayView resource, qsizetype offset, qsizetype limit) {
    if (offset + BlockHeader > limit)
        return std::nullopt;
    const qsizetype length = word(resource, offset);
    const qsizetype valueLength = word(resource, offset + 2);
    const bool text = word(resource, offset + 4) == 1;
    if (length < BlockHeader || offset + length > limit)
        return std::nullopt;
    Block block;
    block.end = offset + length;
    qsizetype at = offset + BlockHeader;
    for (;; at += 2) {
        if (at + 2 > block.end)
            return std::nullopt;
        const char16_t ch = word(resource, at);
        if (ch == 0)
            break;
        block.key += QChar(ch);
    }
    const qsizetype valueStart = aligned(at + 2);
    // A text value's length counts characters; a stray length is cut at the block's end.
    const qsizetype valueBytes = text ? valueLength * 2 : valueLength;
    const qsizetype valueEnd = std::min(valueStart + valueBytes, block.end);
    if (valueStart < valueEnd)
        block.value = resource.sliced(valueStart, valueEnd - valueStart);
    else if (!text && valueLength > 0)
        return std::nullopt;
    block.children = aligned(valueStart + valueBytes);
    return block;
}

std::optional<Block> child(QByteArrayView resource, const Block& parent, const QString& key) {
    for (qsizetype at = parent.children; at < parent.end;) {
        std::optional<Block> block = blockAt(resource, at, parent.end);
        if (!block)
            return std::nullopt;
        if (block->key.compare(key, Qt::CaseInsensitive) == 0)
            return block;
        at = aligned(block->end);
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArrayView> queryValue(QByteArrayView resource, const QString& path) {
    std::optional<Block> block = blockAt(resource, 0, resource.size());
    for (const QString& key : path.split(u'\\', Qt::SkipEmptyParts)) {
        if (!block)
            break;
        block = child(resource, *block, key);
    }
    if (!block)
        return std::nullopt;
    return block->value;
}

std::optional<FixedFileVersion> fixedFileVersion(QByteArrayView resource) {
    const std::optional<QByteArrayView> value = queryValue(resource, QStringLiteral("\\"));
    if (!value || value->size() < FixedSize ||
        qFromLittleEndian<uint32_t>(value->data()) != FixedSignature)
        return std::nullopt;
    return FixedFileVersion{qFromLittleEndian<uint32_t>(value->data() + 8),
                            qFromLittleEndian<uint32_t>(value->data() + 12)};
}

QString textValue(QByteArrayView value) {
    QString text;
    for (qsizetype at = 0; at + 2 <= value.size(); at += 2) {
        const char16_t ch = word(value, at);
        if (ch == 0)
            break;
        text += QChar(ch);
    }
    return text;
}

} // namespace orvenly::version
