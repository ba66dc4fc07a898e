// Any stored registry value, of any type and bytes, read as every variant type: the reading
// gives a value or the default and never touches memory it does not own.
//
// The input is the value's type (one byte) and its data.
#include <orvenly/AutomationError.h>
#include <orvenly/RegKey.h>
#include <orvenly/Registry.h>
#include <platform/RegistryStore.h>

#include <QTemporaryDir>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

using orvenly::Variant;

struct Fixture {
    QTemporaryDir dir;
    std::shared_ptr<platform::RegistryStore> store =
        std::make_shared<platform::RegistryStore>(dir.filePath(QStringLiteral("registry.db")));
    std::shared_ptr<orvenly::Registry> registry = orvenly::Registry::create(store);
    std::shared_ptr<orvenly::RegKey> key =
        registry->Item(orvenly::HKEY_CURRENT_USER, QStringLiteral("Fuzz"));
    platform::RegistryStore::Key handle =
        *store->openKey(*platform::RegistryStore::root(0x80000001u), u"Fuzz");
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fixture fixture;
    if (size == 0)
        return 0;
    const QByteArrayView value(data + 1, qsizetype(size - 1));
    if (!fixture.store->setValue(fixture.handle, u"v", data[0] % 9, value))
        std::abort();

    const std::array<std::optional<Variant>, 12> defaults = {std::nullopt,
                                                             Variant(),
                                                             Variant(orvenly::Null{}),
                                                             Variant(int16_t(7)),
                                                             Variant(int32_t(7)),
                                                             Variant(7.0f),
                                                             Variant(7.0),
                                                             Variant(orvenly::Currency{70000}),
                                                             Variant(orvenly::Date{7.0}),
                                                             Variant(QStringLiteral("seven")),
                                                             Variant(true),
                                                             Variant(QByteArray("7"))};
    for (const std::optional<Variant>& fallback : defaults)
        (void)fixture.key->GetValue(QStringLiteral("v"), fallback);
    (void)fixture.key->GetValue(QStringLiteral("V"), Variant(uint8_t(7)));

    std::array<char, 64> buffer{};
    const int32_t length = int32_t(std::min<size_t>(size, buffer.size()));
    const int32_t stored = fixture.key->GetValueAny(QStringLiteral("v"), buffer.data(), length);
    if (stored < 0 || stored > length)
        std::abort();
    QString name;
    QString text;
    while (fixture.key->EnumValue(name, text)) {
    }
    return 0;
}
