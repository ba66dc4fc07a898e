#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace orvenly {

// A registry key seen as a store of named variant values. A value equal to its default is
// deleted rather than written. This base class does nothing: every member returns Empty, 0,
// False or nothing; RegKey is the real implementation.
class IRegister {
public:
    virtual ~IRegister() = default;

    virtual Variant GetValue(const QString& Name, const std::optional<Variant>& DefaultValue = {});
    virtual void SetValue(const QString& Name, const Variant& Value,
                          const std::optional<Variant>& DefaultValue = {});
    // Raw data of a value into buffer (at most Length bytes); the number of bytes stored, or 0.
    virtual int32_t GetValueAny(const QString& Name, void* lpBuffer, int32_t Length);
    // Length bytes from buffer as a binary value.
    virtual void SetValueAny(const QString& Name, const void* lpBuffer, int32_t Length);
    virtual bool EnumValue(QString& Name, QString& Value);
    virtual std::shared_ptr<IRegister> SubKey(const QString& Name);
    virtual bool EnumSubKey(QString& Name);
    virtual bool DeleteSubKey(const QString& Name);
};

} // namespace orvenly
