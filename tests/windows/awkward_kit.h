#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/form_state.h"
#include "app/program_directory.h"
#include "sections.h"

namespace kelvane::wintest {

// A kit in a directory with an awkward name: the two stand-ins in "tools",
// a loader and a full set of replacement graphics whose names carry the same
// awkward characters, and the main window's state with every switch set.
struct AwkwardKit {
    AwkwardKit(const std::filesystem::path& root, const std::string& name, const Setup& setup);

    std::filesystem::path directory;
    ProgramDirectory programDirectory;
    FormState state;
    std::string name;

    // What HDLPatch must receive for the patch command line, in order.
    std::vector<std::string> intendedPatchArguments() const;
    std::string path(const std::string& relative) const;  // "<dir>\<relative>"
};

}  // namespace kelvane::wintest
