# Makes the Debian package from this build with cpack, as `make package` does
# from a Release build of its own, and checks what a user gets: its files, its
# fields and dependencies, programs that run, a manual page that renders, the
# completion, and lintian's verdict. Every problem is collected.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message("SKIP: dpkg-deb or dpkg-shlibdeps is missing (Debian's dpkg and dpkg-dev make the package)")
  return()
endif()
set(problems "")
macro(problem text)
  string(APPEND problems "  ${text}\n")
endmacro()

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}" -C "${CONFIG}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${WORK}/veq-editor_${VERSION}_${arch}.deb")
if(NOT rc EQUAL 0 OR NOT EXISTS "${deb}")
  message(FATAL_ERROR "cpack (${rc}) made no ${deb}:\n${out}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --field "${deb}" Version Depends Recommends OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Version: ${VERSION}\n")
  problem("the package's version is not the project's ${VERSION}:\n${fields}")
endif()
# Found in the binaries (the C++ library, Qt Widgets) and named by hand (the platform plugins).
foreach(dependency libstdc\\+\\+6 libqt6widgets6 qt6-qpa-plugins)
  if(NOT fields MATCHES "Depends: [^\n]*${dependency}")
    problem("Depends does not name ${dependency}:\n${fields}")
  endif()
endforeach()

set(tree "${WORK}/tree")
execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${tree}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/*")
list(SORT files)
set(expected
  usr/bin/veq usr/bin/veq-editor usr/share/applications/veq-editor.desktop
  usr/share/bash-completion/completions/veq usr/share/doc/veq-editor/changelog.gz
  usr/share/doc/veq-editor/copyright usr/share/icons/hicolor/scalable/apps/veq-editor.svg
  usr/share/man/man1/veq-editor.1.gz usr/share/man/man1/veq.1.gz
  usr/share/metainfo/io.github.veqeditor.veq_editor.metainfo.xml)
if(NOT files STREQUAL expected)
  problem("the package holds\n    ${files}\n  rather than\n    ${expected}")
endif()

execute_process(COMMAND "${tree}/usr/bin/veq" --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "veq ${VERSION}\n")
  problem("the packaged veq --version says '${version}'")
endif()
execute_process(COMMAND bash -c "source '${tree}/usr/share/bash-completion/completions/veq' && complete -p veq"
                OUTPUT_VARIABLE completion)
if(NOT completion MATCHES "-F _veq veq")
  problem("the packaged completion does not register for veq: '${completion}'")
endif()
find_program(MAN man)
foreach(page veq veq-editor)
  if(MAN)
    execute_process(COMMAND "${MAN}" --warnings -l "${tree}/usr/share/man/man1/${page}.1.gz"
                    OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
    if(warnings OR NOT rendered MATCHES "SEE ALSO")
      problem("man -l ${page}.1.gz: ${warnings}")
    endif()
  endif()
endforeach()

find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND "${LINTIAN}" "${deb}" OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REGEX MATCHALL "E: [^\n]*" errors "${out}")
  if(errors)
    problem("lintian reports errors:\n${out}")
  endif()
  message(STATUS "lintian:\n${out}")
endif()

if(problems)
  message(FATAL_ERROR "The package ${deb} is not what a user should install:\n${problems}")
endif()
message(STATUS "The package ${deb} holds what it should.")
