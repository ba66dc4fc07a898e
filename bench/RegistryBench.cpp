#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

using namespace orvenly;

namespace {

// A registry on a fresh file of its own, with the program's key open.
struct TemporaryRegistry {
    QTemporaryDir dir;
    std::shared_ptr<Registry> registry = Registry::create(
        std::make_shared<platform::RegistryStore>(dir.filePath(u"registry.db"_qs)));
    std::shared_ptr<RegKey> key =
        registry->Item(HKEY_CURRENT_USER, u"Software\\Ardenfall\\Penlark"_qs);
};

QStringList valueNames(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << u"Value"_qs + QString::number(i);
    return names;
}

void BM_RegistrySetValue1000(benchmark::State& state) {
    TemporaryRegistry r;
    const QStringList names = valueNames(100);
    int32_t n = 0;
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i, ++n)
            r.key->SetValue(names[i % 100], Variant(n));
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_RegistryGetValue10000(benchmark::State& state) {
    TemporaryRegistry r;
    const QStringList names = valueNames(100);
    for (int i = 0; i < 100; ++i)
        r.key->SetValue(names[i], i % 2 ? Variant(int32_t(i)) : Variant(u"text "_qs + names[i]));
    const Variant longDefault(int32_t(0));
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            benchmark::DoNotOptimize(r.key->GetValue(names[i % 100], longDefault));
    state.SetItemsProcessed(state.iterations() * 10000);
}

// What the program writes when it saves its settings, window layout and recent files: about
// seventy values in four subkeys, some equal to their defaults and so deleted.
void BM_RegistrySettingsSave70(benchmark::State& state) {
    TemporaryRegistry r;
    const QStringList names = valueNames(70);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        const auto root = r.registry->Item(HKEY_CURRENT_USER, u"Software\\Ardenfall\\Penlark"_qs);
        root->SetValue(u"Version"_qs, u"1.0.0"_qs);
        std::shared_ptr<IRegister> sections[] = {
            root->SubKey(u"Global"_qs), root->SubKey(u"Editor"_qs), root->SubKey(u"View"_qs),
            root->SubKey(u"MostRecentFiles"_qs)};
        for (int i = 1; i < 70; ++i) {
            IRegister& section = *sections[i % 4];
            switch (i % 3) {
            case 0:
                section.SetValue(names[i], Variant(flip), Variant(false));
                break;
            case 1:
                section.SetValue(names[i], Variant(int32_t(i + flip)), Variant(int32_t(i)));
                break;
            default:
                section.SetValue(names[i], u"/home/user/文書/メモ"_qs + QString::number(i + flip));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 70);
}

} // namespace

BENCHMARK(BM_RegistrySetValue1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryGetValue10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistrySettingsSave70)->Unit(benchmark::kMillisecond);
