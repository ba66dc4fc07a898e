#include "common/DocumentResult.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace penlark {

DocumentError documentErrorOf(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return DocumentError::NotFound;
    case EISDIR:
    case EINVAL:
        return DocumentError::IsFolder;
    case EACCES:
    case EPERM:
        return DocumentError::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return DocumentError::DiskFull;
    case EFBIG:
        return DocumentError::TooLarge;
    case EROFS:
        return DocumentError::ReadOnlyDisk;
    default:
        return DocumentError::Other;
    }
}

QString causeText(const DocumentResult& result) {
    switch (result.error) {
    case DocumentError::None:
        return {};
    case DocumentError::NotFound:
        return u"原因: ファイルまたはフォルダが存在しません。"_s;
    case DocumentError::IsFolder:
        return u"原因: 通常のファイルではありません (フォルダなど)。"_s;
    case DocumentError::PermissionDenied:
        return u"原因: アクセス権がありません。"_s;
    case DocumentError::DiskFull:
        return u"原因: ディスクの空き容量が不足しています。"_s;
    case DocumentError::TooLarge:
        return u"原因: ファイルが大きすぎます。"_s;
    case DocumentError::ReadOnlyDisk:
        return u"原因: 読み取り専用のファイルシステムです。"_s;
    case DocumentError::CannotDecode:
        return u"原因: 指定した文字コードでは読み込めません。"_s;
    case DocumentError::OutOfMemory:
        return u"原因: メモリが足りません。"_s;
    case DocumentError::ChangedSince:
        return u"原因: 編集の元になったファイルが変更されたか、削除されています。"_s;
    case DocumentError::Other:
        break;
    }
    return u"原因: "_s + result.detail;
}

} // namespace penlark
