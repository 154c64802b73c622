// The program's Win32 file checks against the real file system: one file
// reached by two names, and the stamps that tell whether a run wrote a file.

#include <fstream>

#include "platform/files/file_identity.h"
#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {

void runFileChecks(const Setup& setup) {
    const fs::path dir = setup.scratch / "identity Kït";
    fs::create_directories(dir);
    std::ofstream(dir / "HDL.ELF") << "loader";
    std::ofstream(dir / "OTHER.ELF") << "loader";
    fs::create_hard_link(dir / "HDL.ELF", dir / "HARD.ELF");
    const auto at = [&](const char* name) { return utf8(dir / name); };

    CHECK(sameFile(at("HARD.ELF"), at("HDL.ELF")), "a hard link is the same file");
    CHECK(sameFile(at("hdl.elf"), at("HDL.ELF")), "case does not matter");
    CHECK(sameFile(at("new.elf"), at("NEW.ELF")), "nor for a file yet to be made");
    CHECK(!sameFile(at("OTHER.ELF"), at("HDL.ELF")), "same bytes, another file");
    CHECK(fileKind(utf8(dir)) == FileKind::Directory &&
          fileKind(at("HDL.ELF")) == FileKind::Regular);

    const FileStamp before = stampBeforeRun(at("OTHER.ELF"));
    CHECK(!writtenDuringRun(before, at("OTHER.ELF")), "untouched");
    std::ofstream(dir / "OTHER.ELF", std::ios::trunc) << "loader";
    CHECK(writtenDuringRun(before, at("OTHER.ELF")), "rewritten with the same bytes");
}

}  // namespace kelvane::wintest
