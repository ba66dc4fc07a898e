#include "TemplateCopy.h"

#include "TreeGrowth.h"
#include "orvenly/TDBNodes.h"

#include <QString>
#include <utility>
#include <vector>

namespace orvenly {

namespace {

// A template's content, taken before anything is copied.
struct Shape {
    QString name;
    std::vector<std::pair<QString, QString>> keys;
    std::vector<Shape> children;
};

Shape shapeOf(const TDBNode& node) {
    Shape shape{node.Name(), {}, {}};
    for (const std::shared_ptr<TDBKey>& key : *node.Keys())
        shape.keys.emplace_back(key->Name(), key->Value());
    for (const std::shared_ptr<TDBNode>& child : *node.SubNodes())
        shape.children.push_back(shapeOf(*child));
    return shape;
}

void apply(const Shape& shape, TDBNode& destination, int depth, TreeGrowth& growth) {
    destination.Keys()->setAutoCreateKey(true);
    for (const auto& [name, value] : shape.keys)
        growth.setKey(destination, name, value);
    for (const Shape& child : shape.children)
        apply(child, *growth.child(*destination.SubNodes(), child.name, depth + 1), depth + 1,
              growth);
}

} // namespace

void copyTemplate(const TDBNode& source, TDBNode& destination, int depth, TreeGrowth& growth) {
    apply(shapeOf(source), destination, depth, growth);
}

} // namespace orvenly
