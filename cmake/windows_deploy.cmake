# The Windows kit: the program with the DLLs it loads beside it. The Qt DLLs,
# the platform and style plugins and the compiler's runtime DLLs are copied
# into the development kit at build time (so that it runs as built) and
# installed with the program, so that `cmake --install` and CPack lay out a
# kit that runs on a machine without Qt or a compiler.

if(NOT KELVANE_BUILD_GUI)
  return()
endif()

# DLLs that go beside the executable, and plugins that go into a folder of
# their own kind below it.
set(kelvane_runtime_dlls
  "$<TARGET_FILE:Qt6::Core>" "$<TARGET_FILE:Qt6::Gui>" "$<TARGET_FILE:Qt6::Widgets>")
set(kelvane_plugins)
foreach(pair IN ITEMS "QWindowsIntegrationPlugin|platforms" "QWindowsVistaStylePlugin|styles")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 plugin)
  list(GET pair 1 folder)
  if(TARGET Qt6::${plugin})
    list(APPEND kelvane_plugins "${folder}|$<TARGET_FILE:Qt6::${plugin}>")
  else()
    message(WARNING "Qt has no ${plugin}; the Windows kit will lack ${folder}/")
  endif()
endforeach()

set(kelvane_stripped_dlls)
if(MINGW)
  # The C++ runtime that the Qt DLLs and the program share, without its
  # debugging symbols (they are most of libstdc++'s size).
  foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "The compiler's runtime ${dll} was not found (${path})")
    endif()
    get_filename_component(path "${path}" ABSOLUTE)
    if(CMAKE_STRIP)
      set(stripped "${CMAKE_BINARY_DIR}/runtime-dlls/${dll}")
      add_custom_command(OUTPUT "${stripped}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/runtime-dlls"
        COMMAND ${CMAKE_STRIP} --strip-debug -o "${stripped}" "${path}"
        DEPENDS "${path}" VERBATIM)
      list(APPEND kelvane_stripped_dlls "${stripped}")
      set(path "${stripped}")
    endif()
    list(APPEND kelvane_runtime_dlls "${path}")
  endforeach()
elseif(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  include(InstallRequiredSystemLibraries)
endif()

# Into the development kit.
set(kelvane_copy_commands)
foreach(dll IN LISTS kelvane_runtime_dlls)
  list(APPEND kelvane_copy_commands
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${dll}" "${KELVANE_KIT_DIR}/")
endforeach()
foreach(pair IN LISTS kelvane_plugins)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 folder)
  list(GET pair 1 file)
  list(APPEND kelvane_copy_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory "${KELVANE_KIT_DIR}/${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "${KELVANE_KIT_DIR}/${folder}/")
endforeach()
add_custom_target(kelvane_windows_runtime ALL ${kelvane_copy_commands}
  DEPENDS ${kelvane_stripped_dlls}
  COMMENT "Copying the Qt and runtime DLLs into the kit" VERBATIM)

# Into the installed kit.
install(FILES ${kelvane_runtime_dlls} DESTINATION . COMPONENT portable)
foreach(pair IN LISTS kelvane_plugins)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 folder)
  list(GET pair 1 file)
  install(FILES "${file}" DESTINATION "${folder}" COMPONENT portable)
endforeach()

# The demo loader to try the program with; the program, its read-me files and
# the tools folder's read-me come from install_rules.cmake. The stand-in tools
# stay in the development kit only: a release must not pass a stand-in off as
# the real tool.
install(DIRECTORY "${KELVANE_KIT_DIR}/samples" DESTINATION . COMPONENT portable)

# The release package of Windows is a .zip of the portable layout.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "hdl-kelvane-gui-${PROJECT_VERSION}-windows-x64")
