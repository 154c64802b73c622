#pragma once

#include <QString>
#include <optional>

#include "platform/qt_app_context.h"

namespace kelvane {

// Checks a font pair the user chose. A pair that fits is taken as it is; one
// that does not is shown with what is wrong and Convert (when every fault can
// be mended), Use Anyway and Cancel. Convert writes the mended pair into the
// "converted" folder. Returns the sheet to use, or nothing when the user
// cancelled or a conversion failed (which is reported).
std::optional<QString> checkFontChoice(AppContext& context, const QString& path);

}  // namespace kelvane
