#pragma once

#include <string>
#include <string_view>

#include "core/program_directory.h"

namespace kelvane {

// The colour table is always the copy in the extraction directory.
std::string colourTablePath(const ProgramDirectory& dir);

// "/IC " and the quoted colour-table path: arms the colour table for the next
// patch.
std::string colourTableFragment(const ProgramDirectory& dir);

// The colour frame goes one way only: a preload makes "Open" usable, an
// "Open" that really opened the table makes "Save Changes" usable, and
// "Save Changes" arms the switch. Nothing leads back.
enum class ColourTableState { Initial, Editable, ReadyToArm, Armed };
enum class ColourTableEvent { Preloaded, Opened, Saved };

ColourTableState nextColourTableState(ColourTableState state, ColourTableEvent event);

bool colourOpenEnabled(ColourTableState state);
bool colourSaveEnabled(ColourTableState state);
bool colourTableArmed(ColourTableState state);

// The "HELP" text of the colour frame: one paragraph of 470 characters.
extern const std::string kColourTableHelpText;

// What "Open" says when the colour table is missing; names the file.
std::string colourTableMissingMessage(std::string_view path);

}  // namespace kelvane
