#!/usr/bin/env bash
# 32-bit Windows programs run here through Wine's 32-bit loader, an i386
# Linux program that the kernel hands to qemu's user-mode emulator through
# binfmt_misc (the kernel itself runs no 32-bit code). The binfmt entry is
# lost at every reboot and no package adds it, so the test command checks it.
#   i386-support.sh register   registers the entry (before wine32 is installed)
#   i386-support.sh check      registers it when missing, then checks that
#                              32-bit Wine runs; names the missing piece if not
set -euo pipefail

QEMU=/usr/bin/qemu-i386-static
[ -x "$QEMU" ] || QEMU=/usr/bin/qemu-i386
WINE32=/usr/lib/wine/wine
BINFMT=/proc/sys/fs/binfmt_misc

register() {
  if [ ! -x "$QEMU" ]; then
    echo "i386: no qemu-i386 emulator: install qemu-user-static from $(. /etc/os-release; echo "$VERSION_CODENAME")-backports (bash .ci/install-packages)" >&2
    return 1
  fi
  mountpoint -q "$BINFMT" || mount -t binfmt_misc binfmt_misc "$BINFMT"
  [ -e "$BINFMT/qemu-i386" ] && echo -1 > "$BINFMT/qemu-i386"
  # The i386 ELF header's magic and mask; F pins the emulator binary, so the
  # entry works inside other mount namespaces too.
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":qemu-i386:M::$magic:$mask:$QEMU:OCF" > "$BINFMT/register"
}

wine32_runs() { "$WINE32" --version >/dev/null 2>&1; }

check() {
  if [ ! -x "$WINE32" ]; then
    echo "i386: 32-bit Wine is not installed ($WINE32 missing): install wine32:i386 (bash .ci/install-packages)" >&2
    return 1
  fi
  wine32_runs && return 0
  register
  if ! wine32_runs; then
    echo "i386: $WINE32 does not run even with the qemu-i386 binfmt entry registered ($QEMU):" >&2
    "$WINE32" --version >&2 || true
    return 1
  fi
}

case "${1:-check}" in
  register) register ;;
  check) check ;;
  *) echo "usage: $0 register|check" >&2; exit 2 ;;
esac
