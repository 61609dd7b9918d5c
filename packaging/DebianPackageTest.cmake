# Makes the Debian package of the build with CPack and reads it back: dependencies computed from
# the programs, LibreOffice Writer recommended, and the files that put the program in the menu
# and give *.fq6 files to it (cmake -P script; see packaging/CMakeLists.txt for the -D values).
cmake_minimum_required(VERSION 3.22)

set(failures "")
function(fail text)
  set(failures "${failures}  ${text}\n" PARENT_SCOPE)
endfunction()

find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT CPACK OR NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message(FATAL_ERROR "cpack, dpkg-deb and dpkg-shlibdeps are needed (Debian packages cmake and dpkg-dev)")
endif()

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${OUT_DIR}/*.deb")
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB failed (${status}), ${count} packages:\n${output}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --field "${packages}" Package Version Depends Recommends
                OUTPUT_VARIABLE fields RESULT_VARIABLE status)
string(REGEX MATCH "Package: ([^\n]*)" _ "${fields}")
set(package "${CMAKE_MATCH_1}")
string(REGEX MATCH "Version: ([^\n]*)" _ "${fields}")
set(version "${CMAKE_MATCH_1}")
string(REGEX MATCH "Depends: ([^\n]*)" _ "${fields}")
set(depends "${CMAKE_MATCH_1}")
string(REGEX MATCH "Recommends: ([^\n]*)" _ "${fields}")
set(recommends "${CMAKE_MATCH_1}")
if(NOT package STREQUAL "quorvan-16" OR NOT version STREQUAL "${VERSION}")
  fail("package ${package} ${version}, expected quorvan-16 ${VERSION}")
endif()
# Computed from the programs: the C library always, Qt's widgets with the desktop program.
set(needed libc6 libstdc++6)
if(APP)
  list(APPEND needed libqt6widgets6 libqt6gui6 libqt6core6)
endif()
# The package names of a relation field, without their version constraints.
function(package_names field out_var)
  string(REGEX REPLACE " *\\([^)]*\\)" "" names "${field}")
  string(REPLACE ", " ";" names "${names}")
  set(${out_var} "${names}" PARENT_SCOPE)
endfunction()
package_names("${depends}" depends_names)
foreach(library IN LISTS needed)
  if(NOT library IN_LIST depends_names)
    fail("Depends lacks ${library}: ${depends}")
  endif()
endforeach()
package_names("${recommends}" recommends_names)
if(NOT "libreoffice-writer" IN_LIST recommends_names)
  fail("Recommends lacks libreoffice-writer: ${recommends}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --contents "${packages}" OUTPUT_VARIABLE contents)
set(expected ./usr/bin/quorvan_16-calc ./usr/share/quorvan_16/PSF/page1.psf ./usr/share/quorvan_16/RTF/page1.rtf
    ./usr/share/quorvan_16/LAY/page1.lay
    ./usr/share/quorvan_16/help/quorvan_16/default.htm ./usr/share/quorvan_16/PDF/index.htm)
if(APP)
  list(APPEND expected ./usr/bin/quorvan_16 ./usr/share/applications/quorvan_16.desktop
       ./usr/share/mime/packages/quorvan_16.xml ./usr/share/icons/hicolor/scalable/apps/quorvan_16.svg
       ./usr/share/icons/hicolor/48x48/apps/quorvan_16.png)
endif()
foreach(path IN LISTS expected)
  string(FIND "${contents}" " ${path}\n" at)
  if(at EQUAL -1)
    fail("the package lacks ${path}")
  endif()
endforeach()
if(contents MATCHES "quorvan_16-data-folder")
  fail("the package holds the build tree's data note")
endif()

if(failures)
  message(FATAL_ERROR "The Debian package ${packages} is not right:\nDepends: ${depends}\n${failures}")
endif()
file(REMOVE_RECURSE "${OUT_DIR}")
message(STATUS "Debian package checked: ${package} ${version}\nDepends: ${depends}\nRecommends: ${recommends}")
