#include "core/work_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelvane {
namespace {

TEST(WorkModeTest, ChoosesTheWorkAndKitFolders) {
    const struct {
        const char* name;
        bool writable;
        const char *sharedData, *perUser;
        bool installed;
        const char *workDir, *kitDir;
    } rows[] = {
        {"WritableKitIsPortable", true, "", "/home/u/.local/share/k", false, "/opt/kit",
         "/opt/kit"},
        {"ReadOnlyKitWorksPerUser", false, "", "/home/u/.local/share/k", true,
         "/home/u/.local/share/k", "/opt/kit"},
        // root can write to /usr/bin; the program still never works there.
        {"SystemInstallWorksPerUserEvenWhenWritable", true, "/usr/share/k", "/root/.local/share/k",
         true, "/root/.local/share/k", "/usr/share/k"},
        {"NoPerUserFolderStaysInTheProgramFolder", false, "", "", false, "/opt/kit", "/opt/kit"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const WorkFolders folders =
            decideWorkFolders({"/opt/kit", '/', row.writable, row.sharedData, row.perUser, {}});
        EXPECT_EQ(folders.installed, row.installed);
        EXPECT_EQ(folders.workDir, row.workDir);
        EXPECT_EQ(folders.kitDir, row.kitDir);
    }
}

WorkFolders linuxFolders(bool installed) {
    return decideWorkFolders(
        {"/opt/kit", '/', !installed, "", "/home/u/k", {"/usr/local/bin", "", "/usr/bin"}});
}

TEST(ToolLookupTest, FindsTheFirstPresentToolOrNamesItsDestination) {
    const struct {
        const char* name;
        bool installed;
        Tool tool;
        std::set<std::string> files;
        const char* expected;
    } rows[] = {
        // clang-format off
        {"ProgramToolsComeFirst", true, Tool::HdlPatch,
         {"/opt/kit/tools/hdlpatch.exe", "/home/u/k/tools/hdlpatch.exe"},
         "/opt/kit/tools/hdlpatch.exe"},
        {"PerUserToolsNext", true, Tool::HdlPatch, {"/home/u/k/tools/hdlpatch.exe"},
         "/home/u/k/tools/hdlpatch.exe"},
        {"PerUserToolsAlsoInPortableMode", false, Tool::Ps2Packer,
         {"/home/u/k/tools/ps2-packer.exe", "/usr/bin/ps2-packer"},
         "/home/u/k/tools/ps2-packer.exe"},
        {"PackerOnThePathInItsOrder", true, Tool::Ps2Packer,
         {"/usr/bin/ps2-packer", "ps2-packer"}, "/usr/bin/ps2-packer"},
        {"HdlPatchNeverTakenFromThePath", true, Tool::HdlPatch,
         {"/usr/bin/hdlpatch.exe", "/usr/bin/hdlpatch"}, "/home/u/k/tools/hdlpatch.exe"},
        {"MissingInstalledToolGoesPerUser", true, Tool::Ps2Packer, {},
         "/home/u/k/tools/ps2-packer.exe"},
        {"MissingPortableToolGoesBesideTheProgram", false, Tool::HdlPatch, {},
         "/opt/kit/tools/hdlpatch.exe"},
        // clang-format on
    };
    for (const auto& row : rows) {
        const auto isFile = [&](const std::string& p) { return row.files.count(p) > 0; };
        EXPECT_EQ(locateTool(linuxFolders(row.installed), row.tool, isFile), row.expected)
            << row.name;
    }
}

TEST(ToolSearchTest, WindowsFormsKeepBackslashesAndSkipThePath) {
    const WorkFolders folders = decideWorkFolders(
        {"C:\\Program Files\\Kit", '\\', false, "", "C:\\Users\\u\\AppData\\Local\\k", {}});
    EXPECT_EQ(folders.toolCandidates(Tool::Ps2Packer),
              (std::vector<std::string>{"C:\\Program Files\\Kit\\tools\\ps2-packer.exe",
                                        "C:\\Users\\u\\AppData\\Local\\k\\tools\\ps2-packer.exe"}));
    EXPECT_EQ(folders.work().join("\\a.bat"), "C:\\Users\\u\\AppData\\Local\\k\\a.bat");
    // Without a search there is no folder to advise.
    EXPECT_EQ(ProgramDirectory("C:\\Kit", '\\').missingToolAdvice(Tool::HdlPatch), "");
}

}  // namespace
}  // namespace kelvane
