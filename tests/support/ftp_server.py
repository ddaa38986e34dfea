"""An FTP server on 127.0.0.1 for the transfer tests (pyftpdlib).

usage: ftp_server.py MODE ROOT USER PASSWORD
MODE: normal | nolist (uploads accepted, listings empty) | refuse (uploads
refused). Prints "port N" once it listens.
"""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class NoListHandler(FTPHandler):
    def ftp_LIST(self, path):
        self.push_dtp_data(b"", cmd="LIST")


class RefuseHandler(FTPHandler):
    def ftp_STOR(self, file, mode="w"):
        self.respond("553 Upload refused by the archive.")


def main():
    mode, root, user, password = sys.argv[1:5]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw")
    handler = {"normal": FTPHandler, "nolist": NoListHandler, "refuse": RefuseHandler}[mode]
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), handler)
    print("port %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
