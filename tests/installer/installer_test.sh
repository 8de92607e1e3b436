#!/usr/bin/env bash
# The installer under Wine, in a 64-bit prefix of its own, in a profile with
# no saver choice and no saver switch: the wizard as a user goes through it
# (no licence to accept, the title without stray spaces, the last page's
# "Open the Orbilux settings" ticked opens the settings dialog), the saver
# choice and the uninstaller entry, the installed saver run, a second install,
# and the uninstaller, which puts the choice and the switch back as they were
# before the first install and keeps the settings unless given /PURGE.
# Usage: installer_test.sh SCR VERSION WIZARD_DRIVER   (SCR: the x86_64 saver)
# Where 32-bit programs cannot run (ORBILUX_NO_I686_WINE=1, from
# scripts/test-env.sh), the same installer is built as a 64-bit program.
set -u
scr=$1 version=$2 driver=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
source "$root/scripts/test-env.sh"
[ -n "${ORBILUX_TEMPLATE:-}" ] || orbilux_choose_wine
orbilux_make_template || exit 1
export WINEPREFIX=$ORBILUX_WINE_DIR/installer
orbilux_new_prefix "$WINEPREFIX"
orbilux_start_wineserver
trap 'wineserver -k; rm -rf "$work" "$WINEPREFIX"' EXIT
source "$root/tests/check.sh"
# The value's data, or nothing when it is missing (the 64-bit registry view).
query() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
missing() { ! wine reg query "$1" /v "$2" /reg:64 >/dev/null 2>&1; }
desktop='HKCU\Control Panel\Desktop'
settings='HKCU\software\plorvex\orbx_ss\Settings'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbilux'
system32=$WINEPREFIX/drive_c/windows/system32
setup=$work/orbilux-test-setup.exe
copies() { find "$WINEPREFIX/drive_c" -iname orbilux.scr | wc -l; }
install() { wine "$setup" /S; }
# The uninstaller runs from a copy in the temporary folder: wait for its entry to go.
uninstall() {
  wine "$(query "$uninstall" InstallLocation)\\uninstall.exe" /S "$@"
  for _ in $(seq 100); do query "$uninstall" DisplayName | grep -q . || return 0; sleep 0.2; done
  return 1
}
# Sets (NAME DATA) or deletes (NAME) a value of the desktop key.
desktop_value() {
  if [ $# = 2 ]; then wine reg add "$desktop" /v "$1" /d "$2" /f >/dev/null; else wine reg delete "$desktop" /v "$1" /f >/dev/null 2>&1; fi
}
visible() { timeout 60 xdotool search --sync --onlyvisible --name "$1" >/dev/null; }
gone() { for _ in $(seq 300); do xdotool search --onlyvisible --name "$1" >/dev/null || return 0; sleep 0.2; done; return 1; }

if [ "${ORBILUX_NO_I686_WINE:-0}" = 1 ]; then
  echo "note: 32-bit programs cannot run here; testing the installer built as a 64-bit program"
  export ORBILUX_INSTALLER_TARGET=amd64-unicode
fi
bash "$root/installer/build-installer.sh" "$setup" "$version" "$scr" "$scr" >/dev/null || exit 1
wine reg add "$settings" /v RadiusFactor /t REG_DWORD /d 25 /f >/dev/null
desktop_value SCRNSAVE.EXE
desktop_value ScreenSaveActive
check "the profile starts without a saver switch" missing "$desktop" ScreenSaveActive

# The wizard, as a user: every page titled "Orbilux VERSION Setup", Finish
# with the box ticked, then the settings dialog on its own.
wine "$setup" >/dev/null 2>&1 &
wizard=$!
check "the wizard reaches Finish with the box ticked" wine "$driver" "Orbilux $version Setup" "Open the Orbilux settings"
dialog="^Orbilux Setup - Version ${version//./\\.}\$"
check "the settings dialog opens" visible "$dialog"
check "the wizard ends, the dialog stays" timeout 60 tail --pid=$wizard -f /dev/null
check "  (still there)" visible "$dialog"
xdotool key Escape
check "Escape closes the dialog" gone "$dialog"

check "the saver in the real System32" cmp -s "$scr" "$system32/orbilux.scr"
check "nothing in the 32-bit system folder" test ! -e "$WINEPREFIX/drive_c/windows/syswow64/orbilux.scr"
check "SCRNSAVE.EXE names it" test "$(query "$desktop" SCRNSAVE.EXE | tr A-Z a-z)" = 'c:\windows\system32\orbilux.scr'
check "ScreenSaveActive is 1" test "$(query "$desktop" ScreenSaveActive)" = 1
check "the uninstaller entry has the version" test "$(query "$uninstall" DisplayVersion)" = "$version"
location=$(query "$uninstall" InstallLocation)
folder=$(winepath -u "$location" 2>/dev/null)
check "the uninstaller is where the entry says" test -f "$folder/uninstall.exe"
check "the licence is beside it" cmp -s "$root/LICENSE" "$folder/LICENSE.txt"

# Wine's 64-bit loader: the 32-bit one would look in the redirected folder.
/usr/lib/wine/wine64 'C:\windows\system32\orbilux.scr' /s &
saver=$!
check "the installed saver starts full screen" visible 'Screen Saver'
xdotool key Escape
check "and ends on a key" timeout 20 tail --pid=$saver -f /dev/null

check "a second install succeeds" install
check "and leaves one copy" test "$(copies)" -eq 1

check "the uninstaller ends" uninstall
check "the saver is gone" test "$(copies)" -eq 0
check "its folder is gone" test ! -e "$folder"
check "no saver choice, as before" missing "$desktop" SCRNSAVE.EXE
check "no saver switch, as before" missing "$desktop" ScreenSaveActive
check "the settings stay" test "$(query "$settings" RadiusFactor)" = 0x19

# A profile with another saver, switched off: both come back.
desktop_value SCRNSAVE.EXE 'C:\windows\system32\other.scr'
desktop_value ScreenSaveActive 0
check "install over another saver" install
check "  makes Orbilux the saver" test "$(query "$desktop" SCRNSAVE.EXE | tr A-Z a-z)" = 'c:\windows\system32\orbilux.scr'
check "  and switches it on" test "$(query "$desktop" ScreenSaveActive)" = 1
check "the uninstaller ends" uninstall
check "the other saver is back" test "$(query "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr'
check "the switch is off again" test "$(query "$desktop" ScreenSaveActive)" = 0

# A choice the user made after the install stays.
install
desktop_value SCRNSAVE.EXE 'C:\windows\system32\later.scr'
check "the uninstaller with /PURGE ends" uninstall /PURGE
check "a saver chosen later stays" test "$(query "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\later.scr'
check "/PURGE removes the settings" test -z "$(query "$settings" RadiusFactor)"

summary
