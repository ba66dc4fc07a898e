#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// The version resource of a Windows executable or library (the PE format), the only kind of
// file that carries one. Everything read from the file is checked against its bounds.
namespace orvenly::version {

// The resource's bytes, or empty when the file is no PE file or has none.
QByteArray readVersionResource(const QString& fileName);

// The file version of the fixed block (root "\"), high and low word.
struct FixedFileVersion {
    uint32_t high = 0;
    uint32_t low = 0;
};
std::optional<FixedFileVersion> fixedFileVersion(QByteArrayView resource);

// The value of the block at path (names separated by "\", compared without regard to case),
// such as "VarFileInfo\Translation"; none when there is no such block.
std::optional<QByteArrayView> queryValue(QByteArrayView resource, const QString& path);

// A text value up to its first NUL.
QString textValue(QByteArrayView value);

} // namespace orvenly::version
