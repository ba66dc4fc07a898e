#pragma once

#include "common/Settings.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"
#include "shell/cMainFrame.h"
#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "orvenly/TextEditor.h"
#include "tamsell/ButtonObject.h"
#include "tamsell/ButtonObjects.h"
#include "tamsell/FlatToolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The frame's menu items, by name.
using penlark::EditCmd;
using penlark::FileCmd;
using penlark::FrameMenu;
using penlark::HelpCmd;
using penlark::ToolCmd;
using penlark::ViewCmd;
using penlark::WindowCmd;

// The frame against a registry of its own and scripted dialogs. Each test starts from an
// empty registry; the dialogs are answered from a queue per kind, and every request is kept.
class MainFrameTest : public ::testing::Test {
protected:
    using Answer = orvenly::modal::Answer;
    using Request = orvenly::modal::Request;

    static void SetUpTestSuite() {
        // Before anything opens the process's registry; the folder lives as long as the process.
        static QTemporaryDir home;
        qputenv("ORVENLY_REGISTRY", QFile::encodeName(home.filePath(QStringLiteral("reg.db"))));
        qputenv("HOME", QFile::encodeName(home.path()));
        haveWidgets();
    }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        registry()->Delete(orvenly::HKEY_CURRENT_USER, QStringLiteral("Software\\Ardenfall"));
        settings.Load(*programKey());
        orvenly::modal::setResponder([this](const Request& request) -> std::optional<Answer> {
            requests.push_back(request);
            auto& queue = answers[request.kind];
            if (queue.empty())
                return Answer{};
            Answer answer = queue.front();
            queue.pop_front();
            return answer;
        });
    }

    void TearDown() override {
        frame.reset();
        orvenly::modal::setResponder({});
    }

    static std::shared_ptr<orvenly::Registry> registry() { return orvenly::Registry::create(); }
    static std::shared_ptr<orvenly::RegKey> programKey() {
        return registry()->Item(orvenly::HKEY_CURRENT_USER,
                                QStringLiteral("Software\\Ardenfall\\Penlark"));
    }

    penlark::cMainFrame& start(const QStringList& files = {}) {
        frame = std::make_unique<penlark::cMainFrame>(settings);
        frame->Load(files);
        return *frame;
    }

    // Closes the frame as its close box does; true when it went.
    bool closeFrame() {
        const bool closed = frame->close();
        QCoreApplication::processEvents();
        return closed;
    }

    void answer(const QString& kind, int32_t value, const QStringList& files = {}) {
        answers[kind].push_back(Answer{value, files});
    }

    int asked(const QString& kind) const {
        int count = 0;
        for (const Request& request : requests)
            count += request.kind == kind ? 1 : 0;
        return count;
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename Cmd> QAction* item(Cmd command) const { return frame->menuItem(command); }
    std::shared_ptr<tamsell::ButtonObject> button(const QString& key) const {
        return frame->ftbEdit().Buttons().Item(key);
    }
    penlark::ChildWindow& document(int index) const { return frame->m_Documents().Item(index); }
    int documentCount() const { return frame->m_Documents().Count(); }

    // A document with the file's contents, modified by typing.
    penlark::ChildWindow& modifiedDocument(const QString& name) {
        const QString path = writeFile(name, "text\r\n");
        answer(QStringLiteral("FileOpen"), 1, {path});
        item(FileCmd::Open)->trigger();
        penlark::ChildWindow& opened = document(documentCount());
        opened.Editor().ReplaceSel(QStringLiteral("more "));
        return opened;
    }

    QTemporaryDir dir;
    penlark::cSettings settings;
    std::unique_ptr<penlark::cMainFrame> frame;
    std::map<QString, std::deque<Answer>> answers;
    std::vector<Request> requests;
};
