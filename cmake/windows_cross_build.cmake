# Parts of a Windows build made on Linux with mingw-w64: GoogleTest compiled
# from source, the test programs run under Wine, and build-time generators
# built for the host (they must run during the build, with or without Wine).

set(KELVANE_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
  "GoogleTest sources compiled for Windows (Debian: package googletest)")

# GTest::gtest and GTest::gtest_main, built from source with this toolchain.
macro(kelvane_add_googletest_from_source)
  if(NOT EXISTS "${KELVANE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "No GoogleTest sources in ${KELVANE_GOOGLETEST_SOURCE_DIR}; "
      "install Debian's googletest package or set KELVANE_GOOGLETEST_SOURCE_DIR")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory("${KELVANE_GOOGLETEST_SOURCE_DIR}" googletest EXCLUDE_FROM_ALL SYSTEM)
endmacro()

# Test programs start through a small wrapper around Wine: a Wine prefix of
# the build's own, no Wine debug output, the Qt and compiler runtime DLLs
# found through WINEPATH. An emulator given on the command line is used inside
# the wrapper.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(KELVANE_WINE "${CMAKE_CROSSCOMPILING_EMULATOR}")
else()
  find_program(KELVANE_WINE wine)
endif()
if(KELVANE_WINE)
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE kelvane_gcc_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE kelvane_thread_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(kelvane_dll_dirs)
  foreach(file IN ITEMS "${kelvane_gcc_runtime}" "${kelvane_thread_runtime}")
    get_filename_component(dir "${file}" DIRECTORY)
    get_filename_component(dir "${dir}" ABSOLUTE)
    list(APPEND kelvane_dll_dirs "${dir}")
  endforeach()
  if(TARGET Qt6::Core)
    get_target_property(kelvane_qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(dir "${kelvane_qt_core}" DIRECTORY)
    list(PREPEND kelvane_dll_dirs "${dir}")
  endif()
  # Wine maps the Linux root to drive Z:.
  set(KELVANE_WINEPATH)
  foreach(dir IN LISTS kelvane_dll_dirs)
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND KELVANE_WINEPATH "${dir}")
  endforeach()
  list(JOIN KELVANE_WINEPATH ";" KELVANE_WINEPATH)
  set(KELVANE_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
  configure_file("${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in" "${CMAKE_BINARY_DIR}/wine-run"
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")
endif()

# Builds `target` of this project for the host, in a build of its own
# without Qt, and sets `out_var` to the path of the program.
function(kelvane_host_program target out_var)
  include(ExternalProject)
  set(dir "${CMAKE_BINARY_DIR}/host-tools")
  set(program "${dir}/tools/${target}")
  if(NOT TARGET kelvane_host_tools)
    set(launcher)
    if(CMAKE_CXX_COMPILER_LAUNCHER)
      set(launcher "-DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}")
    endif()
    ExternalProject_Add(kelvane_host_tools
      SOURCE_DIR "${PROJECT_SOURCE_DIR}"
      BINARY_DIR "${dir}"
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_GUI=OFF -DKELVANE_BUILD_TESTS=OFF
        -DKELVANE_BUILD_BENCH=OFF ${launcher}
      BUILD_COMMAND ${CMAKE_COMMAND} --build "${dir}" --target ${target}
      BUILD_BYPRODUCTS "${program}"
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      EXCLUDE_FROM_ALL ON
      USES_TERMINAL_BUILD OFF)
  endif()
  set(${out_var} "${program}" PARENT_SCOPE)
endfunction()
