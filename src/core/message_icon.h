#pragma once

namespace kelvane {

// The icon of a message box. Decisions name it in plain code; the message box
// layer shows it.
enum class MessageIcon { None, Information, Warning, Error };

}  // namespace kelvane
