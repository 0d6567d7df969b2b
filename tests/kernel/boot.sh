#!/usr/bin/env bash
# Boots Debian's kernel under QEMU with the guest test programs and collects
# their result lines. The CTest fixture of the kernel tier; kernel_case.sh
# turns the lines into one CTest result per case.
#
#   boot.sh --cache DIR --work DIR --data DIR [--file PATH]...
#           [--case NAME]... [--program PATH]...
#
# Every program runs as root in the guest with the guest's copy of --data as
# its argument. The result file (<work>/results) holds the guest's lines, or
# "SKIPPED: <reason>" when the tier cannot run here (exit 77).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
modules="hid uhid hid-generic evdev uinput"
cache= work= data=
files=() cases=() programs=()
while [ $# -gt 0 ]; do
  case $1 in
    --cache) cache=$2 ;;
    --work) work=$2 ;;
    --data) data=$2 ;;
    --file) files+=("$2") ;;
    --case) cases+=("$2") ;;
    --program) programs+=("$2") ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
: "${cache:?--cache}" "${work:?--work}" "${data:?--data}"
results="$work/results"
mkdir -p "$work"
rm -f "$results"
started=$(date +%s%N)

skip() {
  echo "SKIPPED: $*" | tee "$results"
  exit 77
}
fail() {
  echo "FAILED: $*" | tee "$results"
  exit 1
}

command -v qemu-system-x86_64 >/dev/null ||
  skip "qemu-system-x86_64 is not installed (scripts/setup.sh installs qemu-system-x86)"

set +e
fetched=$("$here/fetch.sh" "$cache" $modules)
status=$?
set -e
[ $status -eq 77 ] && skip "no kernel: see the message above"
[ $status -eq 0 ] || fail "fetching the kernel failed ($status)"
kernel=$(sed -n 's/^kernel=//p' <<<"$fetched")
busybox=$(sed -n 's/^busybox=//p' <<<"$fetched")

# The guest's root: busybox, the modules, the programs and every shared
# library they load (found by ldd; libraries beside a program stay beside it,
# as its $ORIGIN run path expects).
root="$work/root"
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,modules,tests,data}
cp "$busybox" "$root/bin/busybox"
cp "$kernel"/modules/*.ko "$kernel/modules/order" "$root/modules/"
cp -r "$data"/. "$root/data/"
for f in "${files[@]}"; do cp "$f" "$root/tests/"; done
: >"$root/tests/list"
for program in "${programs[@]}"; do
  cp "$program" "$root/tests/"
  basename "$program" >>"$root/tests/list"
  program_dir=$(dirname "$(readlink -f "$program")")
  ldd "$program" | awk '/=> \//{print $3} /^\t\//{print $1}' | while read -r lib; do
    if [ "$(dirname "$(readlink -f "$lib")")" = "$program_dir" ]; then
      target="$root/tests/$(basename "$lib")"
    else
      target="$root$lib"
    fi
    [ -e "$target" ] && continue
    mkdir -p "$(dirname "$target")"
    cp -L "$lib" "$target"
  done
done
# Debug information is most of a sanitizer build's size, and the whole image
# is unpacked into the guest's memory: keep only the symbols.
find "$root/tests" "$root/lib" "$root/usr" -type f \( -name '*.so*' -o -perm -u+x \) \
  -exec strip --strip-debug {} + 2>/dev/null || true

cat >"$root/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
# Nothing loads modules in this guest: hid-generic must be there before any
# uhid device is made, or no hidraw or event nodes appear.
for module in $(cat /modules/order); do
  insmod /modules/$module || echo "TESSARO-GUEST module $module did not load"
done
export LSAN_OPTIONS=suppressions=/tests/lsan.supp:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1
for program in $(cat /tests/list); do
  echo "TESSARO-GUEST run $program"
  timeout 120 /tests/$program /data
  echo "TESSARO-GUEST exit $program $?"
done
echo "TESSARO-GUEST done"
poweroff -f
INIT
chmod +x "$root/init"
(cd "$root" && find . | "$busybox" cpio -o -H newc 2>/dev/null) >"$work/initramfs.cpio"

# The image is unpacked into memory beside its own copy, and a sanitizer
# build of the programs with every library they load comes to some 80 MB:
# 1 GB leaves room. no_timer_check: under TCG on a busy host the kernel's check of the IO-APIC
# timer can time out and panic the boot.
boot() {
  timeout "${TESSARO_KERNEL_TIMEOUT:-240}" qemu-system-x86_64 -M q35 -accel tcg -cpu max -m 1024 \
    -smp 1 -nodefaults -display none -serial stdio -no-reboot \
    -kernel "$kernel/vmlinux" -initrd "$work/initramfs.cpio" \
    -append "console=ttyS0 quiet panic=-1 no_timer_check" </dev/null >"$log" 2>&1
}
log="$work/console.log"
set +e
boot
status=$?
if ! grep -q '^TESSARO-GUEST run' "$log"; then
  # The kernel died before the tests began: a fault of the emulation, not of
  # the code under test. Once more, with the first console kept.
  mv "$log" "$work/console-first-boot.log"
  echo "the guest did not reach its tests; booting once more (first console: $work/console-first-boot.log)"
  boot
  status=$?
fi
set -e
tr -d '\r' <"$log" >"$log.txt" && mv "$log.txt" "$log"
grep -v '^TESSARO-CASE ' "$log" | sed 's/^/guest| /' || true
[ $status -eq 124 ] && fail "the guest did not power off within ${TESSARO_KERNEL_TIMEOUT:-240} s (log: $log)"
[ $status -eq 0 ] || fail "qemu exited with $status (log: $log)"
grep -q '^TESSARO-GUEST done' "$log" || fail "the guest stopped before its tests ended (log: $log)"

grep '^TESSARO-CASE ' "$log" >"$results" || true
cat "$results"
# Failed cases are reported by their own CTest tests; the boot fails only
# when the guest's report is incomplete or a program failed outside its cases
# (a crash, a sanitizer report).
bad=0
for name in "${cases[@]}"; do
  grep -q "^TESSARO-CASE [A-Z]* $name:" "$results" || { echo "case $name did not report"; bad=1; }
done
while read -r _ _ name _; do
  name=${name%:}
  [[ " ${cases[*]} " == *" $name "* ]] || { echo "case $name is not registered with CTest"; bad=1; }
done <"$results"
if ! grep -q '^TESSARO-CASE FAIL ' "$results"; then
  for program in "${programs[@]}"; do
    name=$(basename "$program")
    grep -q "^TESSARO-GUEST exit $name 0$" "$log" || { echo "$name did not exit with 0"; bad=1; }
  done
fi
elapsed=$((($(date +%s%N) - started) / 1000000))
printf "kernel tier: %d.%03d s\n" $((elapsed / 1000)) $((elapsed % 1000))
exit $bad
