#include "TreeGrowth.h"
#include "TreeReaders.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Trimming.h"

namespace orvenly {

namespace {

bool isSectionHeader(const QString& line) {
    return line.size() >= 3 && line.startsWith(u'[') && line.endsWith(u']');
}

// The node a section header selects; none for a path without any name in it.
std::shared_ptr<TDBNode> section(const QString& name, TDBNodes& roots, bool pathSections,
                                 TreeGrowth& growth) {
    if (!pathSections)
        return growth.child(roots, name, 1);
    std::shared_ptr<TDBNode> node;
    int depth = 0;
    for (const QString& part : name.split(u'\\')) {
        const QString trimmed = TrimSpaces(part);
        if (trimmed.isEmpty())
            continue;
        node = growth.child(node ? *node->SubNodes() : roots, trimmed, ++depth);
    }
    return node;
}

QString unquoted(const QString& value) {
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

void readIniLines(const QStringList& lines, TDBNodes& roots, bool pathSections,
                  TreeGrowth& growth) {
    std::shared_ptr<TDBNode> current;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = TrimLeadingSpaces(lines[i]);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        try {
            const QString trimmed = TrimTrailingSpaces(line);
            if (isSectionHeader(trimmed)) {
                current = section(TrimSpaces(trimmed.mid(1, trimmed.size() - 2)), roots,
                                  pathSections, growth);
                continue;
            }
            // Lines before the first section (or after one that names nothing) belong nowhere.
            if (!current)
                continue;
            const qsizetype equals = line.indexOf(u'=');
            if (equals < 0)
                growth.setKey(*current, trimmed, QString());
            else
                growth.setKey(*current, TrimTrailingSpaces(line.left(equals)),
                              unquoted(TrimSpaces(line.mid(equals + 1))));
        } catch (const AutomationError& error) {
            throw AutomationError(
                error.number(), QStringLiteral("line %1: %2").arg(i + 1).arg(error.description()));
        }
    }
}

} // namespace orvenly
