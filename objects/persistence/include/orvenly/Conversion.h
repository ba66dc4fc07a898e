#pragma once

#include "orvenly/AutomationError.h"
#include "orvenly/IPersist.h"
#include "orvenly/IRegister.h"
#include "orvenly/IStream.h"

#include <memory>
#include <type_traits>

namespace orvenly {

// Hands an object held through one interface back through one of the persistence contracts.
// An object that does not implement the contract raises error 13; a null object stays null.
class Conversion {
public:
    template <class T> static std::shared_ptr<IPersist> CPersist(const std::shared_ptr<T>& ips) {
        return view<IPersist>(ips);
    }
    template <class T> static std::shared_ptr<IStream> CStream(const std::shared_ptr<T>& istr) {
        return view<IStream>(istr);
    }
    template <class T> static std::shared_ptr<IRegister> CRegister(const std::shared_ptr<T>& ireg) {
        return view<IRegister>(ireg);
    }

private:
    template <class To, class From>
    static std::shared_ptr<To> view(const std::shared_ptr<From>& object) {
        static_assert(std::is_polymorphic_v<From>, "only polymorphic objects can be viewed");
        if (!object)
            return nullptr;
        auto viewed = std::dynamic_pointer_cast<To>(object);
        if (!viewed)
            throw AutomationError(errors::TypeMismatch, {},
                                  QStringLiteral("OrvenlyCls.Conversion"));
        return viewed;
    }
};

} // namespace orvenly
