#pragma once

#include "orvenly/TextBox.h"

namespace penlark {

class cSettings;

// The marks for invisible characters that the settings ask for.
orvenly::TextBox::Marks shownMarks(const cSettings& settings);

// Shows the line numbers and marks of the settings in a document's or the preview's box.
void applyViewOptions(orvenly::TextBox& box, const cSettings& settings);

} // namespace penlark
