# Options shared by every target of the project: language level, warnings,
# Qt's stricter string and connect rules, and the optional sanitizers.
add_library(veq_options INTERFACE)
target_compile_features(veq_options INTERFACE cxx_std_20)
target_compile_definitions(veq_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
# Debug builds, the sanitizer build among them, check every index into a
# standard container: one past the end stops the test that makes it rather
# than reading a neighbour's bytes.
target_compile_definitions(veq_options INTERFACE $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)

if(MSVC)
  target_compile_options(veq_options INTERFACE /W4 /utf-8 /permissive-)
  if(VEQ_WERROR)
    target_compile_options(veq_options INTERFACE /WX)
  endif()
else()
  target_compile_options(veq_options INTERFACE -Wall -Wextra -Wpedantic)
  if(VEQ_WERROR)
    target_compile_options(veq_options INTERFACE -Werror)
  endif()
endif()

if(VEQ_SANITIZE)
  if(MSVC)
    target_compile_options(veq_options INTERFACE /fsanitize=address)
  else()
    target_compile_options(veq_options INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(veq_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

# The fuzz build instruments all it builds, the core under test above all:
# libFuzzer's coverage and the sanitizers' checks. The targets add libFuzzer's main.
if(VEQ_BUILD_FUZZ)
  target_compile_options(veq_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(veq_options INTERFACE -fsanitize=address,undefined)
endif()

# The layers: core <- ui <- dialogs, audits, autogen <- editor <- app, and
# core <- cli. Each folder is one target whose headers are reachable only as
# "<folder>/<header>.h" through a view in the build tree that holds that one
# folder, so a target sees the headers of the targets it links and no others:
# an include that runs back up the layers does not compile.
function(veq_layer target folder)
  set(view ${PROJECT_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${view}/${folder})
    file(MAKE_DIRECTORY ${view})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC RESULT linked)
    if(NOT linked EQUAL 0)
      # Without the right to make links (Windows without developer mode) the
      # layers still build, only unchecked; CI checks them.
      message(WARNING "The layer ${folder} is not checked here: ${linked}")
      set(view ${PROJECT_SOURCE_DIR})
    endif()
  endif()
  target_include_directories(${target} PUBLIC ${view})
endfunction()

# A static Qt (the Windows build's) links only its default platform plugin
# into a program; the programs that run offscreen need that one too.
function(veq_offscreen_platform target)
  get_target_property(qt_type Qt6::Core TYPE)
  if(qt_type STREQUAL "STATIC_LIBRARY")
    qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
endfunction()

# Installs a file made in the build as FILE.gz in DESTINATION, compressed
# without a name or time stamp, as Debian keeps manual pages and changelogs.
function(veq_install_gzipped target file destination)
  get_filename_component(name ${file} NAME)
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}
    COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}
    DEPENDS ${file} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${gzipped})
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()

# A Windows program's version information (from the project's version and the
# licence's copyright line) and the manifest by which Windows runs it, as
# data/program.rc.in and data/program.manifest.in say, for `target`.exe.
function(veq_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(VEQ_RC_NAME ${target})
  set(VEQ_RC_FILE ${target}.exe)
  set(VEQ_RC_DESCRIPTION "${description}")
  set(numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} 0)
  list(TRANSFORM numbers REPLACE "^$" "0")
  list(JOIN numbers "." VEQ_RC_VERSION)
  list(JOIN numbers "," VEQ_RC_VERSION_COMMAS)
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE VEQ_RC_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/resources)
  set(VEQ_RC_MANIFEST ${folder}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/data/program.manifest.in ${VEQ_RC_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/data/program.rc.in ${folder}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${folder}/${target}.rc)
  # The manifest is the resource's: MSVC's linker would add one of its own.
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
