#include "patch/qt_patch_switches_controller.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

namespace kelvane {

PatchSwitchesController::PatchSwitchesController(Widgets widgets, AppContext& context,
                                                 QObject* parent)
    : QObject(parent), widgets_(widgets), context_(context) {
    for (int fix = 0; fix < kPlainFixCount; ++fix) {
        connect(widgets_.plainFixes[std::size_t(fix)], &QCheckBox::toggled, this,
                [this, fix](bool ticked) {
                    setPlainFix(context_.state, fix, ticked);
                    context_.focusSink();
                });
    }

    connect(widgets_.dateFixBox, &QCheckBox::toggled, this,
            &PatchSwitchesController::dateFixTicked);
    for (int option = 0; option < kDateFixOptionCount; ++option) {
        connect(widgets_.dateFixOptions[std::size_t(option)], &QAbstractButton::toggled, this,
                [this, option](bool selected) {
                    if (selected) dateFixOptionSelected(option);
                });
    }

    for (int option = 0; option < kLanguageOptionCount; ++option) {
        // The exclusive group takes the mark from the other entries.
        connect(widgets_.languages[std::size_t(option)], &QAbstractButton::toggled, this,
                [this, option](bool selected) {
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
    QButtonGroup* group = widgets_.dateFixGroup;
    // An exclusive group refuses to clear its last mark; a selection that has
    // to be undone needs it non-exclusive for a moment.
    group->setExclusive(false);
    for (int option = 0; option < kDateFixOptionCount; ++option) {
        QAbstractButton* button = widgets_.dateFixOptions[std::size_t(option)];
        const QSignalBlocker block(button);
        button->setEnabled(dateFix_.optionsEnabled);
        button->setChecked(dateFix_.marked == option);
    }
    group->setExclusive(true);
}

}  // namespace kelvane
