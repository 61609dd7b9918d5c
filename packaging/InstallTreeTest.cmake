# Installs the build into a scratch prefix and checks what a preparer's machine would get: the
# programs, their data, the desktop entry, the client-file type and the icons; then runs the
# installed programs (cmake -P script; see packaging/CMakeLists.txt for the -D values).
cmake_minimum_required(VERSION 3.22)

set(failures "")
function(fail text)
  set(failures "${failures}  ${text}\n" PARENT_SCOPE)
endfunction()

# Runs a command; `out_var` gets its standard output and error, `status_var` its exit status.
macro(run status_var out_var)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE ${status_var} OUTPUT_VARIABLE ${out_var}
                  ERROR_VARIABLE ${out_var})
endmacro()

file(REMOVE_RECURSE "${PREFIX}")
run(status output ${CMAKE_COMMAND} -E env --unset=DESTDIR ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

set(data "${PREFIX}/share/quorvan_16")
set(expected_files
  bin/quorvan_16-calc
  share/quorvan_16/PSF/page1.psf share/quorvan_16/RTF/page1.rtf share/quorvan_16/DAT/PAGE1.DAT
  share/quorvan_16/LAY/page1.lay
  share/quorvan_16/help/quorvan_16/default.htm share/quorvan_16/help/quorvan_16/tutorial/tutorial.htm
  share/quorvan_16/help/kelsub10/options_menu/shrink_fonts.htm share/quorvan_16/PDF/index.htm)
if(MANUAL)
  list(APPEND expected_files share/quorvan_16/quorvan_16.pdf)
endif()
if(APP)
  list(APPEND expected_files bin/quorvan_16 share/applications/quorvan_16.desktop
       share/mime/packages/quorvan_16.xml share/icons/hicolor/scalable/apps/quorvan_16.svg)
endif()
foreach(file IN LISTS expected_files)
  if(NOT EXISTS "${PREFIX}/${file}")
    fail("missing ${file}")
  endif()
endforeach()

# Nothing of the build tree: no note naming its data folder, no path to it inside the programs.
if(EXISTS "${PREFIX}/bin/quorvan_16-data-folder.txt")
  fail("the build tree's data note was installed")
endif()
string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" build_data_pattern "${BUILD_DATA_DIR}")
foreach(program quorvan_16 quorvan_16-calc)
  if(EXISTS "${PREFIX}/bin/${program}")
    file(STRINGS "${PREFIX}/bin/${program}" baked REGEX "${build_data_pattern}")
    if(baked)
      fail("bin/${program} holds the build tree's data folder: ${baked}")
    endif()
  endif()
endforeach()

# The installed tool on the sample return, with the installed print templates.
run(status output "${PREFIX}/bin/quorvan_16-calc" --dump "${SAMPLE}")
if(NOT status EQUAL 0 OR NOT output MATCHES "\n1/0:41=9,780\r?\n")
  fail("quorvan_16-calc --dump of the sample return (status ${status}):\n${output}")
endif()

# The installed tool prints `forms` of the sample return as `file`, which must start as a `what`
# does (`head_pattern`).
function(check_print file forms head_pattern what)
  run(status output "${PREFIX}/bin/quorvan_16-calc" --print "${file}" --forms ${forms} "${SAMPLE}")
  if(NOT status EQUAL 0 OR NOT EXISTS "${file}")
    fail("quorvan_16-calc --print of a ${what} (status ${status}):\n${output}")
  else()
    file(READ "${file}" head LIMIT 16)
    if(NOT head MATCHES "${head_pattern}")
      fail("the printed ${what} starts otherwise: ${head}")
    endif()
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()
check_print("${PREFIX}/sample.rtf" 1 "^{\\\\rtf1" "RTF document from the installed templates")
# With Qt the installed tool paints the forms as PDF from the installed print layouts.
if(APP)
  check_print("${PREFIX}/sample.pdf" 1,9 "^%PDF-" "PDF painted from the installed print layouts")
endif()

# --version of both programs; the desktop program answers it without a display.
set(programs quorvan_16-calc)
if(APP)
  list(APPEND programs quorvan_16)
endif()
foreach(program IN LISTS programs)
  run(status output ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
      "${PREFIX}/bin/${program}" --version)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "${program} ${VERSION}\n")
    fail("${program} --version (status ${status}): \"${output}\"")
  endif()
endforeach()

if(APP)
  # The desktop entry: valid, started with the file it is given, for the type the MIME file adds.
  set(entry "${PREFIX}/share/applications/quorvan_16.desktop")
  if(NOT DESKTOP_FILE_VALIDATE)
    fail("desktop-file-validate is missing (Debian package desktop-file-utils)")
  else()
    run(status output "${DESKTOP_FILE_VALIDATE}" "${entry}")
    if(NOT status EQUAL 0)
      fail("desktop-file-validate: ${output}")
    endif()
  endif()
  file(STRINGS "${entry}" exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=quorvan_16 %f")
    fail("desktop entry: ${exec}")
  endif()
  file(READ "${entry}" entry_text)
  if(NOT entry_text MATCHES "\nMimeType=${MIME_TYPE};\n")
    fail("the desktop entry does not name the type ${MIME_TYPE}")
  endif()

  # The MIME package: the database built from it gives *.fq6 the program's type.
  if(NOT UPDATE_MIME_DATABASE)
    fail("update-mime-database is missing (Debian package shared-mime-info)")
  else()
    run(status output "${UPDATE_MIME_DATABASE}" "${PREFIX}/share/mime")
    file(STRINGS "${PREFIX}/share/mime/globs2" globs REGEX ":${MIME_TYPE}:\\*\\.fq6$")
    if(NOT status EQUAL 0 OR NOT globs)
      fail("update-mime-database gives *.fq6 no ${MIME_TYPE} (status ${status}): ${output}")
    endif()
  endif()

  # Every PNG icon is as large as its folder says (width and height of the PNG header).
  string(REPLACE "," ";" sizes "${ICON_SIZES}")
  foreach(size IN LISTS sizes)
    set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/quorvan_16.png")
    if(NOT EXISTS "${png}")
      fail("missing icon ${size}x${size}")
      continue()
    endif()
    file(READ "${png}" header OFFSET 16 LIMIT 8 HEX)
    math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${hex_size}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    while(length LESS 8)
      string(PREPEND digits "0")
      string(LENGTH "${digits}" length)
    endwhile()
    if(NOT header STREQUAL "${digits}${digits}")
      fail("icon ${size}x${size} has the header size ${header}")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "The installed tree in ${PREFIX} is not right:\n${failures}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "Installed tree checked")
