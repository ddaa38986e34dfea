# SPDX-License-Identifier: GPL-3.0-or-later
"""An FTP server on 127.0.0.1 for the transfer tests (pyftpdlib).

usage: ftp_server.py MODE ROOT USER PASSWORD
MODE: normal | nolist (uploads accepted, listings empty) | refuse (uploads
refused) | slow (uploads taken at 8 KB a second) | stall (uploads stop
being read after 16 KB) | partial (half of each upload kept, 226 all the
same). Prints "port N" once it listens.
"""
import socket
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, PassiveDTP
from pyftpdlib.servers import FTPServer


class NoListHandler(FTPHandler):
    def ftp_LIST(self, path):
        self.push_dtp_data(b"", cmd="LIST")


class RefuseHandler(FTPHandler):
    def ftp_STOR(self, file, mode="w"):
        self.respond("553 Upload refused by the archive.")


class PartialDTP(DTPHandler):
    """Keeps only the first half of an upload and still confirms it (226):
    a dishonest server."""

    def close(self):
        if self.file_obj is not None and not self.file_obj.closed:
            self.file_obj.flush()
            self.file_obj.truncate(self.tot_bytes_received // 2)
        DTPHandler.close(self)


class PartialHandler(FTPHandler):
    dtp_handler = PartialDTP


class SlowDTP(DTPHandler):
    """A slow link: 8 KB a second, taken a kilobyte at a time (the server has
    one client, so it may wait), and no more buffered than a slow link
    would hold, so the sender sees the bytes go steadily at that rate."""

    ac_in_buffer_size = 1024

    def __init__(self, sock, cmd_channel):
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        DTPHandler.__init__(self, sock, cmd_channel)

    def recv(self, buffer_size):
        chunk = DTPHandler.recv(self, min(buffer_size, 1024))
        time.sleep(len(chunk) / 8192.0)
        return chunk


class SmallWindowPassive(PassiveDTP):
    """Data connections that offer a small window from their first byte, as
    on a slow link, where the sender's bytes are acknowledged only as fast
    as the link takes them."""

    def create_socket(self, family, type):
        PassiveDTP.create_socket(self, family, type)
        self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)


class SlowHandler(FTPHandler):
    dtp_handler = SlowDTP
    passive_dtp = SmallWindowPassive


class StallingDTP(DTPHandler):
    """Reads 16 KB of an upload, then nothing more: a server gone quiet. Its
    receive buffer is kept small, so the sender sees the stall after a few
    kilobytes more instead of after the megabytes that loopback buffers."""

    def __init__(self, sock, cmd_channel):
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        DTPHandler.__init__(self, sock, cmd_channel)

    def readable(self):
        return self.tot_bytes_received < 16 * 1024 and DTPHandler.readable(self)


class StallHandler(FTPHandler):
    dtp_handler = StallingDTP


def main():
    mode, root, user, password = sys.argv[1:5]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw")
    handler = {"normal": FTPHandler, "nolist": NoListHandler, "refuse": RefuseHandler,
               "slow": SlowHandler, "stall": StallHandler,
               "partial": PartialHandler}[mode]
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), handler)
    print("port %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
