#pragma once

#include <QString>
#include <QStringList>

// Folders and their entries, as the helpers that resolve, create and remove paths need them.
namespace platform::entries {

enum class EntryType { Missing, Directory, File, Unreachable };

// What path names with links followed: a folder, anything else (File), nothing (Missing), or
// Unreachable when the system refuses to tell (no permission on the way, a loop of links).
EntryType entryType(const QString& path);

// Whether anything has that name, a dangling link included.
bool entryExists(const QString& path);

// Whether a name survives the trip to the system's byte form and back; names that do not
// would reach another file than the one named.
bool isRepresentable(const QString& name);

// The name under which folder lists the entry name: name itself when it is listed so, else
// the one entry that differs from it in letter case only (a case-insensitive file system), else
// name itself if it exists all the same. Empty when there is no such entry.
QString listedSpelling(const QString& folder, const QString& name);

// The names in folder but "." and "..", in code-unit order; names that cannot be represented
// are left out.
QStringList entryNames(const QString& folder);

// Creates one folder; false with errno set when that fails.
bool makeDirectory(const QString& path);

// Removes a folder with everything in it, depth first; a failing step is skipped and the
// rest goes on. Entries are never followed through a symbolic link: a link is removed as a
// link. Folders without write or search permission are given them first, since on this
// system those guard their entries; files need nothing. False when anything stayed, when
// path is no folder (a link to one included), and for the root folder, which is refused.
bool removeTree(const QString& path);

} // namespace platform::entries
