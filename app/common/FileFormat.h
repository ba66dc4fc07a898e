#pragma once

#include <orvenly/StringConversion.h>
#include <orvenly/TextForm.h>

namespace penlark {

// How a document's file is read and written: its charset (with, for the Unicode forms,
// whether it starts with a byte-order mark) and its line-break code. Inside the program
// formats travel as this; they are packed into 32-bit values only where a dialog's
// interface takes one (formatSelection).
struct FileFormat {
    orvenly::TextForm form = orvenly::SCS_SHIFTJIS;
    orvenly::StringLineBreakCodeConstants breakCode = orvenly::SLB_CRLF;

    friend constexpr bool operator==(const FileFormat&, const FileFormat&) = default;
};

} // namespace penlark
