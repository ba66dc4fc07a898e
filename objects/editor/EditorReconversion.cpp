#include "EditorReconversion.h"

#include <platform/Cp932.h>

#include <QtEndian>
#include <algorithm>
#include <cstddef>

namespace orvenly::reconversion {

namespace {

enum Field { Size, Version, StrLen, StrOffset, CompStrLen, CompStrOffset, TargetLen, TargetOffset };

uint32_t field(QByteArrayView record, Field index) {
    return qFromLittleEndian<uint32_t>(record.data() + std::ptrdiff_t{4} * index);
}

void setField(QByteArray& record, Field index, uint32_t value) {
    qToLittleEndian(value, record.data() + std::ptrdiff_t{4} * index);
}

// Characters in the first bytes of the string area, cut at a whole character.
int32_t charactersIn(const QString& text, Form form, uint32_t bytes) {
    if (form == Form::Utf16)
        return static_cast<int32_t>(std::min<qsizetype>(bytes / 2, text.size()));
    int32_t count = 0;
    uint32_t used = 0;
    for (const QChar c : text) {
        used += uint32_t(platform::cp932::encode(QStringView(&c, 1)).size());
        if (used > bytes)
            break;
        ++count;
    }
    return count;
}

} // namespace

QByteArray record(const QString& text, Form form) {
    QByteArray area;
    if (form == Form::Cp932) {
        area = platform::cp932::encode(text);
        area.append('\0');
    } else {
        area = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        area.append(2, '\0');
    }
    const auto n = uint32_t(area.size() - (form == Form::Cp932 ? 1 : 2));
    QByteArray result(HeaderSize, '\0');
    setField(result, Size, uint32_t(HeaderSize + area.size()));
    setField(result, StrLen, n);
    setField(result, StrOffset, HeaderSize);
    setField(result, CompStrLen, n);
    setField(result, TargetLen, n);
    return result + area;
}

bool confirmedPart(QByteArrayView record, const QString& text, Form form, Part& part) {
    if (record.size() < HeaderSize)
        return false;
    const uint32_t offset = field(record, CompStrOffset);
    const uint32_t length = field(record, CompStrLen);
    part.start = charactersIn(text, form, offset);
    // The end is counted from the start of the area too, so that it cannot overflow.
    const uint32_t end = length > UINT32_MAX - offset ? UINT32_MAX : offset + length;
    part.length = charactersIn(text, form, end) - part.start;
    return true;
}

} // namespace orvenly::reconversion

namespace orvenly {

int32_t TextEditor::ReconversionRequest(uint32_t code, QByteArray* buffer, ReconvertForm form) {
    const QString text = SelText();
    if (code == reconversion::RequestString) {
        const QByteArray made = reconversion::record(text, form);
        // A buffer too small for the record is left untouched.
        if (buffer && buffer->size() >= made.size())
            std::copy(made.begin(), made.end(), buffer->begin());
        return static_cast<int32_t>(made.size());
    }
    if (code != reconversion::ConfirmString || !buffer)
        return 0;
    reconversion::Part part;
    if (!reconversion::confirmedPart(*buffer, text, form, part))
        return 0;
    SetSel(SelStart() + part.start, part.length);
    ClearSel();
    return 1;
}

} // namespace orvenly
