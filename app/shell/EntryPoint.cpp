#include "shell/EntryPoint.h"

#include "orvenly/AutomationError.h"
#include "orvenly/IRegister.h"
#include "orvenly/RegKey.h"
#include "orvenly/Variant.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

constexpr int32_t ProgramVersion = 100;

} // namespace

void RegisterProgram(orvenly::RegKey& programKey, const QString& executablePath) {
    const std::shared_ptr<orvenly::RegKey> makerKey = programKey.Parent();
    if (!makerKey)
        throw orvenly::AutomationError(orvenly::errors::ObjectNotSet);
    makerKey->SetValue(u"Penlark"_s, executablePath);
    programKey.SetValue(u"Version"_s, ProgramVersion);
}

bool FileExists(const QString& path) {
    // A directory or a device is no program; opening a FIFO could block.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

std::vector<ExtraTool> ExtraTools(orvenly::IRegister& makerKey) {
    std::vector<ExtraTool> tools;
    QStringList missing;
    QString name;
    QString path;
    while (makerKey.EnumValue(name, path)) {
        if (name == u"Penlark"_s)
            continue;
        if (FileExists(path))
            tools.push_back({name, path});
        else
            missing.append(name);
    }
    // Deleted only after the walk, which would otherwise skip the value after each one.
    for (const QString& stale : missing) {
        try {
            makerKey.SetValue(stale, orvenly::Variant(orvenly::Null{}));
        } catch (const orvenly::AutomationError&) {
            // A key we may not write still gives its menu; the value goes next time.
        }
    }
    return tools;
}

QString ExtraToolCaption(int index, const QString& name) {
    return u"&"_s + QString::number(index) + u". "_s + name + u" ..."_s;
}

} // namespace penlark
