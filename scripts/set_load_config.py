#!/usr/bin/env python3
"""Points a linked PE image's load-configuration directory at its
_load_config_used structure (binutils 2.40 leaves the directory empty).

    set_load_config.py IMAGE MAP

IMAGE is patched in place; MAP is the linker map that gives the structure's
address. The directory's size is the structure's own Size field.
"""
import re
import struct
import sys

LOAD_CONFIG = 10  # index of the load-configuration entry in the data directory


def symbol_address(map_path):
    pattern = re.compile(r"^\s+0x([0-9a-fA-F]+)\s+_{1,2}load_config_used\s*$")
    with open(map_path, encoding="latin-1") as lines:
        for line in lines:
            found = pattern.match(line)
            if found:
                return int(found.group(1), 16)
    sys.exit(f"set_load_config: no _load_config_used in {map_path}")


def main(image_path, map_path):
    with open(image_path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"set_load_config: {image_path} is not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    if magic == 0x10B:  # PE32
        image_base = struct.unpack_from("<I", image, optional + 28)[0]
        directory = optional + 96
    elif magic == 0x20B:  # PE32+
        image_base = struct.unpack_from("<Q", image, optional + 24)[0]
        directory = optional + 112
    else:
        sys.exit(f"set_load_config: unknown optional header {magic:#x}")

    rva = symbol_address(map_path) - image_base
    # The structure's Size field, read through the section that holds it.
    table = optional + optional_size
    for i in range(sections):
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<8xIIII", image, table + 40 * i)
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            size = struct.unpack_from("<I", image, raw_offset + rva - virtual_address)[0]
            break
    else:
        sys.exit("set_load_config: _load_config_used lies in no section")
    struct.pack_into("<II", image, directory + 8 * LOAD_CONFIG, rva, size)
    with open(image_path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
