# Writes the manual page of brindle-cli from the program's own help texts, so that the page and
# `brindle-cli --help` cannot tell different stories.
#   cmake -DCLI=path/to/brindle-cli -DVERSION=2.3 -DOUT=brindle-cli.1 -P ManPage.cmake
# The overview comes from `brindle-cli --help`, one subsection per command from
# `brindle-cli COMMAND --help`; the texts keep their line layout (no-fill mode).

# Text as roff: backslashes escaped, minus signs as such, and a line that starts with a
# control character made plain.
function(roff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(help_of out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc
    ENCODING UTF-8)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed (${rc})")
  endif()
  string(STRIP "${text}" text)
  roff_text(text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(overview)
# The commands are the words after "brindle-cli " in the overview, in its order.
string(REGEX MATCHALL "brindle\\\\-cli [a-z]+" found "${overview}")
set(commands "")
foreach(entry IN LISTS found)
  string(REPLACE "brindle\\-cli " "" name "${entry}")
  list(APPEND commands ${name})
endforeach()
list(REMOVE_DUPLICATES commands)

set(page ".\\\" The brindle-cli manual page, made from its --help texts at build time.\n")
string(APPEND page ".TH BRINDLE\\-CLI 1 \"\" \"Brindle ${VERSION}\" \"Brindle\"\n")
string(APPEND page ".SH NAME\nbrindle\\-cli \\- проверка, очистка и пояснение конфигов консоли Counter\\-Strike 1.6\n")
string(APPEND page ".SH SYNOPSIS\n.nf\n${overview}\n.fi\n")
string(APPEND page ".SH DESCRIPTION\n")
string(APPEND page "Инструменты Brindle для текстов конфигов, без окон.\n")
string(APPEND page "Конфиги читаются и пишутся в кодировке Windows\\-1251 с переводами строк CR LF.\n")
string(APPEND page ".SH COMMANDS\n")
foreach(command IN LISTS commands)
  help_of(text ${command})
  string(APPEND page ".SS ${command}\n.nf\n${text}\n.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR brindle (1)\n")
file(WRITE "${OUT}" "${page}")
