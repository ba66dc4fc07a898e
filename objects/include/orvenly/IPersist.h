#pragma once

namespace orvenly {

class IStream;
class IRegister;

// An object that writes itself to and reads itself from a stream or a registry key.
// This base class does nothing and reports failure.
class IPersist {
public:
    virtual ~IPersist() = default;

    virtual bool Serialize(IStream& lpsr);
    virtual bool Load(IRegister& lpreg);
    virtual bool Save(IRegister& lpreg);
};

} // namespace orvenly
