#!/usr/bin/env python3
"""The simulated Yarrowkeep accessory.

A small server plays the device and the storage stack around it: it answers the vendor commands the
program sends, keeps the card and port state, turns its card folder into a real drive letter of the Wine
prefix while the card is attached to the PC, and tells the program when the device or its volume comes
and goes. The same script controls it from a shell:

    yksim.py start [--card DIR] [--samples]   start the device (in the background), plugged in, card inserted
    yksim.py plug | unplug                    connect or disconnect the device's PC port
    yksim.py insert | remove                  insert or remove the SD card
    yksim.py request 0|1|2                    the other port's request code for the card
    yksim.py other-port on|off                the other port is using the card
    yksim.py refuse on|off                    refuse every enable command
    yksim.py drop on|off                      commands are not delivered (the disk cannot be opened)
    yksim.py attach | release                 attach the card to the PC or release it, as the device would
    yksim.py info-page FILE|default           the information page's reply: the file's raw bytes (cut or
                                              padded with zeros to the 128 the program asks for)
    yksim.py device-info FILE|default         the same for the 512-byte device information block
    yksim.py power MV MA MV MA|default        the USB-A then the USB-C port's millivolts and milliamperes
    yksim.py state                            print the state
    yksim.py stop                             end the server

Environment: YK_SIM_PORT (default 47613), YK_SIM_HOME (default ~/.local/share/yarrowkeep/simulator),
YK_SIM_LETTER (default E), WINEPREFIX.
"""
import argparse
import json
import os
import random
import socket
import socketserver
import subprocess
import sys
import threading
import time

PORT = int(os.environ.get("YK_SIM_PORT", "47613"))
HOME = os.environ.get("YK_SIM_HOME", os.path.expanduser("~/.local/share/yarrowkeep/simulator"))
LETTER = os.environ.get("YK_SIM_LETTER", "E").lower()
WINEPREFIX = os.environ.get("WINEPREFIX", os.path.expanduser("~/.local/share/yarrowkeep/wineprefix"))

DEVICE_ARRIVAL = 0x8000
DEVICE_REMOVE_COMPLETE = 0x8004
STATUS_GOOD = 0
STATUS_CHECK_CONDITION = 2

# A real volume shows up a little after the device agreed to attach the card, and goes a little later
# than the release.
VOLUME_APPEAR_DELAY = 0.8
VOLUME_VANISH_DELAY = 0.4

SERIAL = bytes([0x20, 0x26, 0x12, 0x10, 0x0A, 0x01])
MODEL = b"Yarrowkeep SD"
MANUFACTURER = b"WBX"
FIRMWARE = b"FW 1.2.0"
HARDWARE = b"HW B1"


def info_page():
    """The 128-byte information page: serial number, model text, product number, checksum."""
    page = bytearray(128)
    page[0:3] = b"\x55\xAA\xBB"
    page[6:12] = SERIAL
    page[16:20] = b"\x55\xAA\xBB\x56"
    page[20] = 3  # product block version: with the five-character suffix
    page[21:25] = b"\x01\x02\x03\x04"
    page[26] = 0x0A
    model_field = len(MODEL) + 1
    page[27] = model_field
    page[28:28 + len(MODEL)] = MODEL
    skipped = b"\x00\x11"
    k_at = 27 + model_field
    page[k_at] = len(skipped) + 1
    page[k_at + 1:k_at + 1 + len(skipped)] = skipped
    q = k_at + len(skipped) + 1
    page[q:q + 4] = b"\x59\x4B\x30\x31"
    page[q + 7:q + 12] = b"TW001"
    total = sum(page[0:126])
    page[126] = total >> 8
    page[127] = total & 0xFF
    return bytes(page)


def device_info_block():
    """The 512-byte device information block: a chain of five records in its first 256 bytes."""
    block = bytearray(512)
    block[16] = 0x21
    start = (block[16] + 15) % 256
    for text in (MODEL, MANUFACTURER, b"", FIRMWARE, HARDWARE):
        length = 4 + len(text) + 1
        block[start + 1] = length
        block[start + 4:start + 4 + len(text)] = text
        start = (start + length) % 256
    return bytes(block)


def read_reply(path):
    """A reply's raw bytes from a file, as a test wrote them (a damaged page, a hostile record chain)."""
    with open(path, "rb") as reply:
        return reply.read(4096)


