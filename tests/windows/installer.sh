#!/usr/bin/env bash
# The player's installer under Wine: a silent install (/S) for this user, the program started through
# the ticket file type it registered, and a silent uninstall that leaves only the player's own files.
#   tests/windows/installer.sh SETUP_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/windows_tools.sh"
setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
empty=$(mktemp -d "${TMPDIR:-/tmp}/qo-empty.XXXXXX")
qo_windows_session "$empty"
rmdir "$empty"
setxkbmap -layout ru,us

users="$WINEPREFIX/drive_c/users/$(id -un)"
folder="$users/AppData/Local/Programs/Фишкодром"
menu_entry="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Фишкодром.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\fishkodrom'
rm -rf "$folder" "$menu_entry"

reg_has() { wine reg query "$1" >/dev/null 2>&1; }
reg_value() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }

check "the installer runs silently for this user" wine "$setup" /S
check "the program, its libraries, plugin, style, translation and sounds are installed" \
  test -f "$folder/fishkodrom.exe" -a -f "$folder/Qt6Widgets.dll" -a -f "$folder/platforms/qwindows.dll" \
  -a -f "$folder/styles/qwindowsvistastyle.dll" -a -f "$folder/translations/qtbase_ru.qm" -a -f "$folder/Звук3.wav"
check "a Start menu entry is made" test -f "$menu_entry"
check "ticket files (.tkt) are the program's" test "$(reg_value 'HKCU\Software\Classes\.tkt')" = "Fishkodrom.Ticket"
check "a ticket file opens in the installed program" \
  grep -q 'fishkodrom.exe" "%1"' <(reg_value 'HKCU\Software\Classes\Fishkodrom.Ticket\shell\open\command')
check "the uninstaller is listed among the installed programs" reg_has "$uninstall_key"

# Started as the registered command starts it for a double-clicked ticket file. (Wine's shell reads
# file types from the machine's classes only, not the user's, so it is started here directly.)
printf '7;18;29;\r\nС установщика\r\n' | iconv -f utf-8 -t cp1251 >"$work/Билеты/из меню.tkt"
check "the installed program starts with a ticket file" \
  qo_win_start "$folder/fishkodrom.exe" "$(qo_win "$work/Билеты/из меню.tkt")"
check "the ticket file's numbers stand in ticket 1" qo_wait_for 100 kept_has "^cells 7;18;29;"
check "the installed program closes" qo_win_close
check "the installed program ends with exit code 0 (it ended with $rc)" test "$rc" = 0
check "its settings file lies beside it, in the folder it was installed to" test -f "$folder/Параметры.ini"

check "the uninstaller runs silently" wine "$folder/uninstall.exe" /S
# The uninstaller runs from a copy of itself and returns at once: wait for it to finish.
check "the uninstaller takes the program away" qo_wait_for 300 test ! -e "$folder/uninstall.exe"
check "nothing it installed is left" test "$(cd "$folder" && find . -mindepth 1 | sort | tr '\n' ' ')" = "./Параметры.ini "
check "the Start menu entry is gone" test ! -e "$menu_entry"
check "the ticket file type is gone" bash -c "! wine reg query 'HKCU\\Software\\Classes\\Fishkodrom.Ticket' >/dev/null 2>&1"
check "the uninstaller is no longer listed" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "the player's kept game stays" test -f "$kept"
echo "The installer: every check passed"
