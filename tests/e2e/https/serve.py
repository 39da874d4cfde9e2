#!/usr/bin/env python3
"""The maker's web site for the update check's end-to-end tests, on localhost.

Makes a test certificate authority and a certificate for "localhost" signed by it, and a second
authority that nobody trusts with its own "localhost" certificate, then serves one version file
per case over HTTPS with each, and a plain HTTP server for a redirect to point at. Two more
ports never complete a handshake: one accepts and answers nothing, the other sends half of its
first flight and stops. Writes "https_port rogue_port http_port mute_port halfway_port" to the
ready file once all of them listen.
Usage: serve.py WORKDIR READYFILE
"""
import http.server
import os
import re
import socket
import socketserver
import ssl
import subprocess
import sys
import threading
import time

# How long a server that stalls holds the connection before it lets go.
STALL_SECONDS = 120
# Each hop of the slow redirect chain waits this long: within every timeout of a single wait,
# past the whole check's deadline over six hops.
HOP_SECONDS = 4

VERSION_FILES = {
    "/minor/version/glimmerlux.txt": 'Version CONTENT="1.1"\r\nwhatsnew1 CONTENT="Sharper text"\r\n'
    'whatsnew2 CONTENT="Fewer flickers"\r\n',
    "/major/version/glimmerlux.txt": '<meta name="Version" content="2.0">\n<meta name="whatsnew1" content="All new">\n',
    "/current/version/glimmerlux.txt": 'Version CONTENT="1.0"\r\n',
    "/empty/version/glimmerlux.txt": "",
    "/unquoted/version/glimmerlux.txt": "Version CONTENT=1.1\r\n",
}


def openssl(*args):
    subprocess.run(["openssl", *args], check=True, capture_output=True)


def make_authority(work, name):
    key, cert = f"{work}/{name}-ca.key", f"{work}/{name}-ca.pem"
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert, "-days", "2",
            "-subj", f"/CN=Glimmerlux {name} test authority",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    openssl("x509", "-in", cert, "-outform", "DER", "-out", f"{work}/{name}-ca.der")
    return key, cert


def make_revocation_list(work, name, ca_key, ca_cert):
    """An empty certificate revocation list, which the client fetches before it trusts a server."""
    config = f"{work}/{name}-ca.cnf"
    with open(f"{work}/{name}-index.txt", "w"):
        pass
    with open(f"{work}/{name}-crlnumber", "w") as f:
        f.write("01\n")
    with open(config, "w") as f:
        f.write(f"[ca]\ndefault_ca = test\n[test]\ndatabase = {work}/{name}-index.txt\n"
                f"crlnumber = {work}/{name}-crlnumber\ndefault_md = sha256\ndefault_crl_days = 2\n")
    openssl("ca", "-gencrl", "-keyfile", ca_key, "-cert", ca_cert, "-out", f"{work}/{name}.crl.pem",
            "-config", config)
    openssl("crl", "-in", f"{work}/{name}.crl.pem", "-outform", "DER", "-out", f"{work}/{name}.crl")
    with open(f"{work}/{name}.crl", "rb") as f:
        return f.read()


