#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/form_state.h"
#include "core/program_directory.h"

namespace kelvane {

// The switches between the tool path and the input path: the fourteen
// fragments in their fixed order, each followed by one blank (an empty
// fragment still leaves its blank), the position "/P X,Y" as the ninth and no
// blank after the last.
std::string switchPart(const FormState& state);

// "<dir>\tools\hdlpatch.exe" <switch part> "<openelf>" "<Text2>"
std::string patchCommandLine(const FormState& state, const ProgramDirectory& dir);

// "<dir>\tools\ps2-packer.exe" "<Text2>" "<textpacked>"
std::string packerCommandLine(const FormState& state, const ProgramDirectory& dir);

// The output name changed (every keystroke): the output path becomes the
// program directory, the separator and the name exactly as typed. The packed
// output path keeps the value it got at start-up.
void outputNameChanged(FormState& state, const ProgramDirectory& dir, std::string name);

// The batch file of a packing run on Windows, in the program directory.
std::string batchFilePath(const ProgramDirectory& dir);

// Its six lines: "@echo off", the drive (first two characters of the program
// directory), "cd \", "cd <dir>", the patch line and the packer line.
std::vector<std::string> batchFileLines(const FormState& state, const ProgramDirectory& dir);

// The file's content: every line ended by CR LF, the last one included.
std::string batchFileText(const std::vector<std::string>& lines);

// Command line that runs the batch file with the system's command interpreter:
// "<system dir>\cmd.exe" /d /c ""<dir>\a.bat"". The extra pair of quotes
// survives cmd's rule of stripping the outer quotes, so program directories
// with blanks, parentheses or "@" still name the file.
std::string batchRunCommandLine(const std::string& systemDirectory, const ProgramDirectory& dir);

}  // namespace kelvane
