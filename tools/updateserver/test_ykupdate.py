#!/usr/bin/env python3
"""Checks of the loopback update server: each behaviour byte by byte over a raw socket, the request log, the
paths it refuses, https with its untrusted certificate, and a stop while answers are stalled.

Runs its own server on ports 47790 and 47791 in a temporary home:  python3 tools/updateserver/test_ykupdate.py
"""
import contextlib
import os
import random
import select
import socket
import ssl
import subprocess
import sys
import tempfile
import time
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ykupdate.py")
PORT = 47790
TLS_PORT = 47791
VERSION_FOLDER = "newer/Upload/download/Yarrowkeep Server Data"
VERSION_TEXT = b"[Yarrowkeep Version]\r\n1.2.3\r\n[Yarrowkeep File]\r\nsetup.exe\r\n"
BIG = random.Random(7).randbytes(50000)
SMALL = random.Random(8).randbytes(600)
SECRET = b"outside the files folder"
# Nothing arriving on a stalled connection is looked for this long (a correct server never sends).
QUIET = 0.3


class ServerCase(unittest.TestCase):
    home = None

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.home = cls.folder.name
        cls.env = dict(os.environ, YK_UPDATE_PORT=str(PORT), YK_UPDATE_TLS_PORT=str(TLS_PORT),
                       YK_UPDATE_HOME=cls.home)
        files = os.path.join(cls.home, "files")
        for name, data in ((VERSION_FOLDER + "/Yarrowkeep_Version.bin", VERSION_TEXT), ("newer/big.bin", BIG),
                           ("newer/small.bin", SMALL), ("newer/one.bin", b"x"), ("newer/a\\b.bin", SECRET)):
            os.makedirs(os.path.dirname(os.path.join(files, name)), exist_ok=True)
            with open(os.path.join(files, name), "wb") as out:
                out.write(data)
        with open(os.path.join(cls.home, "secret.txt"), "wb") as out:
            out.write(SECRET)
        started = cls.command("start")
        if started.returncode != 0:
            raise RuntimeError("the server did not start: " + started.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.command("stop")
        cls.folder.cleanup()

    @classmethod
    def command(cls, *words):
        return subprocess.run([sys.executable, SCRIPT, *words], env=cls.env, capture_output=True, text=True,
                              timeout=60)

    def connect(self, tls=None):
        connection = socket.create_connection(("127.0.0.1", TLS_PORT if tls else PORT), timeout=30)
        return tls.wrap_socket(connection, server_hostname="localhost") if tls else connection

    def send(self, target, tls=None):
        connection = self.connect(tls)
        connection.sendall(b"GET " + target + b" HTTP/1.1\r\nHost: localhost\r\n\r\n")
        return connection

    def read_head(self, connection):
        """The status, the headers (names in lower case) and the body bytes that came with them."""
        data = b""
        while b"\r\n\r\n" not in data:
            piece = connection.recv(65536)
            self.assertTrue(piece, "the connection closed inside the headers")
            data += piece
        head, rest = data.split(b"\r\n\r\n", 1)
        lines = head.decode("latin-1").split("\r\n")
        self.assertTrue(lines[0].startswith("HTTP/1.1 "), lines[0])
        headers = dict((name.strip().lower(), value.strip())
                       for name, value in (line.split(":", 1) for line in lines[1:]))
        return int(lines[0].split()[1]), headers, rest

    def fetch(self, target, tls=None):
        """A whole answer, read until the server closes the connection."""
        with self.send(target, tls) as connection:
            status, headers, body = self.read_head(connection)
            while True:
                piece = connection.recv(65536)
                if not piece:
                    return status, headers, body
                body += piece

    def quiet(self, connection):
        return not select.select([connection], [], [], QUIET)[0]

    def log_lines(self):
        path = os.path.join(self.home, "requests.log")
        if not os.path.exists(path):
            return []  # nothing asked yet
        with open(path, encoding="utf-8") as log:
            return log.read().splitlines()

    def wait_for_log(self, line):
        for _ in range(100):
            if line in self.log_lines():
                return
            time.sleep(0.1)
        self.fail("not in the request log: " + line)


class Behaviours(ServerCase):
    def test_ok_sends_the_whole_file_with_its_length(self):
        status, headers, body = self.fetch(b"/ok/newer/big.bin")
        self.assertEqual((status, headers["content-length"], body), (200, str(len(BIG)), BIG))
        self.assertEqual(headers["content-type"], "application/octet-stream")
        self.assertEqual(headers["connection"], "close")

    def test_spaces_raw_or_encoded_serve_the_file_and_are_logged_as_sent(self):
        self.command("clear")
        encoded = b"/ok/" + VERSION_FOLDER.replace(" ", "%20").encode() + b"/Yarrowkeep_Version.bin"
        raw = b"/ok/" + VERSION_FOLDER.encode() + b"/Yarrowkeep_Version.bin"
        self.assertEqual(self.fetch(encoded)[::2], (200, VERSION_TEXT))
        self.assertEqual(self.fetch(raw)[::2], (200, VERSION_TEXT))
        self.assertEqual(self.log_lines(), ["GET " + encoded.decode(), "GET " + raw.decode()])
        self.assertEqual(self.command("requests").stdout.splitlines(), self.log_lines())

    def test_clear_empties_the_log(self):
        self.fetch(b"/ok/newer/small.bin")
        self.assertIn("GET /ok/newer/small.bin", self.log_lines())
        self.assertEqual(self.command("clear").returncode, 0)
        self.assertEqual(self.log_lines(), [])
        self.assertEqual(self.command("requests").stdout, "")

    def test_status_behaviours_answer_that_status_with_a_short_body(self):
        for code in (404, 500, 302):
            status, headers, body = self.fetch(b"/status-%d/newer/big.bin" % code)
            self.assertEqual(status, code)
            self.assertTrue(0 < len(body) < 100)
            self.assertEqual(headers["content-length"], str(len(body)))
            self.assertNotIn("location", headers)

    def test_truncated_announces_the_whole_length_and_sends_part(self):
        for data, name in ((BIG, b"big"), (SMALL, b"small"), (b"x", b"one")):
            status, headers, body = self.fetch(b"/truncated/newer/%s.bin" % name)
            self.assertEqual((status, headers["content-length"]), (200, str(len(data))))
            self.assertLess(len(body), len(data))
            self.assertEqual(body, data[:len(body)])
        self.assertGreater(len(self.fetch(b"/truncated/newer/big.bin")[2]), 0)

    def test_longer_announces_1000_bytes_more_than_it_sends(self):
        status, headers, body = self.fetch(b"/longer/newer/big.bin")
        self.assertEqual((status, headers["content-length"], body), (200, str(len(BIG) + 1000), BIG))

    def test_shorter_announces_half_and_sends_everything(self):
        status, headers, body = self.fetch(b"/shorter/newer/big.bin")
        self.assertEqual((status, headers["content-length"], body), (200, str(len(BIG) // 2), BIG))

    def test_nolength_sends_the_file_without_a_length(self):
        status, headers, body = self.fetch(b"/nolength/newer/big.bin")
        self.assertEqual((status, body), (200, BIG))
        self.assertNotIn("content-length", headers)

    def test_slow_sends_the_whole_file(self):
        status, headers, body = self.fetch(b"/slow/newer/big.bin")
        self.assertEqual((status, headers["content-length"], body), (200, str(len(BIG)), BIG))

    def test_stall_answers_nothing_and_holds_up_no_other_request(self):
        with self.send(b"/stall/newer/big.bin") as stalled:
            self.wait_for_log("GET /stall/newer/big.bin")
            self.assertEqual(self.fetch(b"/ok/newer/small.bin")[2], SMALL)
            self.assertTrue(self.quiet(stalled))

    def test_stall_body_sends_the_headers_and_the_start_then_nothing(self):
        for data, name, sent in ((BIG, b"big", 1000), (SMALL, b"small", 300)):
            with self.send(b"/stall-body/newer/%s.bin" % name) as stalled:
                status, headers, body = self.read_head(stalled)
                self.assertEqual((status, headers["content-length"]), (200, str(len(data))))
                while len(body) < sent:
                    piece = stalled.recv(65536)
                    self.assertTrue(piece, "closed after %d bytes" % len(body))
                    body += piece
                self.assertEqual(body, data[:sent])
                self.assertTrue(self.quiet(stalled))

    def test_paths_leaving_the_files_folder_or_missing_files_get_404(self):
        for target in (b"/ok/newer/../secret.txt", b"/ok/newer/..%2F..%2Fsecret.txt", b"/ok/%2e%2e/secret.txt",
                       b"/ok/newer/..%5C..%5Csecret.txt", b"/ok/newer/..\\..\\secret.txt", b"/ok/newer/a%5Cb.bin",
                       b"/ok/newer/a\\b.bin",
                       b"/ok/newer//" + os.path.join(self.home, "secret.txt").encode(),
                       b"/ok/newer/" + os.path.join(self.home, "secret.txt").replace("/", "%2F").encode(),
                       b"/ok/newer/../newer/small.bin", b"/ok/newer/missing.bin", b"/ok/newer",
                       b"/nonsense/newer/small.bin"):
            status, _, body = self.fetch(target)
            self.assertEqual(status, 404, target)
            self.assertNotIn(SECRET, body)

    def test_https_serves_the_same_with_a_certificate_nobody_trusts(self):
        with self.assertRaises(ssl.SSLCertVerificationError):
            self.fetch(b"/ok/newer/big.bin", ssl.create_default_context())
        # A client that never starts its handshake holds up nobody.
        idle = socket.create_connection(("127.0.0.1", TLS_PORT))
        try:
            trusting = ssl.create_default_context(cafile=os.path.join(self.home, "tls", "cert.pem"))
            self.assertEqual(self.fetch(b"/ok/newer/big.bin", trusting)[::2], (200, BIG))
            status, headers, body = self.fetch(b"/truncated/newer/big.bin", trusting)
            self.assertEqual(headers["content-length"], str(len(BIG)))
            self.assertLess(len(body), len(BIG))
        finally:
            idle.close()

    def test_a_second_start_finds_it_running(self):
        started = self.command("start")
        self.assertEqual(started.returncode, 0)
        self.assertIn("already running", started.stdout)


class Stopping(ServerCase):
    def test_stop_ends_stalled_answers_and_may_be_repeated(self):
        lax = ssl.create_default_context()
        lax.check_hostname = False
        lax.verify_mode = ssl.CERT_NONE
        with contextlib.ExitStack() as stack:
            stalled = [stack.enter_context(self.send(b"/stall/newer/big.bin")),
                       stack.enter_context(self.send(b"/stall-body/newer/big.bin")),
                       stack.enter_context(self.send(b"/stall/newer/small.bin", lax))]
            for target in ("/stall/newer/big.bin", "/stall-body/newer/big.bin", "/stall/newer/small.bin"):
                self.wait_for_log("GET " + target)
            self.assertEqual(self.command("stop").returncode, 0)
            for connection in stalled:
                connection.settimeout(30)
                try:
                    while connection.recv(65536):
                        pass
                except (ConnectionResetError, ssl.SSLEOFError):
                    pass
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", PORT), timeout=5).close()
        self.assertEqual(self.command("stop").returncode, 0)


if __name__ == "__main__":
    unittest.main()