def make_server_cert(work, name, ca_key, ca_cert, crl_url):
    key, csr, cert = f"{work}/{name}.key", f"{work}/{name}.csr", f"{work}/{name}.pem"
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", csr, "-subj", "/CN=localhost")
    ext = f"{work}/{name}.ext"
    with open(ext, "w") as f:
        f.write("subjectAltName=DNS:localhost\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n"
                f"crlDistributionPoints=URI:{crl_url}\n")
    openssl("x509", "-req", "-in", csr, "-CA", ca_cert, "-CAkey", ca_key, "-CAcreateserial", "-out", cert,
            "-days", "2", "-extfile", ext)
    return key, cert


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    http_port = 0
    revocation_list = b""

    def log_message(self, *args):
        if os.environ.get("GLIMMERLUX_E2E_SERVER_LOG"):
            super().log_message(*args)

    def send_text(self, status, text):
        body = text.encode("latin-1")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path == "/test-ca.crl":
            self.send_response(200)
            self.send_header("Content-Type", "application/pkix-crl")
            self.send_header("Content-Length", str(len(self.revocation_list)))
            self.end_headers()
            self.wfile.write(self.revocation_list)
        elif self.headers.get("User-Agent") != "Glimmerlux":
            self.send_text(400, "unexpected agent")
        elif path in VERSION_FILES:
            self.send_text(200, VERSION_FILES[path])
        elif path.startswith("/error/"):
            # An error page that even names a version: its status alone must make it a failure.
            self.send_text(404, '<html><body>Not found. Version CONTENT="9.9"</body></html>')
        elif path.startswith("/silent/"):
            time.sleep(120)
        elif path.startswith("/endless/"):
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.end_headers()
            line = b'whatsnew1 CONTENT="more"\r\n' * 40
            try:
                while True:
                    self.wfile.write(line)
            except OSError:
                pass
        elif path.startswith("/drip/"):
            # The headers at once, then the body a byte a second: no single wait is long.
            body = VERSION_FILES["/minor/version/glimmerlux.txt"].encode("latin-1")
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            try:
                for i in range(len(body)):
                    self.wfile.write(body[i:i + 1])
                    self.wfile.flush()
                    time.sleep(1)
            except OSError:
                pass
        elif re.match(r"^/slow-redirect/\d+/", path):
            hops = int(path.split("/")[2])
            time.sleep(HOP_SECONDS)
            self.send_response(302)
            target = "/minor/version/glimmerlux.txt" if hops == 0 else f"/slow-redirect/{hops - 1}/version/glimmerlux.txt"
            self.send_header("Location", f"https://localhost:{self.server.server_address[1]}{target}")
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif path.startswith("/to-http/"):
            self.send_response(302)
            self.send_header("Location", f"http://localhost:{self.http_port}/minor/version/glimmerlux.txt")
            self.send_header("Content-Length", "0")
            self.end_headers()
        else:
            self.send_text(404, "no such case")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def serve(context=None):
    server = Server(("127.0.0.1", 0), Handler)
    if context is not None:
        # The handshake happens in the request's own thread, so one slow client holds up no other.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def stall(connection):
    try:
        time.sleep(STALL_SECONDS)
    finally:
        connection.close()


def serve_stalled_handshake(context=None):
    """Accepts and reads the client's hello; with `context`, answers with half of its first
    flight (server hello, certificate, ...) and then stalls, else answers nothing at all."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)

    def handle(connection):
        try:
            hello = connection.recv(65536)
            if context is not None and hello:
                incoming, outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
                tls_object = context.wrap_bio(incoming, outgoing, server_side=True)
                incoming.write(hello)
                try:
                    tls_object.do_handshake()
                except ssl.SSLWantReadError:
                    pass
                flight = outgoing.read()
                connection.sendall(flight[:len(flight) // 2])
        except OSError:
            pass
        stall(connection)

    def accept():
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=handle, args=(connection,), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    return listener.getsockname()[1]


def tls(key, cert):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def main():
    work, ready = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    # Plain HTTP first: the certificates name it as the place of their revocation list.
    Handler.http_port = serve()
    crl_url = f"http://localhost:{Handler.http_port}/test-ca.crl"
    ca_key, ca_cert = make_authority(work, "trusted")
    rogue_key, rogue_cert = make_authority(work, "rogue")
    Handler.revocation_list = make_revocation_list(work, "trusted", ca_key, ca_cert)
    key, cert = make_server_cert(work, "localhost", ca_key, ca_cert, crl_url)
    untrusted_key, untrusted_cert = make_server_cert(work, "untrusted", rogue_key, rogue_cert, crl_url)
    https_port = serve(tls(key, cert))
    rogue_port = serve(tls(untrusted_key, untrusted_cert))
    mute_port = serve_stalled_handshake()
    halfway_port = serve_stalled_handshake(tls(key, cert))
    with open(ready + ".tmp", "w") as f:
        f.write(f"{https_port} {rogue_port} {Handler.http_port} {mute_port} {halfway_port}\n")
    os.replace(ready + ".tmp", ready)
    threading.Event().wait()


if __name__ == "__main__":
    main()
