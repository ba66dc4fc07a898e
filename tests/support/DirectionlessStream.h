#pragma once

#include "orvenly/IStream.h"

// A stream that is neither storing nor loading and carries nothing: what an object's
// Serialize gets from a caller that never opened its stream.
class DirectionlessStream : public orvenly::IStream {
public:
    bool IsStoring() const override { return false; }
    bool IsLoading() const override { return false; }
    void WriteLong(int32_t) override {}
    int32_t ReadLong() override { return 0; }
    void WriteString(const QString&) override {}
    QString ReadString() override { return {}; }
    void WriteAny(const void*, int32_t) override {}
    void ReadAny(void*, int32_t) override {}
};
