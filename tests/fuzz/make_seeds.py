#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into seeds/<target>/.

The records are built here from their byte layout, independently of the C++
encoders, so the seeds also show what a well-formed stream looks like.
Run it again after a layout change; the files are small and committed.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def i32(v):
    return struct.pack('<i', v)


def text(b):
    return i32(len(b)) + b


def button(name=b'', target=b'', workdir=b'', args=b'', show=1, kind=-1, icon=b'', index=0,
           available=1, separator=0):
    return (text(name) + text(target) + text(workdir) + text(args) + i32(show) + i32(kind) +
            text(icon) + i32(index) + i32(available) + i32(separator) + b'\0' * 128)


def bar(name, on_launch=0, on_timer=0, after=0, icon=b'', index=0, available=1):
    out = text(name) + i32(on_launch) + i32(on_timer) + i32(after) + text(icon)
    if icon:
        out += i32(index)
    return out + i32(available)


def shortcut(flags, base, folder, suffix=b''):
    """A shell link: header, item list, link information (local base path and
    suffix), then the name and working folder strings (wide with flag 0x80)."""
    out = struct.pack('<I', 0x4C) + bytes.fromhex('0114020000000000C000000000000046')
    out += struct.pack('<I', flags) + b'\0' * (0x4C - 24)
    out += struct.pack('<H', 4) + b'ab\0\0'
    local = 0x1C + 0x10
    after = local + len(base) + 1
    out += struct.pack('<7I', after + len(suffix) + 1, 0x1C, 1, 0x1C, local, 0, after)
    out += b'\0' * 0x10 + base + b'\0' + suffix + b'\0'
    for text in (b'Orvantis', folder):
        out += struct.pack('<H', len(text)) + (text.decode().encode('utf-16-le') if flags & 0x80 else text)
    return out


SEPARATOR = button(separator=1)
NOTEPAD = button(b'Notepad', b'C:\\Windows\\notepad.exe', b'C:\\Windows', b'readme.txt', 1, 0,
                 b'C:\\Windows\\notepad.exe', 0)
FOLDER = button(b'Windows', b'C:\\Windows', kind=1)
WEB = button(b'Site', b'http://www.example.com/', kind=2, icon=b'Orvantis.Quickrail Web Site.url')
RELATIVE = button(b'Local', b'lbars.acc', kind=0)


def tree(children):
    """The host's compound-file bytes: ('D', name, children) or ('S', name, data)."""
    def node_list(items):
        out = struct.pack('<I', len(items))
        for kind, name, body in items:
            out += kind.encode() + struct.pack('<I', len(name)) + name
            out += node_list(body) if kind == 'D' else struct.pack('<I', len(body)) + body
        return out
    return b'QRMEMSTG' + node_list(children)


def bar_storage(name, record, buttons):
    items = [('S', b'__quickrail_info__', record)]
    items += [('S', str(i).encode(), b) for i, b in enumerate(buttons)]
    return ('D', name, items)


DATABASES = {
    'two_bars': tree([('S', b'__database_info__', i32(1)),
                      bar_storage(b'0', bar(b'Main', icon=b'C:\\Windows\\explorer.exe', index=2),
                                  [NOTEPAD, SEPARATOR, FOLDER]),
                      bar_storage(b'1', bar(b'Web', 1, 1, 5000), [WEB, RELATIVE])]),
    'twelve_bars_reversed': tree([('S', b'__database_info__', i32(10))] +
                                 [bar_storage(str(n).encode(), bar(b'Bar %d' % n), [SEPARATOR])
                                  for n in reversed(range(12))]),
    'odd_names': tree([bar_storage(b'x', bar(b'Named'), []),
                       ('D', b'2', [('S', b'__quickrail_info__', bar(b'Two')),
                                    ('S', b'ten', NOTEPAD), ('S', b'10', FOLDER),
                                    ('D', b'sub', [])]),
                       ('D', b'3', [('S', b'0', NOTEPAD)]),
                       ('S', b'stray', b'abc')]),
    'damaged_lengths': tree([('S', b'__database_info__', i32(0)),
                             bar_storage(b'0', bar(b'Ok'), [NOTEPAD[:40], i32(-5) + NOTEPAD[4:],
                                                            i32(0x7FFFFFF0) + NOTEPAD[4:]]),
                             ('D', b'1', [('S', b'__quickrail_info__', i32(1000) + b'short')])]),
    'empty': tree([]),
    # A bar exported to a ".qrbar" file: no home bar, the program's own icon
    # stored as an empty path.
    'one_bar_export': tree([('S', b'__database_info__', i32(-1)),
                            bar_storage(b'0', bar(b'Tools'), [NOTEPAD, SEPARATOR, WEB])]),
}


