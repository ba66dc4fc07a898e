#include "orvenly/KeyedCollection.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <stdexcept>

using orvenly::KeyedCollection;
namespace errors = orvenly::errors;
using namespace Qt::StringLiterals;

namespace {

struct Member {
    explicit Member(QString n) : name(std::move(n)) {}
    void setIndex(int value) {
        index = value;
        ++notifications;
    }
    QString name;
    int index = 0;
    int notifications = 0;
};
using MemberPtr = std::shared_ptr<Member>;
using Members = KeyedCollection<MemberPtr>;

MemberPtr member(const char* name) {
    return std::make_shared<Member>(QString::fromUtf8(name));
}

// Names in enumeration order, each checked against the position it was told.
QString order(const Members& members) {
    QString names;
    int position = 0;
    for (const MemberPtr& each : members) {
        EXPECT_EQ(each->index, ++position) << each->name.toStdString();
        names += each->name;
    }
    return names;
}

int32_t errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const orvenly::AutomationError& error) {
        return error.number();
    }
    return 0;
}

static_assert(std::forward_iterator<Members::iterator>);
static_assert(std::forward_iterator<Members::const_iterator>);
static_assert(std::is_same_v<std::iter_reference_t<Members::const_iterator>, const MemberPtr&>);

} // namespace

TEST(KeyedCollection, AddAppendsOrInsertsBeforeAPosition) {
    Members members;
    members.Add(member("a"));
    members.Add(member("c"));
    members.Add(member("b"), {}, 2);
    members.Add(member("0"), {}, 1);
    EXPECT_EQ(order(members), u"0abc"_s);
    // Count itself inserts before the last member; appending takes 0.
    members.Add(member("x"), {}, members.Count());
    EXPECT_EQ(order(members), u"0abxc"_s);
}

