# Names the build after its sources: every file of the page that runs code or
# styles it carries the name, so the page can tell files of two builds apart.
# Run with -DSOURCES=<file listing the sources> -DOUT=<directory>.
file(STRINGS ${SOURCES} sources)
set(digests "")
foreach(file IN LISTS sources)
    file(SHA256 ${file} digest)
    string(APPEND digests "${digest}\n")
endforeach()
string(SHA256 stamp "${digests}")
string(SUBSTRING ${stamp} 0 16 stamp)
# Rewritten only when the name changes, so that nothing is built again for nothing.
function(write_if_changed file content)
    set(old "")
    if(EXISTS ${file})
        file(READ ${file} old)
    endif()
    if(NOT old STREQUAL content)
        file(WRITE ${file} "${content}")
    endif()
endfunction()
write_if_changed(${OUT}/BuildStamp.h "#pragma once\n#define TAMSEL_BUILD \"${stamp}\"\n")
write_if_changed(${OUT}/build-stamp.txt "${stamp}")
