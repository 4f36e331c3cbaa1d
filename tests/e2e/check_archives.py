#!/usr/bin/env python3
"""Checks the game's archives after each step of the end-to-end road, with a
reader of the archive format of its own (it shares no code with the programs).

  check_archives.py patched GAME ORIGINALS
      both archives in the patched layout, rebuilt from the originals
  check_archives.py inserted GAME BEFORE SLOT PICTURE [TOLERANCE]
      slot's six textures and lobby picture hold PICTURE (512x512 BMP or JPEG,
      decoded here by ImageMagick) scaled by sampling; every other byte of both
      archives as in BEFORE
  check_archives.py same GAME OTHER
      both archives byte-identical to OTHER's
"""
import os
import struct
import subprocess
import sys

ARCHIVES = ("textures.mw4", "props.mw4")
LOBBY = "shellscripts\\graphics\\multiplayer\\lobbyskins\\skin"


def slot_char(slot):
    if slot == 37:
        return "_"
    code = slot - 1
    return str(code) if code <= 9 else chr(code + 87)


def skin_of(name):
    """(slot, side) for the skin pictures of slots 9 to 37, else None."""
    t = name.strip(" ").lower()
    for slot in range(9, 38):
        c = slot_char(slot)
        for m in range(6):
            if t == "textures\\skin%s%d.tga" % (c, m):
                return slot, 512 >> m
        if t == "%s%s4.tga" % (LOBBY, c):
            return slot, 32
    return None


def read(path):
    data = open(path, "rb").read()
    sig, o1, o2, start, count, o3 = struct.unpack_from("<4siiihh", data, 0)
    at, entries = 20, []
    for p in range(max(count, 0)):
        opaque, content, stored, offset, number, length = struct.unpack_from("<8siiihB", data, at)
        name = data[at + 23:at + 23 + length].decode("latin-1")
        entries.append(dict(pos=p, opaque=opaque, content=content, stored=stored, offset=offset, number=number,
                            name=name, fixed_at=at))
        at += 23 + length
    return data, dict(start=start, count=count, end=at), entries


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def patched(game, originals):
    for name in ARCHIVES:
        data, head, entries = read(os.path.join(game, "resource", name))
        odata, ohead, oentries = read(os.path.join(originals, "resource", name))
        if data[:20] != odata[:20]:
            fail(name + ": header differs from the original")
        if len(entries) != len(oentries):
            fail(name + ": entry count differs")
        at = head["end"]
        skins = 0
        for e, o in zip(entries, oentries):
            if (e["name"], e["number"], e["opaque"]) != (o["name"], o["number"], o["opaque"]):
                fail("%s entry %d: directory fields changed" % (name, e["pos"]))
            if head["start"] + e["offset"] != at:
                fail("%s entry %d: data not contiguous" % (name, e["pos"]))
            blob = data[at:at + e["stored"]]
            at += e["stored"]
            skin = skin_of(e["name"])
            if skin is None:
                if (e["stored"], e["content"]) != (o["stored"], o["content"]):
                    fail("%s entry %d: sizes changed" % (name, e["pos"]))
                ostart = ohead["start"] + o["offset"]
                if blob != odata[ostart:ostart + o["stored"]]:
                    fail("%s entry %d (%s): data differ from the original" % (name, e["pos"], e["name"]))
                continue
            side = skin[1]
            if e["stored"] != 18 + side * side * 3 or e["content"] != e["stored"]:
                fail("%s %s: length %d" % (name, e["name"], e["stored"]))
            if blob[:18] != bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0]) + struct.pack("<HHBB", side, side, 24, 32):
                fail("%s %s: not a 24-bit TGA header" % (name, e["name"]))
            skins += 1
        if at > len(data):
            fail(name + ": data run past the end")
        expected = 174 if name == "textures.mw4" else 29
        if skins != expected:
            fail("%s: %d skin entries, expected %d" % (name, skins, expected))
        print("ok: %s patched (%d entries, %d skin pictures)" % (name, len(entries), skins))


def decode(picture):
    """512x512 picture as rows top first of (blue, green, red), by ImageMagick."""
    raw = subprocess.run(["convert", picture, "-depth", "8", "bgr:-"], check=True, capture_output=True).stdout
    if len(raw) != 512 * 512 * 3:
        fail("%s is not a 512x512 picture" % picture)
    return raw


def inserted(game, before, slot, picture, tolerance):
    source = decode(picture)
    worst, total, samples = 0, 0, 0
    for name in ARCHIVES:
        data, head, entries = read(os.path.join(game, "resource", name))
        bdata, _, bentries = read(os.path.join(before, "resource", name))
        if len(data) != len(bdata) or data[:head["end"]] != bdata[:head["end"]]:
            fail(name + ": length, header or directory changed")
        written = bytearray(data)
        found = 0
        for e in entries:
            skin = skin_of(e["name"])
            if skin is None or skin[0] != slot:
                continue
            side = skin[1]
            start = head["start"] + e["offset"]
            tga = data[start:start + e["stored"]]
            if tga[:18] != bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0]) + struct.pack("<HHBB", side, side, 24, 32):
                fail("%s %s: not a %dx%d TGA" % (name, e["name"], side, side))
            k = 512 // side
            for y in range(side):
                for x in range(side):
                    got = tga[18 + (y * side + x) * 3:18 + (y * side + x) * 3 + 3]
                    s = (k * y * 512 + k * x) * 3
                    for c in range(3):
                        d = abs(got[c] - source[s + c])
                        worst = max(worst, d)
                        total += d
                        samples += 1
            written[start:start + e["stored"]] = bdata[start:start + e["stored"]]
            found += 1
        if found != (6 if name == "textures.mw4" else 1):
            fail("%s: %d entries of slot %d" % (name, found, slot))
        if bytes(written) != bdata:
            fail(name + ": bytes outside slot %d's entries changed" % slot)
    # Two JPEG decoders differ a little, most at sharp colour edges (chroma
    # upsampling): the mean difference must stay within the tolerance, and no
    # sample may be far off. A tolerance of 0 asks for exact pixels.
    mean = total / samples
    if (tolerance == 0 and worst != 0) or mean > tolerance or worst > 64:
        fail("slot %d differs from %s: mean %.2f, largest %d (tolerance %s)" % (slot, picture, mean, worst, tolerance))
    print("ok: slot %d holds %s (mean difference %.2f, largest %d), nothing else changed"
          % (slot, os.path.basename(picture), mean, worst))


def same(game, other):
    for name in ARCHIVES:
        a = open(os.path.join(game, "resource", name), "rb").read()
        b = open(os.path.join(other, "resource", name), "rb").read()
        if a != b:
            fail("%s differs from %s" % (name, other))
    print("ok: both archives byte-identical to " + other)


def main(argv):
    if len(argv) >= 3 and argv[0] == "patched":
        patched(argv[1], argv[2])
    elif len(argv) >= 5 and argv[0] == "inserted":
        inserted(argv[1], argv[2], int(argv[3]), argv[4], float(argv[5]) if len(argv) > 5 else 0)
    elif len(argv) >= 3 and argv[0] == "same":
        same(argv[1], argv[2])
    else:
        print(__doc__)
        sys.exit(2)


if __name__ == "__main__":
    main(sys.argv[1:])
