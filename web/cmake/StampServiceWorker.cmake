# Writes the site's service worker from its template: the list of files to
# cache, the build's name, and a cache name made from both and the files'
# contents. Run with -DSITE=… -DTEMPLATE=… -DSTAMP=<build-stamp.txt>.
file(READ ${STAMP} TAMSEL_BUILD)
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
# The compressed twins are the server's business; the worker keeps what they unpack to.
list(FILTER files EXCLUDE REGEX "\\.(br|gz)$")
list(SORT files)
set(digests "")
set(CACHED_FILES "'./'")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file}:${digest}\n")
    string(APPEND CACHED_FILES ",\n    './${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 CACHE_VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
