#pragma once

namespace orvenly {

class IStream;
class IRegister;

// An object that writes itself to and reads itself from a stream or a registry key. Each
// member returns True on success; an object that has no registry form says False there.
class IPersist {
public:
    virtual ~IPersist() = default;

    virtual bool Serialize(IStream& lpsr) = 0;
    virtual bool Load(IRegister& lpreg) = 0;
    virtual bool Save(IRegister& lpreg) = 0;
};

} // namespace orvenly
