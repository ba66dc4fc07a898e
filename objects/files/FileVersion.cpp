#include "orvenly/FileSystem.h"

#include "VersionResource.h"
#include "orvenly/Strings.h"

#include <QtEndian>

namespace orvenly {

namespace {

// The only code page whose strings are read: Unicode.
constexpr uint16_t UnicodeCodePage = 1200;

int32_t signedPart(uint32_t word, int shift) {
    return int16_t(uint16_t(word >> shift));
}

} // namespace

bool FileSystem::GetFileVersion(const QString& FileName, int32_t& Major, int32_t& Minor,
                                int32_t& RevisionH, int32_t& RevisionL) const {
    const auto fixed = version::fixedFileVersion(version::readVersionResource(FileName));
    if (!fixed)
        return false;
    Major = signedPart(fixed->high, 16);
    Minor = signedPart(fixed->high, 0);
    RevisionH = signedPart(fixed->low, 16);
    RevisionL = signedPart(fixed->low, 0);
    return true;
}

QString FileSystem::GetFileVersionDetails(const QString& FileName, const QString& Section) const {
    const QByteArray resource = version::readVersionResource(FileName);
    const auto translation =
        version::queryValue(resource, QStringLiteral("\\VarFileInfo\\Translation"));
    if (!translation || translation->size() < 4)
        return {};
    const uint16_t language = qFromLittleEndian<uint16_t>(translation->data());
    const uint16_t codePage = qFromLittleEndian<uint16_t>(translation->data() + 2);
    if (codePage != UnicodeCodePage)
        return {};
    const Strings& strings = Strings::instance();
    const QString table = strings.FixedHex(language, 4) + strings.FixedHex(codePage, 4);
    const auto value = version::queryValue(resource, QStringLiteral("\\StringFileInfo\\") + table +
                                                         u'\\' + Section);
    return value ? version::textValue(*value) : QString();
}

} // namespace orvenly
