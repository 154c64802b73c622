# Release packages through CPack: on Linux a .deb (the system layout) and a
# portable .tar.gz (the portable layout); see install_rules.cmake.
#   cpack --config build/CPackConfig.cmake -G DEB
#   cpack --config build/CPackConfig.cmake -G TGZ

set(CPACK_PACKAGE_NAME "hdl-kelvane-gui")
set(CPACK_PACKAGE_VENDOR "The HDL Kelvane GUI developers")
# The maintainer a .deb names; whoever publishes packages sets their own.
set(KELVANE_PACKAGE_CONTACT "The HDL Kelvane GUI developers <maintainer@example.invalid>" CACHE STRING
    "Maintainer named in the packages (Name <e-mail>)")
set(CPACK_PACKAGE_CONTACT "${KELVANE_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Patch and re-skin the PS2 hard-disk loader HDLoader/HDAdvance")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KELVANE_HOMEPAGE}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "HDL Kelvane GUI")
set(CPACK_STRIP_FILES ON)

# One package per generator, each with the files of its own layout.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/cpack_per_generator.cmake")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
# The Qt runtime libraries come from dpkg-shlibdeps; the windowing plugins
# are a package of their own that nothing links against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop front end for the command-line tools HDLPatch and ps2-packer, which\n\
are not included: put them into the per-user tools folder the program names.")

if(NOT CPACK_GENERATOR)
  set(CPACK_GENERATOR "TGZ")
endif()
include(CPack)
