#include "VersionResource.h"

#include "platform/ReadableFile.h"

#include <QtEndian>
#include <vector>

namespace orvenly::version {

namespace {

constexpr uint16_t VersionType = 16; // RT_VERSION
constexpr uint32_t SubdirectoryBit = 0x80000000u;
constexpr int ResourceTableIndex = 2;
// A version block states its length in 16 bits.
constexpr uint32_t MaxResourceSize = 0xFFFF;

uint16_t word(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<uint16_t>(bytes.data() + at);
}
uint32_t dword(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<uint32_t>(bytes.data() + at);
}

struct Section {
    uint32_t address;
    uint32_t rawSize;
    uint32_t rawOffset;
};

class PeImage {
public:
    explicit PeImage(const QString& fileName) : m_file(fileName) { m_valid = readHeaders(); }

    bool valid() const { return m_valid; }
    uint32_t resourceBase() const { return m_resourceBase; }

    // length bytes at the virtual address, all of them or none.
    QByteArray at(uint32_t address, uint32_t length) {
        for (const Section& section : m_sections) {
            if (address < section.address || address - section.address >= section.rawSize)
                continue;
            const uint32_t offset = address - section.address;
            if (length > section.rawSize - offset)
                return {};
            const QByteArray bytes = m_file.readAt(int64_t(section.rawOffset) + offset, length);
            return bytes.size() == qsizetype(length) ? bytes : QByteArray();
        }
        return {};
    }

private:
    bool readHeaders() {
        if (!m_file.isOpen())
            return false;
        const QByteArray dos = m_file.readAt(0, 64);
        if (dos.size() < 64 || !dos.startsWith("MZ"))
            return false;
        const uint32_t pe = dword(dos, 0x3C);
        const QByteArray header = m_file.readAt(pe, 24);
        if (header.size() < 24 || !header.startsWith(QByteArrayView("PE\0\0", 4)))
            return false;
        const uint16_t sectionCount = word(header, 6);
        const uint16_t optionalSize = word(header, 20);
        const QByteArray optional = m_file.readAt(int64_t(pe) + 24, optionalSize);
        if (optional.size() < optionalSize || optionalSize < 2)
            return false;
        qsizetype directories = 0;
        qsizetype countAt = 0;
        switch (word(optional, 0)) {
        case 0x10B: // 32-bit image
            countAt = 92;
            directories = 96;
            break;
        case 0x20B: // 64-bit image
            countAt = 108;
            directories = 112;
            break;
        default:
            return false;
        }
        const qsizetype resourceEntry = directories + qsizetype{ResourceTableIndex} * 8;
        if (optional.size() < resourceEntry + 8 || dword(optional, countAt) <= ResourceTableIndex)
            return false;
        m_resourceBase = dword(optional, resourceEntry);
        if (m_resourceBase == 0)
            return false;
        const QByteArray table =
            m_file.readAt(int64_t(pe) + 24 + optionalSize, int64_t(sectionCount) * 40);
        if (table.size() < qsizetype(sectionCount) * 40)
            return false;
        for (qsizetype i = 0; i < sectionCount; ++i)
            m_sections.push_back(
                {dword(table, i * 40 + 12), dword(table, i * 40 + 16), dword(table, i * 40 + 20)});
        return true;
    }

    platform::ReadableFile m_file;
    std::vector<Section> m_sections;
    uint32_t m_resourceBase = 0;
    bool m_valid = false;
};

// The offset field of the entry chosen in the resource directory at offset (relative to the
// resource base): the one of type id when id is given, else the first. Zero for none.
uint32_t directoryEntry(PeImage& image, uint32_t offset, std::optional<uint16_t> id) {
    const QByteArray head = image.at(image.resourceBase() + offset, 16);
    if (head.isEmpty())
        return 0;
    const uint32_t count = uint32_t(word(head, 12)) + word(head, 14);
    const QByteArray entries = image.at(image.resourceBase() + offset + 16, count * 8);
    if (entries.isEmpty())
        return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t name = dword(entries, qsizetype(i) * 8);
        if (!id || name == *id)
            return dword(entries, qsizetype(i) * 8 + 4);
    }
    return 0;
}

} // namespace

QByteArray readVersionResource(const QString& fileName) {
    PeImage image(fileName);
    if (!image.valid())
        return {};
    // Type, then name, then language: the first name and language of the version type.
    uint32_t entry = directoryEntry(image, 0, VersionType);
    for (int level = 0; level < 2; ++level) {
        if (!(entry & SubdirectoryBit))
            return {};
        entry = directoryEntry(image, entry & ~SubdirectoryBit, std::nullopt);
    }
    if (entry == 0 || (entry & SubdirectoryBit))
        return {};
    const QByteArray data = image.at(image.resourceBase() + entry, 16);
    if (data.isEmpty())
        return {};
    const uint32_t size = dword(data, 4);
    if (size == 0 || size > MaxResourceSize)
        return {};
    return image.at(dword(data, 0), size);
}

} // namespace orvenly::version
