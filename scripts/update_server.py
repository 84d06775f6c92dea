#!/usr/bin/env python3
# An update server for the screenshots: answers the three version files of the update check
# on 127.0.0.1 (firmware 1.6.0, viewer 1.1.0, GPS data 240601) and a small page for any
# other path. Prints its port, then serves until it is killed.
import http.server
import sys

FILES = {
    "/taiou/dr_updata/velmo/velmora_sw_version.txt": b"VER:1.6.0\r\n",
    "/0_recorder/viewer/RaveVorira02/RaveVorira02_version.txt": b"VER:1.1.0\r\n",
    "/gps_data/drgps_01.txt": b"240601\r\n",
}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = FILES.get(self.path.split("?")[0], b"<html><body>download page</body></html>")
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    sys.exit(0)
