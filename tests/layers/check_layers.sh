#!/usr/bin/env bash
# Checks that the folders are the layers: nothing below src/app includes a header of
# src/app, the standard-library cores include no Qt header, and the cores' test programs
# load no Qt library.
# Usage: check_layers.sh SOURCE_DIR [CORE_TEST_PROGRAM ...]
set -u
src=$1/src
shift
status=0

above_app=$(grep -rln --include='*.h' --include='*.cpp' '#include "app/' "$src" |
            grep -v -e "^$src/app/" -e "^$src/cli/")
if [ -n "$above_app" ]; then
  echo "files below src/app include a header of src/app:"
  echo "$above_app" | sed 's/^/  /'
  status=1
fi

# The cores and the platform layer's POSIX part; their qt/ folders are the Qt adapters.
for dir in appcore recordings container road platform; do
  qt=$(grep -rln --include='*.h' --include='*.cpp' -E '#include <Q|#include "platform/qt/' \
         "$src/$dir" | grep -v "^$src/$dir/qt/")
  if [ -n "$qt" ]; then
    echo "src/$dir (standard library only) includes Qt:"
    echo "$qt" | sed 's/^/  /'
    status=1
  fi
done

for program in "$@"; do
  libs=$(ldd "$program" | grep -i 'libQt')
  if [ -n "$libs" ]; then
    echo "$(basename "$program") loads Qt:"
    echo "$libs" | sed 's/^/  /'
    status=1
  fi
done
[ $status -eq 0 ] && echo "layers hold"
exit $status
