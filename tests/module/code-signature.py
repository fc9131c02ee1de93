#!/usr/bin/env python3
"""Checks the ad-hoc code signature of one architecture of a Mach-O file as
macOS would before running its code: the code directory's SHA-256 page hashes
are computed again over the file up to the signature and compared. Prints one
line per problem found, nothing when the signature holds.

Usage: code-signature.py FILE ARCH      ARCH: arm64 or x86_64
"""
import hashlib
import struct
import sys

CPU_TYPES = {"arm64": 0x0100000C, "x86_64": 0x01000007}
FAT_MAGIC = 0xCAFEBABE
MACHO_MAGIC_64 = 0xFEEDFACF
LC_CODE_SIGNATURE = 0x1D
SUPERBLOB_MAGIC = 0xFADE0CC0
CODE_DIRECTORY_MAGIC = 0xFADE0C02
CODE_DIRECTORY_SLOT = 0
SHA256 = 2
CS_ADHOC = 0x2


def slice_of(data, arch):
    """The thin Mach-O of `arch` inside a universal file, or the file itself."""
    if struct.unpack_from(">I", data)[0] == FAT_MAGIC:
        (count,) = struct.unpack_from(">I", data, 4)
        for index in range(count):
            cpu, _, offset, size, _ = struct.unpack_from(">5I", data, 8 + 20 * index)
            if cpu == CPU_TYPES[arch]:
                return data[offset : offset + size]
        return None
    magic, cpu = struct.unpack_from("<2I", data)
    return data if magic == MACHO_MAGIC_64 and cpu == CPU_TYPES[arch] else None


def signature_location(macho):
    (commands,) = struct.unpack_from("<I", macho, 16)
    offset = 32
    for _ in range(commands):
        command, size = struct.unpack_from("<2I", macho, offset)
        if command == LC_CODE_SIGNATURE:
            return struct.unpack_from("<2I", macho, offset + 8)
        offset += size
    return None


def problems(data, arch):
    macho = slice_of(data, arch)
    if macho is None:
        return [f"no {arch} half"]
    location = signature_location(macho)
    if location is None:
        return [f"the {arch} half is not signed (no LC_CODE_SIGNATURE)"]
    start, size = location
    blob = macho[start : start + size]
    magic, _, count = struct.unpack_from(">3I", blob)
    if magic != SUPERBLOB_MAGIC:
        return [f"the {arch} signature is no SuperBlob (magic {magic:#x})"]
    directory = None
    for index in range(count):
        slot, offset = struct.unpack_from(">2I", blob, 12 + 8 * index)
        if slot == CODE_DIRECTORY_SLOT:
            directory = offset
    if directory is None or struct.unpack_from(">I", blob, directory)[0] != CODE_DIRECTORY_MAGIC:
        return [f"the {arch} signature has no code directory"]
    # CodeDirectory: magic, length, version, flags, hashOffset, identOffset,
    # nSpecialSlots, nCodeSlots, codeLimit, hashSize, hashType, platform, pageSize.
    flags, hash_offset, _, _, code_slots, code_limit, hash_size, hash_type, _, page_shift = struct.unpack_from(
        ">6I4B", blob, directory + 12
    )
    found = []
    if not flags & CS_ADHOC:
        found.append(f"the {arch} signature is not ad hoc (flags {flags:#x})")
    if hash_type != SHA256 or hash_size != 32:
        return found + [f"the {arch} signature's hashes are not SHA-256 (type {hash_type}, size {hash_size})"]
    if code_limit != start:
        found.append(f"the {arch} signature covers {code_limit} bytes, not the {start} before it")
    page = 1 << page_shift if page_shift else code_limit
    if code_slots != (code_limit + page - 1) // page:
        return found + [f"the {arch} signature has {code_slots} page hashes for {code_limit} bytes of {page}-byte pages"]
    hashes = directory + hash_offset
    for index in range(code_slots):
        begin = index * page
        computed = hashlib.sha256(macho[begin : min(begin + page, code_limit)]).digest()
        if computed != blob[hashes + 32 * index : hashes + 32 * (index + 1)]:
            found.append(f"the {arch} signature's hash of page {index} (bytes {begin} to {min(begin + page, code_limit) - 1}) differs")
    return found


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in CPU_TYPES:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as module:
        data = module.read()
    for problem in problems(data, sys.argv[2]):
        print(problem)


main()
