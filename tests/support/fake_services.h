#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_file_dialogs.h"
#include "platform/desktop/qt_message_boxes.h"
#include "platform/process/tool_runner.h"

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

// Records every step it is asked to run; runs nothing. Outcomes come from a
// script (default: exit code 0), `onRun` may create files to act like a tool
// that started, and the job is judged by the real JobLedger. No observer is
// told anything, so no tool console opens.
class FakeToolRunner : public ToolRunner {
  public:
    struct Call {
        ToolStep step;
        bool waited;
    };

    ToolJobResult runJob(const ToolJob& job, ToolJobObserver*) override {
        JobLedger ledger(job);
        runSteps(job, ledger, true);
        return ledger.finish();
    }
    void stopJob() override {}

    void startJob(const ToolJob& job, std::function<void(const ToolJobResult&)> finished) override {
        auto kept =
            std::make_shared<std::pair<ToolJob, std::optional<JobLedger>>>(job, std::nullopt);
        kept->second.emplace(kept->first);
        const bool started = runSteps(kept->first, *kept->second, false);
        auto end = [kept, finished] {
            if (finished) finished(kept->second->finish());
        };
        if (holdFinished && started) {
            held.push_back(end);
        } else {
            end();
        }
    }

    // Ends the started jobs whose end was held back.
    void finishHeld() {
        auto ends = std::move(held);
        held.clear();
        for (auto& end : ends) end();
    }

    std::vector<Call> calls;
    std::deque<ToolOutcome> outcomes;
    std::function<void(const ToolStep&)> onRun;
    // While set, a job started without waiting keeps running until
    // finishHeld().
    bool holdFinished = false;
    std::vector<std::function<void()>> held;

  private:
    // True when a step started.
    bool runSteps(const ToolJob& job, JobLedger& ledger, bool waited) {
        bool started = false;
        for (std::size_t i = 0; i < job.steps.size() && ledger.mayGoOn(); ++i) {
            calls.push_back({job.steps[i], waited});
            ToolOutcome outcome = ToolOutcome::exited(0);
            if (!outcomes.empty()) outcome = outcomes.front(), outcomes.pop_front();
            if (outcome.started() && onRun) onRun(job.steps[i]);
            started = started || outcome.started();
            ledger.stepEnded(i, outcome);
        }
        return started;
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
