#include "patch/qt_video_position_controller.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "patch/video_position.h"
#include "ui_qt_main_window.h"

namespace kelvane {

VideoPositionController::VideoPositionController(Ui::MainWindow& ui, AppContext& context,
                                                 QObject* parent)
    : QObject(parent), ui_(ui), context_(context) {
    for (QScrollBar* spinner : {ui.VScroll1, ui.VScroll2}) {
        spinner->setRange(kPositionMin, kPositionMax);
        spinner->setSingleStep(kSpinnerArrowStep);
        spinner->setPageStep(kSpinnerPageStep);
    }

    auto chooseDefault = [this](VideoDefault which) {
        context_.focusSink();
        chooseDefaultPosition(context_.state, which);
        showPosition();
    };
    connect(ui.ntsc, &QPushButton::clicked, this,
            [chooseDefault] { chooseDefault(VideoDefault::Ntsc); });
    connect(ui.pal, &QPushButton::clicked, this,
            [chooseDefault] { chooseDefault(VideoDefault::Pal); });

    // A vertical scroll bar's lower arrow raises its value, as the spinners
    // need; the value stops at the ends of the range.
    connect(ui.VScroll2, &QScrollBar::valueChanged, this, [this](int value) {
        setPositionX(context_.state, value);
        showPosition();
    });
    connect(ui.VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        setPositionY(context_.state, value);
        showPosition();
    });

    // The hexadecimal fields take one or two hexadecimal digits as typed, and
    // their text goes to the tool unchanged.
    const QRegularExpression hexDigits(QStringLiteral("[0-9A-Fa-f]{1,2}"));
    connect(ui.textxhex, &QLineEdit::textChanged, this,
            [this](const QString& text) { context_.state.textxhex = text.toStdString(); });
    connect(ui.textyhex, &QLineEdit::textChanged, this,
            [this](const QString& text) { context_.state.textyhex = text.toStdString(); });
    for (QLineEdit* field : {ui.textxhex, ui.textyhex}) {
        field->setValidator(new QRegularExpressionValidator(hexDigits, field));
        field->setMaxLength(2);
    }

    connect(ui.Command1, &QAbstractButton::clicked, this, [this] {
        context_.focusSink();
        context_.messages.show(QString::fromUtf8(kVideoPositionHelp), MessageIcon::None);
    });

    showPosition();
}

void VideoPositionController::showPosition() {
    const FormState& s = context_.state;
    // Only changed texts are set, so a field being edited keeps its cursor.
    auto show = [](QLineEdit* field, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (field->text() != value) field->setText(value);
    };
    show(ui_.textx, s.textx);
    show(ui_.texty, s.texty);
    show(ui_.textxhex, s.textxhex);
    show(ui_.textyhex, s.textyhex);
}

}  // namespace kelvane
