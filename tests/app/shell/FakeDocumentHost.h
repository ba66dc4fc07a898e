#pragma once

#include "common/Settings.h"
#include "shell/ChildWindow.h"
#include "shell/DocumentHost.h"
#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"

#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <vector>

// A frame that records what its documents tell it, for the document window tests.
class FakeDocumentHost : private WidgetsFirst, public penlark::DocumentHost {
public:
    FakeDocumentHost() { area.resize(640, 480); }

    QMdiArea& documentArea() override { return area; }
    const penlark::cSettings& settings() const override { return settingsValue; }

    void OnDocumentLoad(penlark::ChildWindow&) override { log << QStringLiteral("Load"); }
    void OnDocumentActivate(penlark::ChildWindow& document) override {
        log << QStringLiteral("Activate %1").arg(document.Index());
    }
    void OnDocumentCaption(penlark::ChildWindow& document) override {
        log << QStringLiteral("Caption ") + document.Caption();
    }
    void OnDocumentQueryUnload(penlark::ChildWindow& document, bool& cancel,
                               int unloadMode) override {
        log << QStringLiteral("QueryUnload %1 %2").arg(document.Index()).arg(unloadMode);
        if (onQueryUnload)
            onQueryUnload(document, cancel, unloadMode);
    }
    QMenu* RefreshEditMenu() override {
        log << QStringLiteral("RefreshEditMenu");
        return &editMenu;
    }
    void DragOverFiles(const QMimeData&, Qt::DropAction& effect) override {
        log << QStringLiteral("DragOverFiles");
        effect = (effect & Qt::CopyAction) != 0 ? Qt::CopyAction : Qt::IgnoreAction;
    }
    void DropFiles(const QMimeData& data) override {
        log << QStringLiteral("DropFiles ") + data.urls().value(0).toLocalFile();
    }

    // The log entries that start with prefix.
    QStringList entries(const QString& prefix) const {
        QStringList found;
        for (const QString& entry : log)
            if (entry.startsWith(prefix))
                found << entry;
        return found;
    }

    QMdiArea area;
    QMenu editMenu;
    penlark::cSettings settingsValue;
    QStringList log;
    std::function<void(penlark::ChildWindow&, bool&, int)> onQueryUnload;
};

// Answers every message box with answer and keeps what was asked, while it lives.
class ScriptedMessages {
public:
    explicit ScriptedMessages(int32_t answer = orvenly::msgbox::OK) {
        orvenly::modal::setResponder([this, answer](const orvenly::modal::Request& request)
                                         -> std::optional<orvenly::modal::Answer> {
            asked.push_back(request);
            return orvenly::modal::Answer{answer, {}};
        });
    }
    ~ScriptedMessages() { orvenly::modal::setResponder({}); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    std::vector<orvenly::modal::Request> asked;
};
