# Makes the samples in a fresh folder, takes the tour over them, and checks
# that every window of the user guide was photographed.
file(REMOVE_RECURSE "${WORK_DIR}")
set(samples "${WORK_DIR}/samples")
set(shots "${WORK_DIR}/shots")

execute_process(COMMAND ${EMULATOR} "${MAKE_SAMPLES}" "${samples}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "veq-make-samples failed (${rc}):\n${out}")
endif()
execute_process(COMMAND ${EMULATOR} "${TOUR}" "${samples}" "${shots}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the tour failed (${rc}):\n${out}")
endif()
message(STATUS "${out}")

set(missing "")
foreach(picture main-window add-dialog message copy-dialog missing-window extra-window autogen-window list-menu)
  set(path "${shots}/${picture}.png")
  if(NOT EXISTS "${path}")
    list(APPEND missing "${picture}.png")
  else()
    # A window drawn without its text (no fonts found) packs into about 500
    # bytes; the smallest picture with it, the message in the Windows style, 880.
    file(SIZE "${path}" size)
    if(size LESS 700)
      list(APPEND missing "${picture}.png (${size} bytes)")
    endif()
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "no picture of: ${missing}")
endif()
