#pragma once

#include <orvenly/TextForm.h>

#include <QString>
#include <QStringView>

namespace penlark {

// The column of a position in a line, in character cells as the charsets count them: a
// character that code page 932 writes in one byte (ASCII, half-width katakana) takes one
// cell, any other two, and a tab reaches the next multiple of tabStep. 0 is the line's start.
int cellColumn(QStringView line, qsizetype position, int tabStep);

// The character at the start of text as the status bar names it: its code in the form and its
// Unicode scalar value, "SJIS 82A0 / U+3042"; only "U+…" when the form cannot hold it, and
// empty for no character (the end of a line).
QString characterCode(QStringView text, orvenly::TextForm form);

} // namespace penlark
