#include "orvenly/Conversion.h"
#include "orvenly/AutomationError.h"
#include "orvenly/PropertyBag.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"
#include "tests/support/DirectionlessStream.h"

#include <QObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvenly;

namespace {

// An object that is both a stream and persistable, held through a third interface.
class Hybrid : public QObject, public DirectionlessStream, public IPersist {
public:
    bool Serialize(IStream&) override { return false; }
    bool Load(IRegister&) override { return false; }
    bool Save(IRegister&) override { return false; }
};

TEST(Conversion, ViewsAnObjectThroughTheContractItImplements) {
    const auto hybrid = std::make_shared<Hybrid>();
    const std::shared_ptr<QObject> held = hybrid;
    const std::shared_ptr<IPersist> persist = Conversion::CPersist(held);
    const std::shared_ptr<IStream> stream = Conversion::CStream(persist);
    EXPECT_EQ(persist.get(), static_cast<IPersist*>(hybrid.get()));
    EXPECT_EQ(stream.get(), static_cast<IStream*>(hybrid.get()));
    EXPECT_EQ(hybrid.use_count(), 4);

    QTemporaryDir dir;
    const std::shared_ptr<IRegister> key =
        Registry::create(std::make_shared<platform::RegistryStore>(dir.filePath("registry.db")))
            ->Item(HKEY_CURRENT_USER, QStringLiteral("Software"));
    EXPECT_EQ(Conversion::CRegister(key), key);
}

TEST(Conversion, OtherObjectsAreATypeMismatchAndNothingStaysNothing) {
    const std::shared_ptr<IPersist> bag = std::make_shared<PropertyBag>();
    try {
        Conversion::CStream(bag);
        FAIL() << "a property bag is no stream";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), errors::TypeMismatch);
    }
    EXPECT_THROW(Conversion::CRegister(std::make_shared<QObject>()), AutomationError);
    EXPECT_EQ(Conversion::CPersist(std::shared_ptr<QObject>()), nullptr);
}

} // namespace
