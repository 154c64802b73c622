# What "cmake --install" and the packages put where.
#
# Two layouts of the same files, as install components:
#   system    (Linux default): <prefix>/bin/hdl_kelvane_gui, the read-mes and an
#             empty tools folder in <prefix>/share/hdl-kelvane-gui, the desktop
#             entry, icons and AppStream metainfo in their usual places. The
#             program always works in a per-user folder there.
#   portable  (Windows default, and the Linux .tar.gz): one folder holding the
#             program, README/ and tools/, like the kit in build/kit.
# Neither ever contains the stand-in tools: a user who forgot to replace them
# would take their output for a patched loader. The tools folder holds only a
# read-me that names the two files that belong there.
#
# Platform additions (for example the Qt libraries of the Windows kit) install
# into the portable component beside these rules.

include(GNUInstallDirs)

set(KELVANE_HOMEPAGE "https://${KELVANE_COMMUNITY_HOST}/" CACHE STRING
    "Home page named in the package and the AppStream metainfo")
# Software centres show screenshots only from the web: the metainfo names
# docs/main-window.png once a web folder that serves docs/ is given.
set(KELVANE_SCREENSHOT_BASE_URL "" CACHE STRING
    "Web folder that serves the screenshots in docs/, named in the AppStream metainfo")
if(KELVANE_SCREENSHOT_BASE_URL)
  set(KELVANE_METAINFO_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The main window with a loader opened</caption>
      <image>${KELVANE_SCREENSHOT_BASE_URL}/main-window.png</image>
    </screenshot>
  </screenshots>
")
else()
  set(KELVANE_METAINFO_SCREENSHOTS "")
endif()
set(KELVANE_RELEASE_DATE "2026-12-07" CACHE STRING "Date of this version's release (YYYY-MM-DD)")

set(packaging_dir "${PROJECT_SOURCE_DIR}/packaging")
set(readme_dir "${KELVANE_KIT_DIR}/README")
set(readmes
  "${readme_dir}/HDL PATCH README.txt"
  "${readme_dir}/PS2Packer 0.3 README.txt"
  "${readme_dir}/PS2Packer 0.4 README.txt")

# The read-me of the empty tools folder, with the line ends Notepad expects.
set(tools_readme "${CMAKE_BINARY_DIR}/packaging/tools/README.txt")
configure_file("${packaging_dir}/tools-README.txt" "${tools_readme}" COPYONLY)
file(READ "${tools_readme}" tools_readme_text)
file(CONFIGURE OUTPUT "${tools_readme}" CONTENT "${tools_readme_text}" NEWLINE_STYLE CRLF)

set(metainfo "${CMAKE_BINARY_DIR}/packaging/${KELVANE_APP_ID}.metainfo.xml")
configure_file("${packaging_dir}/${KELVANE_APP_ID}.metainfo.xml.in" "${metainfo}" @ONLY)

if(WIN32)
  set(portable_exclude "")
  set(system_exclude EXCLUDE_FROM_ALL)
else()
  set(portable_exclude EXCLUDE_FROM_ALL)
  set(system_exclude "")
endif()

# ---- portable: one self-contained folder ----
install(TARGETS hdl_kelvane_gui RUNTIME DESTINATION . COMPONENT portable ${portable_exclude})
install(FILES ${readmes} DESTINATION README COMPONENT portable ${portable_exclude})
install(FILES "${tools_readme}" DESTINATION tools COMPONENT portable ${portable_exclude})

# ---- system: the usual places of a desktop program ----
if(NOT WIN32)
  set(data "${CMAKE_INSTALL_DATADIR}/${KELVANE_DATA_NAME}")
  install(TARGETS hdl_kelvane_gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
          COMPONENT system ${system_exclude})
  install(FILES ${readmes} DESTINATION ${data}/README COMPONENT system ${system_exclude})
  install(FILES "${tools_readme}" DESTINATION ${data}/tools COMPONENT system ${system_exclude})
  install(FILES "${packaging_dir}/${KELVANE_APP_ID}.desktop"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system ${system_exclude})
  install(FILES "${metainfo}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          COMPONENT system ${system_exclude})
  install(FILES "${packaging_dir}/icons/hdl-kelvane-gui.svg"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          COMPONENT system ${system_exclude})
  foreach(size 16 32 48 64 128 256)
    install(FILES "${packaging_dir}/icons/hdl-kelvane-gui-${size}.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME hdl-kelvane-gui.png COMPONENT system ${system_exclude})
  endforeach()
endif()
