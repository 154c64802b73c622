#include "help/qt_link_hover_controller.h"

#include <QLabel>
#include <QMouseEvent>

#include "help/qt_link_label.h"

namespace kelvane {

namespace {

const QColor kLabel2AtRest{0x00, 0xFF, 0xFF};

// A movement reaches a container also when it happened over one of its
// controls and the control let it pass; only its own free area counts.
bool overFreeArea(QWidget* surface, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    return surface->childAt(mouse->position().toPoint()) == nullptr;
}

}  // namespace

LinkHoverController::LinkHoverController(Surfaces surfaces, QObject* parent)
    : QObject(parent), surfaces_(surfaces) {
    for (QWidget* surface :
         {static_cast<QWidget*>(surfaces_.label2), static_cast<QWidget*>(surfaces_.label3),
          surfaces_.windowSurface, surfaces_.frame6, surfaces_.frame9}) {
        surface->setMouseTracking(true);
        surface->installEventFilter(this);
    }
    apply();
}

bool LinkHoverController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) return false;
    std::optional<HoverSurface> surface;
    if (watched == surfaces_.label2) {
        surface = HoverSurface::Label2;
    } else if (watched == surfaces_.label3) {
        surface = HoverSurface::Label3;
    } else if (watched == surfaces_.windowSurface && overFreeArea(surfaces_.windowSurface, event)) {
        surface = HoverSurface::WindowSurface;
    } else if (watched == surfaces_.frame6 && overFreeArea(surfaces_.frame6, event)) {
        surface = HoverSurface::Frame6;
    } else if (watched == surfaces_.frame9 && overFreeArea(surfaces_.frame9, event)) {
        surface = HoverSurface::Frame9;
    }
    if (surface) {
        colours_ = afterMouseMove(colours_, *surface);
        apply();
    }
    return false;
}

void LinkHoverController::apply() {
    setLabelColour(surfaces_.label2,
                   colours_.label2 == LinkColour::UnderMouse ? kLinkUnderMouse : kLabel2AtRest);
    setLabelColour(surfaces_.label3, colours_.label3 == LinkColour::UnderMouse
                                         ? kLinkUnderMouse
                                         : activeBorderColour(surfaces_.frame6->palette()));
}

}  // namespace kelvane
