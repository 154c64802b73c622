// What pressing "Patch" costs before a tool starts: every check, the composed
// command lines and their round trip through the Windows argv rules.
#include <benchmark/benchmark.h>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "platform/process/command_line_split.h"

namespace {

kelvane::FormState fullState(const kelvane::ProgramDirectory& dir) {
    kelvane::FormState s;
    s.openelf = "C:\\PS2 Games\\Loader (copy)\\HDLOADER.ELF";
    s.elflen = 2977792;
    s.uno = "/n";
    s.due = "/c";
    s.tre = "/s";
    s.quattro = "/b";
    s.cinque = "/f";
    s.sei = "/l";
    s.Dx = "/D3";
    s.Text4 = "/T5";
    s.textxhex = "82";
    s.textyhex = "2D";
    s.Text1 = "/IF \"C:\\Art\\fonts\\my font.bmp\"";
    s.Text9 = " /IS \"C:\\Art\\splash screen.bmp\"";
    s.Text10 = " /IM \"C:\\Art\\menu 1.bmp\"";
    s.pulsanti = "/IB \"C:\\Art\\buttons.tga\"";
    s.colors = "/IC \"" + dir.join("\\hdl_gfx\\hdl_colors.txt") + "\"";
    s.Text2 = dir.join("\\OUTFILE.ELF");
    s.textpacked = dir.join("\\PACKED_OUTFILE.ELF");
    return s;
}

void BM_PatchPressChecksAndCompose(benchmark::State& st) {
    kelvane::ProgramDirectory dir("C:\\Program Files\\HDL Kelvane", '\\');
    kelvane::FormState s = fullState(dir);
    kelvane::PatchCheckOptions options;
    options.pack = true;
    for (auto _ : st) {
        auto refusal = kelvane::checkPatchRequest(s, dir, options);
        benchmark::DoNotOptimize(refusal);
        std::string line = kelvane::patchCommandLine(s, dir);
        std::string packer = kelvane::packerCommandLine(s, dir);
        benchmark::DoNotOptimize(line);
        benchmark::DoNotOptimize(packer);
    }
}
BENCHMARK(BM_PatchPressChecksAndCompose);

void BM_SplitPatchCommandLine(benchmark::State& st) {
    kelvane::ProgramDirectory dir("C:\\Program Files\\HDL Kelvane", '\\');
    std::string line = kelvane::patchCommandLine(fullState(dir), dir);
    for (auto _ : st) {
        auto args = kelvane::splitWindowsCommandLine(line);
        benchmark::DoNotOptimize(args);
    }
}
BENCHMARK(BM_SplitPatchCommandLine);

}  // namespace
