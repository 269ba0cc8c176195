# Writes the manual page pylora-cli(1) from the program's own help (`--help` of the program and of
# each command), so that the manual says what the help says, word for word.
#   cmake -DCLI=path/to/pylora-cli -DVERSION=1.0.0 -DOUTPUT=pylora-cli.1 -P cli_man_page.cmake
# The help is read line by line: text before "Usage:" describes, "Heading:" opens a section,
# "  TERM  description" is an entry (two or more blanks apart), a deeper indented line continues
# the description above it.

function(help_text out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed (${status})")
  endif()
  # One list element per line: ';' and brackets would confuse CMake's lists, so they travel as
  # placeholders until the page is written.
  string(REPLACE ";" "@SEMI@" text "${text}")
  string(REPLACE "[" "@LB@" text "${text}")
  string(REPLACE "]" "@RB@" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# Plain text as roff: backslashes and hyphens escaped, no line may start with a control character.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Parses one help text. Sets <prefix>_description, <prefix>_usage, <prefix>_commands (the terms of
# its "Subcommands:" section, which leaves the mark @COMMANDS@ in its place) and <prefix>_sections:
# roff of the sections, each opened by `heading_macro` and the heading (upper case when `upper`).
function(parse_help prefix lines heading_macro upper)
  set(description "")
  set(usage "")
  set(commands "")
  set(sections "")
  set(heading "")
  set(before_usage TRUE)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE " +$" "" line "${line}")
    if(before_usage)
      if(line MATCHES "^Usage: (.*)$")
        set(usage "${CMAKE_MATCH_1}")
        set(before_usage FALSE)
      elseif(NOT line STREQUAL "")
        roff(text "${line}")
        string(APPEND description "${text}\n")
      endif()
    elseif(line STREQUAL "")
    elseif(line MATCHES "^([^ ].*):$")
      set(heading "${CMAKE_MATCH_1}")
      if(heading STREQUAL "Subcommands")
        string(APPEND sections "@COMMANDS@")
      else()
        if(upper)
          string(TOUPPER "${heading}" heading)
        endif()
        roff(text "${heading}")
        string(APPEND sections "${heading_macro} ${text}\n")
      endif()
    elseif(line MATCHES "^  ([^ ]+( [^ ]+)*)(  +(.*))?$")
      set(term "${CMAKE_MATCH_1}")
      set(text "${CMAKE_MATCH_4}")
      if(heading STREQUAL "Subcommands")
        list(APPEND commands "${term}")
      else()
        roff(term "${term}")
        roff(text "${text}")
        string(APPEND sections ".TP\n.B ${term}\n${text}\n")
      endif()
    elseif(line MATCHES "^   +(.*)$")
      if(NOT heading STREQUAL "Subcommands")
        roff(text "${CMAKE_MATCH_1}")
        string(APPEND sections "${text}\n")
      endif()
    else()
      message(FATAL_ERROR "help line not understood: '${line}'")
    endif()
  endforeach()
  foreach(part description usage commands sections)
    set(${prefix}_${part} "${${part}}" PARENT_SCOPE)
  endforeach()
endfunction()

help_text(lines)
parse_help(main "${lines}" ".SH" TRUE)
roff(usage "${main_usage}")
string(REGEX REPLACE "\n$" "" summary "${main_description}")
string(REPLACE "\n" " " summary "${summary}")
set(synopsis ".B ${usage}\n.br\n")
set(commands "")
foreach(command IN LISTS main_commands)
  help_text(lines ${command})
  parse_help(command "${lines}" ".PP\n.I" FALSE)
  roff(usage "${command_usage}")
  string(APPEND synopsis ".B ${usage}\n.br\n")
  string(APPEND commands ".SS ${command}\n${command_description}.PP\n.B ${usage}\n${command_sections}")
endforeach()

string(REPLACE "@COMMANDS@" ".SH COMMANDS\n${commands}" sections "${main_sections}")

roff(version "${VERSION}")
set(page ".TH PYLORA\\-CLI 1 \"\" \"Pylora ${version}\" \"User Commands\"
.SH NAME
pylora\\-cli \\- ${summary}
.SH SYNOPSIS
${synopsis}.SH DESCRIPTION
${main_description}${sections}.SH SEE ALSO
.BR pylora (1)
")
string(REPLACE "@SEMI@" ";" page "${page}")
string(REPLACE "@LB@" "[" page "${page}")
string(REPLACE "@RB@" "]" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
