"""An SMTP server for the tests, on 127.0.0.1 (aiosmtpd).

Usage: smtp_test_server.py FOLDER MODE USER PASSWORD CERT KEY
MODE is starttls (STARTTLS and AUTH required), tls (TLS from the first byte) or plain. Each message
received is written to FOLDER/NNNNNN.eml, its envelope to FOLDER/NNNNNN.env; FOLDER/connections counts
the connections that carried mail; FOLDER/port holds the port once the server listens. A recipient whose address
starts with "refused" is refused with 550. Runs until it is terminated."""
import asyncio
import os
import signal
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

folder, mode, user, password, cert, key = sys.argv[1:7]
counter = {"messages": 0}
peers = set()


class Handler:
    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        peers.add(session.peer)
        with open(os.path.join(folder, "connections"), "w") as f:
            f.write(str(len(peers)))
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().startswith("refused"):
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        counter["messages"] += 1
        base = os.path.join(folder, "%06d" % counter["messages"])
        with open(base + ".env", "w") as f:
            f.write(envelope.mail_from + "\n" + "\n".join(envelope.rcpt_tos) + "\n")
        with open(base + ".eml.tmp", "wb") as f:
            f.write(envelope.original_content)
        os.rename(base + ".eml.tmp", base + ".eml")
        return "250 2.0.0 Message accepted"


def authenticate(server, session, envelope, mechanism, auth_data):
    ok = auth_data.login.decode() == user and auth_data.password.decode() == password
    return AuthResult(success=ok)


context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
context.load_cert_chain(cert, key)


probe = socket.socket()
probe.bind(("127.0.0.1", 0))
port = probe.getsockname()[1]
probe.close()

options = dict(authenticator=authenticate, auth_exclude_mechanism=["CRAM-MD5"])
if mode == "starttls":
    options.update(tls_context=context, require_starttls=True, auth_require_tls=True)
elif mode == "tls":
    options.update(server_kwargs={"ssl": context}, auth_require_tls=False)
else:
    options.update(auth_require_tls=False)
controller = Controller(Handler(), hostname="127.0.0.1", port=port, ready_timeout=10, **options)
if mode == "tls":
    # The controller's own readiness probe speaks plain SMTP; with TLS from the first byte it is skipped.
    controller._trigger_server = lambda: None
controller.start()
with open(os.path.join(folder, "port.tmp"), "w") as f:
    f.write(str(port))
os.rename(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
signal.sigwait([signal.SIGTERM, signal.SIGINT])
controller.stop()
