#include <gtest/gtest.h>

#include "platform/notepad_command.h"

TEST(NotepadCommand, QuotesThePathSoBlanksStayInOneArgument) {
    EXPECT_EQ(kelvane::notepadCommandLine(R"(C:\Kit\README\HDL PATCH README.txt)"),
              R"(notepad.exe "C:\Kit\README\HDL PATCH README.txt")");
    EXPECT_EQ(kelvane::notepadCommandLine(R"(C:\hdl_gfx\hdl_colors.txt)"),
              R"(notepad.exe "C:\hdl_gfx\hdl_colors.txt")");
}
