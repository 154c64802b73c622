#include "app/open_loader.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvane {
namespace {

// Files known by size; any other path cannot be measured.
class OpenLoaderTest : public ::testing::Test {
  protected:
    OpenLoaderOutcome choose(const std::string& path, const std::string& name) {
        return openLoader(state, RememberedChoice{name, path}, probe());
    }
    OpenLoaderOutcome cancel() { return openLoader(state, std::nullopt, probe()); }

    FileSizeProbe probe() {
        return [this](const std::string& path) -> std::optional<std::uint64_t> {
            ++measured;
            const auto it = sizes.find(path);
            return it == sizes.end() ? std::nullopt : std::optional(it->second);
        };
    }

    static void expectAccepted(const OpenLoaderOutcome& outcome, const std::string& name) {
        EXPECT_TRUE(outcome.accepted && outcome.icon == MessageIcon::Information);
        EXPECT_EQ(outcome.statusMessage, "Loaded: " + name);
    }
    static void expectRejected(const OpenLoaderOutcome& outcome) {
        EXPECT_FALSE(outcome.accepted || outcome.icon != MessageIcon::Error);
    }

    FormState state;
    std::map<std::string, std::uint64_t> sizes;
    int measured = 0;
};

// Only the exact size counts, whatever the name; a rejected file never
// replaces the loaded one, though it becomes the remembered choice.
TEST_F(OpenLoaderTest, OnlyTheExactSizeIsAcceptedAndARejectionKeepsTheLoadedFile) {
    sizes = {{"/in/long.ELF", 2977793}, {"/in/notes.txt", 2977792}, {"/in/short.ELF", 2977791}};
    expectRejected(choose("/in/long.ELF", "long.ELF"));
    EXPECT_EQ(state.elflen, 2977793u);
    EXPECT_EQ(state.openelf, "");

    expectAccepted(choose("/in/notes.txt", "notes.txt"), "notes.txt");
    EXPECT_EQ(state.openelf, "/in/notes.txt");

    expectRejected(choose("/in/short.ELF", "short.ELF"));
    EXPECT_EQ(state.elflen, 2977791u);
    EXPECT_EQ(state.openelf, "/in/notes.txt");
    // A cancel now measures the rejected file, not the loaded one.
    expectRejected(cancel());
    EXPECT_EQ(state.CommonDialog1.fullPath, "/in/short.ELF");
}

// A cancel judges the remembered choice again: before any choice it rejects
// without measuring; after an accepted one it measures it and repeats success.
TEST_F(OpenLoaderTest, CancelJudgesTheRememberedChoiceAgain) {
    expectRejected(cancel());
    EXPECT_EQ(measured, 0);
    EXPECT_FALSE(state.elflen.has_value());

    sizes["/in/HDL.ELF"] = 2977792;
    choose("/in/HDL.ELF", "HDL.ELF");
    expectAccepted(cancel(), "HDL.ELF");
    EXPECT_EQ(measured, 2);
    EXPECT_EQ(state.openelf, "/in/HDL.ELF");
}

// A choice that cannot be measured must not pass on the size measured for
// the file before it.
TEST_F(OpenLoaderTest, UnmeasurableChoiceIsRejectedNotJudgedByAnEarlierSize) {
    sizes["/in/A.ELF"] = 2977792;
    choose("/in/A.ELF", "A.ELF");
    expectRejected(choose("/in/gone.ELF", "gone.ELF"));
    EXPECT_FALSE(state.elflen.has_value());
    EXPECT_EQ(state.openelf, "/in/A.ELF");

    // The accepted file itself vanishing is caught the same way on a cancel.
    choose("/in/A.ELF", "A.ELF");
    sizes.erase("/in/A.ELF");
    expectRejected(cancel());
}

}  // namespace
}  // namespace kelvane
