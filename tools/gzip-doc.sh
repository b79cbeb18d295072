#!/bin/sh
# Compresses a document for installing: gzip -9n (no name or time stamp, so
# the same input gives the same bytes).  Usage: gzip-doc.sh IN OUT
set -e
mkdir -p "$(dirname "$2")"
gzip -9n -c "$1" > "$2"
