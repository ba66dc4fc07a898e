#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

// A file that only ever grows, for a journal: each append goes straight to the system
// (nothing is buffered, so no error hides until a later flush) and is checked at once, and
// sync makes what was appended durable. Whole files are written through FileReplacement;
// this is for records added to the end of one, where a power cut may cut off the last.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Creates the file (readable by the user alone), failing when it exists.
    bool create(const QString& fileName);
    // Opens an existing file to append to, first cutting it to keep bytes (what follows them
    // could not be read).
    bool openAt(const QString& fileName, qint64 keep);
    bool isOpen() const { return m_fd >= 0; }
    void close();

    bool append(QByteArrayView bytes);
    bool sync();
    // The file's length as far as this writer knows it.
    qint64 size() const { return m_size; }

    QString errorString() const { return m_error; }

private:
    bool fail();

    int m_fd = -1;
    qint64 m_size = 0;
    QString m_error;
};

} // namespace platform
