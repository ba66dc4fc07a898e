#pragma once

#include <QCoreApplication>
#include <QString>
#include <vector>

namespace orvenly {
class IRegister;
class RegKey;
} // namespace orvenly

namespace penlark {

// Records the program under its maker's key (the parent of programKey): the value "Penlark"
// holds the executable's full path, and programKey's "Version" the version number.
void RegisterProgram(orvenly::RegKey& programKey,
                     const QString& executablePath = QCoreApplication::applicationFilePath());

// True when path names a regular file that can be opened for reading. Never throws.
bool FileExists(const QString& path);

// One of the maker's other programs, as registered under the maker's key.
struct ExtraTool {
    QString name;
    QString path;

    friend bool operator==(const ExtraTool&, const ExtraTool&) = default;
};

// The maker's other programs for the Tools menu, in registry order. This program's own
// value is skipped; values whose program no longer exists are deleted from makerKey.
std::vector<ExtraTool> ExtraTools(orvenly::IRegister& makerKey);

// The menu caption of the index-th tool (1-based).
QString ExtraToolCaption(int index, const QString& name);

} // namespace penlark
