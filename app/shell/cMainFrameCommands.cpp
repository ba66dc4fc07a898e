#include "shell/cMainFrame.h"

#include "common/Settings.h"
#include "dialogs/cDlgConverter.h"
#include "dialogs/cDlgPreferences.h"
#include "dialogs/cDlgReplace.h"
#include "shell/ChildWindow.h"
#include "shell/MdiArrange.h"
#include "shell/cDlgAbout.h"
#include "shell/cFloatEditorProperty.h"

#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/RegKey.h"
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

void cMainFrame::mnuEditCmd_Click(EditCmd item) {
    if (!m_ActiveDocument)
        return;
    orvenly::TextEditor& editor = m_ActiveDocument->Editor();
    try {
        switch (item) {
        case EditCmd::Undo:
            editor.Undo();
            break;
        case EditCmd::Cut:
            editor.Cut();
            break;
        case EditCmd::Copy:
            editor.Copy();
            break;
        case EditCmd::Paste:
            editor.Paste();
            break;
        case EditCmd::SelectAll:
            editor.SelAll();
            break;
        case EditCmd::Find:
            showFind(0);
            break;
        case EditCmd::FindNext:
            m_find->SearchNext();
            break;
        case EditCmd::Replace:
            showFind(1);
            break;
        case EditCmd::GoToLine:
            goToLine(*m_ActiveDocument);
            break;
        case EditCmd::DateAndTime:
            editor.ReplaceSel(generalDate(QDateTime::currentDateTime()), true);
            break;
        case EditCmd::Properties:
            m_property->show();
            m_property->raise();
            break;
        case EditCmd::Redo:
            editor.Redo();
            break;
        }
    } catch (const orvenly::AutomationError& error) {
        message(error.description(), orvenly::msgbox::Exclamation);
    }
}

void cMainFrame::mnuViewCmd_Click(ViewCmd item) {
    switch (item) {
    case ViewCmd::Toolbar:
        // The item has flipped its check mark already.
        m_picToolbar->setVisible(menuItem(ViewCmd::Toolbar)->isChecked());
        break;
    case ViewCmd::ZoomIn:
    case ViewCmd::ZoomOut:
    case ViewCmd::ZoomReset:
        if (m_ActiveDocument)
            zoom(*m_ActiveDocument, item);
        break;
    }
}

void cMainFrame::mnuWindowCmd_Click(WindowCmd item) {
    switch (item) {
    case WindowCmd::Cascade:
        m_mdiArea->cascadeSubWindows();
        break;
    case WindowCmd::TileSideBySide:
        tileSideBySide(*m_mdiArea);
        break;
    case WindowCmd::TileOneAboveTheOther:
        tileOneAboveTheOther(*m_mdiArea);
        break;
    case WindowCmd::ArrangeIcons:
        arrangeIcons(*m_mdiArea);
        break;
    case WindowCmd::Next:
        m_mdiArea->activateNextSubWindow();
        break;
    case WindowCmd::Previous:
        m_mdiArea->activatePreviousSubWindow();
        break;
    case WindowCmd::CloseAll: {
        bool cancel = false;
        QueryUnloadDocuments(cancel);
        break;
    }
    }
}

void cMainFrame::mnuToolCmd_Click(ToolCmd item) {
    if (item == ToolCmd::Converter) {
        cDlgConverter::ShowConvert(this);
        return;
    }
    try {
        if (!cDlgPreferences::ShowSettings(this, m_settings, *m_MRUFiles))
            return;
        if (const auto key = programKey())
            m_settings.Save(*key);
    } catch (const orvenly::AutomationError&) {
        // Settings that cannot be stored still apply to this run.
    }
    ApplySettings();
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

void cMainFrame::mnuHelpCmd_Click(HelpCmd item) {
    if (item == HelpCmd::About)
        cDlgAbout::ShowAbout(this);
}

void cMainFrame::ftbEdit_Click(tamsell::ButtonObject* button) {
    if (!button)
        return;
    const QString key = button->Key();
    if (key == u"new"_s)
        mnuFileCmd_Click(FileCmd::New);
    else if (key == u"open"_s)
        mnuFileCmd_Click(FileCmd::Open);
    else if (key == u"save"_s)
        mnuFileCmd_Click(m_ActiveDocument && !m_ActiveDocument->CanOverWrite() ? FileCmd::SaveAs
                                                                               : FileCmd::Save);
    else if (key == u"saveall"_s)
        mnuFileCmd_Click(FileCmd::SaveAll);
    else if (key == u"cut"_s)
        mnuEditCmd_Click(EditCmd::Cut);
    else if (key == u"copy"_s)
        mnuEditCmd_Click(EditCmd::Copy);
    else if (key == u"paste"_s)
        mnuEditCmd_Click(EditCmd::Paste);
    else if (key == u"undo"_s)
        mnuEditCmd_Click(EditCmd::Undo);
    else if (key == u"redo"_s)
        mnuEditCmd_Click(EditCmd::Redo);
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
