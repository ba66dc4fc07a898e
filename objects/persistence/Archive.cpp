#include "orvenly/Archive.h"

#include "orvenly/AutomationError.h"

#include <platform/FileReplacement.h>

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QtEndian>
#include <cstring>
#include <new>

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.Archive");

constexpr bool LittleEndianHost = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

} // namespace

Archive::Archive() = default;

Archive::~Archive() {
    // A destructor must not throw; a caller who cares about the last write closes explicitly.
    try {
        CloseArchive();
    } catch (...) {
    }
}

void Archive::OpenArchive(const QString& FileName, bool Storing, int32_t BufSize) {
    if (BufSize < 4 || FileName.isEmpty())
        throw AutomationError(errors::InvalidArgument, {}, Source);
    CloseArchive();

    std::unique_ptr<char[]> buffer;
    try {
        buffer = std::make_unique_for_overwrite<char[]>(size_t(BufSize));
    } catch (const std::bad_alloc&) {
        throw AutomationError(errors::OutOfMemory, {}, Source);
    }

    m_fileName = FileName;
    if (Storing) {
        auto output = std::make_unique<platform::FileReplacement>(FileName);
        if (!output->isOpen())
            failFile(errors::PathFileAccessError, QStringLiteral("Cannot create the file"),
                     output->errorString());
        m_output = std::move(output);
    } else {
        m_file.setFileName(FileName);
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            if (!QFileInfo::exists(FileName))
                fail(errors::FileNotFound, QStringLiteral("File not found"));
            failFile(errors::PathFileAccessError, QStringLiteral("Cannot open the file"),
                     m_file.errorString());
        }
    }

    m_buffer = std::move(buffer);
    m_bufferSize = BufSize;
    m_position = 0;
    m_end = 0;
    m_filePosition = 0;
    m_mode = Storing ? Mode::Storing : Mode::Loading;
}

void Archive::CloseArchive() {
    if (m_mode != Mode::Storing) {
        releaseFile();
        return;
    }
    // A loading archive only drops its read-ahead, so only storing has anything to flush.
    try {
        Flush();
    } catch (...) {
        releaseFile();
        throw;
    }
    const bool committed = m_output->commit();
    const QString reason = m_output->errorString();
    releaseFile();
    if (!committed)
        failFile(errors::DeviceIOError, QStringLiteral("Cannot finish writing the file"), reason);
}

void Archive::Flush() {
    if (m_mode == Mode::Storing) {
        if (m_position != 0) {
            writeToFile(m_buffer.get(), m_position);
            m_position = 0;
        }
    } else if (m_mode == Mode::Loading) {
        if (unread() != 0) {
            const qint64 readPoint = m_filePosition - unread();
            if (!m_file.seek(readPoint))
                failFile(errors::DeviceIOError, QStringLiteral("Cannot seek in the file"),
                         m_file.errorString());
            m_filePosition = readPoint;
        }
        m_position = 0;
        m_end = 0;
    }
}

bool Archive::IsStoring() const {
    return m_mode == Mode::Storing;
}

bool Archive::IsLoading() const {
    return m_mode == Mode::Loading;
}

void Archive::WriteLong(int32_t dw) {
    requireStoring();
    if (m_bufferSize - m_position < 4)
        Flush();
    qToLittleEndian(dw, m_buffer.get() + m_position);
    m_position += 4;
}

int32_t Archive::ReadLong() {
    requireLoading();
    if (unread() < 4)
        refill(4);
    const auto value = qFromLittleEndian<int32_t>(m_buffer.get() + m_position);
    m_position += 4;
    return value;
}

void Archive::WriteString(const QString& lpsz) {
    requireStoring();
    if (lpsz.size() > INT32_MAX / 2)
        throw AutomationError(errors::Overflow, {}, Source);
    const auto length = int32_t(lpsz.size() * 2);
    WriteLong(length);
    if constexpr (LittleEndianHost) {
        WriteAny(lpsz.utf16(), length);
    } else {
        QByteArray bytes(length, Qt::Uninitialized);
        qToLittleEndian<char16_t>(lpsz.utf16(), lpsz.size(), bytes.data());
        WriteAny(bytes.constData(), length);
    }
}

