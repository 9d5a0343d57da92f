#!/usr/bin/python3
"""Checks the udev rule against recorded devices, as udev would match it (udevadm cannot test
rules on a machine without the devices):   udevrule.py RULES_FILE

The rule must tag the boot loader's serial port for the seat user, and nothing else: no other
device, no other assignment. Its name must sort before 73-seat-late.rules, which turns the tag
into the ACL.
"""

import fnmatch
import os
import re
import sys

# Devices as "udevadm info --attribute-walk" shows them: the device itself, then its parents.
DEVICES = {
    "the boot loader's serial port": (True, [
        {"KERNEL": "ttyACM0", "SUBSYSTEM": "tty", "ATTRS": {"dev": "166:0"}},
        {"KERNEL": "1-1:1.0", "SUBSYSTEM": "usb", "DRIVER": "cdc_acm", "ATTRS": {"bInterfaceClass": "02"}},
        {"KERNEL": "1-1", "SUBSYSTEM": "usb", "DRIVER": "usb",
         "ATTRS": {"idVendor": "1c75", "idProduct": "0204", "product": "Tark9 Bootloader"}},
    ]),
    "the boot loader's USB device node": (False, [
        {"KERNEL": "1-1", "SUBSYSTEM": "usb", "DRIVER": "usb", "ATTRS": {"idVendor": "1c75", "idProduct": "0204"}},
    ]),
    "the controller in MIDI mode": (False, [
        {"KERNEL": "controlC1", "SUBSYSTEM": "sound", "ATTRS": {}},
        {"KERNEL": "card1", "SUBSYSTEM": "sound", "ATTRS": {"id": "Tark9"}},
        {"KERNEL": "1-1", "SUBSYSTEM": "usb", "DRIVER": "usb", "ATTRS": {"idVendor": "0416", "idProduct": "b009"}},
    ]),
    "another USB serial adapter": (False, [
        {"KERNEL": "ttyUSB0", "SUBSYSTEM": "tty", "ATTRS": {}},
        {"KERNEL": "1-2", "SUBSYSTEM": "usb", "DRIVER": "usb", "ATTRS": {"idVendor": "0403", "idProduct": "6001"}},
    ]),
    "another device of the same maker": (False, [
        {"KERNEL": "ttyACM1", "SUBSYSTEM": "tty", "ATTRS": {}},
        {"KERNEL": "1-3", "SUBSYSTEM": "usb", "DRIVER": "usb", "ATTRS": {"idVendor": "1c75", "idProduct": "0205"}},
    ]),
}

TOKEN = re.compile(r'\s*([A-Z]+)(?:\{([^}]*)\})?\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(?:,|$)')
PARENT_KEYS = {"KERNELS": "KERNEL", "SUBSYSTEMS": "SUBSYSTEM", "DRIVERS": "DRIVER"}


def parse(path):
    rules = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            tokens, at = [], 0
            while at < len(line):
                token = TOKEN.match(line, at)
                if not token:
                    sys.exit("%s:%d: cannot read %r" % (path, number, line[at:]))
                tokens.append(token.groups())
                at = token.end()
            rules.append(tokens)
    return rules


def glob(value, pattern):
    return any(fnmatch.fnmatchcase(value or "", alternative) for alternative in pattern.split("|"))


def matches(tokens, chain):
    """udev's matching: keys on the device itself, and the parent keys (ATTRS, KERNELS, ...) all
    on one and the same device of the chain."""
    parent_tests = []
    for key, attribute, op, value in tokens:
        if op not in ("==", "!="):
            continue
        if key == "ATTRS" or key in PARENT_KEYS:
            parent_tests.append((key, attribute, op, value))
            continue
        if key not in ("KERNEL", "SUBSYSTEM", "DRIVER"):
            sys.exit("the check does not know the key %s: teach it before using it" % key)
        if glob(chain[0].get(key), value) != (op == "=="):
            return False

    def parent_matches(device):
        for key, attribute, op, value in parent_tests:
            actual = device["ATTRS"].get(attribute) if key == "ATTRS" else device.get(PARENT_KEYS[key])
            if glob(actual, value) != (op == "=="):
                return False
        return True
    return not parent_tests or any(parent_matches(device) for device in chain)


def main(path):
    failures = []
    name = os.path.basename(path)
    if not name.endswith(".rules") or not name < "73-seat-late.rules":
        failures.append("%s does not sort before 73-seat-late.rules" % name)
    rules = parse(path)
    for tokens in rules:
        assignments = [(key, op, value) for key, _, op, value in tokens if op not in ("==", "!=")]
        if assignments != [("TAG", "+=", "uaccess")]:
            failures.append("the rule assigns more or less than the uaccess tag: %s" % assignments)
    for device, (wanted, chain) in sorted(DEVICES.items()):
        tagged = any(matches(tokens, chain) for tokens in rules)
        if tagged != wanted:
            failures.append("%s is %s" % (device, "tagged" if tagged else "not tagged"))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
