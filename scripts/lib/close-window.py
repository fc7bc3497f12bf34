#!/usr/bin/env python3
"""Asks an X window to close, as a window manager's close button does
(WM_DELETE_WINDOW). Usage: close-window.py WINDOW_ID"""
import ctypes
import sys
import time

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 16)]


# A busy virtual X server now and then refuses a connection; try again.
d = None
for attempt in range(10):
    d = x.XOpenDisplay(None)
    if d:
        break
    time.sleep(0.2)
if not d:
    sys.exit("close-window: cannot connect to the display")
w = int(sys.argv[1], 0)
e = ClientMessage(type=33, window=w, message_type=x.XInternAtom(d, b"WM_PROTOCOLS", 0), format=32)
e.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XSendEvent(d, w, 0, 0, ctypes.byref(e))
x.XFlush(ctypes.c_void_p(d))
