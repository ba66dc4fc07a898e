#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QtEndian>
#include <cstdint>

// Builds small Windows executables (PE files) that carry a version resource, as the file
// helpers read them.
namespace pe_sample {

inline void put16(QByteArray& bytes, uint16_t value) {
    char b[2];
    qToLittleEndian(value, b);
    bytes.append(b, 2);
}
inline void put32(QByteArray& bytes, uint32_t value) {
    char b[4];
    qToLittleEndian(value, b);
    bytes.append(b, 4);
}
inline void set32(QByteArray& bytes, qsizetype at, uint32_t value) {
    qToLittleEndian(value, bytes.data() + at);
}
inline void padTo4(QByteArray& bytes) {
    while (bytes.size() % 4 != 0)
        bytes.append('\0');
}
inline QByteArray utf16z(const QString& text) {
    QByteArray bytes;
    for (const QChar ch : text)
        put16(bytes, ch.unicode());
    put16(bytes, 0);
    return bytes;
}

// One block: length, value length (characters for text), type, key, value, children.
inline QByteArray block(const QString& key, const QByteArray& value, bool text,
                        const QList<QByteArray>& children = {}) {
    QByteArray bytes;
    put16(bytes, 0);
    put16(bytes, uint16_t(text ? value.size() / 2 : value.size()));
    put16(bytes, text ? 1 : 0);
    bytes += utf16z(key);
    padTo4(bytes);
    bytes += value;
    for (const QByteArray& child : children) {
        padTo4(bytes);
        bytes += child;
    }
    qToLittleEndian(uint16_t(bytes.size()), bytes.data());
    return bytes;
}

struct Version {
    uint16_t parts[4] = {1, 2, 3, 4};
    uint16_t language = 0x0411;
    uint16_t codePage = 1200;
    QString table = QStringLiteral("041104B0");
    QList<QPair<QString, QString>> strings;
};

inline QByteArray versionResource(const Version& version) {
    QByteArray fixed;
    put32(fixed, 0xFEEF04BDu);
    put32(fixed, 0x00010000u);
    put32(fixed, uint32_t(version.parts[0]) << 16 | version.parts[1]);
    put32(fixed, uint32_t(version.parts[2]) << 16 | version.parts[3]);
    for (int i = 0; i < 9; ++i)
        put32(fixed, 0);
    QList<QByteArray> strings;
    for (const auto& [name, value] : version.strings)
        strings << block(name, utf16z(value), true);
    QByteArray translation;
    put16(translation, version.language);
    put16(translation, version.codePage);
    return block(QStringLiteral("VS_VERSION_INFO"), fixed, false,
                 {block(QStringLiteral("StringFileInfo"), {}, true,
                        {block(version.table, {}, true, strings)}),
                  block(QStringLiteral("VarFileInfo"), {}, true,
                        {block(QStringLiteral("Translation"), translation, false)})});
}

// A PE file (32- or 64-bit) whose one section holds the resources: the version type, one
// name, one language, and the version resource.
inline QByteArray executable(const QByteArray& resource, bool wide = false) {
    constexpr uint32_t SectionAddress = 0x1000;
    constexpr uint32_t SectionOffset = 0x200;
    const uint16_t optionalSize = wide ? 240 : 224;

    QByteArray section;
    const auto directory = [&section](uint32_t id, uint32_t target) {
        for (int i = 0; i < 3; ++i)
            put32(section, 0);
        put16(section, 0);
        put16(section, 1);
        put32(section, id);
        put32(section, target);
    };
    directory(16, 0x80000000u | 0x18);
    directory(1, 0x80000000u | 0x30);
    directory(0x0411, 0x48);
    put32(section, SectionAddress + 0x58);
    put32(section, uint32_t(resource.size()));
    put32(section, 0);
    put32(section, 0);
    section += resource;
    padTo4(section);

    QByteArray file(64, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    set32(file, 0x3C, 64);
    file += QByteArray("PE\0\0", 4);
    put16(file, wide ? 0x8664 : 0x014C);
    put16(file, 1);
    put32(file, 0);
    put32(file, 0);
    put32(file, 0);
    put16(file, optionalSize);
    put16(file, 0x0102);
    QByteArray optional(optionalSize, '\0');
    qToLittleEndian(uint16_t(wide ? 0x20B : 0x10B), optional.data());
    const qsizetype directories = wide ? 112 : 96;
    set32(optional, directories - 4, 16);
    set32(optional, directories + qsizetype{2} * 8, SectionAddress);
    set32(optional, directories + qsizetype{2} * 8 + 4, uint32_t(section.size()));
    file += optional;
    QByteArray header(40, '\0');
    header.replace(0, 5, ".rsrc");
    set32(header, 8, uint32_t(section.size()));
    set32(header, 12, SectionAddress);
    set32(header, 16, uint32_t(section.size()));
    set32(header, 20, SectionOffset);
    file += header;
    file.resize(SectionOffset, '\0');
    return file + section;
}

} // namespace pe_sample
