// Any text as a property bag's text form: it is read or refused with an automation error, and
// a bag that was read is written as text that reads back as the same bag.
#include <orvenly/AutomationError.h>
#include <orvenly/PropertyBag.h>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    orvenly::PropertyBag bag;
    try {
        bag = orvenly::PropertyBag::fromText(text);
    } catch (const orvenly::AutomationError&) {
        return 0;
    }
    const QString written = bag.toText();
    try {
        if (orvenly::PropertyBag::fromText(written).toText() != written)
            std::abort();
    } catch (const orvenly::AutomationError&) {
        std::abort();
    }
    return 0;
}
