#include "orvenly/TDB.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace orvenly;

namespace {

// "name:index" of each node in enumeration order.
QString listing(const TDBNodes& nodes) {
    QStringList entries;
    for (const std::shared_ptr<TDBNode>& node : nodes)
        entries << node->Name() + u':' + QString::number(node->Index());
    return entries.join(u' ');
}

QString listing(const TDBKeys& keys) {
    QStringList entries;
    for (const std::shared_ptr<TDBKey>& key : keys)
        entries << key->Name() + u':' + QString::number(key->Index()) + u'=' + key->Value();
    return entries.join(u' ');
}

} // namespace

TEST(TDBNodes, AddAtAnIndexRenumbersAndRemoveRenumbersBack) {
    TDB db;
    TDBNodes& roots = *db.RootNodes();
    roots.Add(u"a"_qs);
    roots.Add(u"b"_qs);
    const auto first = roots.Add(u"c"_qs, 1);
    EXPECT_EQ(listing(roots), u"c:1 a:2 b:3"_qs);
    roots.Remove(1);
    EXPECT_EQ(listing(roots), u"a:1 b:2"_qs);
    EXPECT_EQ(first->Index(), 0) << "a removed node has no position";
    roots.Remove(u"B"_qs);
    EXPECT_EQ(listing(roots), u"a:1"_qs);

    EXPECT_EQ(errorOf([&] { roots.Add(u"x"_qs, 3); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { roots.Add(u"x"_qs, -1); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { roots.Add(u"A"_qs); }), errors::DuplicateKey);
    EXPECT_EQ(errorOf([&] { roots.Remove(u"missing"_qs); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { roots.Remove(5); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(listing(roots), u"a:1"_qs);
}

TEST(TDBNodes, ItemCreatesOnlyWhileAutoCreateIsSet) {
    TDB db;
    TDBNodes& roots = *db.RootNodes();
    const auto made = roots.Item(u"Form"_qs);
    EXPECT_EQ(roots.Item(u"FORM"_qs), made);
    EXPECT_TRUE(roots.Exists(u"form"_qs));
    EXPECT_EQ(roots.Count(), 1);

    roots.setAutoCreateNode(false);
    EXPECT_EQ(errorOf([&] { roots.Item(u"other"_qs); }), errors::InvalidArgument);
    EXPECT_EQ(roots.Count(), 1);
    EXPECT_EQ(roots.Item(u"Form"_qs), made);
}

TEST(TDBNodes, AnEmptyNameIsReachedByEnumerationOnly) {
    TDB db;
    TDBNodes& roots = *db.RootNodes();
    roots.Add(QString());
    roots.Add(QString());
    EXPECT_EQ(roots.Count(), 2) << "nodes without a name never collide";
    EXPECT_FALSE(roots.Exists(QString()));
    roots.Item(QString());
    EXPECT_EQ(roots.Count(), 3);
}

TEST(TDBNodes, RenamingKeepsPositionAndRefusesASiblingsName) {
    TDB db;
    TDBNodes& roots = *db.RootNodes();
    const auto a = roots.Add(u"alpha"_qs);
    roots.Add(u"beta"_qs);
    a->Keys()->Add(u"k"_qs, 0, u"v"_qs);

    a->setName(u"ALPHA"_qs);
    EXPECT_EQ(listing(roots), u"ALPHA:1 beta:2"_qs);
    EXPECT_EQ(roots.Item(u"alpha"_qs), a);
    EXPECT_EQ(a->Keys()->Item(u"k"_qs)->Value(), u"v"_qs);

    EXPECT_EQ(errorOf([&] { a->setName(u"Beta"_qs); }), errors::DuplicateKey);
    EXPECT_EQ(a->Name(), u"ALPHA"_qs);

    a->setName(u"gamma"_qs);
    EXPECT_EQ(listing(roots), u"gamma:1 beta:2"_qs);
    EXPECT_FALSE(roots.Exists(u"alpha"_qs));
    EXPECT_EQ(roots.Item(u"GAMMA"_qs), a);
}

TEST(TDBNodes, ARemovedNodeRenamesWithoutTouchingItsFormerCollection) {
    TDB db;
    TDBNodes& roots = *db.RootNodes();
    const auto removed = roots.Add(u"a"_qs);
    roots.Add(u"b"_qs);
    roots.Remove(u"a"_qs);
    removed->setName(u"b"_qs);
    EXPECT_EQ(removed->Name(), u"b"_qs);
    EXPECT_EQ(listing(roots), u"b:1"_qs);
    EXPECT_TRUE(roots.Exists(u"b"_qs));

    const auto cleared = roots.Item(u"b"_qs);
    roots.Clear();
    cleared->setName(u"c"_qs);
    EXPECT_EQ(roots.Count(), 0);
    EXPECT_EQ(cleared->Index(), 0);
}

TEST(TDBNodes, ParentsAndOwnersAreWeak) {
    std::shared_ptr<TDBNode> child;
    std::shared_ptr<TDBKey> key;
    {
        TDB db;
        const auto parent = db.RootNodes()->Add(u"p"_qs);
        child = parent->SubNodes()->Add(u"c"_qs);
        key = parent->Keys()->Add(u"k"_qs);
        EXPECT_EQ(child->Parent(), parent);
        EXPECT_EQ(key->Node(), parent);
        EXPECT_EQ(parent->Parent(), nullptr);
    }
    EXPECT_EQ(child->Parent(), nullptr) << "the parent went with the database";
    EXPECT_EQ(key->Node(), nullptr);
    EXPECT_EQ(child->Index(), 0);
    child->setName(u"renamed"_qs);
    key->setName(u"renamed"_qs);
    EXPECT_EQ(child->Name(), u"renamed"_qs);
}

TEST(TDBNodes, AHeldCollectionKeepsItsNodesAfterItsOwnerIsGone) {
    std::shared_ptr<TDBNodes> subNodes;
    {
        TDB db;
        subNodes = db.RootNodes()->Add(u"p"_qs)->SubNodes();
        subNodes->Add(u"c"_qs)->SubNodes()->Add(u"d"_qs);
    }
    ASSERT_EQ(subNodes->Count(), 1);
    const auto c = subNodes->Item(u"c"_qs);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_EQ(c->SubNodes()->Item(u"d"_qs)->Parent(), c);
}

// Each level released by a call of its own would overflow the stack.
TEST(TDBNodes, AVeryDeepTreeIsReleased) {
    auto db = std::make_unique<TDB>();
    std::shared_ptr<TDBNode> node = db->RootNodes()->Add(u"n"_qs);
    for (int i = 0; i < 100000; ++i)
        node = node->SubNodes()->Add(u"n"_qs);
    const auto leaf = node;
    node.reset();
    db.reset();
    EXPECT_EQ(leaf->Parent(), nullptr);
}

TEST(TDBKeys, AddRemoveRenameAndValues) {
    TDB db;
    TDBKeys& keys = *db.RootNodes()->Add(u"n"_qs)->Keys();
    keys.Add(u"x"_qs, 0, u"1"_qs);
    keys.Add(u"y"_qs);
    keys.Add(u"w"_qs, 1, u"0"_qs);
    EXPECT_EQ(listing(keys), u"w:1=0 x:2=1 y:3="_qs);

    keys.Item(u"Y"_qs)->setValue(u"2"_qs);
    keys.Item(u"z"_qs);
    EXPECT_EQ(listing(keys), u"w:1=0 x:2=1 y:3=2 z:4="_qs);
    EXPECT_EQ(errorOf([&] { keys.Add(u"X"_qs); }), errors::DuplicateKey);

    const auto x = keys.Item(u"x"_qs);
    EXPECT_EQ(errorOf([&] { x->setName(u"W"_qs); }), errors::DuplicateKey);
    EXPECT_EQ(x->Name(), u"x"_qs);
    x->setName(u"v"_qs);
    EXPECT_EQ(listing(keys), u"w:1=0 v:2=1 y:3=2 z:4="_qs);

    keys.Remove(u"w"_qs);
    keys.Remove(2);
    EXPECT_EQ(listing(keys), u"v:1=1 z:2="_qs);
    keys.setAutoCreateKey(false);
    EXPECT_EQ(errorOf([&] { keys.Item(u"new"_qs); }), errors::InvalidArgument);
    keys.Clear();
    EXPECT_EQ(keys.Count(), 0);
    EXPECT_EQ(x->Index(), 0);
}
