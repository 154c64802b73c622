#include <QApplication>
#include <QDir>

#include "app/qt_main_window.h"
#include "platform/qt_message_box_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Placeholder wiring; the real platform services replace it.
    return 0;
}
