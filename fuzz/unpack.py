# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Seeds from a real export for the targets that read what an archive holds, unpacked:
#   unpack.py entries ARCHIVE OUT   every entry: a name line, a 4-byte little-endian length, the bytes
#   unpack.py texts ARCHIVE OUT     the set's three texts joined by NUL bytes (missing ones empty)
import struct
import sys
import zipfile

mode, archive_path, out_path = sys.argv[1:4]
with zipfile.ZipFile(archive_path) as archive, open(out_path, 'wb') as out:
    names = [info.filename for info in archive.infolist() if not info.is_dir()]
    if mode == 'entries':
        for name in names:
            data = archive.read(name)
            out.write(name.encode() + b'\n' + struct.pack('<I', len(data)) + data)
    else:
        texts = ['textes/familles.txt', 'textes/album.txt', 'textes/votz.txt']
        out.write(b'\0'.join(archive.read(t) if t in names else b'' for t in texts))
