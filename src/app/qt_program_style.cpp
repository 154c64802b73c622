#include "app/qt_program_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyleOption>

namespace kelvane {

namespace {

// Paints the application style's arrow primitive at whatever size the icon
// is asked for.
class ArrowIconEngine : public QIconEngine {
  public:
    explicit ArrowIconEngine(QStyle::PrimitiveElement arrow) : arrow_(arrow) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        QStyleOption option;
        option.rect = rect;
        option.state = mode == QIcon::Disabled ? QStyle::State_None : QStyle::State_Enabled;
        QApplication::style()->drawPrimitive(arrow_, &option, painter);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, picture.rect(), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new ArrowIconEngine(arrow_); }

  private:
    QStyle::PrimitiveElement arrow_;
};

}  // namespace

ProgramStyle::ProgramStyle(const QString& baseStyleName) : QProxyStyle(baseStyleName) {}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new ArrowIconEngine(PE_IndicatorArrowRight));
    if (icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new ArrowIconEngine(PE_IndicatorArrowDown));
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace kelvane
