#pragma once

namespace kelvane {

// Lets assistive technology read a ConsoleLogView: Qt's accessibility asks a
// factory installed here, which gives the view an interface of its own, a
// read-only text of many lines holding the kept log, with the view's scroll
// bars as its only children. Safe to call more than once.
void installConsoleLogAccessible();

}  // namespace kelvane
