# Chooses the layout each package generator gets (read by cpack at package time).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL system)
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
else()
  set(CPACK_COMPONENTS_ALL portable)
  # The portable archive unpacks into one folder named after the package.
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
