// Any bytes, read as a tree file in each of the three formats and written back as INI text:
// a load may fail, but never crash, hang or touch memory it does not own.
#include "MemoryFile.h"

#include <orvenly/TDB.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file;
    const QString& path = file.hold(QByteArrayView(data, qsizetype(size)));
    for (const orvenly::TDBFormatConstants format :
         {orvenly::TDBF_STD, orvenly::TDBF_INI, orvenly::TDBF_INI_TREE}) {
        orvenly::TDB db;
        db.LoadDataBase(path, format);
        (void)db.IniText();
    }
    return 0;
}
