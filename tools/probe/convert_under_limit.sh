#!/usr/bin/env bash
# splot-probe convert under a file-size limit: the write fails, the probe says
# so and exits non-zero, and the folder holds nothing but the input (no
# partial output, no temporary file).
#   convert_under_limit.sh PROBE FOLDER
set -euo pipefail
probe=$1
folder=$2
rm -rf "$folder"
mkdir -p "$folder"

le() { # VALUE BYTES: the value as little-endian bytes
    local v=$1 n=$2 out=""
    for ((i = 0; i < n; i++)); do
        out+=$(printf '\\%03o' $(((v >> (8 * i)) & 255)))
    done
    printf "$out"
}

# A 1500 x 1500 picture of noise, 24 bits: rows of 4500 bytes need no padding.
size=$((1500 * 1500 * 3))
{
    printf 'BM'
    le $((54 + size)) 4; le 0 4; le 54 4
    le 40 4; le 1500 4; le 1500 4; le 1 2; le 24 2; le 0 4; le "$size" 4; le 2835 4; le 2835 4; le 0 4; le 0 4
    head -c "$size" /dev/urandom
} >"$folder/noise.bmp"

status=0
message=$( (ulimit -f 400 && exec "$probe" convert "$folder/noise.bmp" "$folder/noise.png") 2>&1) || status=$?
left=$(ls -A "$folder")
echo "exit status $status; message: $message; left: $left"
[ "$status" -ne 0 ] || { echo "FAIL: the probe reported success"; exit 1; }
[ "$status" -lt 128 ] || { echo "FAIL: the probe was ended by a signal"; exit 1; }
case $message in
*"cannot write $folder/noise.png: File too large"*) ;;
*) echo "FAIL: no message naming the file and the reason"; exit 1 ;;
esac
[ "$left" = "noise.bmp" ] || { echo "FAIL: the folder holds more than the input"; exit 1; }
rm -rf "$folder"
echo "PASS"
