#!/usr/bin/env python3
"""The C interface of libtrovex from a host with no Qt of its own: Python
through ctypes. One lookup over the demo company, driven by a script, and
the results read back; then the interface's answers to bad arguments.

usage: lookup_capi_test.py PATH/TO/libtrovex.so
"""
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1])
P = ctypes.c_void_p
S = ctypes.c_char_p
I16 = ctypes.c_int16
OUTPUT = ctypes.CFUNCTYPE(None, ctypes.c_char_p, ctypes.c_void_p)
SINK = ctypes.CFUNCTYPE(None, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_void_p)

for name, restype, argtypes in [
    ("trovex_last_error", S, []),
    ("trovex_description", S, []),
    ("trovex_open_company", P, [S]),
    ("trovex_open_demo_company", P, []),
    ("trovex_release_session", None, [P]),
    ("trovex_create", P, []),
    ("trovex_destroy", None, [P]),
    ("trovex_get_Result1", S, [P]),
    ("trovex_get_Result2", S, [P]),
    ("trovex_get_Result3", S, [P]),
    ("trovex_put_Result3", ctypes.c_int, [P, S]),
    ("trovex_FindAP_Accounts", ctypes.c_int, [P, P, S, I16]),
    ("trovex_FindAP_Documents", ctypes.c_int, [P, P, S, I16, S, I16]),
    ("trovex_call", ctypes.c_int, [P, P, S, I16, S, ctypes.POINTER(S), ctypes.c_int]),
    ("trovex_set_message_sink", None, [SINK, P]),
    ("trovex_set_script", ctypes.c_int, [S, OUTPUT, P]),
    ("trovex_finish_script", ctypes.c_int, []),
]:
    fn = getattr(lib, name)
    fn.restype, fn.argtypes = restype, argtypes

passed = failed = 0


def check(what, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print(f"FAILED: {what} {detail}")


def results(inst):
    return [lib.trovex_get_Result1(inst), lib.trovex_get_Result2(inst), lib.trovex_get_Result3(inst)]


check("description", lib.trovex_description() == b"Remitko Sage Accpac finder (xAPI).")

session = lib.trovex_open_demo_company()
check("demo company opens", bool(session), lib.trovex_last_error())
inst = lib.trovex_create()
check("fresh instance is empty", results(inst) == [b"", b"", b""])

# One lookup: the script dumps the window, clicks row 2 and presses Enter.
dumps = []
keep_output = OUTPUT(lambda text, user: dumps.append(text.decode()))
check("script accepted", lib.trovex_set_script(b"dump\nclick cell 2 0\nkey Enter\n", keep_output, None) == 0,
      lib.trovex_last_error())
check("lookup call", lib.trovex_FindAP_Accounts(inst, session, b"PythonHost", 0) == 0, lib.trovex_last_error())
check("script ran through", lib.trovex_finish_script() == 0, lib.trovex_last_error())
lines = dict(line.split("=", 1) for line in "".join(dumps).splitlines() if "=" in line)
row2 = lines.get("row2", "").split("\t")
check("caption", lines.get("caption", "").endswith(" - Sage Accpac General Ledger Accounts"), lines.get("caption"))
check("results are row 2", results(inst) == [row2[0].encode(), row2[1].encode(), b""], f"{results(inst)} {row2}")

check("put Result3", lib.trovex_put_Result3(inst, "größer".encode()) == 0)
check("get Result3 in UTF-8", lib.trovex_get_Result3(inst).decode() == "größer")

# Boxes go to the sink, answered without a window: a filter the view cannot read.
boxes = []
keep_sink = SINK(lambda title, text, user: boxes.append((title.decode(), text.decode())))
lib.trovex_set_message_sink(keep_sink, None)
lib.trovex_set_script(b"click pbxCancel\n", keep_output, None)
before = results(inst)
check("lookup with a bad customer", lib.trovex_FindAP_Documents(inst, session, b"PythonHost", 0, b"1200 OR", 0) == 0)
check("cancelled script", lib.trovex_finish_script() == 0, lib.trovex_last_error())
check("one box in the sink", len(boxes) == 1 and boxes[0][0] == "Sage Accpac Finder Error", boxes)
check("box text", boxes and "\r\n\nIn Procedure: clsFinder.FillFinderGrid." in boxes[0][1], boxes)
check("cancel keeps the results", results(inst) == before)
lib.trovex_set_message_sink(SINK(0), None)

# Bad arguments: -1 and a reason, never a crash.
check("null instance", lib.trovex_FindAP_Accounts(None, session, b"x", 0) == -1)
check("null instance said", b"instance" in lib.trovex_last_error())
check("null session", lib.trovex_FindAP_Accounts(inst, None, b"x", 0) == -1)
args = (S * 1)(b"1")
check("unknown method", lib.trovex_call(inst, session, b"x", 0, b"FindAP_Nothing", args, 1) == -1)
check("unknown method said", b"unknown method" in lib.trovex_last_error(), lib.trovex_last_error())
check("arguments checked", lib.trovex_call(inst, session, b"x", 0, b"FindAP_Accounts", args, 1) == -1)
check("bad script line", lib.trovex_set_script(b"dump\nfly\n", keep_output, None) == -1)
check("bad script line said", lib.trovex_last_error().startswith(b"line 2:"), lib.trovex_last_error())
check("missing company", not lib.trovex_open_company(b"/nonexistent/company.trovex"))
check("missing company said", lib.trovex_last_error() != b"")
check("null getter", lib.trovex_get_Result1(None) is None)

lib.trovex_destroy(inst)
lib.trovex_release_session(session)
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