def drop_files(names, wide, offset=20):
    """A CF_HDROP block: pFiles, the drop point, fNC, fWide, then the names."""
    out = struct.pack('<IiiII', offset, 10, 20, 0, 1 if wide else 0) + b'\0' * (offset - 20)
    for name in names + ['']:
        out += name.encode('utf-16-le') + b'\0\0' if wide else name.encode('latin-1') + b'\0'
    return out


def drop_input(block, as_text=False, one_address=False):
    """fuzz_drop_data reads its choices from the end: the limit (0: the
    program's own), text or files, one address or lines."""
    return block + bytes([int(one_address), int(as_text), 0])


DROPS = {
    'files': drop_input(drop_files(['C:\\a.txt', 'C:\\Tools', 'C:\\Links\\Editor.lnk'], False)),
    'wide_files': drop_input(drop_files(['C:\\\u03a9mega.txt', 'D:\\\u65e5\u672c'], True)),
    'offset_further_on': drop_input(drop_files(['C:\\a'], False, 32)),
    'cut': drop_input(drop_files(['C:\\a', 'C:\\bcd'], True)[:-5]),
    'addresses': drop_input(b'https://a.example/\r\nwww.b.example\r\n\0', as_text=True),
    'one_address': drop_input(b'intranet page\0', as_text=True, one_address=True),
}


