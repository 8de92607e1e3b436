# Sourced by scripts/test.sh: lets 32-bit Linux programs (Wine's 32-bit half)
# start through qemu user-mode emulation where the kernel cannot run them.
# About 50 s per 32-bit process: for a short smoke run, not a whole suite.
#   orbilux_qemu_start   0 when 32-bit programs now start in WINEPREFIX; else
#                        the reason in ORBILUX_QEMU_WHY
#   orbilux_qemu_stop    removes the entry, if orbilux_qemu_start made it

orbilux_binfmt=/proc/sys/fs/binfmt_misc
orbilux_qemu_entry=orbilux-qemu-i386
ORBILUX_QEMU_REGISTERED=0

orbilux_qemu_start() {
  local qemu=/usr/bin/qemu-i386-static
  ORBILUX_QEMU_WHY=
  if [ ! -x "$qemu" ]; then
    ORBILUX_QEMU_WHY="qemu-user-static is not installed"; return 1
  fi
  # A 64-bit prefix gets its 32-bit half (syswow64) only when Wine could run
  # 32-bit programs while making it; without one, every 32-bit program fails
  # ("could not load kernel32.dll"). Making the half under qemu takes longer
  # than the whole smoke run.
  if [ ! -f "${WINEPREFIX:-}/drive_c/windows/syswow64/kernel32.dll" ]; then
    ORBILUX_QEMU_WHY="the Wine prefix has no 32-bit half (Wine made it where 32-bit programs do not run)"
    return 1
  fi
  if [ ! -e "$orbilux_binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$orbilux_binfmt" 2>/dev/null
  fi
  if [ ! -w "$orbilux_binfmt/register" ]; then
    ORBILUX_QEMU_WHY="binfmt_misc cannot be registered on this machine"; return 1
  fi
  if ! compgen -G "$orbilux_binfmt/*i386*" >/dev/null; then
    # i386 ELF executables and shared objects; F opens the emulator now, so
    # it also serves programs started inside other mount namespaces.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    if ! printf '%s' ":$orbilux_qemu_entry:M::$magic:$mask:$qemu:F" >"$orbilux_binfmt/register" 2>/dev/null; then
      ORBILUX_QEMU_WHY="the kernel refused a binfmt_misc entry for qemu"; return 1
    fi
    ORBILUX_QEMU_REGISTERED=1
  fi
  if ! timeout 300 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    orbilux_qemu_stop
    ORBILUX_QEMU_WHY="Wine's 32-bit half does not start under qemu"; return 1
  fi
  return 0
}

orbilux_qemu_stop() {
  if [ "$ORBILUX_QEMU_REGISTERED" = 1 ]; then
    echo -1 >"$orbilux_binfmt/$orbilux_qemu_entry" 2>/dev/null
    ORBILUX_QEMU_REGISTERED=0
  fi
  return 0
}
