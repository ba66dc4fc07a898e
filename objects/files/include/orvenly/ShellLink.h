#pragma once

#include <QString>
#include <cstdint>
#include <memory>

namespace orvenly {

// Show commands of the started program.
enum ShellLinkWindowStateConstants : int32_t {
    SLWS_HIDE = 0,
    SLWS_NORMAL_FOCUS = 1,
    SLWS_MIN_FOCUS = 2,
    SLWS_MAX_FOCUS = 3,
    SLWS_MAX = 3,
    SLWS_NORMAL = 4,
    SLWS_SHOW_FOCUS = 5,
    SLWS_MIN_BLUR = 6,
    SLWS_MIN = 7,
    SLWS_SHOW = 8,
};

// Modifier flags of a hot key, as HotKey accepts them besides the word's own layout.
enum ShellLinkHotKeyConstants : int32_t {
    SLHK_SHIFT = 65536,
    SLHK_CONTROL = 131072,
    SLHK_ALT = 262144,
    SLHK_EXT = 524288,
};

namespace shelllink {
struct LinkData;
}

// A shortcut file ("lnk"): what it starts, with which arguments, where, in which window state,
// with which icon, description and hot key. Paths are the host's paths and are kept as given.
// Every string property is cut at its first zero character when set.
class ShellLink {
public:
    ShellLink();
    ~ShellLink();
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    QString Target() const;
    void SetTarget(const QString& value);
    QString Arguments() const;
    void SetArguments(const QString& value);
    QString WorkDirectory() const;
    void SetWorkDirectory(const QString& value);
    // Passed unchanged, whatever the value.
    ShellLinkWindowStateConstants StartupWindowState() const;
    void SetStartupWindowState(ShellLinkWindowStateConstants value);
    // Setting either half of the icon location keeps the other.
    QString IconFile() const;
    void SetIconFile(const QString& value);
    int32_t IconIndex() const;
    void SetIconIndex(int32_t value);
    QString Description() const;
    void SetDescription(const QString& value);

    // The hot-key word: low byte the key code, high byte the modifiers (1 Shift, 2 Control,
    // 4 Alt, 8 extended). Setting also accepts the modifiers as ShellLinkHotKeyConstants and
    // stores them in the word's layout; any other bit above the word raises error 380.
    int32_t HotKey() const;
    void SetHotKey(int32_t value);

    // Forgets everything set or loaded.
    void NewLink();

    // Reads a shortcut file; false, with the link unchanged, when it cannot be read or is no
    // valid shortcut. Never raises.
    bool Load(const QString& FileName);

    // Writes the link to FileName after taking the target's attributes, times and size; false
    // and nothing written when the target does not exist, a text is too long for the format
    // or the file cannot be written. Never raises.
    bool Save(const QString& FileName);

private:
    std::unique_ptr<shelllink::LinkData> m_link;
};

} // namespace orvenly
