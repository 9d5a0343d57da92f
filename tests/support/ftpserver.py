#!/usr/bin/python3
"""A throwaway FTP server for the firmware catalogue tests.

One account and one directory, on 127.0.0.1 and a free port, which it prints as "PORT <n>"
once it listens. It ends when its standard input closes (the test is gone) or on SIGTERM.

--piece N       send files in pieces of at most N bytes, about a tenth of a second apart
--pause S       the seconds between two pieces (0.1 by default)
--endless NAME  a file of this name (it must exist) never ends: spaces for ever, as a broken
                or hostile server would send (repeatable)
--size-offset N report sizes N bytes off the truth (a transfer that comes up short)
--no-size       know no SIZE command and leave it out of HELP and FEAT, as some servers do
--log FILE      write every command the server receives to FILE
"""
import argparse
import io
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--piece", type=int, default=0)
    parser.add_argument("--size-offset", type=int, default=0)
    parser.add_argument("--pause", type=float, default=0.1)
    parser.add_argument("--endless", action="append", default=[])
    parser.add_argument("--no-size", action="store_true")
    parser.add_argument("--log", default="")
    args = parser.parse_args()

    if args.log:
        logging.basicConfig(filename=args.log, level=logging.DEBUG)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")

    class Handler(FTPHandler):
        def ftp_SIZE(self, path):
            if args.size_offset == 0:
                return super().ftp_SIZE(path)
            try:
                self.respond("213 %d" % (self.fs.getsize(path) + args.size_offset))
            except OSError as err:
                self.respond("550 %s." % err.strerror)

    if args.endless:
        class Endless(io.RawIOBase):
            def __init__(self, name):
                super().__init__()
                self.name = name

            def readable(self):
                return True

            def read(self, size=-1):
                return b" " * (size if size and size > 0 else 65536)

        class Filesystem(AbstractedFS):
            def open(self, filename, mode):
                if os.path.basename(filename) in args.endless:
                    return Endless(filename)
                return super().open(filename, mode)

        Handler.abstracted_fs = Filesystem
        Handler.use_sendfile = False

    if args.no_size:
        Handler.proto_cmds = {name: info for name, info in FTPHandler.proto_cmds.items() if name != "SIZE"}
    Handler.authorizer = authorizer
    Handler.banner = "firmware test server"
    if args.piece > 0:
        class Pieces(DTPHandler):
            # One piece, then a pause long enough for the client to read it on its own.
            ac_out_buffer_size = args.piece
            pause = args.pause
            _resume = None

            def use_sendfile(self):
                return False

            def send(self, data):
                sent = super().send(data[:args.piece])
                if sent > 0 and self._resume is None:
                    self.del_channel()
                    self._resume = self.ioloop.call_later(self.pause, self._wake, _errback=self.handle_error)
                return sent

            def _wake(self):
                self._resume = None
                self.add_channel(events=self.ioloop.WRITE)

            def close(self):
                if self._resume is not None and not self._resume.cancelled:
                    self._resume.cancel()
                super().close()

        Handler.dtp_handler = Pieces
        Handler.use_sendfile = False

    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
