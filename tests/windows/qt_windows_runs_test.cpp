// The Windows-only paths of the program, run for real: "Patch" through the
// real process runner (the exact command line handed to process creation),
// a packing run through a.bat and the system's cmd.exe, the refusals that
// apply only to a batch file, Notepad from the system directory, and Stop
// ending a tool's whole process tree.

#include <gtest/gtest.h>
#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/console/qt_job_views.h"
#include "platform/desktop/qt_desktop_services_impl.h"
#include "platform/process/qt_tool_runner.h"
#include "support/console_closer.h"
#include "tool_log.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "support/fake_platform.h"

namespace kelvane::testing {
namespace {

using namespace std::chrono_literals;
using Args = std::vector<std::string>;

bool underWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

QString systemDirectory() {
    wchar_t buffer[MAX_PATH];
    return QString::fromWCharArray(buffer, int(GetSystemDirectoryW(buffer, MAX_PATH)));
}

// Records every step and passes it on to the real runner.
class RecordingRunner : public ToolRunner {
  public:
    explicit RecordingRunner(ToolRunner& real) : real_(real) {}
    ToolJobResult runJob(const ToolJob& job, ToolJobObserver* observer) override {
        commands.insert(commands.end(), job.steps.begin(), job.steps.end());
        return real_.runJob(job, observer);
    }
    void stopJob() override { real_.stopJob(); }
    void startJob(const ToolJob& job, std::function<void(const ToolJobResult&)> finished) override {
        commands.insert(commands.end(), job.steps.begin(), job.steps.end());
        real_.startJob(job, std::move(finished));
    }
    std::vector<ToolStep> commands;

  private:
    ToolRunner& real_;
};

// A kit in a folder named `name` below a fresh temporary folder, with the
// built stand-ins and the demo loader, driven through a real main window.
struct WindowsKit {
    explicit WindowsKit(const QString& name)
        : dir_(QDir::toNativeSeparators(root_.path() + '/' + name)),
          window_(ProgramDirectory(dir_.toStdString(), '\\'),
                  {platform.messages, platform.dialogs, recorder, platform.desktop}),
          ui(window_.ui()) {
        const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
        QDir().mkpath(path("tools"));
        QDir().mkpath(path("samples"));
        for (const char* file : {"tools/hdlpatch.exe", "tools/ps2-packer.exe", "samples/DEMO.ELF"})
            EXPECT_TRUE(QFile::copy(built.filePath(file), path(file))) << file;
        qputenv(tools::kToolLogVariable, QFile::encodeName(logFile()));
        window_.state().openelf = path("samples/DEMO.ELF").toStdString();
        ui.ntsc->click();
    }
    ~WindowsKit() { qunsetenv(tools::kToolLogVariable); }

    QString path(const QString& relative) const {
        return QDir::toNativeSeparators(dir_ + '/' + relative);
    }
    std::string str(const QString& relative) const { return path(relative).toStdString(); }
    QString logFile() const { return root_.filePath("tool log.txt"); }

    // Each tool run: its name, whether it ran in the kit, its arguments.
    std::vector<Args> runs() const {
        std::vector<Args> runs;
        for (const auto& [tool, cwd, args] : tools::readToolLog(logFile().toStdString())) {
            const bool inKit = QDir(QString::fromStdString(cwd)) == QDir(dir_);
            runs.push_back(Args{tool, inKit ? "in the kit" : "elsewhere"});
            runs.back().insert(runs.back().end(), args.begin(), args.end());
        }
        return runs;
    }
    QString lastMessage() const {
        return platform.messages.shown.empty() ? QString() : platform.messages.shown.back().text;
    }

