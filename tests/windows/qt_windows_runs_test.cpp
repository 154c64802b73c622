// The Windows-only paths of the program, run for real: the runner, a.bat run
// by the system's cmd.exe and its code page refusal, Notepad from the system
// directory, and Stop ending a tool's whole process tree.

#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/desktop/qt_desktop_services_impl.h"
#include "platform/process/qt_tool_runner.h"
#include "support/console_closer.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "support/fake_platform.h"

namespace kelvane::testing {
namespace {

using namespace std::chrono_literals;
using Args = std::vector<std::string>;

QString systemDirectory() {
    wchar_t buffer[MAX_PATH];
    return QString::fromWCharArray(buffer, int(GetSystemDirectoryW(buffer, MAX_PATH)));
}

// A kit in a folder named `name` below a fresh temporary folder, with the
// built stand-ins and the demo loader, driven through a real main window.
struct WindowsKit {
    explicit WindowsKit(const QString& name)
        : dir(QDir::toNativeSeparators(root.path() + '/' + name)),
          window(ProgramDirectory(dir.toStdString(), '\\'),
                 {platform.messages, platform.dialogs, runner, platform.desktop}) {
        // The log's name through the wide environment: StandIns sets it in the ANSI code page.
        SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", path("tool log.txt").toStdWString().c_str());
        window.state().openelf = str("samples/DEMO.ELF");
        window.ui().ntsc->click();
        window.ui().text13->setText(QStringLiteral("MY GAME.ELF"));
    }
    QString path(const QString& relative) const {
        return QDir::toNativeSeparators(dir + '/' + relative);
    }
    std::string str(const QString& relative) const { return path(relative).toStdString(); }
    // Each tool run: its name, whether it ran in the kit, its arguments.
    std::vector<Args> runs() const {
        std::vector<Args> runs;
        for (const auto& [tool, cwd, args] : standIns.runs()) {
            runs.push_back({tool, QDir(QString::fromStdString(cwd)) == QDir(dir) ? "in the kit"
                                                                                 : "elsewhere"});
            runs.back().insert(runs.back().end(), args.begin(), args.end());
        }
        return runs;
    }
    std::string lastMessage() const {
        return platform.messages.shown.empty() ? ""
                                               : platform.messages.shown.back().text.toStdString();
    }

