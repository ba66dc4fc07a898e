#include "orvenly/TDB.h"

#include <vector>

namespace orvenly {

namespace {

constexpr QStringView LineEnd = u"\r\n";

// One collection being walked, and the path of the node that holds it.
struct Level {
    TDBNodes::const_iterator next;
    TDBNodes::const_iterator end;
    QString path;
    bool root = false;
};

void writeNode(QString& text, const TDBNode& node, const QString& path) {
    text += u'[';
    text += path;
    text += u']';
    text += LineEnd;
    for (const std::shared_ptr<TDBKey>& key : *node.Keys()) {
        text += key->Name();
        text += u'=';
        text += key->Value();
        text += LineEnd;
    }
    text += LineEnd;
}

} // namespace

// Depth first without recursion, so that a tree of any depth can be written.
QString TDB::IniText() const {
    QString text;
    std::vector<Level> levels{{m_rootNodes->begin(), m_rootNodes->end(), QString(), true}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.end) {
            levels.pop_back();
            continue;
        }
        const TDBNode& node = **level.next++;
        const QString path = level.root ? node.Name() : level.path + u'\\' + node.Name();
        writeNode(text, node, path);
        const TDBNodes& children = *node.SubNodes();
        levels.push_back({children.begin(), children.end(), path, false});
    }
    return text;
}

} // namespace orvenly
