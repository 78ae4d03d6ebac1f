#!/usr/bin/env python3
"""An FTPS server (explicit TLS, required for the login and the data) on 127.0.0.1 for tests.

usage: ftps_server.py PORT ROOT USER PASSWORD CERTFILE KEYFILE
Prints "ready" once it listens; serves until killed."""
import sys

from OpenSSL import SSL
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_FTPHandler
from pyftpdlib.servers import FTPServer


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
    handler.authorizer = authorizer
    handler.tls_control_required = True
    handler.tls_data_required = True
    server = FTPServer(('127.0.0.1', int(port)), handler)
    print('ready', flush=True)
    server.serve_forever()


if __name__ == '__main__':
    main()
