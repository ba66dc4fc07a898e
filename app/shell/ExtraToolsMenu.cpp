#include "shell/ExtraToolsMenu.h"

#include "orvenly/MenuItemFamily.h"
#include "shell/EntryPoint.h"

namespace penlark {

int LoadExtraTools(orvenly::IRegister& makerKey, orvenly::MenuItemFamily& menu,
                   const std::function<void(int index, const QString& path)>& tagOf) {
    const std::vector<ExtraTool> tools = ExtraTools(makerKey);
    int index = 0;
    for (const ExtraTool& tool : tools) {
        ++index;
        menu.SetVisible(0, true);
        menu.Load(index);
        menu.SetCaption(index, ExtraToolCaption(index, tool.name));
        if (tagOf)
            tagOf(index, tool.path);
    }
    return index;
}

} // namespace penlark
