#include "help/web_addresses.h"

namespace kelvane {

std::string communityHost() {
    return KELVANE_COMMUNITY_HOST;
}
std::string fontBuilderHost() {
    return KELVANE_FONT_BUILDER_HOST;
}

std::string communityHomePage() {
    return "http://" + communityHost();
}
std::string gameCompatibilityList() {
    return communityHomePage() + "/hdl_list.php";
}
std::string fontBuilderPage() {
    return "http://" + fontBuilderHost() + "/bitmapfontbuilder";
}

}  // namespace kelvane
