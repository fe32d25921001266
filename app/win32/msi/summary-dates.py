#!/usr/bin/env python3
"""Sets the dates in an MSI's summary information to a given time.

    summary-dates.py <package.msi> <seconds since 1970> <msiinfo>

wixl writes the time it ran as the package's creation and last-saved dates
and offers no way to choose them; msibuild cannot change them either. The
summary information stream is read with msiinfo, and each date (a FILETIME,
properties 12 and 13) is replaced where its bytes stand in the package.
Each old value must be found exactly as often as it occurs in the stream,
so that nothing else is touched.
"""
import struct
import subprocess
import sys

CREATE_DTM, LASTSAVE_DTM, VT_FILETIME = 12, 13, 0x40


def filetimes(stream):
    """The FILETIME values of the dates in a summary information stream."""
    (section,) = struct.unpack_from("<I", stream, 0x2C)
    _, count = struct.unpack_from("<II", stream, section)
    found = []
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        (vt,) = struct.unpack_from("<I", stream, section + offset)
        if pid in (CREATE_DTM, LASTSAVE_DTM) and vt == VT_FILETIME:
            found.append(stream[section + offset + 4:section + offset + 12])
    return found


def main():
    msi, epoch, msiinfo = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    stream = subprocess.run([msiinfo, "extract", msi, "\x05SummaryInformation"],
                            check=True, stdout=subprocess.PIPE).stdout
    old = filetimes(stream)
    if not old:
        sys.exit(f"{msi}: no dates in the summary information")
    new = struct.pack("<Q", (epoch + 11644473600) * 10**7)
    with open(msi, "rb") as f:
        data = f.read()
    for value in set(old):
        if data.count(value) != old.count(value):
            sys.exit(f"{msi}: the date {value.hex()} is not where the summary information has it")
        data = data.replace(value, new)
    with open(msi, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
