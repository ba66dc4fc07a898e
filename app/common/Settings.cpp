#include "common/Settings.h"

#include "orvenly/AutomationError.h"
#include "orvenly/IRegister.h"
#include "orvenly/Variant.h"

#include <memory>

namespace penlark {
namespace {

using namespace Qt::StringLiterals;
using orvenly::AutomationError;
using orvenly::IRegister;
using orvenly::Variant;

constexpr uint32_t WindowTextColour = 0x80000008u;
constexpr uint32_t WindowBackgroundColour = 0x80000005u;
constexpr int32_t DefaultRecentFiles = 5;
constexpr int32_t DefaultTabStep = 8;
constexpr int32_t DefaultFontTenths = 120;
const QString DefaultFontFace = u"ＭＳ ゴシック"_s;

// A 16-bit default never equals a 32-bit value, so the value is always stored.
Variant alwaysStored(int32_t defaultValue) {
    return Variant(static_cast<int16_t>(defaultValue));
}

Variant colourValue(uint32_t colour) {
    return Variant(static_cast<int32_t>(colour));
}

std::shared_ptr<IRegister> openSubKey(IRegister& key, const QString& name) {
    std::shared_ptr<IRegister> sub = key.SubKey(name);
    if (!sub)
        throw AutomationError(orvenly::errors::ObjectNotSet);
    return sub;
}

// One step of loading: a failure leaves the member as it was and loading goes on.
template <typename Step> void tolerate(Step&& step) {
    try {
        step();
    } catch (const AutomationError&) {
    }
}

void readBoolean(IRegister& key, const QString& name, bool defaultValue, bool& member) {
    tolerate([&] { member = key.GetValue(name, Variant(defaultValue)).toBoolean(); });
}

void readLong(IRegister& key, const QString& name, int32_t defaultValue, int32_t& member) {
    tolerate([&] { member = key.GetValue(name, Variant(defaultValue)).toLong(); });
}

void readColour(IRegister& key, const QString& name, uint32_t defaultValue, uint32_t& member) {
    tolerate([&] {
        member = static_cast<uint32_t>(key.GetValue(name, colourValue(defaultValue)).toLong());
    });
}

void loadGlobal(cSettings& settings, IRegister& key) {
    readBoolean(key, u"OpenNewStartup"_s, false, settings.Startup);
    readLong(key, u"NumberOfShowRecentFiles"_s, DefaultRecentFiles, settings.ShowRecentFiles);
    readBoolean(key, u"JISFilter"_s, true, settings.JISFilter);
}

void loadEditor(cSettings& settings, IRegister& key) {
    readBoolean(key, u"AutoIndent"_s, true, settings.AutoIndent);
    readBoolean(key, u"AutoTruncate"_s, true, settings.AutoTruncate);
    readBoolean(key, u"ResumeCol"_s, true, settings.ResumeCol);
    readBoolean(key, u"Margin"_s, true, settings.Margin);
    readBoolean(key, u"TextDrag"_s, true, settings.TextDrag);
    readLong(key, u"TabStep"_s, DefaultTabStep, settings.TabStep);
    readBoolean(key, u"AutoMoveDialog"_s, true, settings.AutoMoveDialog);
    readBoolean(key, u"LineNumbers"_s, true, settings.LineNumbers);
    readBoolean(key, u"ShowWideSpace"_s, true, settings.ShowWideSpace);
    readBoolean(key, u"ShowTab"_s, false, settings.ShowTab);
    readBoolean(key, u"ShowLineEnd"_s, false, settings.ShowLineEnd);
    readBoolean(key, u"ShowEOF"_s, false, settings.ShowEOF);
    tolerate([&] {
        settings.Font.faceName = key.GetValue(u"FontFamilly"_s, DefaultFontFace).toString();
    });
    tolerate([&] {
        // A size of zero or less would give an unusable font: take the default instead.
        int32_t tenths = key.GetValue(u"FontSize"_s, DefaultFontTenths).toLong();
        if (tenths <= 0)
            tenths = DefaultFontTenths;
        settings.Font.pointSize = tenths / 10.0;
    });
    readColour(key, u"ForeColor"_s, WindowTextColour, settings.ForeColor);
    readColour(key, u"BackColor"_s, WindowBackgroundColour, settings.BackColor);
}

void saveGlobal(const cSettings& settings, IRegister& key) {
    key.SetValue(u"OpenNewStartup"_s, settings.Startup, false);
    key.SetValue(u"NumberOfShowRecentFiles"_s, settings.ShowRecentFiles,
                 alwaysStored(DefaultRecentFiles));
    key.SetValue(u"JISFilter"_s, settings.JISFilter, true);
}

void saveEditor(const cSettings& settings, IRegister& key) {
    key.SetValue(u"AutoIndent"_s, settings.AutoIndent, true);
    key.SetValue(u"AutoTruncate"_s, settings.AutoTruncate, true);
    key.SetValue(u"ResumeCol"_s, settings.ResumeCol, true);
    key.SetValue(u"Margin"_s, settings.Margin, true);
    key.SetValue(u"TextDrag"_s, settings.TextDrag, true);
    key.SetValue(u"TabStep"_s, settings.TabStep, alwaysStored(DefaultTabStep));
    key.SetValue(u"AutoMoveDialog"_s, settings.AutoMoveDialog, true);
    key.SetValue(u"LineNumbers"_s, settings.LineNumbers, true);
    key.SetValue(u"ShowWideSpace"_s, settings.ShowWideSpace, true);
    key.SetValue(u"ShowTab"_s, settings.ShowTab, false);
    key.SetValue(u"ShowLineEnd"_s, settings.ShowLineEnd, false);
    key.SetValue(u"ShowEOF"_s, settings.ShowEOF, false);
    key.SetValue(u"FontFamilly"_s, settings.Font.faceName, DefaultFontFace);
    // Tenths of a point, rounded half to even by the conversion to Long.
    key.SetValue(u"FontSize"_s, Variant(settings.Font.pointSize * 10.0).toLong(),
                 alwaysStored(DefaultFontTenths));
    key.SetValue(u"ForeColor"_s, colourValue(settings.ForeColor), colourValue(WindowTextColour));
    key.SetValue(u"BackColor"_s, colourValue(settings.BackColor),
                 colourValue(WindowBackgroundColour));
}

} // namespace

bool cSettings::Serialize(orvenly::IStream&) {
    return false;
}

bool cSettings::Load(IRegister& lpreg) {
    tolerate([&] { loadGlobal(*this, *openSubKey(lpreg, u"Global"_s)); });
    tolerate([&] { loadEditor(*this, *openSubKey(lpreg, u"Editor"_s)); });
    return true;
}

bool cSettings::Save(IRegister& lpreg) {
    saveGlobal(*this, *openSubKey(lpreg, u"Global"_s));
    saveEditor(*this, *openSubKey(lpreg, u"Editor"_s));
    return true;
}

} // namespace penlark
