#include "shell/cMainFrame.h"

#include "dialogs/cDlgReplace.h"
#include "shell/ExtraToolsMenu.h"
#include "shell/cFloatEditorProperty.h"

#include "orvenly/AutomationError.h"
#include "orvenly/MRU.h"
#include "orvenly/QMenuItemFamily.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"

#include <QAction>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace penlark {

using namespace Qt::StringLiterals;
using orvenly::Variant;

namespace {

const QString ProgramKeyPath = u"Software\\Ardenfall\\Penlark"_s;
const QString MakerKeyPath = u"Software\\Ardenfall"_s;
const QString RecentFilesKey = u"MostRecentFiles"_s;
const QString ViewKey = u"View"_s;

constexpr float DefaultLeft = 0.2f;
constexpr float DefaultTop = 0.2f;
constexpr float DefaultWidth = 0.6f;
constexpr float DefaultHeight = 0.6f;
// A stored size below this would leave a window too small to find.
constexpr float SmallestFraction = 0.1f;

enum WindowStateValue : int16_t { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

// The stored value, or the default when it cannot be read.
Variant stored(const std::shared_ptr<orvenly::IRegister>& key, const QString& name,
               const Variant& fallback) {
    if (!key)
        return fallback;
    try {
        return key->GetValue(name, fallback);
    } catch (const orvenly::AutomationError&) {
        return fallback;
    }
}

float fraction(const std::shared_ptr<orvenly::IRegister>& key, const QString& name,
               float fallback) {
    try {
        return stored(key, name, Variant(fallback)).toSingle();
    } catch (const orvenly::AutomationError&) {
        return fallback;
    }
}

QRect screenRect(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

// Keeps a stored layout usable: a size between a tenth and the whole screen, and a position
// that leaves the window on it.
QRect placement(const QRect& screen, float left, float top, float width, float height) {
    const auto span = [](float value, float fallback) {
        return std::isfinite(value) && value >= SmallestFraction && value <= 1.0f ? value
                                                                                  : fallback;
    };
    const auto offset = [](float value, float size, float fallback) {
        return std::isfinite(value) && value >= 0.0f && value + size <= 1.0f ? value : fallback;
    };
    const float w = span(width, DefaultWidth);
    const float h = span(height, DefaultHeight);
    const float l = offset(left, w, std::min(DefaultLeft, 1.0f - w));
    const float t = offset(top, h, std::min(DefaultTop, 1.0f - h));
    return QRect(screen.x() + qRound(l * float(screen.width())),
                 screen.y() + qRound(t * float(screen.height())), qRound(w * float(screen.width())),
                 qRound(h * float(screen.height())));
}

} // namespace

std::shared_ptr<orvenly::RegKey> cMainFrame::programKey() const {
    try {
        return orvenly::Registry::create()->Item(orvenly::HKEY_CURRENT_USER, ProgramKeyPath);
    } catch (const orvenly::AutomationError&) {
        return nullptr;
    }
}

void cMainFrame::loadRecentFiles(orvenly::IRegister& key) {
    try {
        if (const auto recent = key.SubKey(RecentFilesKey))
            m_MRUFiles->Load(*recent);
    } catch (const orvenly::AutomationError&) {
        // The list starts empty.
    }
}

void cMainFrame::loadExtraTools() {
    try {
        const auto makerKey =
            orvenly::Registry::create()->Item(orvenly::HKEY_CURRENT_USER, MakerKeyPath);
        LoadExtraTools(*makerKey, *m_toolFamily,
                       [this](int index, const QString& path) { m_toolPaths[index] = path; });
    } catch (const orvenly::AutomationError&) {
        // The Tools menu goes without the other programs.
    }
}

void cMainFrame::loadLayout(const std::shared_ptr<orvenly::RegKey>& key) {
    std::shared_ptr<orvenly::IRegister> view;
    try {
        if (key)
            view = key->SubKey(ViewKey);
    } catch (const orvenly::AutomationError&) {
    }

    bool toolbar = true;
    int16_t state = StateNormal;
    try {
        toolbar = stored(view, u"Toolbar"_s, Variant(true)).toBoolean();
        state = stored(view, u"WindowState"_s, Variant(int32_t(StateNormal))).toInteger();
    } catch (const orvenly::AutomationError&) {
    }
    if (!toolbar)
        menuItem(ViewCmd::Toolbar)->trigger();

    setGeometry(placement(screenRect(*this), fraction(view, u"Left"_s, DefaultLeft),
                          fraction(view, u"Top"_s, DefaultTop),
                          fraction(view, u"Width"_s, DefaultWidth),
                          fraction(view, u"Height"_s, DefaultHeight)));
    if (state == StateMinimised)
        setWindowState(Qt::WindowMinimized);
    else if (state == StateMaximised)
        setWindowState(Qt::WindowMaximized);
}

void cMainFrame::saveLayout(orvenly::IRegister& key) {
    const auto view = key.SubKey(ViewKey);
    if (!view)
        return;
    view->SetValue(u"Toolbar"_s, menuItem(ViewCmd::Toolbar)->isChecked(), Variant(true));
    const int16_t state = isMinimized()   ? StateMinimised
                          : isMaximized() ? StateMaximised
                                          : StateNormal;
    // A 16-bit value against a 32-bit default: the state is always stored.
    view->SetValue(u"WindowState"_s, state, Variant(int32_t(StateNormal)));

    // The normal placement, whatever the state now.
    const QRect screen = screenRect(*this);
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    const auto part = [](int value, int whole) { return float(value) / float(whole); };
    view->SetValue(u"Left"_s, part(normal.x() - screen.x(), screen.width()), Variant(DefaultLeft));
    view->SetValue(u"Top"_s, part(normal.y() - screen.y(), screen.height()), Variant(DefaultTop));
    view->SetValue(u"Width"_s, part(normal.width(), screen.width()), Variant(DefaultWidth));
    view->SetValue(u"Height"_s, part(normal.height(), screen.height()), Variant(DefaultHeight));
}

// Each step on its own: a registry that refuses one value still gets the others.
void cMainFrame::Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_find->hide();
    m_property->hide();
    const auto key = programKey();
    if (!key)
        return;
    try {
        if (const auto recent = key->SubKey(RecentFilesKey))
            m_MRUFiles->Save(*recent);
    } catch (const orvenly::AutomationError&) {
    }
    try {
        saveLayout(*key);
    } catch (const orvenly::AutomationError&) {
    }
}

} // namespace penlark
