#include "app/qt_main_window_names.h"

#include "ui_qt_main_window.h"

namespace kelvane {

void nameTwinControls(Ui::MainWindow& ui) {
    const struct {
        QWidget* control;
        const char* name;
    } names[] = {
        {ui.textx, "X decimal"},
        {ui.textxhex, "X hexadecimal"},
        {ui.VScroll2, "X position"},
        {ui.texty, "Y decimal"},
        {ui.textyhex, "Y hexadecimal"},
        {ui.VScroll1, "Y position"},
        {ui.Text8, "Splash screen file"},
        {ui.Command7, "Load splash screen"},
        {ui.Text7, "Main menu screen file"},
        {ui.Command5, "Load main menu screen"},
        {ui.Command9, "Load button image"},
    };
    for (const auto& row : names) row.control->setAccessibleName(QString::fromUtf8(row.name));
}

}  // namespace kelvane
