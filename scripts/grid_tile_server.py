#!/usr/bin/env python3
# A map tile server for the screenshots: answers every request on 127.0.0.1 with one plain
# grid tile (256 x 256 PNG). Prints its port, then serves until it is killed.
import http.server
import struct
import sys
import zlib


def grid_tile():
    size = 256
    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            line = x % 64 == 0 or y % 64 == 0
            row += bytes((206, 202, 194) if line else (238, 235, 228))
        rows.append(bytes(row))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows))) + chunk(b"IEND", b""))


TILE = grid_tile()


class Handler(http.server.BaseHTTPRequestHandler):
    def answer(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "image/png")
        self.send_header("Content-Length", str(len(TILE)))
        self.end_headers()
        if body:
            self.wfile.write(TILE)

    def do_GET(self):
        self.answer(True)

    def do_HEAD(self):
        self.answer(False)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
