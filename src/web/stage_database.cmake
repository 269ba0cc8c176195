# Copies the database folder for embedding into the page's script under plain names ("0.bin",
# "1.bin", …), with names.txt listing "plain<TAB>real name" a line: the packer cannot name
# Chinese file names, the binding gives them back at start (embedded_files.cpp).
#   cmake -DFROM=<database folder> -DTO=<staging folder> -P stage_database.cmake
file(REMOVE_RECURSE ${TO})
file(MAKE_DIRECTORY ${TO})
file(GLOB files RELATIVE ${FROM} ${FROM}/*)
list(SORT files)
set(names "")
set(index 0)
foreach(name IN LISTS files)
  file(COPY_FILE ${FROM}/${name} ${TO}/${index}.bin)
  string(APPEND names "${index}.bin\t${name}\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${TO}/names.txt "${names}")
