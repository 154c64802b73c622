#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt_desktop_services.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_process_runner.h"

namespace kelvane::testing {

// Records every message box instead of showing it. Questions are recorded
// in `shown` too, with their buttons, and answered from `answers` (button
// captions, taken in order); with no answer left the last button is pressed.
class FakeMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        QString text;
        MessageIcon icon;
        QStringList buttons = {};
    };
    void show(const QString& text, MessageIcon icon) override { shown.push_back({text, icon}); }
    int ask(const QString& text, MessageIcon icon, const QStringList& buttons) override {
        shown.push_back({text, icon, buttons});
        const int index = answers.empty() ? -1 : int(buttons.indexOf(answers.front()));
        if (!answers.empty()) answers.pop_front();
        return index < 0 ? int(buttons.size()) - 1 : index;
    }
    std::vector<Shown> shown;
    std::deque<QString> answers;
};

// Answers file dialogs from a script: each call takes the next answer
// (a path, or nothing for a cancel); with no answer left it cancels. Records
// each filter and the folder the dialog was asked to open in.
class FakeFileDialogs : public FileDialogs {
  public:
    std::optional<QString> openFile(const QString& filter) override {
        return openFileIn(filter, QString());
    }
    std::optional<QString> openFileIn(const QString& filter, const QString& folder) override {
        filters.push_back(filter);
        folders.push_back(folder);
        if (answers.empty()) return std::nullopt;
        const std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Save dialogs take their answers from the same script; `folder` records
    // the suggested path.
    std::optional<QString> saveFile(const QString& filter, const QString& suggested) override {
        return openFileIn(filter, suggested);
    }
    std::deque<std::optional<QString>> answers;
    std::vector<QString> filters, folders;
};

// Records every start; runs nothing. Outcomes come from a script (default:
// started, exit code 0), and `onRun` may create files to act like the tool.
class FakeProcessRunner : public ProcessRunner {
  public:
    struct Call {
        ToolCommand command;
        WindowStyle style;
        bool waited;
    };

    QList<ToolOutcome> shellWait(
        const QList<ToolCommand>& steps, WindowStyle style,
        const std::function<bool(int, const ToolOutcome&)>& proceed) override {
        QList<ToolOutcome> outcomes;
        for (int i = 0; i < steps.size(); ++i) {
            calls.push_back({steps[i], style, true});
            ToolOutcome outcome = nextOutcome();
            if (onRun) onRun(steps[i]);
            outcomes.push_back(outcome);
            if (proceed && !proceed(i, outcome)) break;
        }
        return outcomes;
    }

    StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                            std::function<void(const ToolOutcome&)> finished) override {
        calls.push_back({command, style, false});
        ToolOutcome outcome = nextOutcome();
        if (!outcome.started) return {false, outcome.error};
        if (onRun) onRun(command);
        if (holdFinished) {
            held.push_back([finished, outcome] {
                if (finished) finished(outcome);
            });
        } else if (finished) {
            finished(outcome);
        }
        return {true, {}};
    }

    // Ends the started programs whose end was held back.
    void finishHeld() {
        auto ends = std::move(held);
        held.clear();
        for (auto& end : ends) end();
    }

    std::vector<Call> calls;
    std::deque<ToolOutcome> outcomes;
    std::function<void(const ToolCommand&)> onRun;
    // While set, a program started without waiting keeps running until
    // finishHeld().
    bool holdFinished = false;
    std::vector<std::function<void()>> held;

  private:
    ToolOutcome nextOutcome() {
        ToolOutcome o;
        o.started = true;
        if (!outcomes.empty()) o = outcomes.front(), outcomes.pop_front();
        return o;
    }
};

// Records what would have been opened in the editor, the browser or the file
// manager; each fails, naming what could not start, while its flag is false.
class FakeDesktopServices : public DesktopServices {
  public:
    bool openInNotepad(const QString& path, QString* error) override {
        return record(notepad, path, notepadSucceeds, "editor", error);
    }
    bool openWebPage(const QString& address, QString* error) override {
        return record(web, address, browserSucceeds, "browser", error);
    }
    bool openFolder(const QString& folder, QString* error) override {
        return record(folders, folder, folderSucceeds, "file manager", error);
    }
    std::vector<QString> notepad, web, folders;
    bool notepadSucceeds = true, browserSucceeds = true, folderSucceeds = true;

  private:
    static bool record(std::vector<QString>& opened, const QString& what, bool succeeds,
                       const char* program, QString* error) {
        opened.push_back(what);
        if (!succeeds && error) *error = QStringLiteral("cannot start the ") + program;
        return succeeds;
    }
};

}  // namespace kelvane::testing
