#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "app/qt_program_style.h"

namespace kelvane {
namespace {

int paintedDots(const QIcon& icon) {
    const QImage image = icon.pixmap(QSize(16, 16)).toImage();
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

// The overflow arrows are drawn, point their own ways, and every other icon
// still comes from the style underneath.
TEST(ProgramStyle, DrawsTheOverflowArrowsAndLeavesOtherIconsToTheStyle) {
    ProgramStyle style(QStringLiteral("Fusion"));
    const QIcon across = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QIcon down = style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
    EXPECT_GT(paintedDots(across), 4);
    EXPECT_GT(paintedDots(down), 4);
    EXPECT_NE(across.pixmap(QSize(16, 16)).toImage(), down.pixmap(QSize(16, 16)).toImage());
    EXPECT_GT(paintedDots(style.standardIcon(QStyle::SP_MessageBoxWarning)), 4);
}

}  // namespace
}  // namespace kelvane
