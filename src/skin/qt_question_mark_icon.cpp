#include "skin/qt_question_mark_icon.h"

namespace kelvane {
namespace {

// clang-format off
const char* const kQuestionMark[] = {
    "16 16 4 1",
    ". c #C0C0C0",
    "k c #000000",
    "y c #FFFF00",
    "o c #808000",
    "................",
    "....kkkkkkk.....",
    "...kyyyyyyyk....",
    "..kyyyooooyyk...",
    "..kyyokk.kyyok..",
    "..kyok....kyyok.",
    "...kk....kyyok..",
    ".......kkyyok...",
    "......kyyyok....",
    "......kyyok.....",
    "......kyyok.....",
    ".......kkk......",
    "......kkkk......",
    "......kyyok.....",
    "......kyyok.....",
    ".......kkk......",
};
// clang-format on

}  // namespace

QPixmap questionMarkIcon() {
    return QPixmap(kQuestionMark);
}

}  // namespace kelvane
