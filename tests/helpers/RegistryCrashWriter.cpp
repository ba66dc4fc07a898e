// Writes registry values, one transaction each, and prints the index of every committed write
// until it is killed. The registry store's crash test runs it.

#include "platform/RegistryStore.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    platform::RegistryStore store(QString::fromLocal8Bit(argv[1]));
    const auto key = store.createKey(*platform::RegistryStore::root(0x80000001u), u"Crash");
    if (!key)
        return 1;
    // Bounded, so that a writer whose test died without killing it still ends.
    for (int i = 0; i < 1000000; ++i) {
        const QString name = QString::number(i);
        if (!store.setValue(*key, name, platform::REG_BINARY, name.toUtf8().repeated(40)))
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
