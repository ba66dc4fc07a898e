#include "ByteStream.h"

#include "orvenly/AutomationError.h"

#include <QtEndian>
#include <cstring>

namespace tamsell {

namespace {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

} // namespace

void ByteStream::WriteLong(int32_t dw) {
    const int32_t little = qToLittleEndian(dw);
    WriteAny(&little, sizeof little);
}

int32_t ByteStream::ReadLong() {
    int32_t little = 0;
    ReadAny(&little, sizeof little);
    return qFromLittleEndian(little);
}

void ByteStream::WriteString(const QString& lpsz) {
    const int32_t length = int32_t(lpsz.size() * 2);
    WriteLong(length);
    QByteArray text(length, '\0');
    qToLittleEndian<char16_t>(lpsz.utf16(), lpsz.size(), text.data());
    WriteAny(text.constData(), length);
}

QString ByteStream::ReadString() {
    const int32_t length = ReadLong();
    if (length < 0 || length % 2 != 0 || length > m_bytes.size() - m_position)
        throw AutomationError(errors::InputPastEndOfFile);
    QString text(length / 2, QChar());
    qFromLittleEndian<char16_t>(m_bytes.constData() + m_position, length / 2, text.data());
    m_position += length;
    return text;
}

void ByteStream::WriteAny(const void* lpBuffer, int32_t Length) {
    if (m_loading)
        throw AutomationError(errors::ArchiveFirst);
    if (Length > 0)
        m_bytes.append(static_cast<const char*>(lpBuffer), Length);
}

void ByteStream::ReadAny(void* lpBuffer, int32_t Length) {
    if (!m_loading)
        throw AutomationError(errors::ArchiveSecond);
    if (Length < 0 || Length > m_bytes.size() - m_position)
        throw AutomationError(errors::InputPastEndOfFile);
    if (Length > 0)
        std::memcpy(lpBuffer, m_bytes.constData() + m_position, size_t(Length));
    m_position += Length;
}

} // namespace tamsell
