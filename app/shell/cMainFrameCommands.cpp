#include "shell/cMainFrame.h"

#include "dialogs/cDlgReplace.h"
#include "shell/ChildWindow.h"
#include "shell/MdiArrange.h"
#include "shell/cDlgAbout.h"
#include "shell/cFloatEditorProperty.h"

#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "tamsell/ButtonObject.h"
#include "tamsell/FlatToolbar.h"

#include <QAction>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

// The system's short date and long time, without the time zone that Qt's long format adds.
QString generalDate(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    static const QRegularExpression zone(u"\\s*\\bt+\\b"_s);
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(zone);
    return locale.toString(when.date(), QLocale::ShortFormat) + u" "_s +
           locale.toString(when.time(), timeFormat.trimmed());
}

} // namespace

void cMainFrame::mnuEditCmd_Click(int index) {
    if (!m_ActiveDocument)
        return;
    orvenly::TextEditor& editor = m_ActiveDocument->Editor();
    try {
        switch (index) {
        case 0:
            editor.Undo();
            break;
        case 3:
            editor.Cut();
            break;
        case 4:
            editor.Copy();
            break;
        case 5:
            editor.Paste();
            break;
        case 7:
            editor.SelAll();
            break;
        case 9:
            showFind(0);
            break;
        case 10:
            m_find->SearchNext();
            break;
        case 11:
            showFind(1);
            break;
        case 14:
            editor.ReplaceSel(generalDate(QDateTime::currentDateTime()), true);
            break;
        case 22:
            m_property->show();
            m_property->raise();
            break;
        default:
            break;
        }
    } catch (const orvenly::AutomationError& error) {
        message(error.description(), orvenly::msgbox::Exclamation);
    }
}

void cMainFrame::mnuViewCmd_Click(int index) {
    // The item has flipped its check mark already.
    if (index == 0)
        m_picToolbar->setVisible(menuItem(FrameMenu::View, 0)->isChecked());
}

void cMainFrame::mnuWindowCmd_Click(int index) {
    switch (index) {
    case 0:
        m_mdiArea->cascadeSubWindows();
        break;
    case 1:
        tileSideBySide(*m_mdiArea);
        break;
    case 2:
        tileOneAboveTheOther(*m_mdiArea);
        break;
    case 3:
        arrangeIcons(*m_mdiArea);
        break;
    case 5:
        m_mdiArea->activateNextSubWindow();
        break;
    case 6:
        m_mdiArea->activatePreviousSubWindow();
        break;
    case 8: {
        bool cancel = false;
        QueryUnloadDocuments(cancel);
        break;
    }
    default:
        break;
    }
}

void cMainFrame::mnuToolCmd_Click(int) {
    // The preferences and the charset converter have no dialog yet; their items stay disabled.
}

void cMainFrame::mnuToolExtra_Click(int element) {
    const auto found = m_toolPaths.find(element);
    if (found == m_toolPaths.end())
        return;
    const QString& path = found->second;
    const QFileInfo info(path);
    const bool started = info.isExecutable() && !info.isDir()
                             ? QProcess::startDetached(path, {})
                             : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!started)
        message(u"プログラムを起動できませんでした。"_s, orvenly::msgbox::Exclamation);
}

void cMainFrame::mnuHelpCmd_Click(int index) {
    if (index == 3)
        cDlgAbout::ShowAbout(this);
}

void cMainFrame::ftbEdit_Click(tamsell::ButtonObject* button) {
    if (!button)
        return;
    const QString key = button->Key();
    if (key == u"new"_s)
        mnuFileCmd_Click(0);
    else if (key == u"open"_s)
        mnuFileCmd_Click(2);
    else if (key == u"save"_s)
        mnuFileCmd_Click(m_ActiveDocument && !m_ActiveDocument->CanOverWrite() ? 6 : 5);
    else if (key == u"saveall"_s)
        mnuFileCmd_Click(7);
    else if (key == u"cut"_s)
        mnuEditCmd_Click(3);
    else if (key == u"copy"_s)
        mnuEditCmd_Click(4);
    else if (key == u"paste"_s)
        mnuEditCmd_Click(5);
    else if (key == u"undo"_s)
        mnuEditCmd_Click(0);
    else if (key == u"search"_s && m_ActiveDocument)
        showFind(m_find->isVisible() && m_find->Style() == 0 ? 1 : 0);
}

void cMainFrame::showFind(int32_t style) {
    if (!m_ActiveDocument)
        return;
    m_find->SetStyle(style);
    const orvenly::TextEditor& editor = m_ActiveDocument->Editor();
    if (editor.SelLength() != 0)
        m_find->SetSearchPattern(editor.SelText());
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void cMainFrame::ftbEdit_DropDown(tamsell::ButtonObject* button) {
    if (!button || button->Key() != u"open"_s)
        return;
    const QPoint below(button->Left(), button->Top() + button->Height());
    m_recentMenu->popup(m_ftbEdit->mapToGlobal(below));
}

} // namespace penlark
