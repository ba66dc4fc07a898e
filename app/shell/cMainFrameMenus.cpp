#include "shell/cMainFrame.h"

#include "orvenly/QMenuItemFamily.h"
#include "tamsell/ButtonObject.h"
#include "tamsell/ButtonObjects.h"
#include "tamsell/FlatToolbar.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstddef>

// NOLINTBEGIN(readability-identifier-naming): named by the generator of the data.
extern const unsigned char toolbarImage[];
extern const std::size_t toolbarImage_size;
// NOLINTEND(readability-identifier-naming)

namespace penlark {

using namespace Qt::StringLiterals;
using namespace tamsell;

namespace {

// The placeholder button that the caret position is shown over.
constexpr int32_t InfoLength = 204;
// The label starts this far into the placeholder.
constexpr int InfoIndent = 13;

} // namespace

void cMainFrame::addSeparator(FrameMenu menu) {
    m_menus.at(menu)->addSeparator();
}

QAction* cMainFrame::addItem(FrameMenu menu, int index, const QString& caption,
                             const QKeySequence& shortcut) {
    QAction* item = m_menus.at(menu)->addAction(caption);
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    m_items[menu][index] = item;
    connect(item, &QAction::triggered, this, [this, menu, index] {
        switch (menu) {
        case FrameMenu::File:
            mnuFileCmd_Click(FileCmd(index));
            break;
        case FrameMenu::Edit:
            mnuEditCmd_Click(EditCmd(index));
            break;
        case FrameMenu::View:
            mnuViewCmd_Click(ViewCmd(index));
            break;
        case FrameMenu::Window:
            mnuWindowCmd_Click(WindowCmd(index));
            break;
        case FrameMenu::Tool:
            mnuToolCmd_Click(ToolCmd(index));
            break;
        case FrameMenu::Help:
            mnuHelpCmd_Click(HelpCmd(index));
            break;
        }
    });
    return item;
}

void cMainFrame::buildMenus() {
    const std::pair<FrameMenu, QString> menus[] = {
        {FrameMenu::File, u"ファイル(&F)"_s}, {FrameMenu::Edit, u"編集(&E)"_s},
        {FrameMenu::View, u"表示(&V)"_s},     {FrameMenu::Window, u"ウィンドウ(&W)"_s},
        {FrameMenu::Tool, u"ツール(&T)"_s},   {FrameMenu::Help, u"ヘルプ(&H)"_s},
    };
    for (const auto& [id, caption] : menus)
        m_menus[id] = menuBar()->addMenu(caption);
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildWindowMenu();
    buildToolMenu();
    buildHelpMenu();
}

void cMainFrame::buildFileMenu() {
    addItem(FileCmd::New, u"新規作成(&N)"_s, QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(FileCmd::Open, u"開く(&O)"_s, QKeySequence(Qt::CTRL | Qt::Key_O));
    // The tab text shows the key; the shortcut itself is the action's.
    addItem(FileCmd::Close, u"閉じる(&C)\tCtrl+F4"_s)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    addSeparator(FrameMenu::File);
    addItem(FileCmd::Save, u"上書き保存(&S)"_s, QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(FileCmd::SaveAs, u"名前を付けて保存(&A)"_s);
    addItem(FileCmd::Reopen, u"文字コードを指定して開き直す(&D)..."_s);
    addItem(FileCmd::SaveAll, u"全て上書き保存(&L)"_s, QKeySequence(Qt::CTRL | Qt::Key_L));
    addSeparator(FrameMenu::File);

    m_recentMenu = new QMenu(u"最近使ったファイル(&R)"_s, this);
    QAction* none = m_recentMenu->addAction(u"    （履歴がありません）"_s);
    none->setEnabled(false);
    m_recentFamily = std::make_shared<orvenly::QMenuItemFamily>(m_recentMenu, none);
    connect(m_recentMenu, &QMenu::triggered, this, [this](QAction* action) {
        const int element = m_recentFamily->IndexOf(action);
        if (element > 0)
            mnuFileRecent_Click(element);
    });
    m_items[FrameMenu::File][int(FileCmd::RecentFiles)] =
        m_menus.at(FrameMenu::File)->addMenu(m_recentMenu);

    addSeparator(FrameMenu::File);
    addItem(FileCmd::Exit, u"終了(&X)"_s, QKeySequence(Qt::CTRL | Qt::Key_Q));
    for (FileCmd item :
         {FileCmd::Close, FileCmd::SaveAs, FileCmd::Save, FileCmd::SaveAll, FileCmd::Reopen})
        menuItem(item)->setEnabled(false);
}

void cMainFrame::buildEditMenu() {
    addItem(EditCmd::Undo, u"元に戻す(&U)"_s, QKeySequence(Qt::CTRL | Qt::Key_Z));
    addItem(EditCmd::Redo, u"やり直し(&R)"_s, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addSeparator(FrameMenu::Edit);
    addItem(EditCmd::Cut, u"切り取り(&T)"_s, QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(EditCmd::Copy, u"コピー(&C)"_s, QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(EditCmd::Paste, u"貼り付け(&P)"_s, QKeySequence(Qt::CTRL | Qt::Key_V));
    addSeparator(FrameMenu::Edit);
    addItem(EditCmd::SelectAll, u"すべて選択(&A)"_s, QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(FrameMenu::Edit);
    addItem(EditCmd::Find, u"検索(&F)"_s, QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(EditCmd::FindNext, u"次を検索(&N)"_s, QKeySequence(Qt::Key_F3));
    addItem(EditCmd::Replace, u"置換(&E)"_s, QKeySequence(Qt::CTRL | Qt::Key_H));
    addItem(EditCmd::GoToLine, u"指定行へ移動(&G)..."_s, QKeySequence(Qt::CTRL | Qt::Key_G));
    addSeparator(FrameMenu::Edit);
    addItem(EditCmd::DateAndTime, u"日付と時刻(&D)"_s, QKeySequence(Qt::Key_F5));
    addSeparator(FrameMenu::Edit);
    // The input-method items (indices 19 and 20, with a separator) need a host that lets a program
    // switch the input method; Qt offers none, so they are left out.
    addItem(EditCmd::Properties, u"プロパティ(&Y)..."_s);
    m_menus.at(FrameMenu::Edit)->menuAction()->setVisible(false);
}

void cMainFrame::buildViewMenu() {
    QAction* toolbar = addItem(ViewCmd::Toolbar, u"ツール バー(&T)"_s);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    addSeparator(FrameMenu::View);
    // Ctrl+= too: the plus sign needs Shift on most keyboards.
    addItem(ViewCmd::ZoomIn, u"拡大(&I)"_s)
        ->setShortcuts(
            {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    addItem(ViewCmd::ZoomOut, u"縮小(&O)"_s, QKeySequence::ZoomOut);
    addItem(ViewCmd::ZoomReset, u"元のサイズ(&D)"_s, QKeySequence(Qt::CTRL | Qt::Key_0));
    for (ViewCmd item : {ViewCmd::ZoomIn, ViewCmd::ZoomOut, ViewCmd::ZoomReset})
        menuItem(item)->setEnabled(false);
}

void cMainFrame::buildWindowMenu() {
    addItem(WindowCmd::Cascade, u"重ねて表示(&C)"_s);
    addItem(WindowCmd::TileSideBySide, u"縦長に並べて表示(&H)"_s);
    addItem(WindowCmd::TileOneAboveTheOther, u"横長に並べて表示(&V)"_s);
    addItem(WindowCmd::ArrangeIcons, u"アイコンの整列(&I)"_s);
    addSeparator(FrameMenu::Window);
    addItem(WindowCmd::Next, u"次(&N)\tCtrl+F6"_s)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6));
    addItem(WindowCmd::Previous, u"前(&F)\tShift+Ctrl+F6"_s)
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F6));
    addSeparator(FrameMenu::Window);
    addItem(WindowCmd::CloseAll, u"全て閉じる(&L)"_s);
    QMenu* window = m_menus.at(FrameMenu::Window);
    m_windowListSeparator = window->addSeparator();
    connect(window, &QMenu::aboutToShow, this, &cMainFrame::listWindows);
    window->menuAction()->setVisible(false);
}

// The open windows follow the commands, numbered, the active one checked.
void cMainFrame::listWindows() {
    QMenu* window = m_menus.at(FrameMenu::Window);
    const QList<QAction*> actions = window->actions();
    for (qsizetype i = actions.indexOf(m_windowListSeparator) + 1; i < actions.size(); ++i)
        delete actions[i];
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    m_windowListSeparator->setVisible(!windows.isEmpty());
    int number = 0;
    for (QMdiSubWindow* sub : windows) {
        ++number;
        const QString prefix =
            number < 10 ? u"&"_s + QString::number(number) : QString::number(number);
        QAction* entry = window->addAction(prefix + u" "_s + sub->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(sub == m_mdiArea->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(sub)] {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
    }
}

void cMainFrame::buildToolMenu() {
    addItem(ToolCmd::Preferences, u"環境設定(&O)..."_s);
    addSeparator(FrameMenu::Tool);
    addItem(ToolCmd::Converter, u"文字コード変換(&C)..."_s);

    QMenu* tools = m_menus.at(FrameMenu::Tool);
    m_toolMenu = tools;
    QAction* separator = tools->addSeparator();
    separator->setVisible(false);
    m_toolFamily = std::make_unique<orvenly::QMenuItemFamily>(tools, separator);
    connect(tools, &QMenu::triggered, this, [this](QAction* action) {
        const int element = m_toolFamily->IndexOf(action);
        if (element > 0)
            mnuToolExtra_Click(element);
    });
}

void cMainFrame::buildHelpMenu() {
    addItem(HelpCmd::SearchTopics, u"トピックの検索(&T)..."_s)->setVisible(false);
    addItem(HelpCmd::Contents, u"目次(&I)..."_s)->setVisible(false);
    addItem(HelpCmd::About, u"バージョン情報(&A)..."_s);
}

void cMainFrame::buildToolbar() {
    m_ftbEdit = new FlatToolbar(m_picToolbar);
    m_ftbEdit->setRedraw(false);
    m_ftbEdit->setButtonPicture(
        QImage::fromData(toolbarImage, static_cast<int>(toolbarImage_size), "PNG"));
    struct Button {
        const char* key;
        FlatToolbarButtonStyleConstants style;
        FlatToolbarButtonExtendStyleConstants exStyle;
        int32_t image;
        QString toolTip;
        bool enabled;
    };
    const Button buttons[] = {
        {"new", FTBS_COMMAND, FTBS_EX_NONE, 1, u"新しいドキュメントを作成します。 (Ctrl+N)"_s,
         true},
        {"open", FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN, 2,
         u"ドキュメントファイルを開きます。 (Ctrl+O)"_s, true},
        {"save", FTBS_COMMAND, FTBS_EX_NONE, 3, u"ドキュメントを保存します。 (Ctrl+S)"_s, false},
        {"saveall", FTBS_COMMAND, FTBS_EX_NONE, 4, u"全てのドキュメントを保存します。"_s, false},
        {nullptr, FTBS_SEPARATOR, FTBS_EX_NONE, 0, {}, true},
        {"cut", FTBS_COMMAND, FTBS_EX_NONE, 5,
         u"選択範囲を切り取ってクリップボードに送ります。 (Ctrl+X)"_s, false},
        {"copy", FTBS_COMMAND, FTBS_EX_NONE, 6,
         u"選択範囲をコピーしてクリップボードに送ります。 (Ctrl+C)"_s, false},
        {"paste", FTBS_COMMAND, FTBS_EX_NONE, 7,
         u"クリップボードにあるテキストを貼りつけます。 (Ctrl+V)"_s, false},
        {nullptr, FTBS_SEPARATOR, FTBS_EX_NONE, 0, {}, true},
        {"undo", FTBS_COMMAND, FTBS_EX_NONE, 8, u"直前に行った入力操作を取り消します。 (Ctrl+Z)"_s,
         false},
        {"redo", FTBS_COMMAND, FTBS_EX_NONE, 9, u"取り消した入力操作をやり直します。"_s, false},
        {nullptr, FTBS_SEPARATOR, FTBS_EX_NONE, 0, {}, true},
        {"search", FTBS_COMMAND, FTBS_EX_NONE, 10,
         u"ドキュメント内のテキストを検索します。 (Ctrl+F)"_s, false},
        {nullptr, FTBS_SEPARATOR, FTBS_EX_NONE, 0, {}, true},
    };
    for (const Button& b : buttons) {
        m_ftbEdit->Buttons().Add(0, b.key ? QString::fromLatin1(b.key) : QString(), b.style,
                                 b.exStyle, b.image, {}, b.toolTip, FTBV_UNPRESSED, 0, b.enabled);
    }
    m_ftbEdit->Buttons().Add(0, u"info"_s, FTBS_PLACEHOLDER, FTBS_EX_NONE, 0, {}, {},
                             FTBV_UNPRESSED, InfoLength);
    m_ftbEdit->setRedraw(true);
    m_ftbEdit->move(0, 0);
    connect(m_ftbEdit, &FlatToolbar::Click, this, &cMainFrame::ftbEdit_Click);
    connect(m_ftbEdit, &FlatToolbar::DropDown, this, &cMainFrame::ftbEdit_DropDown);

    m_lblCoordinate = new QLabel(m_picToolbar);
    const auto info = m_ftbEdit->Buttons().Item(u"info"_s);
    const int height = m_lblCoordinate->sizeHint().height();
    m_lblCoordinate->setGeometry(m_ftbEdit->x() + info->Left() + InfoIndent,
                                 m_ftbEdit->y() + info->Top() + (info->Height() - height) / 2,
                                 info->Width() - InfoIndent, height);
}

} // namespace penlark
