// Any bytes recognised as a text form, with the sample limit at the input's end and inside
// it: recognition never touches memory it does not own, recognises only the forms it knows,
// and what decodeText then reads the bytes in is consistent with it.
#include <orvenly/StringConversion.h>
#include <orvenly/TextConversion.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvenly;
    const QByteArrayView bytes(data, qsizetype(size));
    const int32_t inside = size > 1 ? int32_t(data[0] % size) : 0;
    for (const int32_t limit : {RecognitionLimit, inside}) {
        const TextForm form = recogniseForm(bytes, limit);
        if (form.charset < SCS_UNKNOWN || form.charset > SCS_UTF16BE)
            std::abort();
        if (form.byteOrderMark && !form.isUnicode())
            std::abort();
    }
    const TextForm form = recogniseForm(bytes);
    const DecodedText decoded = decodeText(bytes, SCS_UNKNOWN, SLB_UNKNOWN);
    const Recognition recognition = recogniseText(bytes);
    // Undecided text is read as Shift_JIS; the line breaks are counted alike, with or
    // without decoding.
    const TextForm read =
        recognition.form.charset == SCS_UNKNOWN ? TextForm(SCS_SHIFTJIS) : recognition.form;
    if (read != decoded.form || recognition.breakCode != decoded.breakCode)
        std::abort();
    // A mark always decides; a pattern may give way to the legacy charsets.
    if (form.byteOrderMark && decoded.form != form)
        std::abort();
    if (!form.isUnicode() && recognition.form != form)
        std::abort();
    return 0;
}
