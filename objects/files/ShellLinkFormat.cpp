#include "ShellLinkFormat.h"

#include "platform/Cp932.h"

#include <QtEndian>
#include <array>
#include <utility>

namespace orvenly::shelllink {

namespace {

constexpr uint32_t HeaderSize = 0x4C;
// 00021401-0000-0000-C000-000000000046 as stored: the first three fields little-endian.
constexpr std::array<uint8_t, 16> LinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

namespace flag {
constexpr uint32_t HasLinkTargetIdList = 0x1;
constexpr uint32_t HasLinkInfo = 0x2;
constexpr uint32_t HasName = 0x4;
constexpr uint32_t HasRelativePath = 0x8;
constexpr uint32_t HasWorkingDir = 0x10;
constexpr uint32_t HasArguments = 0x20;
constexpr uint32_t HasIconLocation = 0x40;
constexpr uint32_t IsUnicode = 0x80;
} // namespace flag

constexpr uint32_t VolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t CommonNetworkRelativeLinkAndPathSuffix = 0x2;
constexpr uint32_t LinkInfoHeaderSizeAnsi = 0x1C;
constexpr uint32_t LinkInfoHeaderSizeUnicode = 0x24;
constexpr uint32_t VolumeIdHeaderSize = 0x10;
constexpr uint32_t DriveFixed = 3;
constexpr uint32_t NetworkLinkHeaderSize = 0x14;

constexpr uint32_t EnvironmentBlockSignature = 0xA0000001;
constexpr uint32_t EnvironmentBlockSize = 0x314;
constexpr qsizetype EnvironmentAnsiLength = 260;
constexpr uint32_t TerminalBlockLimit = 4;

constexpr qsizetype MaxStringLength = 0xFFFF;

// A view of the bytes that refuses every access past their end.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype pos() const { return m_pos; }
    qsizetype size() const { return m_bytes.size(); }
    bool has(qsizetype count) const { return count >= 0 && count <= size() - m_pos; }

