// Any bytes as a shortcut file: reading never touches memory it does not own, and a link that
// was read is written and read back as the same link.
#include "MemoryFile.h"
#include "objects/files/ShellLinkFormat.h"

#include <orvenly/ShellLink.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace shelllink = orvenly::shelllink;
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<shelllink::LinkData> link = shelllink::parse(bytes);

    static MemoryFile file;
    orvenly::ShellLink object;
    if (object.Load(file.hold(bytes)) != link.has_value())
        std::abort();
    if (!link)
        return 0;
    const std::optional<QByteArray> written = shelllink::write(*link);
    if (written && shelllink::parse(*written) != link)
        std::abort();
    return 0;
}
