#!/usr/bin/env python3
"""An FTPS server (explicit TLS, required for the login and the data) on 127.0.0.1 for tests.

usage: ftps_server.py PORT ROOT USER PASSWORD CERTFILE KEYFILE
Prints "ready" once it listens; serves until killed."""
import sys

from OpenSSL import SSL
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class DataHandler(TLS_DTPHandler):
    """A data connection that may start its TLS handshake before the transfer's command arrives.

    Clients such as libcurl (7.87 and later) shake hands on a passive data connection as soon as it
    is open, before they send STOR. pyftpdlib up to 1.5.7 takes any reading on a data connection
    that has no transfer yet for a hang-up and closes it, so the client's hello is answered with a
    reset. While the handshake runs, the connection is readable."""

    def readable(self):
        if self._ssl_accepting:
            return True
        return super().readable()


def main():
    port, root, user, password, certfile, keyfile = sys.argv[1:7]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm='elradfmwMT')
    handler = TLS_FTPHandler
    # Clients resume the control connection's TLS session on the data connections, which OpenSSL
    # refuses without a session id context.
    context = SSL.Context(SSL.TLS_METHOD)
    context.set_session_id(b'quillmarsh-tests')
    context.use_certificate_chain_file(certfile)
    context.use_privatekey_file(keyfile)
    handler.ssl_context = context
    handler.dtp_handler = DataHandler
    handler.authorizer = authorizer
    handler.tls_control_required = True
    handler.tls_data_required = True
    server = FTPServer(('127.0.0.1', int(port)), handler)
    print('ready', flush=True)
    server.serve_forever()


if __name__ == '__main__':
    main()
