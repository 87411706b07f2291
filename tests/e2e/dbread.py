"""Database files read with olefile, a compound-file reader nobody here wrote:
[(bar name, [(button name, target) or "-"])] in stored order."""

import struct

import olefile


def _text(data, at):
    (length,) = struct.unpack_from("<i", data, at)
    return data[at + 4:at + 4 + length].decode("latin-1"), at + 4 + length


def read_bars(path):
    if not olefile.isOleFile(str(path)):
        raise AssertionError(f"{path} is no compound file")
    ole = olefile.OleFileIO(str(path))
    try:
        entries = ole.listdir(streams=True, storages=False)
        out = []
        for bar in sorted({int(e[0]) for e in entries if len(e) == 2}):
            name, _ = _text(ole.openstream([str(bar), "__quickrail_info__"]).read(), 0)
            buttons = []
            for button in sorted(int(e[1]) for e in entries if len(e) == 2 and e[0] == str(bar)
                                 and e[1] != "__quickrail_info__"):
                data = ole.openstream([str(bar), str(button)]).read()
                text, at = _text(data, 0)
                target, _ = _text(data, at)
                buttons.append((text, target) if text else "-")
            out.append((name, buttons))
        return out
    finally:
        ole.close()