    QTemporaryDir root_;
    QString dir_;
    QtToolRunner runner_;
    ConsoleCloser consoles;
    FakePlatform platform;
    RecordingRunner recorder{runner_};
    MainWindow window_;
    Ui::MainWindow& ui;
};

// Program folders whose names a shell, the C runtime or cmd.exe would act on.
// A packing run is refused before anything is written or started where a.bat
// could not carry the name; a direct run hands HDLPatch the exact arguments,
// as the command line goes to process creation unchanged.
TEST(AwkwardFolder, PackingIsRefusedWhereABatchFileFailsAndDirectRunsAreExact) {
    const struct {
        const char* folder;
        const char* refusal;  // null: packing is not tried
    } rows[] = {{"100% Kit", "percent sign (%)"},
                {"Kit & Co", "(& | < > ^)"},
                {"Caret ^ Kit (x86) !bang!", "(& | < > ^)"},
                {"K\xc3\xaft \xd0\x9a\xd0\xb8\xd1\x82", nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folder);
        WindowsKit kit(QString::fromUtf8(row.folder));
        if (row.refusal) {
            kit.ui.Check8->click();
            kit.ui.Command2->click();
            EXPECT_TRUE(kit.lastMessage().contains(row.refusal)) << kit.lastMessage().toStdString();
            EXPECT_TRUE(kit.recorder.commands.empty());
            EXPECT_FALSE(QFile::exists(kit.path("a.bat")));
            EXPECT_FALSE(QFile::exists(kit.path("OUTFILE.ELF")));
            kit.ui.Check8->click();
            kit.platform.messages.shown.clear();
        }
        kit.ui.Check1->click();
        kit.ui.text13->setText(QStringLiteral("MY GAME.ELF"));
        kit.ui.Command2->click();
        EXPECT_EQ(kit.runs(),
                  (std::vector<Args>{{"hdlpatch", "elsewhere", "/n", "/P", "82,2D",
                                      kit.str("samples/DEMO.ELF"), kit.str("MY GAME.ELF")}}));
        EXPECT_TRUE(QFile::exists(kit.path("MY GAME.ELF")));
        EXPECT_TRUE(kit.platform.messages.shown.empty()) << kit.lastMessage().toStdString();
    }
}

// "Pack": a.bat is written, run by the system's cmd.exe (which makes the
// program folder current through its cd lines) and deleted.
TEST(PackingRun, GoesThroughABatchFileAndTheSystemCommandInterpreter) {
    WindowsKit kit(QStringLiteral("Pack Kit (x86) !x! ~1"));
    kit.ui.text13->setText(QStringLiteral("MY GAME.ELF"));
    kit.ui.Check8->click();
    kit.ui.Command2->click();

    ASSERT_EQ(kit.recorder.commands.size(), 1u);
    EXPECT_EQ(QString::fromStdString(kit.recorder.commands[0].commandLine),
              '"' + systemDirectory() + "\\cmd.exe\" /d /c \"\"" + kit.path("a.bat") + "\"\"");
    EXPECT_EQ(kit.runs(), (std::vector<Args>{{"hdlpatch", "in the kit", "/P", "82,2D",
                                              kit.str("samples/DEMO.ELF"), kit.str("MY GAME.ELF")},
                                             {"ps2-packer", "in the kit", kit.str("MY GAME.ELF"),
                                              kit.str("PACKED_OUTFILE.ELF")}}));
    EXPECT_TRUE(QFile::exists(kit.path("PACKED_OUTFILE.ELF")));
    EXPECT_FALSE(QFile::exists(kit.path("a.bat")));
    EXPECT_TRUE(kit.platform.messages.shown.empty()) << kit.lastMessage().toStdString();
}

// cmd.exe reads a.bat in the console (OEM) code page, while the program
// writes it in the ANSI code page: a folder name whose bytes mean another
// text in the OEM code page would make the batch file name another folder.
TEST(PackingRefusal, AFolderThatTheOemCodePageReadsDifferentlyIsRefused) {
    const QString name = QStringLiteral("Kit \u00e9");
    const QByteArray ansi = name.toLocal8Bit();
    if (GetACP() == GetOEMCP() || QString::fromLocal8Bit(ansi) != name)
        GTEST_SKIP() << "the ANSI (" << GetACP() << ") and OEM (" << GetOEMCP()
                     << ") code pages do not differ on this character here";
    WindowsKit kit(name);
    kit.ui.Check8->click();
    kit.ui.Command2->click();
    EXPECT_TRUE(kit.lastMessage().contains("would not read as they are"))
        << kit.lastMessage().toStdString();
    EXPECT_TRUE(kit.recorder.commands.empty());
    EXPECT_FALSE(QFile::exists(kit.path("a.bat")));
}

// Stop ends the tool and every process it started, not only the one the
// runner started itself.
TEST(ProcessTree, StopEndsTheToolAndItsChildren) {
    QTemporaryDir scratch;
    const QString pidFile = QDir::toNativeSeparators(scratch.filePath("child.pid"));
    QtToolRunner runner;
    runner.setStopGracePeriod(500ms);
    const ConsoleCloser consoles;
    const QString line =
        '"' + QDir::toNativeSeparators(KELVANE_PROCESS_TREE) + "\" \"" + pidFile + '"';
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        QWidget* console = QApplication::activeModalWidget();
        auto* stop = console ? console->findChild<QPushButton*>("toolConsoleStop") : nullptr;
        if (stop && stop->isEnabled() && QFileInfo(pidFile).size() > 0) stop->click();
    });
    stopper.start(50);
    const ToolJobResult result =
        runInToolConsole(runner, {{{std::nullopt, {}, line.toStdString(), {}}}}, {});
    stopper.stop();

    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_EQ(result.steps[0].end, ToolOutcome::End::Stopped);
    DWORD child = 0;
    std::ifstream(std::filesystem::path(pidFile.toStdWString())) >> child;
    ASSERT_NE(child, 0u);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, child);
    if (process) {
        const bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(process, 1);
        CloseHandle(process);
        EXPECT_TRUE(ended) << "the tool's child process " << child << " still runs";
    }
}

// Notepad comes from the system folder and gets the path as one argument.
TEST(Notepad, OpensTheFileGivenWhateverItsName) {
    if (underWine() && qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "Wine shows no Notepad window without an X display";
    QTemporaryDir scratch;
    QDir().mkpath(scratch.filePath("Read Me & 100%"));
    const QString path =
        QDir::toNativeSeparators(scratch.filePath("Read Me & 100%/HDL PATCH README.txt"));
    std::ofstream(std::filesystem::path(path.toStdWString())) << "read me\r\n";

    QtDesktopServices desktop;
    QString error;
    ASSERT_TRUE(desktop.openInNotepad(path, &error)) << error.toStdString();

    // Notepad names the file it opened in its caption.
    HWND notepad = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM found) -> BOOL {
                    wchar_t title[512];
                    const int length = GetWindowTextW(window, title, 512);
                    if (QString::fromWCharArray(title, length).contains("HDL PATCH README.txt")) {
                        *reinterpret_cast<HWND*>(found) = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&notepad));
            return notepad != nullptr;
        },
        30000);
    ASSERT_TRUE(shown) << "no Notepad window shows HDL PATCH README.txt";
    DWORD owner = 0;
    GetWindowThreadProcessId(notepad, &owner);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, owner);
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    ASSERT_TRUE(process && QueryFullProcessImageNameW(process, 0, image, &size));
    EXPECT_EQ(QString::fromWCharArray(image, int(size)).toLower(),
              (systemDirectory() + "\\notepad.exe").toLower());
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
}

}  // namespace
}  // namespace kelvane::testing
