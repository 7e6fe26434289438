#!/usr/bin/env bash
# clean-cdrive.sh FOLDER SHOTS: starts Merivane.exe from FOLDER under Wine on the current
# display, opens the C-drive page, clicks "开始扫描", waits for the scan, clicks "立即清理"
# and waits for the clean, as a user would with the tiles ticked by default. Screenshots of
# both ends go to SHOTS (cdrive-scanned.png, cdrive-cleaned.png). What was deleted is the
# caller's to check.
set -euo pipefail
folder=$1 shots=$2
source "$(dirname "$0")/window-lib.sh"
mkdir -p "$shots"
start_window "$folder"
open_page 1
sleep 2
click 970 164 # 开始扫描
sleep 15
import -window root "$shots/cdrive-scanned.png"
click 1007 123 # 立即清理, where the scan's result puts it
sleep 10
import -window root "$shots/cdrive-cleaned.png"
