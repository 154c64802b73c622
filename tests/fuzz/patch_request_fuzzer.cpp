// Whatever the user sets, types or picks, a patch request the checks accept
// must reach HDLPatch and ps2-packer as exactly the arguments the user meant.
// The meant arguments are worked out here from the choices themselves, not
// from the program's own composition.
//
// Input, one field per line (missing lines are empty):
//   0  choices: n c s b f l tick a fix; D0..D3 a date fix; T1..T6 a language;
//      p packs; w packs through a.bat; / makes "/" the path separator
//   1  program directory       2  loaded file        3  output name as typed
//   4  X position as typed     5  Y position as typed
//   6..9  font, splash, main-menu and button picture paths (empty: none)
//   10 colour table: any text arms it

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
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
    bool pack = false;
    PackingMethod method = PackingMethod::ToolSteps;
    // What HDLPatch is meant to receive after its own path, in order.
    std::vector<std::string> switches;
};

std::string field(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string();
}

Request readRequest(const std::vector<std::string>& fields) {
    Request r;
    FormState& s = r.state;
    const std::string choices = field(fields, 0);
    r.separator = choices.find('/') != std::string::npos ? '/' : '\\';
    r.pack = choices.find('p') != std::string::npos;
    r.method = choices.find('w') != std::string::npos ? PackingMethod::BatchFile
                                                      : PackingMethod::ToolSteps;
    r.directory = field(fields, 1);
    const ProgramDirectory dir(r.directory, r.separator);
    const std::string sep(1, r.separator);

    const char fixes[] = {'n', 'c', 's', 'b', 'f', 'l'};
    std::string* fixFields[] = {&s.uno, &s.due, &s.tre, &s.quattro, &s.cinque, &s.sei};
    for (int i = 0; i < 6; ++i) {
        if (choices.find(fixes[i]) == std::string::npos) continue;
        *fixFields[i] = std::string("/") + fixes[i];
        r.switches.push_back(*fixFields[i]);
    }
    if (auto at = choices.find('D'); at != std::string::npos && at + 1 < choices.size() &&
                                     choices[at + 1] >= '0' && choices[at + 1] <= '3') {
        s.Dx = choices.substr(at, 2).insert(0, "/");
        r.switches.push_back(s.Dx);
    }
    if (auto at = choices.find('T'); at != std::string::npos && at + 1 < choices.size() &&
                                     choices[at + 1] >= '1' && choices[at + 1] <= '6') {
        s.Text4 = choices.substr(at, 2).insert(0, "/");
        r.switches.push_back(s.Text4);
    }

    s.openelf = field(fields, 2);
    outputNameChanged(s, dir, field(fields, 3));
    s.textpacked = r.directory + sep + "PACKED_OUTFILE.ELF";
    s.textxhex = field(fields, 4);
    s.textyhex = field(fields, 5);
    r.switches.push_back("/P");
    r.switches.push_back(s.textxhex + "," + s.textyhex);

    const std::pair<ImageSlot, const char*> slots[] = {{ImageSlot::Font, "/IF"},
                                                       {ImageSlot::SplashScreen, "/IS"},
                                                       {ImageSlot::MainMenuScreen, "/IM"},
                                                       {ImageSlot::ButtonImage, "/IB"}};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string path = field(fields, 6 + i);
        if (path.empty()) continue;
        chooseSlotFile(s, slots[i].first, path, r.separator);
        r.switches.push_back(slots[i].second);
        r.switches.push_back(path);
    }
    if (!field(fields, 10).empty()) {
        s.colors = colourTableFragment(dir);
        r.switches.push_back("/IC");
        r.switches.push_back(r.directory + sep + "hdl_gfx" + sep + "hdl_colors.txt");
    }
    return r;
}

bool isCoordinate(const std::string& text) {
    return (text.size() == 1 || text.size() == 2) &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); });
}

// What an accepted request must give, checked on the lines the run would start.
void checkAccepted(const Request& r) {
    const FormState& s = r.state;
    const ProgramDirectory dir(r.directory, r.separator);
    const std::string tools = r.directory + r.separator + "tools" + r.separator;

    FUZZ_CHECK(!s.openelf.empty());
    FUZZ_CHECK(isCoordinate(s.textxhex) && isCoordinate(s.textyhex));
    // The output lands in the program directory, under the name typed.
    FUZZ_CHECK(!s.text13.empty() && s.text13 != "." && s.text13 != "..");
    FUZZ_CHECK(s.text13.find_first_of("/\\") == std::string::npos);
    FUZZ_CHECK(s.text13.back() != ' ' && s.text13.back() != '.');
    FUZZ_CHECK(s.Text2 != s.openelf);

    std::vector<std::string> patchArgs{tools + "hdlpatch.exe"};
    patchArgs.insert(patchArgs.end(), r.switches.begin(), r.switches.end());
    patchArgs.push_back(s.openelf);
    patchArgs.push_back(s.Text2);
    const std::vector<std::string> packArgs{tools + "ps2-packer.exe", s.Text2, s.textpacked};

    const PatchPlan plan = planPatchRun(s, dir, r.pack, r.method, "C:\\Windows\\system32");
    if (!r.pack) {
        FUZZ_CHECK(plan.job.steps.size() == 1);
        checkSameArguments(splitWindowsCommandLine(plan.job.steps[0].commandLine), patchArgs,
                           "patch line");
        return;
    }
    FUZZ_CHECK(s.textpacked != s.openelf && s.textpacked != s.Text2);
    if (r.method == PackingMethod::ToolSteps) {
        FUZZ_CHECK(plan.job.steps.size() == 2);
        checkSameArguments(splitWindowsCommandLine(plan.job.steps[0].commandLine), patchArgs,
                           "patch step");
        checkSameArguments(splitWindowsCommandLine(plan.job.steps[1].commandLine), packArgs,
                           "packer step");
        return;
    }
    // a.bat: six lines, the two tool lines as composed, and nothing in them
    // that the command interpreter would expand, redirect or chain.
    const auto batchLines = batchFileLines(s, dir);
    FUZZ_CHECK(batchLines.size() == 6);
    FUZZ_CHECK(plan.refusal || plan.job.scratchBytes == batchFileText(batchLines));
    for (const std::string& line : batchLines)
        FUZZ_CHECK(line.find_first_of("\r\n%") == std::string::npos);
    FUZZ_CHECK(batchLines[3] == "cd " + r.directory);
    const std::string batchFile = r.directory + r.separator + "a.bat";
    FUZZ_CHECK(s.Text2 != batchFile && s.textpacked != batchFile);
    FUZZ_CHECK(r.directory.find_first_of("&|<>^") == std::string::npos);
    checkSameArguments(splitWindowsCommandLine(batchLines[4]), patchArgs, "a.bat patch line");
    checkSameArguments(splitWindowsCommandLine(batchLines[5]), packArgs, "a.bat packer line");
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
    const auto refusal =
        checkPatchRequest(r.state, ProgramDirectory(r.directory, r.separator), options);
    if (refusal)
        FUZZ_CHECK(!refusal->text.empty());
    else
        checkAccepted(r);
    return 0;
}
