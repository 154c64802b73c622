#pragma once

#include <string>

namespace kelvane {

// Host names fixed when the program is built.
std::string communityHost();
std::string fontBuilderHost();

// "http://<community host>", no path and no trailing "/".
std::string communityHomePage();
// The community home page followed by "/hdl_list.php".
std::string gameCompatibilityList();
// "http://<font-builder host>/bitmapfontbuilder".
std::string fontBuilderPage();

}  // namespace kelvane