QString Archive::ReadString() {
    requireLoading();
    const int32_t length = ReadLong();
    // A corrupt length must fail before the string is allocated.
    if (length < 0 || length % 2 != 0)
        fail(errors::InvalidFileFormat,
             QStringLiteral("Invalid string length %1 in the file").arg(length));
    if (length > remaining())
        fail(errors::InputPastEndOfFile,
             QStringLiteral("String length %1 runs past the end of the file").arg(length));
    QString text(length / 2, Qt::Uninitialized);
    ReadAny(text.data(), length);
    if constexpr (!LittleEndianHost)
        qFromLittleEndian<char16_t>(text.constData(), text.size(), text.data());
    return text;
}

void Archive::WriteAny(const void* lpBuffer, int32_t Length) {
    requireStoring();
    if (Length < 0)
        throw AutomationError(errors::InvalidArgument, {}, Source);
    if (Length == 0)
        return;
    if (Length <= m_bufferSize - m_position) {
        std::memcpy(m_buffer.get() + m_position, lpBuffer, size_t(Length));
        m_position += Length;
        return;
    }
    Flush();
    writeToFile(static_cast<const char*>(lpBuffer), Length);
}

void Archive::ReadAny(void* lpBuffer, int32_t Length) {
    requireLoading();
    if (Length < 0)
        throw AutomationError(errors::InvalidArgument, {}, Source);
    if (Length == 0)
        return;
    if (Length <= unread()) {
        std::memcpy(lpBuffer, m_buffer.get() + m_position, size_t(Length));
        m_position += Length;
        return;
    }
    if (Length > remaining())
        fail(errors::InputPastEndOfFile, QStringLiteral("Input past end of file"));
    Flush();
    const qint64 got = readFromFile(static_cast<char*>(lpBuffer), Length);
    m_filePosition += got;
    if (got < Length)
        fail(errors::InputPastEndOfFile, QStringLiteral("Input past end of file"));
}

void Archive::requireStoring() const {
    if (m_mode != Mode::Storing)
        throw AutomationError(errors::ArchiveFirst, QStringLiteral("書き込み出来ません。"), Source);
}

void Archive::requireLoading() const {
    if (m_mode != Mode::Loading)
        throw AutomationError(errors::ArchiveSecond, QStringLiteral("読み込み出来ません。"),
                              Source);
}

void Archive::writeToFile(const char* data, qint64 length) {
    if (!m_output->write(data, length))
        failFile(errors::DeviceIOError, QStringLiteral("Cannot write to the file"),
                 m_output->errorString());
    m_filePosition += length;
}

qint64 Archive::readFromFile(char* data, qint64 length) {
    qint64 total = 0;
    while (total < length) {
        const qint64 got = m_file.read(data + total, length - total);
        if (got < 0)
            failFile(errors::DeviceIOError, QStringLiteral("Cannot read from the file"),
                     m_file.errorString());
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

// Keeps the unread bytes, moves them to the front and fills the rest from the file.
void Archive::refill(int32_t needed) {
    if (remaining() < needed)
        fail(errors::InputPastEndOfFile, QStringLiteral("Input past end of file"));
    const int32_t kept = unread();
    std::memmove(m_buffer.get(), m_buffer.get() + m_position, size_t(kept));
    const qint64 got = readFromFile(m_buffer.get() + kept, m_bufferSize - kept);
    m_filePosition += got;
    m_position = 0;
    m_end = kept + int32_t(got);
    if (m_end < needed)
        fail(errors::InputPastEndOfFile, QStringLiteral("Input past end of file"));
}

qint64 Archive::remaining() const {
    return m_file.size() - m_filePosition + unread();
}

void Archive::fail(int32_t number, const QString& description) const {
    throw AutomationError(
        number, QStringLiteral("%1: \"%2\"").arg(description, QDir::toNativeSeparators(m_fileName)),
        Source);
}

void Archive::failFile(int32_t number, const QString& description, const QString& reason) const {
    fail(number, QStringLiteral("%1 (%2)").arg(description, reason));
}

void Archive::releaseFile() {
    m_file.close();
    m_output.reset();
    m_mode = Mode::Closed;
    m_buffer.reset();
    m_bufferSize = 0;
    m_position = 0;
    m_end = 0;
}

} // namespace orvenly
