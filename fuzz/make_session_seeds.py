#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the session byte streams the session fuzzer starts from: whole sessions as a sound radio
# answers them, so the fuzzer begins deep inside every kind of session rather than at the
# handshake. Layout of a stream (see fuzz_session.cpp): the session kind, whether the port opens,
# then one operation a byte: below 0x60 a reply of (op % 80) bytes that follow, 0x60..0xBF a
# reply time-out, 0xC0 and up a lone acknowledge.
import pathlib
import sys

READ, WRITE, READ_INFO, WRITE_INFO = 0, 1, 2, 3
OPEN = 1
TIMEOUT = 0x60
ACK = 0xC0


def reply(data):
    assert len(data) < 0x60 and len(data) < 80
    return bytes([len(data)]) + bytes(data)


def identity(model=b"HT52", band=0, firmware=b"V600"):
    return b"P" + model + b"\0" + bytes([248, band]) + firmware + b"\0\0"


def block(address, data):
    body = bytes([address >> 8, address & 0xFF, len(data)]) + bytes(data)
    return b"W" + body + bytes([sum(body) & 0xFF])


def opening(kind):
    # handshake acknowledged, identity reply, our acknowledge acknowledged
    return bytes([kind, OPEN, ACK]) + reply(identity()) + bytes([ACK])


def read_session(fill):
    out = bytearray(opening(READ))
    for address in range(0, 0x1E00, 64):
        out += reply(block(address, bytes([fill(address + i) for i in range(64)])))
        out.append(ACK)
    return bytes(out) + bytes([ACK])  # the end frame


def info_session(kind):
    out = bytearray(opening(kind))
    for address in range(0x1F00, 0x2000, 16):
        if kind == READ_INFO:
            out += reply(block(address, b"0123456789ABCDEF"))
        out.append(ACK)
    return bytes(out) + bytes([ACK])


def write_session():
    out = bytearray(opening(WRITE))
    out += bytes([ACK]) * ((0x1DE0 - 0x10) // 16)
    return bytes(out) + bytes([ACK])


seeds = {
    "read-blank": read_session(lambda a: 0xFF),
    "read-pattern": read_session(lambda a: (a * 7) & 0xFF),
    "read-timeouts": opening(READ)[:3] + bytes([TIMEOUT, TIMEOUT]) + read_session(lambda a: 0)[2:],
    "read-band1": bytes([READ, OPEN, ACK]) + reply(identity(band=1)) + bytes([ACK]),
    "read-other-firmware": bytes([READ, OPEN, ACK]) + reply(identity(firmware=b"V700")),
    "write": write_session(),
    "write-timeout-midway": write_session()[:200] + bytes([TIMEOUT] * 3) + bytes([ACK] * 40),
    "read-info": info_session(READ_INFO),
    "write-info": info_session(WRITE_INFO),
    "port-refused": bytes([READ, 0]),
}

target = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent / "corpus" / "fuzz_session")
target.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (target / name).write_bytes(data)
