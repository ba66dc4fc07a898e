#include "FileDialogHost.h"
#include "FileDialogParts.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

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

// Turns the button back on whenever the dialog turns it off while the name field holds text.
class EnabledWhileTyped : public QObject {
public:
    EnabledWhileTyped(QPushButton* button, QLineEdit* name)
        : QObject(button), m_button(button), m_name(name) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_button && event->type() == QEvent::EnabledChange &&
            !m_button->isEnabled() && !m_name->text().trimmed().isEmpty())
            m_button->setEnabled(true);
        return false;
    }

private:
    QPushButton* m_button;
    QLineEdit* m_name;
};

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
        keepAcceptForTypedNames();
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

void HostFileDialog::keepAcceptForTypedNames() {
    auto* buttons = findChild<QDialogButtonBox*>();
    auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QPushButton* button = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!button || !name)
        return;
    auto* keeper = new EnabledWhileTyped(button, name);
    button->installEventFilter(keeper);
    connect(name, &QLineEdit::textChanged, keeper, [button](const QString& text) {
        if (!text.trimmed().isEmpty())
            button->setEnabled(true);
    });
}

void HostFileDialog::setOpenExtension(const QString& extension) {
    m_openExtension = extension;
}

QStringList HostFileDialog::chosenFiles() const {
    return m_chosen.isEmpty() ? selectedFiles() : m_chosen;
}

QStringList HostFileDialog::withOpenExtension(const QStringList& files) const {
    if (m_openExtension.isEmpty())
        return files;
    QStringList result;
    for (const QString& file : files) {
        const QFileInfo info(file);
        const QString extended = file + u'.' + m_openExtension;
        result.append(!info.exists() && info.suffix().isEmpty() && QFileInfo::exists(extended)
                          ? extended
                          : file);
    }
    return result;
}

void HostFileDialog::accept() {
    const QStringList files =
        m_purpose == Purpose::Open ? withOpenExtension(selectedFiles()) : selectedFiles();
    if (!files.isEmpty() && !confirmed(files))
        return;
    const bool intoFolder = std::any_of(
        files.begin(), files.end(), [](const QString& file) { return QFileInfo(file).isDir(); });
    if (m_purpose == Purpose::Open && !files.isEmpty() && !intoFolder) {
        // The host dialog would check the names as typed, not as completed above.
        m_chosen = files;
        // Past the host dialog's own name check, on purpose.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QDialog::accept();
        return;
    }
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
