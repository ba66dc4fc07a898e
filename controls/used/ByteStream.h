#pragma once

#include "orvenly/IStream.h"

#include <QByteArray>

namespace tamsell {

// A stream over bytes in memory, for property bags kept inside another bag's byte array.
// Reading past the end raises 62.
class ByteStream : public orvenly::IStream {
public:
    // An empty stream that stores.
    ByteStream() = default;
    // A stream that loads the given bytes.
    explicit ByteStream(const QByteArray& bytes) : m_bytes(bytes), m_loading(true) {}

    bool IsStoring() const override { return !m_loading; }
    bool IsLoading() const override { return m_loading; }
    void WriteLong(int32_t dw) override;
    int32_t ReadLong() override;
    void WriteString(const QString& lpsz) override;
    QString ReadString() override;
    void WriteAny(const void* lpBuffer, int32_t Length) override;
    void ReadAny(void* lpBuffer, int32_t Length) override;

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    bool m_loading = false;
    qsizetype m_position = 0;
};

} // namespace tamsell
