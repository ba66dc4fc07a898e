#pragma once

#include "orvenly/TextEditor.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The RECONVERTSTRING record through which an input method asks for the text to reconvert and
// confirms the part it takes: a 32-byte header of eight little-endian 32-bit fields, then the
// string area.
namespace orvenly::reconversion {

inline constexpr uint32_t RequestString = 4;
inline constexpr uint32_t ConfirmString = 5;
inline constexpr int32_t HeaderSize = 32;

// Code page 932 bytes with a NUL, or UTF-16 code units with a two-byte terminator.
using Form = TextEditor::ReconvertForm;

// The record for text; its size is what the request returns.
QByteArray record(const QString& text, Form form);

// The confirmed part of the string area, in characters from its start.
struct Part {
    int32_t start = 0;
    int32_t length = 0;
};

// Reads the confirmed part of a record made from text. Offsets count code page 932 bytes or
// UTF-16 bytes as the form says and are kept inside the string area; false for a record too
// short to hold a header.
bool confirmedPart(QByteArrayView record, const QString& text, Form form, Part& part);

} // namespace orvenly::reconversion