class Device:
    def __init__(self, card):
        self.lock = threading.Condition()
        self.card = card
        self.plugged = True
        self.inserted = True
        self.attached = False
        self.other_port_using = False
        self.request = 0
        self.refuse_enable = False
        self.drop = False
        self.volume_visible = False
        self.volume_due = None  # (time, visible) of the pending volume change
        self.subscribers = []
        self.commands = 0
        self.enables = 0  # enable requests received, accepted or refused
        self.info_page = info_page()
        self.device_info = device_info_block()
        self.power = None  # [(mV, mA) of USB-A, (mV, mA) of USB-C]; None: a plausible, slightly varying sample

    def state(self):
        return {
            "plugged": self.plugged, "inserted": self.inserted, "attached": self.attached,
            "otherPortUsing": self.other_port_using, "request": self.request,
            "refuseEnable": self.refuse_enable, "drop": self.drop, "volume": self.volume_visible,
            "letter": LETTER.upper(), "card": self.card, "commands": self.commands, "enables": self.enables,
            "port": PORT,
            "subscribers": len(self.subscribers),
            "power": self.power,
        }

    # Volume and notifications -------------------------------------------------------------------

    def link_path(self):
        return os.path.join(WINEPREFIX, "dosdevices", LETTER + ":")

    def schedule_volume(self):
        want = self.plugged and self.inserted and self.attached
        if want == self.volume_visible:
            self.volume_due = None
        else:
            delay = VOLUME_APPEAR_DELAY if want else VOLUME_VANISH_DELAY
            self.volume_due = (time.monotonic() + delay, want)
        self.lock.notify_all()

    def apply_volume(self, visible):
        link = self.link_path()
        if visible:
            os.makedirs(self.card, exist_ok=True)
            if os.path.lexists(link):
                os.remove(link)
            os.symlink(self.card, link)
        elif os.path.lexists(link):
            os.remove(link)
        self.volume_visible = visible
        self.notify(DEVICE_ARRIVAL if visible else DEVICE_REMOVE_COMPLETE)

    def notify(self, event):
        for subscriber in list(self.subscribers):
            try:
                subscriber.sendall(b"EVENT %d\n" % event)
            except OSError:
                self.subscribers.remove(subscriber)

    def volume_worker(self):
        with self.lock:
            while True:
                if self.volume_due is None:
                    self.lock.wait()
                    continue
                due, visible = self.volume_due
                remaining = due - time.monotonic()
                if remaining > 0:
                    self.lock.wait(remaining)
                    continue
                self.volume_due = None
                self.apply_volume(visible)

    # Control from the shell ---------------------------------------------------------------------

    def control(self, what, value):
        if what == "plug":
            if not self.plugged:
                self.plugged = True
                self.notify(DEVICE_ARRIVAL)
        elif what == "unplug":
            if self.plugged:
                self.plugged = False
                self.attached = False
                if self.volume_visible:
                    # The volume leaves with the device; both notices come at once.
                    self.apply_volume(False)
                    self.volume_due = None
                else:
                    self.notify(DEVICE_REMOVE_COMPLETE)
        elif what == "insert":
            self.inserted = True
        elif what == "remove":
            self.inserted = False
            self.attached = False
        elif what == "request":
            self.request = int(value)
        elif what == "other-port":
            self.other_port_using = value == "on"
            if self.other_port_using:
                self.attached = False
        elif what == "refuse":
            self.refuse_enable = value == "on"
        elif what == "drop":
            self.drop = value == "on"
        elif what == "attach":
            self.attached = self.plugged and self.inserted
        elif what == "release":
            self.attached = False
        elif what == "info-page":
            self.info_page = info_page() if value == "default" else read_reply(value)
        elif what == "device-info":
            self.device_info = device_info_block() if value == "default" else read_reply(value)
        elif what == "power":
            if value == "default":
                self.power = None
            else:
                numbers = [int(word) for word in value.split()]
                if len(numbers) != 4 or not all(0 <= n <= 0xFFFF for n in numbers):
                    raise ValueError("power takes four numbers from 0 to 65535")
                self.power = [(numbers[0], numbers[1]), (numbers[2], numbers[3])]
        else:
            raise ValueError("unknown control " + what)
        self.schedule_volume()

    # Vendor commands ----------------------------------------------------------------------------

    def execute(self, block, length):
        """The status and reply of one command block, or None when it does not reach the device."""
        if not self.plugged or self.drop:
            return None
        self.commands += 1
        reply = bytes(length)
        status = STATUS_GOOD
        op, sub = block[0], block[1]
        if op == 0xFF and sub == 0xB2 and block[2] == 0x02:
            if block[3] == 0:
                reply = bytes([0xAA, self.request, 1 if self.other_port_using else 0])
            elif block[3] == 1:
                reply = bytes([0xAA, 0, 1 if self.attached else 0])
            else:
                status = STATUS_CHECK_CONDITION
        elif op == 0xFF and sub == 0xB2:
            parameter = block[2]
            if parameter == 0:
                self.enables += 1
                if self.inserted and not self.other_port_using and not self.refuse_enable:
                    self.attached = True
                    self.schedule_volume()
                else:
                    status = STATUS_CHECK_CONDITION
            elif parameter == 1:
                self.attached = False
                self.schedule_volume()
            elif parameter == 3:
                status = STATUS_GOOD if self.inserted else STATUS_CHECK_CONDITION
            else:
                status = STATUS_CHECK_CONDITION
        elif op == 0xFF and sub == 0x2C and block[2] == 0x01:
            reply = self.info_page
        elif op == 0xFF and sub == 0xA0 and block[2] == 0x0B:
            reply = self.device_info
        elif op == 0xFF and sub == 0xB3 and block[3] == 0x07:
            if self.power is not None:
                millivolts, milliamps = self.power[0 if block[2] == 0 else 1]
            else:
                millivolts = (5070 if block[2] == 0 else 4980) + random.randint(-15, 15)
                milliamps = (420 if block[2] == 0 else 850) + random.randint(-20, 20)
            reply = millivolts.to_bytes(2, "big") + milliamps.to_bytes(2, "big")
        else:
            status = STATUS_CHECK_CONDITION
        return status, reply[:length].ljust(length, b"\0")


