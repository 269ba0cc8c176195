# The committed material SQL files are what the generator makes: run it into a scratch folder
# and compare file by file, so that a hand edit of a .sql file, or a change of the generator
# without regenerating, fails here.
#   cmake -DPYTHON=… -DSOURCE_DIR=<data/materials> -DSCRATCH=<folder> -P material_sql_test.cmake
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${PYTHON}" "${SOURCE_DIR}/generate_material_sql.py" "${SCRATCH}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "generate_material_sql.py failed: ${status}")
endif()
file(GLOB committed RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.sql")
file(GLOB generated RELATIVE "${SCRATCH}" "${SCRATCH}/*.sql")
list(SORT committed)
list(SORT generated)
if(NOT committed STREQUAL generated)
  message(FATAL_ERROR "committed SQL files (${committed}) are not the generated ones (${generated})")
endif()
foreach(name IN LISTS committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${SOURCE_DIR}/${name}" "${SCRATCH}/${name}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "data/materials/${name} is not what generate_material_sql.py writes: run it and commit")
  endif()
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")
