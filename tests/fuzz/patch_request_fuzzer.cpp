// A patch request the checks accept reaches HDLPatch and ps2-packer as
// exactly the arguments meant, worked out here from the choices themselves.
//
// Input, one field per line (missing lines are empty):
//   0  choices: n c s b f l tick a fix; D0..D3 a date fix; T1..T6 a language;
//      p packs; w packs through a.bat; / makes "/" the path separator
//   1  program directory       2  loaded file        3  output name as typed
//   4  X position as typed     5  Y position as typed
//   6..9  font, splash, main-menu and button picture paths (empty: none)
//   10 colour table: any text arms it

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "fuzz_check.h"
#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "platform/files/file_identity.h"
#include "platform/process/command_line_split.h"
#include "skin/colour_table.h"
#include "skin/image_slots.h"

namespace {

using namespace kelvane;
using namespace kelvane::fuzz;

struct Request {
    FormState state;
    std::string directory;
    char separator = '\\';
    ProgramDirectory dir{"", '\\'};
    bool pack = false;
    PackingMethod method = PackingMethod::ToolSteps;
    // What HDLPatch is meant to receive after its own path, in order.
    std::vector<std::string> switches;
};

Request readRequest(const std::vector<std::string>& fields) {
    const auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    Request r;
    FormState& s = r.state;
    const std::string choices = field(0);
    const auto chose = [&](char c) { return choices.find(c) != std::string::npos; };
    r.separator = chose('/') ? '/' : '\\';
    r.pack = chose('p');
    r.method = chose('w') ? PackingMethod::BatchFile : PackingMethod::ToolSteps;
    r.directory = field(1);
    r.dir = ProgramDirectory(r.directory, r.separator);
    const ProgramDirectory& dir = r.dir;
    const std::string sep(1, r.separator);

    const std::pair<char, std::string FormState::*> fixes[] = {
        {'n', &FormState::uno},     {'c', &FormState::due},    {'s', &FormState::tre},
        {'b', &FormState::quattro}, {'f', &FormState::cinque}, {'l', &FormState::sei}};
    for (const auto& [letter, member] : fixes)
        if (chose(letter)) r.switches.push_back(s.*member = std::string("/") + letter);
    // A date fix and a language: the letter and the digit after it, if in range.
    const std::tuple<char, char, char, std::string FormState::*> ranges[] = {
        {'D', '0', '3', &FormState::Dx}, {'T', '1', '6', &FormState::Text4}};
    for (const auto& [letter, low, high, member] : ranges)
        if (const auto at = choices.find(letter); at != std::string::npos &&
                                                  at + 1 < choices.size() &&
                                                  choices[at + 1] >= low && choices[at + 1] <= high)
            r.switches.push_back(s.*member = "/" + choices.substr(at, 2));

    s.openelf = field(2);
    outputNameChanged(s, dir, field(3));
    s.textpacked = r.directory + sep + "PACKED_OUTFILE.ELF";
    s.textxhex = field(4);
    s.textyhex = field(5);
    r.switches.insert(r.switches.end(), {"/P", s.textxhex + "," + s.textyhex});

    const std::pair<ImageSlot, const char*> slots[] = {{ImageSlot::Font, "/IF"},
                                                       {ImageSlot::SplashScreen, "/IS"},
                                                       {ImageSlot::MainMenuScreen, "/IM"},
                                                       {ImageSlot::ButtonImage, "/IB"}};
    for (std::size_t i = 0; i < 4; ++i) {
        if (field(6 + i).empty()) continue;
        chooseSlotFile(s, slots[i].first, field(6 + i), r.separator);
        r.switches.insert(r.switches.end(), {slots[i].second, field(6 + i)});
    }
    if (!field(10).empty()) {
        s.colors = colourTableFragment(dir);
        r.switches.insert(r.switches.end(),
                          {"/IC", r.directory + sep + "hdl_gfx" + sep + "hdl_colors.txt"});
    }
    return r;
}

// What an accepted request must give, checked on the lines the run would start.
void checkAccepted(const Request& r) {
    const FormState& s = r.state;
    const ProgramDirectory& dir = r.dir;
    const std::string tools = r.directory + r.separator + "tools" + r.separator;

    FUZZ_CHECK(!s.openelf.empty() && s.Text2 != s.openelf);
    for (const std::string& hex : {s.textxhex, s.textyhex})
        FUZZ_CHECK(!hex.empty() && hex.size() <= 2 &&
                   hex.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos);
    // The output lands in the program directory, under the name typed.
    FUZZ_CHECK(!s.text13.empty() && s.text13 != "." && s.text13 != "..");
    FUZZ_CHECK(s.text13.find_first_of("/\\") == std::string::npos);
    FUZZ_CHECK(s.text13.back() != ' ' && s.text13.back() != '.');

    std::vector<std::string> patchArgs{tools + "hdlpatch.exe"};
    patchArgs.insert(patchArgs.end(), r.switches.begin(), r.switches.end());
    patchArgs.insert(patchArgs.end(), {s.openelf, s.Text2});
    const PatchPlan plan = planPatchRun(s, dir, r.pack, r.method, "C:\\Windows\\system32");
    std::vector<std::string> toolLines;
    if (r.pack && r.method == PackingMethod::BatchFile) {
        // a.bat: six lines, the two tool lines as composed, and nothing in
        // them that the command interpreter would expand, redirect or chain.
        const auto batchLines = batchFileLines(s, dir);
        FUZZ_CHECK(batchLines.size() == 6);
        FUZZ_CHECK(plan.refusal || plan.job.scratchBytes == batchFileText(batchLines));
        for (const std::string& line : batchLines)
            FUZZ_CHECK(line.find_first_of("\r\n%") == std::string::npos);
        FUZZ_CHECK(batchLines[3] == "cd " + r.directory);
        const std::string batchFile = r.directory + r.separator + "a.bat";
        FUZZ_CHECK(s.Text2 != batchFile && s.textpacked != batchFile);
        FUZZ_CHECK(r.directory.find_first_of("&|<>^") == std::string::npos);
        toolLines = {batchLines[4], batchLines[5]};
    } else {
        for (const ToolStep& step : plan.job.steps) toolLines.push_back(step.commandLine);
    }
    FUZZ_CHECK(toolLines.size() == (r.pack ? 2u : 1u));
    checkSameArguments(splitWindowsCommandLine(toolLines[0]), patchArgs, "patch line");
    if (!r.pack) return;
    FUZZ_CHECK(s.textpacked != s.openelf && s.textpacked != s.Text2);
    checkSameArguments(splitWindowsCommandLine(toolLines[1]),
                       {tools + "ps2-packer.exe", s.Text2, s.textpacked}, "packer line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Request r = readRequest(lines(asText(data, size)));
    PatchCheckOptions options;
    options.pack = r.pack;
    options.method = r.method;
    // No file system here: paths name one file when their text is equal, and
    // nothing exists yet.
    options.samePath = [](const std::string& a, const std::string& b) { return a == b; };
    options.kindOf = [](const std::string&) { return FileKind::Missing; };
    options.readOnlyFolder = [](const std::string&) { return false; };
    const auto refusal = checkPatchRequest(r.state, r.dir, options);
    if (refusal)
        FUZZ_CHECK(!refusal->text.empty());
    else
        checkAccepted(r);
    return 0;
}