    bool skip(qsizetype count) {
        if (!has(count))
            return false;
        m_pos += count;
        return true;
    }
    template <class T> bool read(T& value) {
        if (!has(qsizetype(sizeof(T))))
            return false;
        value = qFromLittleEndian<T>(m_bytes.data() + m_pos);
        m_pos += qsizetype(sizeof(T));
        return true;
    }
    bool read(QByteArrayView& bytes, qsizetype count) {
        if (!has(count))
            return false;
        bytes = m_bytes.sliced(m_pos, count);
        m_pos += count;
        return true;
    }
    // A part of the data starting here; the reader moves past it.
    std::optional<Reader> take(qsizetype count) {
        QByteArrayView part;
        if (!read(part, count))
            return std::nullopt;
        return Reader(part);
    }
    QByteArrayView bytes() const { return m_bytes; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// The zero-terminated ANSI text at offset of block; nothing without a terminator inside it.
std::optional<QString> ansiAt(QByteArrayView block, uint32_t offset) {
    if (offset >= uint64_t(block.size()))
        return std::nullopt;
    const QByteArrayView rest = block.sliced(offset);
    const qsizetype end = rest.indexOf('\0');
    if (end < 0)
        return std::nullopt;
    return platform::cp932::decode(rest.first(end));
}

std::optional<QString> unicodeAt(QByteArrayView block, uint32_t offset) {
    if (offset >= uint64_t(block.size()))
        return std::nullopt;
    for (qsizetype at = offset; at + 1 < block.size(); at += 2) {
        if (block[at] == '\0' && block[at + 1] == '\0') {
            QString text(qsizetype((at - offset) / 2), Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(qFromLittleEndian<uint16_t>(block.data() + offset + 2 * i));
            return text;
        }
    }
    return std::nullopt;
}

// A fixed-size text field: cut at the first zero character.
QString cutAtZero(const QString& text) {
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.first(zero);
}

bool skipIdList(Reader& in) {
    uint16_t size = 0;
    if (!in.read(size))
        return false;
    std::optional<Reader> list = in.take(size);
    if (!list)
        return false;
    // Items, each counting its own size field, up to a zero size that ends the list there.
    for (;;) {
        uint16_t item = 0;
        if (!list->read(item))
            return false;
        if (item == 0)
            return list->pos() == list->size();
        if (item < 2 || !list->skip(item - 2))
            return false;
    }
}

// The path a network link and its suffix name: \\server\share and the rest.
std::optional<QString> networkPath(QByteArrayView info, uint32_t linkOffset,
                                   const QString& suffix) {
    if (linkOffset >= uint64_t(info.size()))
        return std::nullopt;
    Reader in(info.sliced(linkOffset));
    uint32_t size = 0, flags = 0, netNameOffset = 0, deviceNameOffset = 0, providerType = 0;
    if (!in.read(size) || size < NetworkLinkHeaderSize || !in.has(size - 4) || !in.read(flags) ||
        !in.read(netNameOffset) || !in.read(deviceNameOffset) || !in.read(providerType))
        return std::nullopt;
    const QByteArrayView link = in.bytes().first(size);
    std::optional<QString> name;
    uint32_t unicodeOffset = 0;
    if (netNameOffset > NetworkLinkHeaderSize && in.read(unicodeOffset) && unicodeOffset != 0)
        name = unicodeAt(link, unicodeOffset);
    else
        name = ansiAt(link, netNameOffset);
    if (!name)
        return std::nullopt;
    if (suffix.isEmpty() || name->endsWith(u'\\'))
        return *name + suffix;
    return *name + u'\\' + suffix;
}

// The link info block; the target it names goes to link.
bool readLinkInfo(Reader& in, LinkData& link) {
    const qsizetype start = in.pos();
    uint32_t size = 0;
    if (!in.read(size) || size < LinkInfoHeaderSizeAnsi)
        return false;
    Reader whole(in.bytes().sliced(start));
    if (!whole.has(size))
        return false;
    const QByteArrayView info = whole.bytes().first(size);
    Reader header(info);
    header.skip(4);
    uint32_t headerSize = 0, flags = 0, volumeIdOffset = 0, localBaseOffset = 0, networkOffset = 0,
             suffixOffset = 0;
    header.read(headerSize);
    header.read(flags);
    header.read(volumeIdOffset);
    header.read(localBaseOffset);
    header.read(networkOffset);
    header.read(suffixOffset);
    const bool unicode = headerSize >= LinkInfoHeaderSizeUnicode;
    if ((headerSize != LinkInfoHeaderSizeAnsi && !unicode) || headerSize > size)
        return false;
    uint32_t localBaseUnicodeOffset = 0, suffixUnicodeOffset = 0;
    if (unicode && (!header.read(localBaseUnicodeOffset) || !header.read(suffixUnicodeOffset)))
        return false;

    std::optional<QString> suffix = QString();
    if (unicode && suffixUnicodeOffset != 0)
        suffix = unicodeAt(info, suffixUnicodeOffset);
    else if (suffixOffset != 0)
        suffix = ansiAt(info, suffixOffset);
    if (!suffix)
        return false;

    std::optional<QString> local;
    if (flags & VolumeIdAndLocalBasePath) {
        uint32_t volumeSize = 0;
        Reader volume(info);
        if (!volume.skip(volumeIdOffset) || !volume.read(volumeSize) ||
            volumeSize <= VolumeIdHeaderSize || !volume.skip(volumeSize - 4))
            return false;
        if (unicode && localBaseUnicodeOffset != 0)
            local = unicodeAt(info, localBaseUnicodeOffset);
        else
            local = ansiAt(info, localBaseOffset);
        if (!local)
            return false;
        local = *local + *suffix;
    }
    std::optional<QString> network;
    if (flags & CommonNetworkRelativeLinkAndPathSuffix) {
        network = networkPath(info, networkOffset, *suffix);
        if (!network)
            return false;
    }
    // A network path comes first, as for a link that names both.
    if (network)
        link.target = *network;
    else if (local)
        link.target = *local;
    return in.skip(size - 4);
}

bool readString(Reader& in, bool unicode, QString& text) {
    uint16_t count = 0;
    QByteArrayView bytes;
    if (!in.read(count) || !in.read(bytes, unicode ? 2 * qsizetype(count) : count))
        return false;
    if (!unicode) {
        text = platform::cp932::decode(bytes);
        return true;
    }
    text.resize(count);
    for (qsizetype i = 0; i < count; ++i)
        text[i] = QChar(qFromLittleEndian<uint16_t>(bytes.data() + 2 * i));
    return true;
}

// Extra data up to its terminal block. The environment block names the target of a link
// without link info.
bool readExtraData(Reader& in, LinkData& link, bool haveTarget) {
    for (;;) {
        uint32_t size = 0;
        if (!in.read(size))
            return false;
        if (size < TerminalBlockLimit)
            return true;
        std::optional<Reader> block = in.take(qsizetype(size) - 4);
        uint32_t signature = 0;
        if (!block || !block->read(signature))
            return false;
        if (signature != EnvironmentBlockSignature)
            continue;
        if (size != EnvironmentBlockSize)
            return false;
        if (haveTarget)
            continue;
        const QByteArrayView data = block->bytes().sliced(block->pos());
        std::optional<QString> target = unicodeAt(data, EnvironmentAnsiLength);
        if (!target || target->isEmpty())
            target = ansiAt(data.first(EnvironmentAnsiLength), 0);
        if (!target)
            return false;
        link.target = cutAtZero(*target);
    }
}

void put16(QByteArray& out, uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}
void put32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}
void put64(QByteArray& out, uint64_t value) {
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}
void putUnicode(QByteArray& out, const QString& text) {
    for (QChar ch : text)
        put16(out, ch.unicode());
}

QByteArray linkInfo(const QString& target) {
    QByteArray volume;
    put32(volume, VolumeIdHeaderSize + 1);
    put32(volume, DriveFixed);
    put32(volume, 0); // serial number
    put32(volume, VolumeIdHeaderSize);
    volume.append('\0'); // no label

    QByteArray strings;
    const uint32_t volumeOffset = LinkInfoHeaderSizeUnicode;
    const uint32_t localBaseOffset = volumeOffset + uint32_t(volume.size());
    strings.append(platform::cp932::encode(target));
    strings.append('\0');
    const uint32_t suffixOffset = localBaseOffset + uint32_t(strings.size());
    strings.append('\0');
    const uint32_t localBaseUnicodeOffset = localBaseOffset + uint32_t(strings.size());
    putUnicode(strings, target);
    put16(strings, 0);
    const uint32_t suffixUnicodeOffset = localBaseOffset + uint32_t(strings.size());
    put16(strings, 0);

    QByteArray info;
    put32(info, LinkInfoHeaderSizeUnicode + uint32_t(volume.size() + strings.size()));
    put32(info, LinkInfoHeaderSizeUnicode);
    put32(info, VolumeIdAndLocalBasePath);
    put32(info, volumeOffset);
    put32(info, localBaseOffset);
    put32(info, 0); // no network link
    put32(info, suffixOffset);
    put32(info, localBaseUnicodeOffset);
    put32(info, suffixUnicodeOffset);
    return info + volume + strings;
}

} // namespace

std::optional<LinkData> parse(QByteArrayView bytes) {
    Reader in(bytes);
    uint32_t headerSize = 0, flags = 0;
    QByteArrayView clsid;
    LinkData link;
    uint16_t reserved16 = 0;
    uint32_t reserved32 = 0;
    if (!in.read(headerSize) || headerSize != HeaderSize || !in.read(clsid, 16) ||
        clsid != QByteArrayView(LinkClsid.data(), LinkClsid.size()) || !in.read(flags) ||
        !in.read(link.attributes) || !in.read(link.creationTime) || !in.read(link.accessTime) ||
        !in.read(link.writeTime) || !in.read(link.fileSize) || !in.read(link.iconIndex) ||
        !in.read(link.showCommand) || !in.read(link.hotKey) || !in.read(reserved16) ||
        !in.read(reserved32) || !in.read(reserved32))
        return std::nullopt;

    if ((flags & flag::HasLinkTargetIdList) && !skipIdList(in))
        return std::nullopt;
    if ((flags & flag::HasLinkInfo) && !readLinkInfo(in, link))
        return std::nullopt;

    const bool unicode = flags & flag::IsUnicode;
    const std::pair<uint32_t, QString*> strings[] = {
        {flag::HasName, &link.description},         {flag::HasRelativePath, &link.relativePath},
        {flag::HasWorkingDir, &link.workDirectory}, {flag::HasArguments, &link.arguments},
        {flag::HasIconLocation, &link.iconFile},
    };
    for (const auto& [bit, text] : strings) {
        if ((flags & bit) && !readString(in, unicode, *text))
            return std::nullopt;
    }
    if (!readExtraData(in, link, !link.target.isEmpty()))
        return std::nullopt;
    return link;
}

std::optional<QByteArray> write(const LinkData& link) {
    uint32_t flags = flag::IsUnicode;
    if (!link.target.isEmpty())
        flags |= flag::HasLinkInfo;
    const std::pair<uint32_t, const QString*> strings[] = {
        {flag::HasName, &link.description},         {flag::HasRelativePath, &link.relativePath},
        {flag::HasWorkingDir, &link.workDirectory}, {flag::HasArguments, &link.arguments},
        {flag::HasIconLocation, &link.iconFile},
    };
    for (const auto& [bit, text] : strings) {
        if (text->size() > MaxStringLength)
            return std::nullopt;
        if (!text->isEmpty())
            flags |= bit;
    }

    QByteArray out;
    put32(out, HeaderSize);
    out.append(reinterpret_cast<const char*>(LinkClsid.data()), LinkClsid.size());
    put32(out, flags);
    put32(out, link.attributes);
    put64(out, link.creationTime);
    put64(out, link.accessTime);
    put64(out, link.writeTime);
    put32(out, link.fileSize);
    put32(out, uint32_t(link.iconIndex));
    put32(out, uint32_t(link.showCommand));
    put16(out, link.hotKey);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    if (flags & flag::HasLinkInfo)
        out.append(linkInfo(link.target));
    for (const auto& [bit, text] : strings) {
        if (flags & bit) {
            put16(out, uint16_t(text->size()));
            putUnicode(out, *text);
        }
    }
    put32(out, 0); // terminal block
    return out;
}

} // namespace orvenly::shelllink
