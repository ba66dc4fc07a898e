#include "common/ViewOptions.h"

#include "common/Settings.h"

namespace penlark {

using Mark = orvenly::TextBox::Mark;

orvenly::TextBox::Marks shownMarks(const cSettings& settings) {
    orvenly::TextBox::Marks marks;
    marks.setFlag(Mark::FullWidthSpace, settings.ShowWideSpace);
    marks.setFlag(Mark::Tab, settings.ShowTab);
    marks.setFlag(Mark::LineEnd, settings.ShowLineEnd);
    marks.setFlag(Mark::EndOfFile, settings.ShowEOF);
    return marks;
}

void applyViewOptions(orvenly::TextBox& box, const cSettings& settings) {
    box.setLineNumbersVisible(settings.LineNumbers);
    box.setMarks(shownMarks(settings));
}

} // namespace penlark