SEEDS = {
    'fuzz_button_record': {
        'separator': SEPARATOR, 'file': NOTEPAD, 'folder': FOLDER, 'web': WEB,
        'truncated': NOTEPAD[:30], 'zero_inside': button(b'Note\0pad', b'x'),
        'negative_length': i32(-1) + SEPARATOR[4:], 'empty': b'',
    },
    'fuzz_bar_record': {
        'with_icon': bar(b'Main', 1, 0, 250, b'C:\\icons.dll', 7, 1),
        'no_icon': bar(b'Plain'), 'truncated': bar(b'Cut', icon=b'a.ico', index=1)[:18],
        'icon_all_zeros': bar(b'Z', icon=b'\0\0\0', index=3), 'huge_length': i32(0x40000000) + b'x',
    },
    'fuzz_database_info': {'none': i32(-1), 'first': i32(0), 'short': b'\x01\x00', 'long': i32(3) + b'tail'},
    'fuzz_element_order': {
        'mixed': b'10\n2\n/0\nabc\n1\n007\n7\n__quickrail_info__\n99999999999\n\n/x',
        'reversed': b'\n'.join(str(n).encode() for n in reversed(range(15))),
    },
    'fuzz_memory_storage_file': dict(DATABASES),
    'fuzz_database_load': dict(
        [(name, b'\x00' + data) for name, data in DATABASES.items()] +
        [('two_bars_reversed', b'\x01' + DATABASES['two_bars']),
         ('failing_enumerate', bytes([(8 + 1) << 1 | (1 << 5)]) + DATABASES['two_bars']),
         ('failing_open_storage', bytes([(4 + 1) << 1 | (1 << 5)]) + DATABASES['twelve_bars_reversed']),
         ('garbage', b'\x00not a compound file')]),
    'fuzz_settings_ini': {
        'written': (b'[view]\r\nAutoHide=0\r\nAlwaysOnTop=1\r\nEdge=3\r\nLargeIcon=0\r\nFlatButtons=1\r\n'
                    b'ColorBk=15790320\r\nColorText=0\r\nColorClockBk=16777215\r\n[prog]\r\nStartWindows=1\r\n'
                    b'AskAutoStart=0\r\nSmoothly=1\r\nCurrentBar=2\r\nLogo=1\r\nLastAdd=1\r\nSplash=0\r\n'
                    b'UseToolTips=1\r\nSysTrayIcon=1\r\n[clock]\r\nShowBlock=1\r\nShowCal=1\r\nShowClock=1\r\n'
                    b'PosLeft=1\r\nOneLine=0\r\nCalType=4\r\nCalSepType=1\r\nDayOfWeek=1\r\nShowYear =1\r\n'
                    b'ClockSepType=0\r\nType12h=0\r\nSec=1\r\nFont_Height=-12\r\nFont_Width=0\r\n'
                    b'Font_Escapement=0\r\nFont_Orientation=0\r\nFont_Weight=700\r\nFont_Italic=0\r\n'
                    b'Font_Underline=0\r\nFont_StrikeOut=0\r\nFont_CharSet=204\r\nFont_OutPrecision=3\r\n'
                    b'Font_ClipPrecision=2\r\nFont_Quality=1\r\nFont_PitchAndFamily=Arial\r\nFontSize=9\r\n'),
        'hand_edited': (b'\xef\xbb\xbf; comment\n[ VIEW ]\nedge = 0x2\nEdge=1\nColorBk="255"\n[clock\n'
                        b'[clock]\nShowYear=0\nFont_PitchAndFamily=\'  Courier New Cyr Long Name Beyond 31\'\n'
                        b'CalType=-99999999999\nFont_CharSet=-1\n[prog]\nFloating=1\nCurrentBar=\n\x1a'),
        'empty_section_header': b'[view]\r[]\nFloating=1',
        'empty': b'',
    },
    'fuzz_profile_int': {name: value for name, value in [
        ('negative', b'-12'), ('hex', b'0x1F'), ('octal', b'0o17'), ('binary', b'-0b101'),
        ('trailing', b'  42abc'), ('wrapping', b'99999999999999999999'), ('quoted', b"'7'"),
        ('long', b'1' * 40), ('letters', b'abc')]},
    'fuzz_version_text': {name: value for name, value in [
        ('one', b'1'), ('dotted', b' \t2.5.1'), ('negative', b'-3'), ('none', b'abc'),
        ('over', b'2147483648'), ('under', b'-2147483649'), ('newline', b'\n7')]},
    'fuzz_drop_data': DROPS,
    'fuzz_url_file': {
        'plain': b'[InternetShortcut]\r\nURL=http://www.orvantis.example/\r\n',
        'with_icon': b'[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL="https://h/p?q=1"\r\nIconIndex=1\r\n',
        'no_url': b'[InternetShortcut]\nIconFile=C:\\x.ico\n',
        'long': b'[InternetShortcut]\nURL=http://h/' + b'a' * 33000 + b'\n',
    },
    'fuzz_shortcut_file': {'narrow': shortcut(0x17, b'C:\\Q\\Orvantis.exe', b'C:\\Q'),
                           'wide': shortcut(0x97, b'C:\\Q\\', b'C:\\Q', suffix=b'Orvantis.exe'),
                           'no_folder': shortcut(0x07, b'C:\\Q\\Orvantis.exe', b'')},
    'fuzz_clock_text': {'zeros': b'\0' * 64, 'ones': b'\x01' * 64, 'mixed': bytes(range(256)),
                        'high': b'\xff' * 64},
}


def main():
    root = os.path.join(HERE, 'seeds')
    for target, seeds in SEEDS.items():
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), 'wb') as f:
                f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