class Handler(socketserver.StreamRequestHandler):
    def handle(self):
        device = self.server.device
        for raw in self.rfile:
            words = raw.decode("ascii", "replace").split()
            if not words:
                continue
            verb = words[0].upper()
            with device.lock:
                if verb == "OPEN":
                    answer = "FAIL" if (not device.plugged or device.drop) else "OK"
                elif verb == "CMD" and len(words) == 3:
                    result = device.execute(bytes.fromhex(words[1]), int(words[2]))
                    answer = "FAIL" if result is None else "STATUS %d %s" % (result[0], result[1].hex() or "-")
                elif verb == "INFO" or verb == "STATE":
                    answer = json.dumps(device.state())
                elif verb == "SUBSCRIBE":
                    device.subscribers.append(self.connection)
                    answer = "OK"
                elif verb == "SET" and len(words) >= 2:
                    try:
                        device.control(words[1], " ".join(words[2:]))
                        answer = "OK"
                    except ValueError as error:
                        answer = "ERROR " + str(error)
                elif verb == "QUIT":
                    threading.Thread(target=self.server.shutdown, daemon=True).start()
                    answer = "OK"
                else:
                    answer = "ERROR unknown request"
            self.wfile.write(answer.encode("ascii") + b"\n")
            self.wfile.flush()
        # The client went away: it gets no more notices.
        with device.lock:
            if self.connection in device.subscribers:
                device.subscribers.remove(self.connection)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


SAMPLES = {
    "DCIM/Camera/holiday-001.jpg": 48 * 1024,
    "DCIM/Camera/holiday-002.jpg": 64 * 1024,
    "Documents/notes.txt": None,
    "Music/ringtone.mp3": 24 * 1024,
}


def write_samples(card):
    for name, size in SAMPLES.items():
        path = os.path.join(card, name)
        if os.path.exists(path):
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            if size is None:
                out.write(b"Files on the Yarrowkeep SD card.\r\n")
            else:
                out.write(random.Random(name).randbytes(size))


def serve(card):
    device = Device(card)
    server = Server(("127.0.0.1", PORT), Handler)
    server.device = device
    threading.Thread(target=device.volume_worker, daemon=True).start()
    try:
        server.serve_forever()
    finally:
        with device.lock:
            if os.path.lexists(device.link_path()):
                os.remove(device.link_path())


def request(line, timeout=5.0):
    with socket.create_connection(("127.0.0.1", PORT), timeout=timeout) as connection:
        connection.sendall(line.encode("ascii") + b"\n")
        return connection.makefile().readline().strip()


def running():
    try:
        request("INFO", timeout=0.5)
        return True
    except OSError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command")
    parser.add_argument("value", nargs="*")
    parser.add_argument("--card", default=os.path.join(HOME, "card"))
    parser.add_argument("--samples", action="store_true", help="put a few sample files on the card")
    parser.add_argument("--foreground", action="store_true")
    args = parser.parse_args()

    if args.command == "start":
        if running():
            print("already running on port %d" % PORT)
            return 0
        card = os.path.abspath(args.card)
        os.makedirs(card, exist_ok=True)
        if args.samples:
            write_samples(card)
        if args.foreground:
            serve(card)
            return 0
        os.makedirs(HOME, exist_ok=True)
        log = open(os.path.join(HOME, "simulator-%d.log" % PORT), "ab")
        subprocess.Popen([sys.executable, os.path.abspath(__file__), "start", "--foreground", "--card", card],
                         stdout=log, stderr=log, stdin=subprocess.DEVNULL, start_new_session=True)
        for _ in range(50):
            if running():
                print("simulated device on port %d, card %s, drive %s:" % (PORT, card, LETTER.upper()))
                return 0
            time.sleep(0.1)
        print("the simulator did not start; see " + log.name, file=sys.stderr)
        return 1
    if args.command == "stop":
        if running():
            request("QUIT")
        return 0
    if args.command == "state":
        print(json.dumps(json.loads(request("STATE")), indent=2))
        return 0
    controls = {"plug", "unplug", "insert", "remove", "request", "other-port", "refuse", "drop", "attach", "release",
                "info-page", "device-info", "power"}
    if args.command in controls:
        value = " ".join(args.value)
        if args.command in ("info-page", "device-info") and value != "default":
            value = os.path.abspath(value)  # the server reads it, from its own folder
        answer = request("SET %s %s" % (args.command, value))
        if answer != "OK":
            print(answer, file=sys.stderr)
            return 1
        return 0
    parser.print_help()
    return 2


if __name__ == "__main__":
    sys.exit(main())
