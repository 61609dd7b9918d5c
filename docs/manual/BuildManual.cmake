# Typesets the manual with groff -ms into a PDF (cmake -P script).
#   -DGROFF=<groff> -DSOURCE_DIR=<docs/manual> -DWORK_DIR=<scratch folder> -DOUTPUT=<pdf>
#   -DVERSION=<the program's version>
# The contents list needs the page of every heading, and its own length moves those pages, so the
# text is set three times: without a list, with a list of the right length, and for the PDF.
# A groff failure is reported as a warning and leaves no PDF: the program builds without its manual.

foreach(variable GROFF SOURCE_DIR WORK_DIR OUTPUT VERSION)
  if(NOT ${variable})
    message(FATAL_ERROR "BuildManual.cmake needs -D${variable}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY "${WORK_DIR}")
get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
set(contents "${WORK_DIR}/contents.ms")
file(WRITE "${contents}" "")

set(groff_arguments -ms -t -mpdf -Tpdf -P-pletter -dpaper=letter
    -dmanualdir=${SOURCE_DIR} -dcontents=${contents} -dversion=${VERSION} ${SOURCE_DIR}/quorvan_16.ms)

# Headings report "TOC level|number|text|page" on the error stream (macros.ms).
function(write_contents_from report)
  string(REPLACE ";" "\\;" report "${report}")
  string(REPLACE "\n" ";" lines "${report}")
  set(text "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^TOC ([0-9])\\|([^|]*)\\|([^|]*)\\|([0-9]+)$")
      string(APPEND text ".TOCLINE ${CMAKE_MATCH_1} \"${CMAKE_MATCH_2}\" \"${CMAKE_MATCH_3}\" ${CMAKE_MATCH_4}\n")
    elseif(NOT line STREQUAL "")
      message(WARNING "groff: ${line}")
    endif()
  endforeach()
  file(WRITE "${contents}" "${text}")
endfunction()

foreach(pass 1 2)
  execute_process(COMMAND "${GROFF}" -z ${groff_arguments}
                  RESULT_VARIABLE status ERROR_VARIABLE report)
  if(NOT status EQUAL 0)
    message(WARNING "groff failed (${status}), the manual is not built: ${report}")
    return()
  endif()
  write_contents_from("${report}")
endforeach()

execute_process(COMMAND "${GROFF}" ${groff_arguments}
                RESULT_VARIABLE status OUTPUT_FILE "${OUTPUT}.part" ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  file(REMOVE "${OUTPUT}.part")
  message(WARNING "groff failed (${status}), the manual is not built: ${report}")
  return()
endif()
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
