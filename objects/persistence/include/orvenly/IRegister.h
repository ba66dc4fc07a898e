#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace orvenly {

// A registry key seen as a store of named variant values. A value equal to its default is
// deleted rather than written. RegKey is the registry's implementation.
class IRegister {
public:
    virtual ~IRegister() = default;

    virtual Variant GetValue(const QString& Name,
                             const std::optional<Variant>& DefaultValue = {}) = 0;
    virtual void SetValue(const QString& Name, const Variant& Value,
                          const std::optional<Variant>& DefaultValue = {}) = 0;
    // Raw data of a value into buffer (at most Length bytes); the number of bytes stored, or 0.
    virtual int32_t GetValueAny(const QString& Name, void* lpBuffer, int32_t Length) = 0;
    // Length bytes from buffer as a binary value.
    virtual void SetValueAny(const QString& Name, const void* lpBuffer, int32_t Length) = 0;
    virtual bool EnumValue(QString& Name, QString& Value) = 0;
    virtual std::shared_ptr<IRegister> SubKey(const QString& Name) = 0;
    virtual bool EnumSubKey(QString& Name) = 0;
    virtual bool DeleteSubKey(const QString& Name) = 0;
};

} // namespace orvenly
