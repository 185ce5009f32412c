#!/usr/bin/env bash
# Renders icon 128 from res/harlix-wave-dump.svg into the PNGs the program and
# the desktop integration use, and packs the Windows icon file from them.
# Run it after changing the SVG and commit what it writes.
# Needs rsvg-convert (librsvg2-bin) and python3.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" res/harlix-wave-dump.svg \
        --output "res/icons/harlix-wave-dump-$size.png"
done

# An .ico file is a directory of images; each entry here is a whole PNG file.
python3 - res/harlix-wave-dump.ico res/icons/harlix-wave-dump-{16,24,32,48,256}.png <<'PY'
import struct, sys
target, sources = sys.argv[1], sys.argv[2:]
images = [open(path, 'rb').read() for path in sources]
offset = 6 + 16 * len(images)
directory = struct.pack('<HHH', 0, 1, len(images))
for data in images:
    width, height = struct.unpack('>II', data[16:24])
    directory += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
with open(target, 'wb') as out:
    out.write(directory + b''.join(images))
PY
