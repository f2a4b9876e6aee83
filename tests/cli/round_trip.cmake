# veq as a script runs it, on this system or under EMULATOR (Wine for a
# Windows build): --help lists every command, and every sample data file goes
# through "dump --headers" and "build" unchanged.
function(run)
  execute_process(COMMAND ${EMULATOR} ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${status}:\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${VEQ} --help)
foreach(command dump build check add copy missing extra autogen)
  if(NOT out MATCHES "veq ${command} ")
    message(FATAL_ERROR "veq --help does not list '${command}':\n${out}")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
run(${SAMPLES} ${WORK})
# The first build gives the file the editor would write from the sample (its
# repeated record once, its records in the writer's order); from then on the
# bytes must not change.
foreach(kind filelist except planesq)
  foreach(pass first again)
    run(${VEQ} dump --headers ${WORK}/${kind}.dat)
    file(WRITE ${WORK}/${kind}.txt "${out}")
    run(${VEQ} build --kind ${kind} ${WORK}/${kind}.txt ${WORK}/${pass}-${kind}.dat)
    file(SHA256 ${WORK}/${pass}-${kind}.dat ${pass})
    file(COPY_FILE ${WORK}/${pass}-${kind}.dat ${WORK}/${kind}.dat)
  endforeach()
  if(NOT first STREQUAL again)
    message(FATAL_ERROR "${kind}.dat changed on its way through dump and build")
  endif()
endforeach()
