"""Writes each named file's .br and .gz beside it, for servers that send a
file's compressed twin to browsers that take it (see README)."""
import brotli
import gzip
import sys

for name in sys.argv[1:]:
    with open(name, 'rb') as f:
        data = f.read()
    with open(name + '.br', 'wb') as f:
        f.write(brotli.compress(data, quality=11))
    with open(name + '.gz', 'wb') as f:
        f.write(gzip.compress(data, compresslevel=9, mtime=0))
