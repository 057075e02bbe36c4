#!/usr/bin/env python3
"""Prints the version information of a Windows program, as `wrestool -x -t16 --raw` extracts
it, one line per value: "FILEVERSION 1.0.0.0", "PRODUCTVERSION ...", "<block>/<key>=<text>"
for each string and "Translation=<language> <code page>", both in hexadecimal and decimal."""

import struct
import sys


def align(offset):
    return (offset + 3) & ~3


def node(data, offset):
    """(key, value, children, end) of the node at `offset`."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_end = offset + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[offset + 6:key_end].decode("utf-16-le")
    at = align(key_end + 2)
    size = value_length * 2 if kind == 1 else value_length
    raw = data[at:at + size]
    value = raw.decode("utf-16-le").rstrip("\0") if kind == 1 else raw
    at = align(at + size)
    children = []
    while at < end:
        child = node(data, at)
        children.append(child)
        at = align(child[3])
    return key, value, children, end


def main():
    data = sys.stdin.buffer.read()
    key, fixed, children, _ = node(data, 0)
    assert key == "VS_VERSION_INFO", key
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    assert signature == 0xFEEF04BD, hex(signature)
    for name, ms, ls in (("FILEVERSION", file_ms, file_ls), ("PRODUCTVERSION", product_ms, product_ls)):
        print(f"{name} {ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
    for name, _, blocks, _ in children:
        if name == "StringFileInfo":
            for block, _, strings, _ in blocks:
                for key, text, _, _ in strings:
                    print(f"{block}/{key}={text}")
        elif name == "VarFileInfo":
            for key, value, _, _ in blocks:
                for i in range(0, len(value), 4):
                    language, code_page = struct.unpack_from("<HH", value, i)
                    print(f"{key}={language:04X} {code_page}")


if __name__ == "__main__":
    main()
