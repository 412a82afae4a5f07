# Copies one of the page's files with the build's name in place of @TAMSEL_BUILD@.
# Run with -DIN=… -DOUT=… -DSTAMP=<build-stamp.txt>.
file(READ ${STAMP} TAMSEL_BUILD)
configure_file(${IN} ${OUT} @ONLY)
