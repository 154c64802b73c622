#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/loader.h"
#include "kit_paths.h"
#include "ps2-packer/run_length.h"
#include "run_tool.h"
#include "tool_log.h"

namespace fs = std::filesystem;
using namespace kelvane::testing;

namespace {

kelvane::tools::Bytes bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(Ps2Packer, PacksTheDemoLoaderAndReportsTheRealSizes) {
    TempDir temp;
    const fs::path dir = temp.path() / "a dir & 100%";
    fs::create_directories(dir);
    const fs::path out = dir / "PACKED_OUT FILE.ELF";
    const fs::path log = temp.path() / "tool.log";

    ToolRun run = runTool(packerProgram(), {"-v", demoLoader().string(), out.string()}, dir, log);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("This ps2-packer is a stand-in for ps2-packer", 0), 0u) << run.out;

    const std::string input = readText(demoLoader()), packed = readText(out);
    EXPECT_LT(packed.size(), input.size());
    EXPECT_NE(run.out.find("File compressed, from " + std::to_string(input.size()) + " to " +
                           std::to_string(packed.size()) + " bytes"),
              std::string::npos)
        << run.out;
    auto unpacked = kelvane::tools::unpackRunLength(bytesOf(packed));
    ASSERT_TRUE(unpacked.has_value());
    EXPECT_EQ(*unpacked, bytesOf(input));

    auto records = kelvane::tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].tool, "ps2-packer");
    EXPECT_EQ(records[0].args,
              (std::vector<std::string>{"-v", demoLoader().string(), out.string()}));
}

TEST(Ps2Packer, RejectsBadCommandLinesWithAMessage) {
    TempDir temp;
    const fs::path out = temp.path() / "out.elf";
    const std::vector<std::vector<std::string>> cases = {
        {},
        {demoLoader().string()},
        {demoLoader().string(), out.string(), "third"},
        {"-x", demoLoader().string(), out.string()},
        {(temp.path() / "missing.elf").string(), out.string()},
        {demoLoader().string(), (temp.path() / "no dir" / "out.elf").string()},
    };
    for (const auto& args : cases) {
        ToolRun run = runTool(packerProgram(), args, temp.path());
        EXPECT_NE(run.exitCode, 0) << args.size();
        EXPECT_NE(run.err.find("ps2-packer: "), std::string::npos) << args.size();
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST(RunLength, RoundTripsRunsLiteralsAndTheirBoundaries) {
    std::vector<kelvane::tools::Bytes> inputs = {
        {},
        {7},
        {1, 1},
        {1, 1, 1},
        kelvane::tools::Bytes(128, 9),
        kelvane::tools::Bytes(129, 9),
        kelvane::tools::Bytes(1000, 0),
    };
    kelvane::tools::Bytes mixed;
    for (int i = 0; i < 700; ++i) mixed.push_back(static_cast<std::uint8_t>(i * 37 % 256));
    mixed.insert(mixed.end(), 300, 5);
    mixed.push_back(6);
    inputs.push_back(mixed);
    for (const auto& input : inputs) {
        auto unpacked = kelvane::tools::unpackRunLength(kelvane::tools::packRunLength(input));
        ASSERT_TRUE(unpacked.has_value()) << input.size();
        EXPECT_EQ(*unpacked, input) << input.size();
    }
    auto truncated = kelvane::tools::packRunLength(mixed);
    truncated.pop_back();
    EXPECT_FALSE(kelvane::tools::unpackRunLength(truncated).has_value());
}

TEST(Kit, HoldsTheDemoLoaderAndTheThreeReadMes) {
    const std::string loader = readText(demoLoader());
    EXPECT_EQ(loader.size(), kelvane::tools::kLoaderSize);
    EXPECT_EQ(loader.substr(0, 4),
              "\x7f"
              "ELF");
    for (const char* name :
         {"HDL PATCH README.txt", "PS2Packer 0.3 README.txt", "PS2Packer 0.4 README.txt"}) {
        const std::string text = readText(kitDir() / "README" / name);
        EXPECT_NE(text.find("stand-in"), std::string::npos) << name;
        EXPECT_NE(text.find("replace"), std::string::npos) << name;
        EXPECT_NE(text.find("\r\n"), std::string::npos) << name;
    }
}

}  // namespace
