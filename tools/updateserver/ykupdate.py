#!/usr/bin/env python3
"""The loopback update server of the tests.

It serves the version file and the installer the way a real server would, and also the ways a broken or
hostile one might. A request for /<behaviour>/<case>/<path> answers with the file files/<case>/<path> under
its home (the path URL-decoded; raw spaces in the request line are taken as they are), as the behaviour says:

    ok            200, the whole file with its length
    status-NNN    that status (200 to 599, a 302 without a Location) and a short body
    truncated     200 with the whole length announced, half of the body, then the connection closes
    longer        200 announcing 1000 bytes more than the file, the whole file, then it closes
    shorter       200 announcing half the length, then the whole file, then it closes
    nolength      200 without a length, the whole file, then it closes
    stall         reads the request and answers nothing (for up to 300 s, or until the server stops)
    stall-body    200 with the length and the first 1000 bytes (half, if smaller), then nothing
    slow          200, the whole file in 8 KiB pieces a tenth of a second apart

A path that would leave files/ (a "..", an empty segment, a backslash) and a missing file get a 404. Every
answer ends with the connection closed. Every request goes to requests.log as "GET <path as sent>". The same
answers come over https on the second port, with a self-signed certificate for localhost that nobody trusts
(made with openssl into tls/ under the home; without openssl only plain http is served).

    ykupdate.py start       start in the background; returns once it answers and prints the ports
    ykupdate.py stop        end it (nothing to do when it is not running)
    ykupdate.py requests    print the request log
    ykupdate.py clear       empty the request log
    ykupdate.py serve       run it in the foreground

Environment: YK_UPDATE_PORT (http, default 47690), YK_UPDATE_TLS_PORT (https, default 47691), YK_UPDATE_HOME
(default ~/.local/share/yarrowkeep/updateserver). It listens on 127.0.0.1 only.
"""
import http.client
import http.server
import os
import re
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

PORT = int(os.environ.get("YK_UPDATE_PORT", "47690"))
TLS_PORT = int(os.environ.get("YK_UPDATE_TLS_PORT", "47691"))
HOME = os.path.abspath(os.environ.get("YK_UPDATE_HOME",
                                      os.path.expanduser("~/.local/share/yarrowkeep/updateserver")))
FILES = os.path.join(HOME, "files")
REQUEST_LOG = os.path.join(HOME, "requests.log")
PID_FILE = os.path.join(HOME, "server-%d.pid" % PORT)
CERTIFICATE = os.path.join(HOME, "tls", "cert.pem")
KEY = os.path.join(HOME, "tls", "key.pem")

STALL_SECONDS = 300
PIECE = 8192
PIECE_PAUSE = 0.1
STALL_BODY_BYTES = 1000
EXTRA_LENGTH = 1000
# Control paths: neither logged nor served from files/.
ALIVE_PATH = "/__alive"
QUIT_PATH = "/__quit"
ALIVE_ANSWER = b"ykupdate\n"

log_lock = threading.Lock()
stopping = threading.Event()


def log_request(target):
    # The request line came as bytes (kept as Latin-1 text): the log shows a UTF-8 path as such.
    text = target.encode("latin-1").decode("utf-8", "backslashreplace")
    with log_lock, open(REQUEST_LOG, "a", encoding="utf-8") as log:
        log.write("GET %s\n" % text)
        log.flush()


def decoded_path(target):
    """The URL-decoded path of a request target, or None when it is not UTF-8."""
    match = re.match(r"https?://[^/]*", target, re.IGNORECASE)
    if match:
        target = target[match.end():]  # the absolute form a proxy would get
    target = re.split(r"[?#]", target, maxsplit=1)[0]
    try:
        return urllib.parse.unquote_to_bytes(target.encode("latin-1")).decode("utf-8")
    except (UnicodeDecodeError, UnicodeEncodeError):
        return None


