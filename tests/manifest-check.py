#!/usr/bin/env python3
"""The application manifest as Windows reads it from the shipped executable: one RT_MANIFEST
resource with id 1 that asks for code page 932 (activeCodePage ja-JP), names the supported
systems, runs as the invoker, and neither pulls in Common-Controls 6 nor declares DPI awareness.
Usage: manifest-check.py EXE"""
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

RT_MANIFEST = 24
NS = {
    "asm1": "urn:schemas-microsoft-com:asm.v1",
    "asm3": "urn:schemas-microsoft-com:asm.v3",
    "compat": "urn:schemas-microsoft-com:compatibility.v1",
    "ws2019": "http://schemas.microsoft.com/SMI/2019/WindowsSettings",
}
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}


def resources(exe):
    """(type, name, data) of every resource, from the .res file that windres makes of the exe."""
    with tempfile.TemporaryDirectory() as d:
        res = os.path.join(d, "exe.res")
        subprocess.run(["x86_64-w64-mingw32-windres", "-i", exe, "-O", "res", "-o", res], check=True)
        with open(res, "rb") as f:
            data = f.read()

    def ident(p):  # an ordinal (FFFF, number) or a zero-terminated UTF-16 name
        if struct.unpack_from("<H", data, p)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, p + 2)[0], p + 4
        end = p
        while struct.unpack_from("<H", data, end)[0]:
            end += 2
        return data[p:end].decode("utf-16-le"), end + 2

    pos = 0
    while pos + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, pos)
        rtype, p = ident(pos + 8)
        name, _ = ident(p)
        yield rtype, name, data[pos + header : pos + header + size]
        pos = (pos + header + size + 3) & ~3


def check(exe):
    problems = []
    manifests = [(name, data) for rtype, name, data in resources(exe) if rtype == RT_MANIFEST]
    if [name for name, _ in manifests] != [1]:
        return [f"want one RT_MANIFEST resource with id 1, found ids {[n for n, _ in manifests]}"]
    root = ET.fromstring(manifests[0][1])
    if root.tag != f"{{{NS['asm1']}}}assembly" or root.get("manifestVersion") != "1.0":
        problems.append(f"root element {root.tag} is not an assembly manifest 1.0")

    pages = root.findall("asm3:application/asm3:windowsSettings/ws2019:activeCodePage", NS)
    if [p.text for p in pages] != ["ja-JP"]:
        problems.append(f"activeCodePage: want one ja-JP, found {[p.text for p in pages]}")

    found = [e.get("Id", "").lower() for e in root.findall("compat:compatibility/compat:application/compat:supportedOS", NS)]
    if sorted(found) != sorted(SUPPORTED_OS):
        problems.append(f"supportedOS: want Windows {', '.join(SUPPORTED_OS.values())}, found {found}")

    path = "asm3:trustInfo/asm3:security/asm3:requestedPrivileges/asm3:requestedExecutionLevel"
    levels = [(e.get("level"), e.get("uiAccess", "false")) for e in root.findall(path, NS)]
    if levels != [("asInvoker", "false")]:
        problems.append(f"requestedExecutionLevel: want asInvoker, found {levels}")

    # Every element by its local name: a dependency (Common-Controls 6 or any other assembly) or
    # a DPI declaration in any namespace counts.
    names = {e.tag.rsplit("}", 1)[-1] for e in root.iter()}
    for unwanted in ("dependency", "dependentAssembly", "dpiAware", "dpiAwareness"):
        if unwanted in names:
            problems.append(f"the manifest has a {unwanted} element")
    return problems


def main():
    problems = check(sys.argv[1])
    for p in problems:
        print("FAIL:", p)
    if problems:
        return 1
    print("manifest: id 1, activeCodePage ja-JP, Windows Vista to 11, asInvoker, "
          "no Common-Controls 6, no DPI awareness")
    return 0


if __name__ == "__main__":
    sys.exit(main())
