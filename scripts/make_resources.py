#!/usr/bin/env python3
"""Writes the program's binary resources from the readable tables below.

    resources/settings_dialog.bin   IDD_SETTINGS as an extended dialog template (DLGTEMPLATEEX)
    resources/version_block.bin     the VS_VERSIONINFO block with the file version

Both are laid out byte for byte as Windows lays them out (little-endian, UTF-16
strings, DWORD alignment), so the dialog manager and the version reader handle
the same format a Windows resource compiler produces. The outputs are committed;
the build only embeds them. Run after editing a table:

    python3 scripts/make_resources.py
"""

import os
import struct

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# --- the settings dialog -------------------------------------------------------

LANGUAGE = 0x0411  # both resources carry language 0x0411
CODE_PAGE = 1200  # UTF-16

DIALOG = {
    "id": 129,  # IDD_SETTINGS
    "language": LANGUAGE,
    # WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_FIXEDSYS
    "style": 0x80C808C8,
    "ex_style": 0,
    "help_id": 0,
    "rect": (0, 0, 223, 67),
    "title": "Ostrivan",
    "font": {"points": 8, "weight": 400, "italic": 0, "charset": 1, "face": "MS Shell Dlg"},
}

BUTTON, STATIC, LISTBOX = 0x0080, 0x0082, 0x0083
IDOK, IDCANCEL, IDC_STATIC = 1, 2, 0xFFFFFFFF

# (class atom, id, text, x, y, cx, cy, style), in tab and mnemonic order.
CONTROLS = [
    (BUTTON, IDOK, "Start", 162, 25, 54, 14, 0x50030001),  # default push button, group, tab stop
    (BUTTON, IDCANCEL, "E&xit", 162, 44, 54, 14, 0x50010000),  # push button, tab stop
    (STATIC, IDC_STATIC, "&Resolution", 6, 7, 52, 10, 0x50020000),  # left-aligned label, group
    (LISTBOX, 1002, "", 6, 18, 66, 42, 0x50A30101),  # IDC_RESOLUTION_LIST: border, vscroll, notify, unsorted
    (BUTTON, 1004, "&Clone", 84, 18, 66, 12, 0x50020009),  # IDC_LAYOUT_CLONE: auto radio, starts the group
    (BUTTON, 1005, "&Horizontal span", 84, 30, 66, 13, 0x50000009),  # IDC_LAYOUT_HSPAN
    (BUTTON, 1006, "&Vertical span", 84, 42, 66, 13, 0x50000009),  # IDC_LAYOUT_VSPAN
    (STATIC, 1003, "Version 0.0", 162, 6, 54, 14, 0x50020201),  # IDC_VERSION_TEXT: centred, ends the radios
    (BUTTON, IDC_STATIC, "Display mode", 78, 6, 78, 54, 0x50000007),  # group box
]

# --- the version block ---------------------------------------------------------

FILE_VERSION = (1, 4, 2009, 215)
PRODUCT_VERSION = FILE_VERSION
VERSION_STRINGS = [
    ("FileVersion", "1, 4, 2009, 215"),
    ("ProductVersion", "1, 4, 2009, 215"),
]
FILE_FLAGS_MASK = 0x17
FILE_FLAGS = 0
FILE_OS = 0x00000004  # VOS__WINDOWS32
FILE_TYPE = 0x00000001  # VFT_APP
FILE_SUBTYPE = 0


# --- layout helpers ------------------------------------------------------------

def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def dialog_template(dialog, controls):
    x, y, cx, cy = dialog["rect"]
    out = struct.pack("<HHIIIHhhhh", 1, 0xFFFF, dialog["help_id"], dialog["ex_style"], dialog["style"],
                      len(controls), x, y, cx, cy)
    out += b"\0\0"  # no menu
    out += b"\0\0"  # the default dialog class
    out += utf16z(dialog["title"])
    font = dialog["font"]
    out += struct.pack("<HHBB", font["points"], font["weight"], font["italic"], font["charset"])
    out += utf16z(font["face"])
    for atom, ident, text, x, y, cx, cy, style in controls:
        out = pad4(out)  # every item starts on a DWORD boundary
        out += struct.pack("<IIIhhhhI", 0, 0, style, x, y, cx, cy, ident)
        out += struct.pack("<HH", 0xFFFF, atom)
        out += utf16z(text)
        out += struct.pack("<H", 0)  # no creation data
    return out


def version_node(key, value=b"", value_length=0, text=False, children=()):
    """One block of a version resource; its length excludes the padding that follows it."""
    out = struct.pack("<HHH", 0, value_length, 1 if text else 0) + utf16z(key)
    if value:
        out = pad4(out) + value
    for child in children:
        out = pad4(out) + child
    return struct.pack("<H", len(out)) + out[2:]


def version_block():
    ms = lambda v: (v[0] << 16) | v[1]
    ls = lambda v: (v[2] << 16) | v[3]
    fixed = struct.pack("<13I", 0xFEEF04BD, 0x00010000, ms(FILE_VERSION), ls(FILE_VERSION),
                        ms(PRODUCT_VERSION), ls(PRODUCT_VERSION), FILE_FLAGS_MASK, FILE_FLAGS,
                        FILE_OS, FILE_TYPE, FILE_SUBTYPE, 0, 0)
    strings = [version_node(name, utf16z(value), len(value) + 1, text=True) for name, value in VERSION_STRINGS]
    table = version_node("%04x%04x" % (LANGUAGE, CODE_PAGE), text=True, children=strings)
    string_info = version_node("StringFileInfo", text=True, children=[table])
    translation = version_node("Translation", struct.pack("<HH", LANGUAGE, CODE_PAGE), 4)
    var_info = version_node("VarFileInfo", text=True, children=[translation])
    return version_node("VS_VERSION_INFO", fixed, len(fixed), children=[string_info, var_info])


def write(name, data):
    with open(os.path.join(RESOURCES, name), "wb") as f:
        f.write(data)
    print("%s: %d bytes" % (name, len(data)))


if __name__ == "__main__":
    write("settings_dialog.bin", dialog_template(DIALOG, CONTROLS))
    write("version_block.bin", version_block())
