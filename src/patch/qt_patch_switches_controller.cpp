#include "patch/qt_patch_switches_controller.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui_qt_main_window.h"

namespace kelvane {

PatchSwitchesController::PatchSwitchesController(Ui::MainWindow& ui, AppContext& context,
                                                 QObject* parent)
    : QObject(parent),
      ui_(ui),
      context_(context),
      dateFixOptions_{ui.Option1, ui.Option2, ui.Option3, ui.Option4} {
    QCheckBox* const plainFixes[kPlainFixCount] = {ui.Check1, ui.Check2, ui.Check3,
                                                   ui.Check4, ui.Check5, ui.Check6};
    for (int fix = 0; fix < kPlainFixCount; ++fix) {
        connect(plainFixes[fix], &QCheckBox::toggled, this, [this, fix](bool ticked) {
            setPlainFix(context_.state, fix, ticked);
            context_.focusSink();
        });
    }

    connect(ui.Check7, &QCheckBox::toggled, this, &PatchSwitchesController::dateFixTicked);
    for (int option = 0; option < kDateFixOptionCount; ++option) {
        connect(dateFixOptions_[option], &QAbstractButton::toggled, this,
                [this, option](bool selected) {
                    if (selected) dateFixOptionSelected(option);
                });
    }

    QRadioButton* const languages[kLanguageOptionCount] = {
        ui.Option5, ui.Option6, ui.Option7, ui.Option8, ui.Option9, ui.Option10, ui.Option11};
    for (int option = 0; option < kLanguageOptionCount; ++option) {
        // The exclusive group takes the mark from the other entries.
        connect(languages[option], &QRadioButton::toggled, this, [this, option](bool selected) {
            if (!selected) return;
            chooseLanguage(context_.state, option);
            context_.focusSink();
        });
    }
}

void PatchSwitchesController::dateFixTicked(bool ticked) {
    setDateFixTicked(context_.state, dateFix_, ticked);
    showDateFixControls();
    context_.focusSink();
}

void PatchSwitchesController::dateFixOptionSelected(int option) {
    chooseDateFixOption(context_.state, dateFix_, option);
    showDateFixControls();
    context_.focusSink();
}

void PatchSwitchesController::showDateFixControls() {
    QButtonGroup* group = ui_.dateFixGroup;
    // An exclusive group refuses to clear its last mark; a selection that has
    // to be undone needs it non-exclusive for a moment.
    group->setExclusive(false);
    for (int option = 0; option < kDateFixOptionCount; ++option) {
        QAbstractButton* button = dateFixOptions_[option];
        const QSignalBlocker block(button);
        button->setEnabled(dateFix_.optionsEnabled);
        button->setChecked(dateFix_.marked == option);
    }
    group->setExclusive(true);
}

}  // namespace kelvane
