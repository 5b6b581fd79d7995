#!/usr/bin/env python3
"""Writes the sample configuration file as the program reads it: GBK, CRLF.

    make_sample_ini.py SOURCE.ini (UTF-8) OUTPUT.ini
"""
import sys

if len(sys.argv) != 3:
    sys.exit(__doc__)
with open(sys.argv[1], encoding="utf-8") as source:
    lines = source.read().splitlines()
with open(sys.argv[2], "wb") as output:
    output.write("".join(line + "\r\n" for line in lines).encode("gbk"))
