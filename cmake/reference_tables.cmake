# Reference tables: readable CSV files in data/ compiled into the program.
#
#   pylora_reference_table(<output.inc> <text columns> <csv files>...)
#
# writes one C++ initializer per data row, {"<file stem>", {"text", …}, {number, …}}, to be
# included inside an array of pylora::ReferenceRow. In each file, lines starting with # are
# comments, the first other line names the columns, and every row has as many cells as it: the
# first <text columns> cells are texts, the rest numbers, copied as written so that the program
# holds exactly the figures of the file. The header line becomes a row of table "<file stem>/columns"
# with the column names as its texts.
set(PYLORA_REFERENCE_TABLE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/reference_table_source.cmake)

function(pylora_reference_table output text_columns)
  set(files ${ARGN})
  string(REPLACE ";" "|" file_list "${files}")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DTEXT_COLUMNS=${text_columns} -DFILES=${file_list}
            -P ${PYLORA_REFERENCE_TABLE_SCRIPT}
    DEPENDS ${files} ${PYLORA_REFERENCE_TABLE_SCRIPT}
    COMMENT "Compiling in reference table ${output}"
    VERBATIM)
endfunction()