    QTemporaryDir root;
    QString dir;
    StandIns standIns{dir, {"tools/hdlpatch.exe", "tools/ps2-packer.exe", "samples/DEMO.ELF"}};
    QtToolRunner runner;
    ConsoleCloser consoles;
    FakePlatform platform;
    MainWindow window;
};

// Letters outside ASCII and characters a shell or cmd.exe would act on reach
// HDLPatch as they are.
TEST(DirectRun, HandsHdlpatchTheExactArgumentsFromAnAwkwardFolder) {
    WindowsKit kit(QString::fromUtf8("K\xc3\xaft \xd0\x9a\xd0\xb8\xd1\x82 & 100% ^ (x86) !x!"));
    kit.window.ui().Check1->click();
    kit.window.ui().Command2->click();
    EXPECT_EQ(kit.runs(),
              (std::vector<Args>{{"hdlpatch", "elsewhere", "/n", "/P", "82,2D",
                                  kit.str("samples/DEMO.ELF"), kit.str("MY GAME.ELF")}}));
    EXPECT_TRUE(QFile::exists(kit.path("MY GAME.ELF")));
    EXPECT_EQ(kit.lastMessage(), "");
}

// a.bat is written, run by the system's cmd.exe (which makes the program
// folder current through its cd lines) and deleted.
TEST(PackingRun, GoesThroughABatchFileAndTheSystemCommandInterpreter) {
    WindowsKit kit(QStringLiteral("Pack Kit (x86) !x! ~1"));
    kit.window.ui().Check8->click();
    kit.window.ui().Command2->click();
    EXPECT_EQ(kit.consoles.log.section('\n', 0, 0),
              '"' + systemDirectory() + "\\cmd.exe\" /d /c \"\"" + kit.path("a.bat") + "\"\"");
    EXPECT_EQ(kit.runs(), (std::vector<Args>{{"hdlpatch", "in the kit", "/P", "82,2D",
                                              kit.str("samples/DEMO.ELF"), kit.str("MY GAME.ELF")},
                                             {"ps2-packer", "in the kit", kit.str("MY GAME.ELF"),
                                              kit.str("PACKED_OUTFILE.ELF")}}));
    EXPECT_TRUE(QFile::exists(kit.path("PACKED_OUTFILE.ELF")));
    EXPECT_FALSE(QFile::exists(kit.path("a.bat")));
    EXPECT_EQ(kit.lastMessage(), "");
}

// cmd.exe reads a.bat in the console (OEM) code page, while the program
// writes it in the ANSI code page: a folder name whose bytes mean another
// text in the OEM code page would make the batch file name another folder.
TEST(PackingRefusal, AFolderThatTheOemCodePageReadsDifferentlyIsRefused) {
    const QString name = QStringLiteral("Kit \u00e9");
    if (GetACP() == GetOEMCP() || QString::fromLocal8Bit(name.toLocal8Bit()) != name)
        GTEST_SKIP() << "this character does not set the ANSI and OEM code pages apart here";
    WindowsKit kit(name);
    kit.window.ui().Check8->click();
    kit.window.ui().Command2->click();
    EXPECT_NE(kit.lastMessage().find("would not read as they are"), std::string::npos)
        << kit.lastMessage();
    EXPECT_TRUE(kit.consoles.log.isEmpty()) << "a run started";
    EXPECT_FALSE(QFile::exists(kit.path("a.bat")));
}

// Stop ends the tool and every process it started, not only the one the
// runner started itself.
TEST(ProcessTree, StopEndsTheToolAndItsChildren) {
    QTemporaryDir scratch;
    const QString pidFile = QDir::toNativeSeparators(scratch.filePath("child.pid"));
    QtToolRunner runner;
    runner.setStopGracePeriod(500ms);
    const QString line =
        '"' + QDir::toNativeSeparators(KELVANE_PROCESS_TREE) + "\" \"" + pidFile + '"';
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (QFileInfo(pidFile).size() == 0) return;
        stopper.stop();
        runner.stopJob();
    });
    stopper.start(50);
    const ToolJobResult result =
        runner.runJob({{{std::nullopt, {}, line.toStdString(), {}}}}, nullptr);
    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_EQ(result.steps[0].end, ToolOutcome::End::Stopped);
    DWORD child = 0;
    std::ifstream(std::filesystem::path(pidFile.toStdWString())) >> child;
    ASSERT_NE(child, 0u);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, child)) {
        const bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(process, 1);
        CloseHandle(process);
        EXPECT_TRUE(ended) << "the tool's child process " << child << " still runs";
    }
}

// Notepad comes from the system folder and opens the file it is given.
TEST(Notepad, OpensTheFileGivenWhateverItsName) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") &&
        qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "Wine shows no Notepad window without an X display";
    QTemporaryDir scratch;
    const QString path = QDir::toNativeSeparators(scratch.filePath("HDL PATCH & 100% README.txt"));
    std::ofstream(std::filesystem::path(path.toStdWString())) << "read me\r\n";
    QString error;
    ASSERT_TRUE(QtDesktopServices().openInNotepad(path, &error)) << error.toStdString();

    // Notepad names the file it opened in its caption.
    HWND notepad = nullptr;
    const auto findNotepad = [](HWND window, LPARAM found) -> BOOL {
        wchar_t title[512];
        const int length = GetWindowTextW(window, title, 512);
        if (!QString::fromWCharArray(title, length).contains("HDL PATCH & 100% README.txt"))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    };
    const bool shown = QTest::qWaitFor(
        [&] {
            EnumWindows(findNotepad, reinterpret_cast<LPARAM>(&notepad));
            return notepad != nullptr;
        },
        30000);
    ASSERT_TRUE(shown) << "no Notepad window shows the file";
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
