#pragma once

#include <QString>

namespace penlark {

// What became of a document's load or save, and why it failed.
enum class DocumentError {
    None,
    NotFound,         // no such file or folder
    IsFolder,         // the name is a folder (or a pipe or device: not a regular file)
    PermissionDenied, // the file or its folder may not be read or written
    DiskFull,         // no space left, or the user's quota is used up
    TooLarge,         // more than a document may hold, or than the system lets be written
    ReadOnlyDisk,     // the file system is mounted read-only
    CannotDecode,     // the charset cannot read the bytes (or memory ran out doing it)
    OutOfMemory,      // the text would not fit into the memory there is
    ChangedSince,     // the file is no longer the one a journal's edits were made on
    Other,            // any other system error
};

struct DocumentResult {
    DocumentError error = DocumentError::None;
    // The system's own words for an Other error.
    QString detail;

    explicit operator bool() const { return error == DocumentError::None; }
};

// The error for a system error number (errno) met while reading or writing a file; Other for
// a failure without one.
DocumentError documentErrorOf(int errorNumber);
// One line that tells the user the cause, to follow the program's message.
QString causeText(const DocumentResult& result);

} // namespace penlark
