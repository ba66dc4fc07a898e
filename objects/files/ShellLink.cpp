#include "orvenly/ShellLink.h"

#include "ShellLinkFormat.h"
#include "orvenly/AutomationError.h"

#include <platform/FileReplacement.h>
#include <platform/ReadableFile.h>

#include <QDateTime>
#include <QFileInfo>

namespace orvenly {

namespace {

// Shortcuts are small; anything larger is no shortcut, and is not read into memory.
constexpr qint64 MaxLinkFileSize = qint64{16} * 1024 * 1024;

constexpr int32_t HotKeyModifierShift = 16;
constexpr int32_t HotKeyModifierMask = SLHK_SHIFT | SLHK_CONTROL | SLHK_ALT | SLHK_EXT;
constexpr int32_t HotKeyWordMask = 0xFFFF;

constexpr uint32_t AttributeReadOnly = 0x1;
constexpr uint32_t AttributeDirectory = 0x10;
constexpr uint32_t AttributeArchive = 0x20;

// 100-nanosecond steps since 1601-01-01, the format's clock; 0 for an unknown time.
uint64_t fileTime(const QDateTime& time) {
    constexpr int64_t EpochDifferenceSeconds = 11644473600;
    if (!time.isValid())
        return 0;
    const int64_t msecs = time.toMSecsSinceEpoch() + EpochDifferenceSeconds * 1000;
    return msecs < 0 ? 0 : uint64_t(msecs) * 10000;
}

QString untilZero(const QString& text) {
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.first(zero);
}

// Takes what the target looks like now, as the link records it.
void describeTarget(shelllink::LinkData& link, const QFileInfo& target) {
    uint32_t attributes = target.isDir() ? AttributeDirectory : AttributeArchive;
    if (!target.isWritable())
        attributes |= AttributeReadOnly;
    link.attributes = attributes;
    link.creationTime = fileTime(target.birthTime());
    link.accessTime = fileTime(target.lastRead());
    link.writeTime = fileTime(target.lastModified());
    // The size field holds the low 32 bits of larger files.
    link.fileSize = target.isDir() ? 0 : uint32_t(uint64_t(target.size()));
}

} // namespace

ShellLink::ShellLink() : m_link(std::make_unique<shelllink::LinkData>()) {}

ShellLink::~ShellLink() = default;

QString ShellLink::Target() const {
    return m_link->target;
}
void ShellLink::SetTarget(const QString& value) {
    m_link->target = untilZero(value);
}

QString ShellLink::Arguments() const {
    return m_link->arguments;
}
void ShellLink::SetArguments(const QString& value) {
    m_link->arguments = untilZero(value);
}

QString ShellLink::WorkDirectory() const {
    return m_link->workDirectory;
}
void ShellLink::SetWorkDirectory(const QString& value) {
    m_link->workDirectory = untilZero(value);
}

ShellLinkWindowStateConstants ShellLink::StartupWindowState() const {
    return ShellLinkWindowStateConstants(m_link->showCommand);
}
void ShellLink::SetStartupWindowState(ShellLinkWindowStateConstants value) {
    m_link->showCommand = value;
}

QString ShellLink::IconFile() const {
    return m_link->iconFile;
}
void ShellLink::SetIconFile(const QString& value) {
    m_link->iconFile = untilZero(value);
}

int32_t ShellLink::IconIndex() const {
    return m_link->iconIndex;
}
void ShellLink::SetIconIndex(int32_t value) {
    m_link->iconIndex = value;
}

QString ShellLink::Description() const {
    return m_link->description;
}
void ShellLink::SetDescription(const QString& value) {
    m_link->description = untilZero(value);
}

int32_t ShellLink::HotKey() const {
    return m_link->hotKey;
}
void ShellLink::SetHotKey(int32_t value) {
    if (value & ~(HotKeyWordMask | HotKeyModifierMask))
        throw AutomationError(errors::InvalidPropertyValue);
    const int32_t modifiers = (value & HotKeyModifierMask) >> HotKeyModifierShift;
    m_link->hotKey = uint16_t((value & HotKeyWordMask) | (modifiers << 8));
}

void ShellLink::NewLink() {
    m_link = std::make_unique<shelllink::LinkData>();
}

bool ShellLink::Load(const QString& FileName) {
    platform::ReadableFile file(FileName);
    const QByteArray bytes = file.readAll(MaxLinkFileSize);
    if (file.failure() != platform::ReadableFile::Failure::None)
        return false;
    std::optional<shelllink::LinkData> link = shelllink::parse(bytes);
    if (!link)
        return false;
    *m_link = std::move(*link);
    return true;
}

bool ShellLink::Save(const QString& FileName) {
    const QFileInfo target(m_link->target);
    if (m_link->target.isEmpty() || !target.exists())
        return false;
    shelllink::LinkData link = *m_link;
    describeTarget(link, target);
    const std::optional<QByteArray> bytes = shelllink::write(link);
    if (!bytes)
        return false;
    if (!platform::replaceFileContents(FileName, *bytes))
        return false;
    *m_link = std::move(link);
    return true;
}

} // namespace orvenly
