#include "core/work_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/tool_paths.h"

namespace kelvane {
namespace {

// ---- Which folder the program works in ----

struct ModeRow {
    const char* name;
    bool writable;
    const char* sharedData;
    const char* perUser;
    bool installed;
    const char* workDir;
    const char* kitDir;
};

class WorkModeTest : public ::testing::TestWithParam<ModeRow> {};

TEST_P(WorkModeTest, ChoosesTheWorkAndKitFolders) {
    const ModeRow& row = GetParam();
    const WorkFolders folders =
        decideWorkFolders({"/opt/kit", '/', row.writable, row.sharedData, row.perUser, {}});
    EXPECT_EQ(folders.installed, row.installed);
    EXPECT_EQ(folders.workDir, row.workDir);
    EXPECT_EQ(folders.kitDir, row.kitDir);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, WorkModeTest,
    ::testing::Values(
        ModeRow{"WritableKitIsPortable", true, "", "/home/u/.local/share/k", false, "/opt/kit",
                "/opt/kit"},
        ModeRow{"ReadOnlyKitWorksPerUser", false, "", "/home/u/.local/share/k", true,
                "/home/u/.local/share/k", "/opt/kit"},
        // root can write to /usr/bin; the program still never works there.
        ModeRow{"SystemInstallWorksPerUserEvenWhenWritable", true, "/usr/share/k",
                "/root/.local/share/k", true, "/root/.local/share/k", "/usr/share/k"},
        ModeRow{"NoPerUserFolderStaysInTheProgramFolder", false, "", "", false, "/opt/kit",
                "/opt/kit"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Where each tool is found ----

struct LookupRow {
    const char* name;
    bool installed;
    Tool tool;
    std::set<std::string> files;
    const char* expected;
};

WorkFolders linuxFolders(bool installed) {
    return decideWorkFolders(
        {"/opt/kit", '/', !installed, "", "/home/u/k", {"/usr/local/bin", "", "/usr/bin"}});
}

class ToolLookupTest : public ::testing::TestWithParam<LookupRow> {};

TEST_P(ToolLookupTest, FindsTheFirstPresentToolOrNamesItsDestination) {
    const LookupRow& row = GetParam();
    const auto isFile = [&](const std::string& p) { return row.files.count(p) > 0; };
    EXPECT_EQ(locateTool(linuxFolders(row.installed), row.tool, isFile), row.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ToolLookupTest,
    ::testing::Values(
        LookupRow{"ProgramToolsComeFirst", true, Tool::HdlPatch,
                  {"/opt/kit/tools/hdlpatch.exe", "/home/u/k/tools/hdlpatch.exe"},
                  "/opt/kit/tools/hdlpatch.exe"},
        LookupRow{"PerUserToolsNext", true, Tool::HdlPatch, {"/home/u/k/tools/hdlpatch.exe"},
                  "/home/u/k/tools/hdlpatch.exe"},
        LookupRow{"PerUserToolsAlsoInPortableMode", false, Tool::Ps2Packer,
                  {"/home/u/k/tools/ps2-packer.exe", "/usr/bin/ps2-packer"},
                  "/home/u/k/tools/ps2-packer.exe"},
        LookupRow{"PackerOnThePathInItsOrder", true, Tool::Ps2Packer,
                  {"/usr/bin/ps2-packer", "ps2-packer"}, "/usr/bin/ps2-packer"},
        LookupRow{"HdlPatchNeverTakenFromThePath", true, Tool::HdlPatch,
                  {"/usr/bin/hdlpatch.exe", "/usr/bin/hdlpatch"}, "/home/u/k/tools/hdlpatch.exe"},
        LookupRow{"MissingInstalledToolGoesPerUser", true, Tool::Ps2Packer, {},
                  "/home/u/k/tools/ps2-packer.exe"},
        LookupRow{"MissingPortableToolGoesBesideTheProgram", false, Tool::HdlPatch, {},
                  "/opt/kit/tools/hdlpatch.exe"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ToolSearchTest, WindowsFormsKeepBackslashesAndSkipThePath) {
    const WorkFolders folders = decideWorkFolders(
        {"C:\\Program Files\\Kit", '\\', false, "", "C:\\Users\\u\\AppData\\Local\\k", {}});
    EXPECT_EQ(folders.toolCandidates(Tool::Ps2Packer),
              (std::vector<std::string>{"C:\\Program Files\\Kit\\tools\\ps2-packer.exe",
                                        "C:\\Users\\u\\AppData\\Local\\k\\tools\\ps2-packer.exe"}));
    EXPECT_EQ(folders.work().join("\\a.bat"), "C:\\Users\\u\\AppData\\Local\\k\\a.bat");

    // A kit at a drive root: formed like every other path, nothing trimmed.
    const WorkFolders atRoot = decideWorkFolders({"C:\\", '\\', true, "", "D:\\u", {}});
    EXPECT_EQ(atRoot.toolCandidates(Tool::HdlPatch)[0], "C:\\\\tools\\hdlpatch.exe");
}

TEST(ToolSearchTest, ProgramDirectoryFindsAToolPutInPlaceWhileRunning) {
    std::set<std::string> files;
    const WorkFolders folders = linuxFolders(true);
    const ProgramDirectory dir = folders.work().withToolSearch(
        makeToolSearch(folders, [&](const std::string& p) { return files.count(p) > 0; }));

    EXPECT_EQ(hdlpatchPath(dir), "/home/u/k/tools/hdlpatch.exe");
    const std::string advice = dir.missingToolAdvice(Tool::HdlPatch);
    EXPECT_NE(advice.find("Put the real hdlpatch.exe into this folder:\n/home/u/k/tools\n"),
              std::string::npos)
        << advice;
    EXPECT_NE(advice.find("/opt/kit/tools/hdlpatch.exe and /home/u/k/tools/hdlpatch.exe"),
              std::string::npos)
        << advice;
    EXPECT_NE(dir.missingToolAdvice(Tool::Ps2Packer).find("and ps2-packer on the PATH"),
              std::string::npos);

    files.insert("/opt/kit/tools/hdlpatch.exe");
    EXPECT_EQ(hdlpatchPath(dir), "/opt/kit/tools/hdlpatch.exe");
    EXPECT_EQ(dir.missingToolAdvice(Tool::HdlPatch), "");
}

TEST(ToolSearchTest, WithoutASearchToolsLieBelowTheDirectoryAndNoAdviceIsGiven) {
    const ProgramDirectory root("C:\\", '\\');
    EXPECT_EQ(ps2PackerPath(root), "C:\\\\tools\\ps2-packer.exe");
    EXPECT_EQ(root.missingToolAdvice(Tool::Ps2Packer), "");
}

TEST(FoldersInUseTest, NamesTheWorkFolderAndEverySearchPlaceInOrder) {
    const std::string text = foldersInUseText(linuxFolders(true));
    const char* inOrder[] = {"/home/u/k  (per-user",
                             "HDLPatch is looked for in, in order:",
                             "1. /opt/kit/tools/hdlpatch.exe",
                             "2. /home/u/k/tools/hdlpatch.exe",
                             "ps2-packer is looked for in, in order:",
                             "1. /opt/kit/tools/ps2-packer.exe",
                             "2. /home/u/k/tools/ps2-packer.exe",
                             "3. ps2-packer on the PATH"};
    std::size_t at = 0;
    for (const char* part : inOrder) {
        const std::size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << "\n" << text;
        at = found;
    }
    // Only ps2-packer is looked for on the PATH.
    EXPECT_EQ(text.find("PATH"), text.rfind("PATH"));
}

}  // namespace
}  // namespace kelvane
