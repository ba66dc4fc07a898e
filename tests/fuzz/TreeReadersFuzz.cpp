// Any bytes, read as a tree file in each of the three formats and written back as INI text:
// a load may fail, but never crash, hang or touch memory it does not own.
#include <orvenly/TDB.h>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The input goes to a file in memory that the database opens by name.
class MemoryFile {
public:
    MemoryFile() : m_fd(::memfd_create("tree", MFD_CLOEXEC)) {
        if (m_fd < 0)
            std::abort();
        m_path = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    }
    const QString& hold(const uint8_t* data, size_t size) {
        if (::ftruncate(m_fd, 0) != 0 ||
            ::pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();
        return m_path;
    }

private:
    int m_fd;
    QString m_path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file;
    const QString& path = file.hold(data, size);
    for (const orvenly::TDBFormatConstants format :
         {orvenly::TDBF_STD, orvenly::TDBF_INI, orvenly::TDBF_INI_TREE}) {
        orvenly::TDB db;
        db.LoadDataBase(path, format);
        (void)db.IniText();
    }
    return 0;
}
