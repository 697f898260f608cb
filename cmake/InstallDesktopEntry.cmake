# Run at install time: installs the desktop entry with Exec naming the installed
# reelkeep by its absolute path under the prefix of this install (which may differ
# from the configured one), so the entry starts it even when that bin/ is not on PATH.
# Set before: REELKEEP_DESKTOP_SOURCE, REELKEEP_DESKTOP_STAGE (a build-tree folder),
# REELKEEP_DESKTOP_BINDIR and REELKEEP_DESKTOP_DATADIR (as configured, relative or absolute).
foreach(kind BINDIR DATADIR)
    set(folder ${REELKEEP_DESKTOP_${kind}})
    if(NOT IS_ABSOLUTE "${folder}")
        set(folder "${CMAKE_INSTALL_PREFIX}/${folder}")
    endif()
    set(${kind} "${folder}")
endforeach()
set(program "${BINDIR}/reelkeep")

# Exec's quoting: a path with characters the desktop entry format reserves is put in
# double quotes with ", `, $ and \ escaped; then the key's value escapes every
# backslash again and doubles the field code sign.
if(NOT program MATCHES "^[A-Za-z0-9_./+,:@=-]+$")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
    set(program "\"${program}\"")
    string(REPLACE "\\" "\\\\" program "${program}")
endif()
string(REPLACE "%" "%%" program "${program}")

# The Exec line is replaced in place (never the first line: the group header is).
file(READ "${REELKEEP_DESKTOP_SOURCE}" entry)
string(FIND "${entry}" "\nExec=" at)
if(at LESS 0)
    message(FATAL_ERROR "${REELKEEP_DESKTOP_SOURCE} has no Exec line")
endif()
math(EXPR at "${at} + 1")
string(SUBSTRING "${entry}" 0 ${at} head)
string(SUBSTRING "${entry}" ${at} -1 rest)
string(FIND "${rest}" "\n" end)
string(SUBSTRING "${rest}" ${end} -1 tail)
set(entry "${head}Exec=${program} %f${tail}")
# Staged under a name of its own per destination, so installs into different
# prefixes at the same time cannot mix their entries.
string(MD5 destination "$ENV{DESTDIR}${DATADIR}\n${program}")
set(staged "${REELKEEP_DESKTOP_STAGE}/${destination}/reelkeep.desktop")
file(WRITE "${staged}" "${entry}")
file(INSTALL DESTINATION "${DATADIR}/applications" TYPE FILE FILES "${staged}")
