#pragma once

#include <QProxyStyle>

namespace kelvane {

// The style the application starts with, unchanged but for the arrow of the
// menu bar's overflow button: that icon is drawn when it is first shown
// rather than read from an image file when the menu bar is made, which would
// load every image-format plug-in while the program starts. The menu bar
// shows the button only when the window is too narrow for its menus.
class ProgramStyle : public QProxyStyle {
  public:
    explicit ProgramStyle(const QString& baseStyleName);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace kelvane
