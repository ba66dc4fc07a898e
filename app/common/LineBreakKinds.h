#pragma once

#include <orvenly/TextForm.h>

#include <QByteArrayView>

namespace penlark {

// Which line breaks a file's bytes hold.
struct LineBreakKinds {
    bool crLf = false;
    bool cr = false;
    bool lf = false;

    // More than one kind: a save in one code changes the others.
    bool mixed() const { return int(crLf) + int(cr) + int(lf) > 1; }
};

// The breaks in bytes of form. In the byte-wise charsets CR and LF bytes are always breaks
// (no multi-byte code uses them); UTF-16 is read unit by unit.
LineBreakKinds lineBreakKinds(QByteArrayView bytes, orvenly::TextForm form);

} // namespace penlark
