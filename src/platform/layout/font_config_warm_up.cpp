#include "platform/layout/font_config_warm_up.h"

#ifdef KELVANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace kelvane {

FontConfigWarmUp::FontConfigWarmUp() {
#ifdef KELVANE_HAVE_FONTCONFIG
    // fontconfig keeps the configuration it reads for the whole process; a
    // later FcInit, from Qt's font database, finds it in place.
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() {
    wait();
}

void FontConfigWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace kelvane
