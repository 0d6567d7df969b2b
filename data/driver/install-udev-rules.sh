#!/bin/sh
# Installs the udev rules that let the user at the seat use key reassignment.
# Run as root (the program runs it through pkexec):
#   install-udev-rules.sh DRIVER_FOLDER [VVVV:PPPP ...]
# VVVV:PPPP are the served keyboards' vendor and product ids in hex.
# Exit codes: 0 installed, 1 bad arguments, 2 writing the rules failed.
set -eu

RULES_DIR=${TESSARO_RULES_DIR:-/etc/udev/rules.d}
TARGET="$RULES_DIR/70-tessaro.rules"

if [ "$#" -lt 1 ] || [ ! -f "$1/70-tessaro.rules" ]; then
  echo "usage: $0 DRIVER_FOLDER [VVVV:PPPP ...]" >&2
  exit 1
fi
folder=$1
shift

tmp=$(mktemp "$RULES_DIR/.70-tessaro.rules.XXXXXX") || exit 2
trap 'rm -f "$tmp"' EXIT
cat "$folder/70-tessaro.rules" > "$tmp" || exit 2
for id in "$@"; do
  # Only four hex digits each: the ids end up inside udev match strings.
  case "$id" in
    [0-9a-f][0-9a-f][0-9a-f][0-9a-f]:[0-9a-f][0-9a-f][0-9a-f][0-9a-f]) ;;
    *) echo "bad id: $id" >&2; exit 1 ;;
  esac
  vendor=${id%:*}
  product=${id#*:}
  {
    echo ""
    echo "# Keyboard $vendor:$product"
    echo "KERNEL==\"hidraw*\", SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"$vendor\", ATTRS{idProduct}==\"$product\", TAG+=\"uaccess\""
    echo "KERNEL==\"event*\", SUBSYSTEM==\"input\", ATTRS{id/vendor}==\"$vendor\", ATTRS{id/product}==\"$product\", TAG+=\"uaccess\""
  } >> "$tmp" || exit 2
done
chmod 0644 "$tmp" || exit 2
mv "$tmp" "$TARGET" || exit 2
trap - EXIT

# Rules written elsewhere (tests, packaging) touch nothing of the running
# system.
if [ -n "${TESSARO_RULES_DIR:-}" ]; then
  exit 0
fi

# Nothing below is fatal: without udev (a container) the rules take effect at
# the next boot.
modprobe uhid 2>/dev/null || true
modprobe uinput 2>/dev/null || true
if command -v udevadm >/dev/null 2>&1; then
  udevadm control --reload-rules 2>/dev/null || true
  udevadm trigger --subsystem-match=misc --subsystem-match=hidraw --subsystem-match=input \
    2>/dev/null || true
  udevadm settle --timeout=5 2>/dev/null || true
fi
exit 0