def file_for(case, rest):
    """The file to serve, or None when the path would leave the files folder."""
    parts = [case] + rest
    if not rest or any(p in ("", ".", "..") or "\\" in p or "\0" in p for p in parts):
        return None
    root = os.path.realpath(FILES)
    path = os.path.realpath(os.path.join(root, *parts))
    if not path.startswith(root + os.sep):
        return None
    return path


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # A client that connects and never sends its request does not keep a thread for ever.
    timeout = STALL_SECONDS + 30

    def log_message(self, *args):
        pass

    def parse_request(self):
        # The request line as sent, spaces in the path and all: the log shows it so, and a path with raw
        # spaces is served like its percent-encoded form.
        line = self.raw_requestline.decode("latin-1").rstrip("\r\n")
        self.target = line
        words = line.split(" ")
        if len(words) == 2:
            self.target = words[1]
        elif len(words) >= 3:
            self.target = " ".join(words[1:-1])
            if len(words) > 3 and words[-1].startswith("HTTP/"):
                fixed = "%s %s %s\r\n" % (words[0], self.target.replace(" ", "%20"), words[-1])
                self.raw_requestline = fixed.encode("latin-1")
        return super().parse_request()

    def send_headers(self, status, length=None):
        self.send_response_only(status)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.flush()

    def answer(self, status, body):
        self.send_headers(status, len(body))
        self.wfile.write(body)

    def hold(self):
        """Sends nothing more until the stall ends or the server stops."""
        self.wfile.flush()
        stopping.wait(STALL_SECONDS)

    def do_GET(self):
        self.close_connection = True
        if self.path == ALIVE_PATH:
            self.answer(200, ALIVE_ANSWER)
            return
        if self.path == QUIT_PATH:
            self.answer(200, b"stopping\n")
            stopping.set()
            return
        log_request(self.target)
        path = decoded_path(self.path)
        segments = path.split("/") if path is not None else []
        if len(segments) < 4 or segments[0] != "":
            self.answer(404, b"not found\n")
            return
        behaviour, case, rest = segments[1], segments[2], segments[3:]
        if behaviour == "stall":
            self.hold()
            return
        status = re.fullmatch(r"status-([2-5][0-9][0-9])", behaviour)
        if status:
            code = int(status.group(1))
            if code in (204, 304):
                self.send_headers(code)  # these carry no body
            else:
                self.answer(code, b"status %d\n" % code)
            return
        file = file_for(case, rest)
        if file is None or not os.path.isfile(file):
            self.answer(404, b"not found\n")
            return
        with open(file, "rb") as f:
            body = f.read()
        size = len(body)
        if behaviour == "ok":
            self.answer(200, body)
        elif behaviour == "truncated":
            self.send_headers(200, size)
            self.wfile.write(body[:min(size // 2, max(size - 1, 0))])
        elif behaviour == "longer":
            self.send_headers(200, size + EXTRA_LENGTH)
            self.wfile.write(body)
        elif behaviour == "shorter":
            self.send_headers(200, size // 2)
            self.wfile.write(body)
        elif behaviour == "nolength":
            self.send_headers(200)
            self.wfile.write(body)
        elif behaviour == "stall-body":
            self.send_headers(200, size)
            self.wfile.write(body[:min(STALL_BODY_BYTES, size // 2)])
            self.hold()
        elif behaviour == "slow":
            self.send_headers(200, size)
            for start in range(0, size, PIECE):
                if start > 0 and stopping.wait(PIECE_PAUSE):
                    return
                self.wfile.write(body[start:start + PIECE])
                self.wfile.flush()
        else:
            self.answer(404, b"no such behaviour\n")


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def handle_error(self, request, client_address):
        # A client that goes away in the middle of an answer is what several tests do on purpose.
        if not isinstance(sys.exc_info()[1], (ConnectionError, ssl.SSLError, TimeoutError)):
            super().handle_error(request, client_address)


class TlsServer(Server):
    """The same answers over TLS. The handshake runs in the request's own thread, so a client that stalls it
    or refuses the certificate holds up nobody else."""

    def __init__(self, address, handler, context):
        super().__init__(address, handler)
        self.context = context

    def finish_request(self, request, client_address):
        request.settimeout(30)
        try:
            secure = self.context.wrap_socket(request, server_side=True)
        except (OSError, ValueError):
            return  # an untrusting client ends the handshake: nothing to answer
        try:
            secure.settimeout(None)
            self.RequestHandlerClass(secure, client_address, self)
        finally:
            try:
                secure.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            secure.close()


def tls_context():
    if not (os.path.exists(CERTIFICATE) and os.path.exists(KEY)):
        return None
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(CERTIFICATE, KEY)
    return context


def make_certificate():
    """Makes the self-signed certificate once. False when there is none (no openssl)."""
    if os.path.exists(CERTIFICATE) and os.path.exists(KEY):
        return True
    if not shutil.which("openssl"):
        print("warning: openssl was not found: serving plain http only", file=sys.stderr)
        return False
    os.makedirs(os.path.dirname(CERTIFICATE), exist_ok=True)
    made = subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "30",
                           "-subj", "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1",
                           "-keyout", KEY, "-out", CERTIFICATE],
                          stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if made.returncode != 0:
        for path in (KEY, CERTIFICATE):
            if os.path.exists(path):
                os.remove(path)
        print("warning: openssl could not make a certificate, serving plain http only:\n" + made.stderr,
              file=sys.stderr)
        return False
    return True


def serve():
    servers = [Server(("127.0.0.1", PORT), Handler)]
    context = tls_context()
    if context:
        servers.append(TlsServer(("127.0.0.1", TLS_PORT), Handler, context))
    with open(PID_FILE, "w") as pid:
        pid.write("%d\n" % os.getpid())
    signal.signal(signal.SIGTERM, lambda number, frame: stopping.set())
    threads = [threading.Thread(target=s.serve_forever, args=(0.1,), daemon=True) for s in servers]
    for thread in threads:
        thread.start()
    try:
        # A signal may land on any thread: the main one looks at the event now and then to see the SIGTERM.
        while not stopping.wait(0.5):
            pass
    finally:
        # Stalled answers end with the stopping event; their daemon threads are not waited for.
        stopping.set()
        for server in servers:
            server.shutdown()
            server.server_close()
        if os.path.exists(PID_FILE):
            os.remove(PID_FILE)


def get(path, timeout):
    connection = http.client.HTTPConnection("127.0.0.1", PORT, timeout=timeout)
    try:
        connection.request("GET", path)
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def running():
    try:
        return get(ALIVE_PATH, 1.0) == (200, ALIVE_ANSWER)
    except (OSError, http.client.HTTPException):
        return False


def server_pid():
    """The pid from the pid file when that process is still this server."""
    try:
        with open(PID_FILE) as pid_file:
            pid = int(pid_file.read().strip())
        with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
            if os.path.basename(__file__).encode() in cmdline.read():
                return pid
    except (OSError, ValueError):
        pass
    return None


def wait_until_stopped(attempts=30):
    for _ in range(attempts):
        if not running():
            return True
        time.sleep(0.1)
    return False


def start():
    if running():
        print("already running on port %d" % PORT)
        return 0
    os.makedirs(FILES, exist_ok=True)
    secure = make_certificate()
    log = open(os.path.join(HOME, "server-%d.log" % PORT), "ab")
    child = subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve"], stdout=log, stderr=log,
                             stdin=subprocess.DEVNULL, start_new_session=True)
    for _ in range(100):
        if running():
            if secure:
                print("update server: http on port %d, https on port %d, files in %s" % (PORT, TLS_PORT, FILES))
            else:
                print("update server: http on port %d (no https), files in %s" % (PORT, FILES))
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.1)
    print("the update server did not start; see " + log.name, file=sys.stderr)
    return 1


def stop():
    if running():
        try:
            get(QUIT_PATH, 5.0)
        except (OSError, http.client.HTTPException):
            pass
        if wait_until_stopped():
            return 0
    pid = server_pid()
    if pid is not None:
        os.kill(pid, signal.SIGTERM)
        wait_until_stopped()
    if running():
        print("the update server on port %d did not stop" % PORT, file=sys.stderr)
        return 1
    return 0


def main():
    command = sys.argv[1] if len(sys.argv) == 2 else ""
    os.makedirs(HOME, exist_ok=True)
    if command == "start":
        return start()
    if command == "serve":
        os.makedirs(FILES, exist_ok=True)
        serve()
        return 0
    if command == "stop":
        return stop()
    if command == "requests":
        if os.path.exists(REQUEST_LOG):
            with open(REQUEST_LOG, encoding="utf-8") as log:
                sys.stdout.write(log.read())
        return 0
    if command == "clear":
        with log_lock:
            open(REQUEST_LOG, "w").close()
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
