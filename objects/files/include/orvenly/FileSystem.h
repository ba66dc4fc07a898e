#pragma once

#include "orvenly/KeyedCollection.h"

#include <QString>
#include <cstdint>

namespace orvenly {

// File operations shared by the program and the library's users. Stateless; the
// application-wide instance is FileSystem::instance().
//
// Paths on this system: "/" is the separator; there are no drives and no shares. A "\" is an
// ordinary character of a file name, so "a\b" names one file. A path that starts with a
// drive prefix such as "C:" means nothing here and resolves to nothing (rather than to a
// relative name that merely looks alike). Names are compared as the file system compares them:
// exactly, except on a case-insensitive file system.
class FileSystem {
public:
    static const FileSystem& instance();

    // Splits ArgString as a command line and resolves each argument (trailing spaces removed)
    // with GetFullPath against BasePath; arguments that do not resolve are left out.
    KeyedCollection<QString> DivideFilesArgument(const QString& ArgString,
                                                 const QString& BasePath = {}) const;

    // Creates every missing folder of Path. True when the whole path then exists as folders;
    // false as soon as a part of it is something else or cannot be created. "/" gives true at
    // once, an empty path false.
    bool MkDirEx(const QString& Path) const;

    // Removes a folder with everything in it, depth first, going on past failures; false if
    // anything stayed. Links inside are removed as links, never followed; a Path that is
    // itself a link is refused, and so is the root folder.
    bool RmDirEx(const QString& Path) const;

    // Copies the contents, the permission bits and the access and modification times (this
    // system keeps no creation time to set). The copy is written beside the destination and
    // takes its place only when complete. A copy onto the file itself changes nothing.
    // Errors: 53 source missing, 70 permission denied (a read-only destination too), 75 the
    // source is no regular file or the destination cannot be written, 57 a read error.
    bool FileCopyEx(const QString& Source, const QString& Destination) const;

    // Programs of this system carry no version resource. A file that does (a Windows
    // executable or library in the PE format) is read as such: the fixed file version, each
    // part as a signed 16-bit number. False, with the arguments unchanged, for any other file.
    bool GetFileVersion(const QString& FileName, int32_t& Major, int32_t& Minor, int32_t& RevisionH,
                        int32_t& RevisionL) const;

    // One string (Section, such as "FileDescription") of a PE file's version resource, for
    // its first translation when that is Unicode (code page 1200); empty otherwise.
    QString GetFileVersionDetails(const QString& FileName, const QString& Section) const;

    // For an existing file, the description of its type from the shared MIME database. For a
    // missing one, the description the database gives its extension, else the extension in
    // upper case followed by " ファイル", or "ファイル" when it has none.
    QString GetFileTypeName(const QString& FileName) const;

    // Path resolved against BasePath (the current folder when empty; it must be absolute) to
    // an existing file or folder, each part spelled as the file system lists it, with a final
    // "/" for a folder. Empty components and "." change nothing, ".." goes up one level and
    // "..." two; going up past the root gives the empty string. "*" and "?" are wildcards in
    // the last component only: the first match in code-unit order of names ("." and ".."
    // excluded). Anything that cannot be resolved gives the empty string.
    QString GetFullPath(const QString& Path, const QString& BasePath = {}) const;
};

} // namespace orvenly
