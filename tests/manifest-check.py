#!/usr/bin/env python3
"""The manifest as Windows reads it from the shipped exe: one RT_MANIFEST resource, id 1, asking
for code page 932 (activeCodePage ja-JP), naming the supported systems, running as the invoker,
with no Common-Controls 6 dependency, and aware of each monitor's DPI (per-monitor v2, v1, and the
system's DPI for the oldest systems). Usage: manifest-check.py EXE"""
import os, struct, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

NS = {"v3": "urn:schemas-microsoft-com:asm.v3", "c": "urn:schemas-microsoft-com:compatibility.v1",
      "ws": "http://schemas.microsoft.com/SMI/2019/WindowsSettings",
      "ws5": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
      "ws16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
SUPPORTED_OS = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}  # Vista, 7, 8, 8.1, 10 and 11


def resources(exe):
    """(type, name, data) of each resource, from the .res file windres makes of the exe."""
    with tempfile.TemporaryDirectory() as d:
        subprocess.run(["x86_64-w64-mingw32-windres", "-i", exe, "-O", "res", "-o", d + "/r.res"],
                       check=True)
        data = open(d + "/r.res", "rb").read()

    def ident(p):  # an ordinal (FFFF, number) or a zero-terminated UTF-16 name
        if data[p:p + 2] == b"\xff\xff":
            return struct.unpack_from("<H", data, p + 2)[0], p + 4
        end = p
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[p:end].decode("utf-16-le"), end + 2

    pos = 0
    while pos + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, pos)
        rtype, p = ident(pos + 8)
        yield rtype, ident(p)[0], data[pos + header:pos + header + size]
        pos = (pos + header + size + 3) & ~3


def problems(exe):
    manifests = [(name, data) for rtype, name, data in resources(exe) if rtype == 24]  # RT_MANIFEST
    if [name for name, _ in manifests] != [1]:
        yield f"want one RT_MANIFEST with id 1, found {[name for name, _ in manifests]}"
        return
    root = ET.fromstring(manifests[0][1])
    at = lambda path: root.findall(path, NS)
    found = {
        "activeCodePage": [e.text for e in at("v3:application/v3:windowsSettings/ws:activeCodePage")],
        "supportedOS": sorted(e.get("Id").lower() for e in at("c:compatibility/c:application/c:supportedOS")),
        "requestedExecutionLevel": [e.get("level") for e in at(
            "v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel")],
        "dpiAware": [e.text for e in at("v3:application/v3:windowsSettings/ws5:dpiAware")],
        "dpiAwareness": [e.text for e in at("v3:application/v3:windowsSettings/ws16:dpiAwareness")],
    }
    want = {"activeCodePage": ["ja-JP"], "supportedOS": sorted(SUPPORTED_OS),
            "requestedExecutionLevel": ["asInvoker"], "dpiAware": ["true/pm"],
            "dpiAwareness": ["PerMonitorV2, PerMonitor"]}
    for key in want:
        if found[key] != want[key]:
            yield f"{key}: want {want[key]}, found {found[key]}"
    # By local name, in any namespace: any assembly dependency (Common-Controls 6 among them).
    names = {e.tag.rsplit("}", 1)[-1] for e in root.iter()}
    for unwanted in sorted(names & {"dependency", "dependentAssembly"}):
        yield f"the manifest has a {unwanted} element"


found = list(problems(sys.argv[1]))
print("\n".join("FAIL: " + p for p in found) or
      "manifest id 1: activeCodePage ja-JP, Vista to 11, asInvoker, no dependency, per-monitor DPI aware")
sys.exit(1 if found else 0)
