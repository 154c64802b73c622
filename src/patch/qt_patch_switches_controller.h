#pragma once

#include <QObject>
#include <array>

#include "patch/patch_switches.h"
#include "platform/qt_app_context.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;

namespace kelvane {

// The fix check boxes Check1..Check7, the date/time choices Option1..Option4
// and the language selector Option5..Option11. Each control writes its
// fragment into the state as soon as it changes state, however it was changed,
// so a selection made by the program follows the same rules as a click.
class PatchSwitchesController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        std::array<QCheckBox*, kPlainFixCount> plainFixes;                 // Check1..Check6
        QCheckBox* dateFixBox;                                             // Check7
        std::array<QAbstractButton*, kDateFixOptionCount> dateFixOptions;  // Option1..Option4
        QButtonGroup* dateFixGroup;
        std::array<QAbstractButton*, kLanguageOptionCount> languages;  // Option5..Option11
    };
    PatchSwitchesController(Widgets widgets, AppContext& context, QObject* parent);

  private:
    void dateFixTicked(bool ticked);
    void dateFixOptionSelected(int option);
    // Shows the date/time model on the four choices without re-running it.
    void showDateFixControls();

    Widgets widgets_;
    AppContext& context_;
    DateFixControls dateFix_;
};

}  // namespace kelvane
