#include "orvenly/FileSystem.h"

#include "platform/DirectoryEntries.h"

#include <QDir>
#include <exception>

namespace orvenly {

namespace {

namespace entries = platform::entries;

constexpr QChar Separator = u'/';

bool hasDrivePrefix(const QString& path) {
    return path.size() >= 2 && path[1] == u':' &&
           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

bool hasWildcard(const QString& component) {
    return component.contains(u'*') || component.contains(u'?');
}

bool onlyDots(const QString& component) {
    for (const QChar ch : component)
        if (ch != u'.')
            return false;
    return true;
}

// "*" stands for any run of characters, "?" for one.
bool wildcardMatch(QStringView pattern, QStringView name) {
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

QString firstMatch(const QString& folder, const QString& pattern) {
    for (const QString& name : entries::entryNames(folder))
        if (wildcardMatch(pattern, name))
            return name;
    return {};
}

// The absolute path that Path names from BasePath, not yet resolved; empty when there is none.
QString joined(const QString& path, const QString& basePath) {
    if (path.startsWith(Separator))
        return path;
    QString base = basePath.isEmpty() ? QDir::currentPath() : basePath;
    if (!base.startsWith(Separator))
        return {};
    if (!base.endsWith(Separator))
        base += Separator;
    return base + path;
}

QString resolve(const QString& path, const QString& basePath) {
    if (hasDrivePrefix(path))
        return {};
    QString rest = joined(path, basePath);
    if (rest.isEmpty())
        return {};
    if (rest.endsWith(Separator))
        rest.chop(1);
    if (rest.isEmpty())
        return QString(Separator);

    const QStringList components = rest.mid(1).split(Separator);
    QString result; // the root folder is the empty string here
    int depth = 0;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components[i];
        const bool last = i == components.size() - 1;
        if (hasWildcard(component) && !last)
            return {};
        if (onlyDots(component)) {
            for (qsizetype up = component.size() - 1; up > 0; --up, --depth) {
                if (depth == 0)
                    return {};
                result.truncate(result.lastIndexOf(Separator));
            }
            continue;
        }
        if (!entries::isRepresentable(component))
            return {};
        const QString name = hasWildcard(component) ? firstMatch(result, component)
                                                    : entries::listedSpelling(result, component);
        if (name.isEmpty())
            return {};
        result += Separator + name;
        ++depth;
    }
    if (result.isEmpty())
        return QString(Separator);
    if (entries::entryType(result) == entries::EntryType::Directory)
        result += Separator;
    return result;
}

} // namespace

QString FileSystem::GetFullPath(const QString& Path, const QString& BasePath) const {
    try {
        return resolve(Path, BasePath);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace orvenly
