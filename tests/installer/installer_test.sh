#!/usr/bin/env bash
# The installer's round trip under Wine, in a 64-bit prefix of its own:
# silent install, the saver choice and the uninstaller entry, the installed
# saver run, a second install, and the uninstaller with and without /PURGE.
# Usage: installer_test.sh SCR VERSION   (SCR: the x86_64 saver it installs)
# Exit 77 (skipped) where 32-bit Windows programs cannot run: the installer is one.
set -u
scr=$1 version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "${ORBILUX_NO_I686_WINE:-0}" = 1 ] || [ "${ORBILUX_FORCE_NO_I686_WINE:-0}" = 1 ]; then
  echo "SKIP: 32-bit Windows programs cannot run under Wine here; the installer is one"
  exit 77
fi
work=$(mktemp -d)
source "$root/scripts/test-env.sh"
orbilux_make_template || exit 1
export WINEPREFIX=$ORBILUX_WINE_DIR/installer
orbilux_new_prefix "$WINEPREFIX"
orbilux_start_wineserver
trap 'wineserver -k; rm -rf "$work" "$WINEPREFIX"' EXIT
source "$root/tests/check.sh"
# The value's data, or nothing when it is missing (the 64-bit registry view).
query() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
desktop='HKCU\Control Panel\Desktop'
settings='HKCU\software\plorvex\orbx_ss\Settings'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbilux'
system32=$WINEPREFIX/drive_c/windows/system32
copies() { find "$WINEPREFIX/drive_c" -iname orbilux.scr | wc -l; }
install() { wine "$work/orbilux-test-setup.exe" /S; }
# The uninstaller runs from a copy in the temporary folder: wait for its entry to go.
uninstall() {
  wine "$(query "$uninstall" InstallLocation)\\uninstall.exe" /S "$@"
  for _ in $(seq 100); do query "$uninstall" DisplayName | grep -q . || return 0; sleep 0.2; done
  return 1
}

bash "$root/installer/build-installer.sh" "$work/orbilux-test-setup.exe" "$version" "$scr" "$scr" || exit 1
wine reg add "$settings" /v RadiusFactor /t REG_DWORD /d 25 /f >/dev/null

check "silent install succeeds" install
check "the saver in the real System32" cmp -s "$scr" "$system32/orbilux.scr"
check "nothing in the 32-bit system folder" test ! -e "$WINEPREFIX/drive_c/windows/syswow64/orbilux.scr"
check "SCRNSAVE.EXE names it" test "$(query "$desktop" SCRNSAVE.EXE | tr A-Z a-z)" = 'c:\windows\system32\orbilux.scr'
check "ScreenSaveActive is 1" test "$(query "$desktop" ScreenSaveActive)" = 1
check "the uninstaller entry has the version" test "$(query "$uninstall" DisplayVersion)" = "$version"
location=$(query "$uninstall" InstallLocation)
check "the uninstaller is where the entry says" test -f "$(winepath -u "$location\\uninstall.exe" 2>/dev/null)"

# Wine's 64-bit loader: the 32-bit one would look in the redirected folder.
/usr/lib/wine/wine64 'C:\windows\system32\orbilux.scr' /s &
saver=$!
full_screen() { timeout 20 xdotool search --sync --onlyvisible --name 'Screen Saver' >/dev/null; }
check "the installed saver starts full screen" full_screen
xdotool key Escape
check "and ends on a key" timeout 20 tail --pid=$saver -f /dev/null

check "a second install succeeds" install
check "and leaves one copy" test "$(copies)" -eq 1

check "the uninstaller ends" uninstall
check "the saver is gone" test "$(copies)" -eq 0
check "its folder is gone" test ! -e "$(winepath -u "$location" 2>/dev/null)"
check "the saver choice is gone" test -z "$(query "$desktop" SCRNSAVE.EXE)"
check "the settings stay" test "$(query "$settings" RadiusFactor)" = 0x19

install
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f >/dev/null
check "the uninstaller with /PURGE ends" uninstall /PURGE
check "another saver's choice stays" test "$(query "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr'
check "/PURGE removes the settings" test -z "$(query "$settings" RadiusFactor)"

summary