TEST(KeyedCollection, AddOutsideTheRangeRaisesAndChangesNothing) {
    Members members;
    members.Add(member("a"), u"k"_s);
    EXPECT_EQ(errorOf([&] { members.Add(member("b"), {}, 2); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { members.Add(member("b"), {}, -1); }), errors::InvalidArgument);
    EXPECT_EQ(members.Count(), 1);
}

TEST(KeyedCollection, InsertTellsOnlyTheMovedMembers) {
    Members members;
    const MemberPtr first = member("a");
    const MemberPtr second = member("b");
    members.Add(first);
    members.Add(second);
    members.Add(member("x"), {}, 2);
    EXPECT_EQ(first->notifications, 1);
    EXPECT_EQ(second->notifications, 2);
    EXPECT_EQ(second->index, 3);
}

TEST(KeyedCollection, RemoveRenumbers) {
    Members members;
    for (const char* name : {"a", "b", "c", "d"})
        members.Add(member(name), QString::fromUtf8(name));
    members.Remove(2);
    EXPECT_EQ(order(members), u"acd"_s);
    members.Remove(u"D"_s);
    EXPECT_EQ(order(members), u"ac"_s);
    EXPECT_EQ(members.IndexOf(u"c"_s), 2);
    EXPECT_FALSE(members.Exists(u"b"_s));
    // The removed member's key is free again.
    members.Add(member("b"), u"b"_s, 1);
    EXPECT_EQ(order(members), u"bac"_s);
}

TEST(KeyedCollection, RemoveRejectsBadIndexAndUnknownKey) {
    Members members;
    members.Add(member("a"), u"a"_s);
    EXPECT_EQ(errorOf([&] { members.Remove(0); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { members.Remove(2); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { members.Remove(u"z"_s); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { members.Remove(QString()); }), errors::InvalidArgument);
    EXPECT_EQ(members.Count(), 1);
}

TEST(KeyedCollection, KeysIgnoreCase) {
    Members members;
    members.Add(member("a"), u"Ｋｅｙ"_s);
    members.Add(member("b"), u"Path"_s);
    EXPECT_EQ(members.Item(u"ｋＥＹ"_s)->name, u"a"_s);
    EXPECT_EQ(members.Item(u"PATH"_s)->name, u"b"_s);
    EXPECT_EQ(members.Key(1), u"Ｋｅｙ"_s);
    EXPECT_EQ(errorOf([&] { members.Add(member("c"), u"path"_s); }), errors::DuplicateKey);
    EXPECT_EQ(members.Count(), 2);
}

TEST(KeyedCollection, EmptyKeyMeansUnkeyed) {
    Members members;
    members.Add(member("a"));
    members.Add(member("b"), QString());
    EXPECT_EQ(members.Count(), 2);
    EXPECT_FALSE(members.Exists(QString()));
    EXPECT_EQ(members.IndexOf(QString()), 0);
    EXPECT_EQ(errorOf([&] { members.Item(QString()); }), errors::InvalidArgument);
}

TEST(KeyedCollection, ItemRejectsBadIndexAndUnknownKey) {
    Members members;
    members.Add(member("a"), u"a"_s);
    EXPECT_EQ(errorOf([&] { members.Item(0); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { members.Item(2); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { members.Item(u"b"_s); }), errors::InvalidArgument);
}

TEST(KeyedCollection, RekeyKeepsPositionAndGuardsDuplicates) {
    Members members;
    members.Add(member("a"), u"one"_s);
    members.Add(member("b"), u"two"_s);
    // The member's own key in another case is no duplicate.
    members.Rekey(1, u"ONE"_s);
    EXPECT_EQ(members.Key(1), u"ONE"_s);
    EXPECT_EQ(members.Item(u"one"_s)->name, u"a"_s);
    EXPECT_EQ(errorOf([&] { members.Rekey(1, u"Two"_s); }), errors::DuplicateKey);
    EXPECT_EQ(members.Key(1), u"ONE"_s);

    members.Rekey(2, u"three"_s);
    EXPECT_FALSE(members.Exists(u"two"_s));
    EXPECT_EQ(members.IndexOf(u"three"_s), 2);
    members.Rekey(2, QString());
    EXPECT_FALSE(members.Exists(u"three"_s));
    members.Add(member("c"), u"three"_s);
    EXPECT_EQ(order(members), u"abc"_s);
}

TEST(KeyedCollection, NothingAmongMembersIsSkippedWhenRenumbering) {
    Members members;
    members.Add(nullptr);
    members.Add(member("a"), {}, 1);
    EXPECT_EQ(members.Item(1)->index, 1);
    members.Remove(1);
    EXPECT_EQ(members.Item(1), nullptr);
}

TEST(KeyedCollection, FailedAddLeavesNoTrace) {
    struct Fragile {
        Fragile() = default;
        // Throws on purpose.
        // NOLINTNEXTLINE(performance-noexcept-move-constructor)
        Fragile(Fragile&&) { throw std::runtime_error("move"); }
    };
    KeyedCollection<Fragile> fragile;
    EXPECT_THROW(fragile.Add(Fragile{}, u"k"_s), std::runtime_error);
    EXPECT_EQ(fragile.Count(), 0);
    EXPECT_FALSE(fragile.Exists(u"k"_s));
}

TEST(KeyedCollection, RemovedMemberDiesAfterTheCollectionIsConsistent) {
    struct Watcher {
        std::function<void()> onDestroy;
        ~Watcher() { onDestroy(); }
    };
    KeyedCollection<std::unique_ptr<Watcher>> watchers;
    int countSeen = -1;
    bool keySeen = true;
    watchers.Add(std::make_unique<Watcher>(), u"w"_s);
    watchers.Item(1)->onDestroy = [&] {
        countSeen = watchers.Count();
        keySeen = watchers.Exists(u"w"_s);
    };
    watchers.Remove(1);
    EXPECT_EQ(countSeen, 0);
    EXPECT_FALSE(keySeen);
}

TEST(KeyedCollection, EnumeratesInOrderAndWorksWithAlgorithms) {
    KeyedCollection<QString> names;
    names.Add(QStringLiteral("b"));
    names.Add(QStringLiteral("a"), {}, 1);
    names.Add(QStringLiteral("c"));
    QString seen;
    for (const QString& name : std::as_const(names))
        seen += name;
    EXPECT_EQ(seen, u"abc"_s);
    for (QString& name : names)
        name = name.toUpper();
    EXPECT_EQ(std::distance(names.begin(), names.end()), 3);
    EXPECT_NE(std::find(names.begin(), names.end(), u"C"_s), names.end());
    names.Clear();
    EXPECT_EQ(names.begin(), names.end());
}

// Small collections are searched in order and large ones through a table; keys behave alike
// on both sides of the change, and across it.
TEST(KeyedCollection, KeysBehaveAlikeInSmallAndLargeCollections) {
    for (const int size : {3, 15, 16, 40}) {
        Members members;
        for (int i = 0; i < size; ++i)
            members.Add(member("m"), u"Key"_s + QString::number(i));
        for (int i = 0; i < size; ++i) {
            const QString key = u"KEY"_s + QString::number(i);
            EXPECT_EQ(members.IndexOf(key), i + 1) << size;
            EXPECT_NE(members.Find(key.toLower()), nullptr) << size;
        }
        EXPECT_EQ(members.Find(u"key"_s + QString::number(size)), nullptr);
        EXPECT_EQ(errorOf([&] { members.Add(member("dup"), u"key0"_s); }), errors::DuplicateKey);

        members.Rekey(1, u"Renamed"_s);
        EXPECT_FALSE(members.Exists(u"key0"_s));
        EXPECT_EQ(members.IndexOf(u"RENAMED"_s), 1);
        EXPECT_EQ(errorOf([&] { members.Rekey(2, u"renamed"_s); }), errors::DuplicateKey);
        members.Rekey(2, QString());
        EXPECT_FALSE(members.Exists(u"key1"_s));

        members.Remove(u"renamed"_s);
        EXPECT_FALSE(members.Exists(u"renamed"_s));
        members.Add(member("again"), u"renamed"_s, 1);
        EXPECT_EQ(members.IndexOf(u"Renamed"_s), 1);
        EXPECT_EQ(members.Count(), size);
    }
}
