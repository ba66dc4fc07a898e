#include "FileDialogHost.h"
#include "FileDialogParts.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>

namespace orvenly::filedialog {
namespace {

QString defaultTitle(HostFileDialog::Purpose purpose) {
    switch (purpose) {
    case HostFileDialog::Purpose::Open:
        return QStringLiteral("開く");
    case HostFileDialog::Purpose::Save:
        return QStringLiteral("名前を付けて保存");
    case HostFileDialog::Purpose::Folder:
        break;
    }
    return QStringLiteral("フォルダーの参照");
}

QString acceptText(HostFileDialog::Purpose purpose) {
    switch (purpose) {
    case HostFileDialog::Purpose::Open:
        return QStringLiteral("開く(&O)");
    case HostFileDialog::Purpose::Save:
        return QStringLiteral("保存(&S)");
    case HostFileDialog::Purpose::Folder:
        break;
    }
    return QStringLiteral("OK");
}

} // namespace

HostFileDialog::HostFileDialog(QWidget* parent, Purpose purpose, int32_t flags,
                               const QString& title, const QString& directory)
    : QFileDialog(parent), m_purpose(purpose), m_flags(flags) {
    // Overwriting is asked in confirmed(), through MsgBox like every other question.
    setOptions(DontUseNativeDialog | DontConfirmOverwrite);
    setWindowTitle(title.isEmpty() ? defaultTitle(purpose) : title);
    switch (purpose) {
    case Purpose::Open:
        setAcceptMode(AcceptOpen);
        setFileMode((flags & OFN_ALLOWMULTISELECT) ? ExistingFiles : ExistingFile);
        break;
    case Purpose::Save:
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        break;
    case Purpose::Folder:
        setAcceptMode(AcceptOpen);
        setFileMode(Directory);
        setOption(ShowDirsOnly);
        break;
    }
    setLabelText(LookIn, QStringLiteral("ファイルの場所(&I):"));
    setLabelText(FileName, purpose == Purpose::Folder ? QStringLiteral("フォルダー(&F):")
                                                      : QStringLiteral("ファイル名(&N):"));
    setLabelText(FileType, QStringLiteral("ファイルの種類(&T):"));
    setLabelText(Accept, acceptText(purpose));
    setLabelText(Reject, QStringLiteral("キャンセル"));
    if (!directory.isEmpty())
        setDirectory(directory);
}

void HostFileDialog::setFilters(const QStringList& filters, int32_t index) {
    m_filters = filters;
    if (filters.isEmpty())
        return;
    setNameFilters(filters);
    selectNameFilter(index >= 1 && index <= filters.size() ? filters[index - 1] : filters.front());
}

int32_t HostFileDialog::chosenFilter() const {
    return m_filters.isEmpty() ? 0 : filterIndexOf(m_filters, selectedNameFilter());
}

QCheckBox* HostFileDialog::addReadOnlyBox(bool checked) {
    auto* box = new QCheckBox(QStringLiteral("読み取り専用ファイルとして開く(&R)"), this);
    box->setChecked(checked);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, -1);
    return box;
}

void HostFileDialog::accept() {
    const QStringList files = selectedFiles();
    if (files.isEmpty() || confirmed(files))
        QFileDialog::accept();
}

bool HostFileDialog::confirmed(const QStringList& files) {
    const auto warn = [this](const QString& text, int32_t style = msgbox::Exclamation) {
        return MsgBox(this, text, style);
    };
    if (m_purpose == Purpose::Folder) {
        if (QFileInfo(files.front()).isDir())
            return true;
        warn(
            QStringLiteral("パス: '%1' は無効です。").arg(QDir::toNativeSeparators(files.front())));
        return false;
    }
    for (const QString& file : files) {
        const QFileInfo info(file);
        // The dialog itself moves into a folder that is typed or chosen.
        if (info.isDir())
            return true;
        const QString shown = QDir::toNativeSeparators(file);
        if (m_purpose == Purpose::Open) {
            if (!info.exists()) {
                warn(
                    QStringLiteral("%1\nファイルが見つかりません。\nファイル名を確認してください。")
                        .arg(shown));
                return false;
            }
            continue;
        }
        if (!info.dir().exists()) {
            warn(QStringLiteral("%1\nパスが見つかりません。\nパス名を確認してください。")
                     .arg(shown));
            return false;
        }
        if (info.exists() && (m_flags & OFN_OVERWRITEPROMPT))
            return warn(QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(shown),
                        msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) ==
                   msgbox::Yes;
        if (!info.exists() && (m_flags & OFN_CREATEPROMPT))
            return warn(QStringLiteral("%1 は存在しません。\nファイルを作成しますか?").arg(shown),
                        msgbox::YesNo | msgbox::Question) == msgbox::Yes;
    }
    return true;
}

} // namespace orvenly::filedialog
