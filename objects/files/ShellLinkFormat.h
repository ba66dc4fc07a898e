#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// Reader and writer of the shortcut file format: header, target ID list, link info with the
// local base path, string data and extra data blocks.
namespace orvenly::shelllink {

// Show command of a link that says nothing else.
inline constexpr int32_t DefaultShowCommand = 1;

struct LinkData {
    QString target;
    QString relativePath;
    QString arguments;
    QString workDirectory;
    QString iconFile;
    QString description;
    int32_t iconIndex = 0;
    int32_t showCommand = DefaultShowCommand;
    uint16_t hotKey = 0;
    // What the target looked like when the link was last saved.
    uint32_t attributes = 0;
    uint64_t creationTime = 0;
    uint64_t accessTime = 0;
    uint64_t writeTime = 0;
    uint32_t fileSize = 0;

    friend bool operator==(const LinkData&, const LinkData&) = default;
};

// The link a file holds; nothing when the bytes are not a well-formed shortcut. Never reads
// outside bytes.
std::optional<LinkData> parse(QByteArrayView bytes);

// The file for link; nothing when one of its texts is too long for the format.
std::optional<QByteArray> write(const LinkData& link);

} // namespace orvenly::shelllink
