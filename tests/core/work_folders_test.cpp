#include "core/work_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelvane {
namespace {

using enum Tool;

TEST(WorkModeTest, ChoosesTheWorkAndKitFolders) {
    const struct {
        const char* name;
        bool writable;
        const char *sharedData, *perUser;
        bool installed;
        const char *workDir, *kitDir;
    } rows[] = {
        {"WritableKitIsPortable", true, "", "/u", false, "/kit", "/kit"},
        {"ReadOnlyKitWorksPerUser", false, "", "/u", true, "/u", "/kit"},
        // root can write to /usr/bin; the program still never works there.
        {"SystemInstallWorksPerUserEvenWhenWritable", true, "/usr/share/k", "/root", true, "/root",
         "/usr/share/k"},
        {"NoPerUserFolderStaysInTheProgramFolder", false, "", "", false, "/kit", "/kit"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const WorkFolders folders =
            decideWorkFolders({"/kit", '/', row.writable, row.sharedData, row.perUser, {}});
        EXPECT_EQ(folders.installed, row.installed);
        EXPECT_EQ(folders.workDir, row.workDir);
        EXPECT_EQ(folders.kitDir, row.kitDir);
    }
}

WorkFolders linuxFolders(bool installed) {
    return decideWorkFolders(
        {"/kit", '/', !installed, "", "/u", {"/usr/local/bin", "", "/usr/bin"}});
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
        {"ProgramToolsComeFirst", true, HdlPatch,
         {"/kit/tools/hdlpatch.exe", "/u/tools/hdlpatch.exe"}, "/kit/tools/hdlpatch.exe"},
        {"PerUserToolsNext", true, HdlPatch, {"/u/tools/hdlpatch.exe"}, "/u/tools/hdlpatch.exe"},
        {"PerUserToolsAlsoInPortableMode", false, Ps2Packer,
         {"/u/tools/ps2-packer.exe", "/usr/bin/ps2-packer"}, "/u/tools/ps2-packer.exe"},
        {"PackerOnThePathInItsOrder", true, Ps2Packer, {"/usr/bin/ps2-packer", "ps2-packer"},
         "/usr/bin/ps2-packer"},
        {"HdlPatchNeverTakenFromThePath", true, HdlPatch,
         {"/usr/bin/hdlpatch.exe", "/usr/bin/hdlpatch"}, "/u/tools/hdlpatch.exe"},
        {"MissingInstalledToolGoesPerUser", true, Ps2Packer, {}, "/u/tools/ps2-packer.exe"},
        {"MissingPortableToolGoesBesideTheProgram", false, HdlPatch, {}, "/kit/tools/hdlpatch.exe"},
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
    EXPECT_EQ(folders.toolCandidates(Ps2Packer),
              (std::vector<std::string>{"C:\\Program Files\\Kit\\tools\\ps2-packer.exe",
                                        "C:\\Users\\u\\AppData\\Local\\k\\tools\\ps2-packer.exe"}));
    EXPECT_EQ(folders.work().join("\\a.bat"), "C:\\Users\\u\\AppData\\Local\\k\\a.bat");
    // Without a search there is no folder to advise.
    EXPECT_EQ(ProgramDirectory("C:\\Kit", '\\').missingToolAdvice(HdlPatch), "");
}

}  // namespace
}  // namespace kelvane
