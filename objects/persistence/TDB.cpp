#include "orvenly/TDB.h"

#include "TreeGrowth.h"
#include "TreeReaders.h"
#include "TreeText.h"
#include "orvenly/AutomationError.h"
#include "platform/FileReplacement.h"
#include "platform/ReadableFile.h"

#include <new>

namespace orvenly {

namespace {

QString readFailure(const platform::ReadableFile& file) {
    using Failure = platform::ReadableFile::Failure;
    switch (file.failure()) {
    case Failure::TooLarge:
        return QStringLiteral("the file is larger than %1 MiB").arg(TDB::MaxFileSize >> 20);
    case Failure::NotRegular:
        return QStringLiteral("not a regular file");
    default:
        return QStringLiteral("cannot read the file: %1").arg(file.errorString());
    }
}

bool isFormat(TDBFormatConstants format) {
    return format == TDBF_STD || format == TDBF_INI || format == TDBF_INI_TREE;
}

} // namespace

TDB::TDB() : m_rootNodes(std::make_shared<TDBNodes>(TDBNodes::Made(), std::weak_ptr<TDBNode>())) {}

bool TDB::LoadDataBase(const QString& FileName, TDBFormatConstants FileFormat) {
    m_lastError.clear();
    try {
        m_rootNodes->Clear();
        m_rootNodes->setAutoCreateNode(true);
        if (!isFormat(FileFormat)) {
            m_lastError = QStringLiteral("unknown format %1").arg(int32_t(FileFormat));
            return false;
        }
        TreeFileText decoded;
        {
            platform::ReadableFile file(FileName);
            const QByteArray bytes = file.readAll(MaxFileSize);
            if (!file.isOpen()) {
                m_lastError = readFailure(file);
                return false;
            }
            decoded = decodeTreeFile(bytes);
        }
        m_charset = decoded.charset;
        TreeGrowth growth(decoded.text.size());
        const QStringList lines = treeLines(std::move(decoded.text));
        if (FileFormat == TDBF_STD)
            readBlockLines(lines, *m_rootNodes, growth);
        else
            readIniLines(lines, *m_rootNodes, FileFormat == TDBF_INI_TREE, growth);
        return true;
    } catch (const AutomationError& error) {
        m_lastError = error.description();
    } catch (const std::bad_alloc&) {
        m_lastError = AutomationError::standardDescription(errors::OutOfMemory);
    }
    return false;
}

bool TDB::SaveDataBase(const QString& FileName, TDBFormatConstants FileFormat) {
    m_lastError.clear();
    if (FileFormat == TDBF_STD) {
        m_lastError = QStringLiteral("the block format is read only");
        return false;
    }
    if (!isFormat(FileFormat)) {
        m_lastError = QStringLiteral("unknown format %1").arg(int32_t(FileFormat));
        return false;
    }
    try {
        const std::optional<QByteArray> bytes = encodeTreeText(IniText(), m_charset);
        if (!bytes) {
            m_lastError = QStringLiteral("code page 932 cannot hold the text; nothing written");
            return false;
        }
        return platform::replaceFileContents(FileName, *bytes, &m_lastError);
    } catch (const std::bad_alloc&) {
        m_lastError = AutomationError::standardDescription(errors::OutOfMemory);
    }
    return false;
}

} // namespace orvenly
