#include "patch/qt_video_position_controller.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "patch/video_position.h"
#include "platform/qt_text.h"

namespace kelvane {

VideoPositionController::VideoPositionController(Widgets widgets, AppContext& context,
                                                 QObject* parent)
    : QObject(parent), widgets_(widgets), context_(context) {
    for (QScrollBar* spinner : {widgets_.ySpinner, widgets_.xSpinner}) {
        spinner->setRange(kPositionMin, kPositionMax);
        spinner->setSingleStep(kSpinnerArrowStep);
        spinner->setPageStep(kSpinnerPageStep);
    }

    auto chooseDefault = [this](VideoDefault which) {
        context_.focusSink();
        chooseDefaultPosition(context_.state, which);
        showPosition();
    };
    connect(widgets_.ntscButton, &QPushButton::clicked, this,
            [chooseDefault] { chooseDefault(VideoDefault::Ntsc); });
    connect(widgets_.palButton, &QPushButton::clicked, this,
            [chooseDefault] { chooseDefault(VideoDefault::Pal); });

    // A vertical scroll bar's lower arrow raises its value, as the spinners
    // need; the value stops at the ends of the range.
    connect(widgets_.xSpinner, &QScrollBar::valueChanged, this, [this](int value) {
        setPositionX(context_.state, value);
        showPosition();
    });
    connect(widgets_.ySpinner, &QScrollBar::valueChanged, this, [this](int value) {
        setPositionY(context_.state, value);
        showPosition();
    });

    // The hexadecimal fields take one or two hexadecimal digits as typed, and
    // their text goes to the tool unchanged.
    const QRegularExpression hexDigits(QStringLiteral("[0-9A-Fa-f]{1,2}"));
    connect(widgets_.xHex, &QLineEdit::textChanged, this,
            [this](const QString& text) { context_.state.textxhex = stdText(text); });
    connect(widgets_.yHex, &QLineEdit::textChanged, this,
            [this](const QString& text) { context_.state.textyhex = stdText(text); });
    for (QLineEdit* field : {widgets_.xHex, widgets_.yHex}) {
        field->setValidator(new QRegularExpressionValidator(hexDigits, field));
        field->setMaxLength(2);
    }

    connect(widgets_.helpButton, &QAbstractButton::clicked, this, [this] {
        context_.focusSink();
        context_.messages.show(qtText(kVideoPositionHelp), MessageIcon::None);
    });

    showPosition();
}

void VideoPositionController::showPosition() {
    const FormState& s = context_.state;
    // Only changed texts are set, so a field being edited keeps its cursor.
    auto show = [](QLineEdit* field, const std::string& text) {
        const QString value = qtText(text);
        if (field->text() != value) field->setText(value);
    };
    show(widgets_.xDecimal, s.textx);
    show(widgets_.yDecimal, s.texty);
    show(widgets_.xHex, s.textxhex);
    show(widgets_.yHex, s.textyhex);
}

}  // namespace kelvane
