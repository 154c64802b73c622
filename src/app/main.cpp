#include "app/qt_program.h"

int main(int argc, char** argv) {
    return kelvane::runProgram(argc, argv);
}
