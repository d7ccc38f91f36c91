# Build conventions shared by every target of the project.
#
# The source lists live here once: the portable core is every .cpp under
# common/ whose name does not end in _win; the Windows half is the rest.
# platform/ holds each service as X.h with X_win.cpp and X_posix.cpp; a build
# takes the half that fits its system. The fuzz sub-build includes this file
# too, so both builds always compile the same sources.

set(ORV_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

function(orv_core_sources out)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${ORV_ROOT}/common/*.cpp)
  list(FILTER all EXCLUDE REGEX "_win\\.cpp$")
  set(${out} ${all} PARENT_SCOPE)
endfunction()

function(orv_core_win_sources out)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${ORV_ROOT}/common/*_win.cpp)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

function(orv_platform_sources out)
  file(GLOB all CONFIGURE_DEPENDS ${ORV_ROOT}/platform/*.cpp)
  if(WIN32)
    list(FILTER all EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER all EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# Include folders of the core. Natively a stand-in <windows.h> that stops the
# build sits first on the path, so a portable file that includes it fails.
function(orv_core_includes target)
  target_include_directories(${target} PUBLIC ${ORV_ROOT}/common ${ORV_ROOT}/platform)
  if(NOT WIN32)
    target_include_directories(${target} BEFORE PUBLIC ${ORV_ROOT}/cmake/no-windows)
  endif()
endfunction()

function(orv_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wconversion -Wvla)
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()

if(ORV_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
