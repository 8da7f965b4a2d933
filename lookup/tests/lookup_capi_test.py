#!/usr/bin/env python3
# libtrovex's C interface from a host with no Qt of its own (ctypes), through
# libtrovex_scripting, which adds scripted lookups to it. The company comes
# from the company tool, as a host's would.
# usage: lookup_capi_test.py libtrovex_scripting.so trovex-company
import ctypes
import os
import subprocess
import sys
import tempfile

lib = ctypes.CDLL(sys.argv[1])
P, S, I16, INT = ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int16, ctypes.c_int
OUTPUT, SINK = ctypes.CFUNCTYPE(None, S, P), ctypes.CFUNCTYPE(None, S, S, P)
for name, restype, argtypes in [
    ("last_error", S, []), ("open_company", P, [S]), ("release_session", None, [P]),
    ("create", P, []), ("destroy", None, [P]), ("get_Result1", S, [P]), ("get_Result2", S, [P]),
    ("get_Result3", S, [P]), ("put_Result3", INT, [P, S]),
    ("FindAP_Accounts", INT, [P, P, S, I16]), ("FindAP_Documents", INT, [P, P, S, I16, S, I16]),
    ("call", INT, [P, P, S, I16, S, ctypes.POINTER(S), INT]), ("set_message_sink", None, [SINK, P]),
    ("set_script", INT, [S, OUTPUT, P]), ("finish_script", INT, []),
]:
    fn = getattr(lib, "trovex_" + name)
    fn.restype, fn.argtypes = restype, argtypes


def results(inst):
    return [lib.trovex_get_Result1(inst), lib.trovex_get_Result2(inst), lib.trovex_get_Result3(inst)]


folder = tempfile.TemporaryDirectory()
company = os.path.join(folder.name, "company.sqlite")
subprocess.run([sys.argv[2], "create", company], check=True, stdout=subprocess.DEVNULL)
session, inst = lib.trovex_open_company(company.encode()), lib.trovex_create()
assert session and results(inst) == [b"", b"", b""], lib.trovex_last_error()

# One lookup: the script dumps the window, clicks row 2 and presses Enter.
dumps = []
keep_output = OUTPUT(lambda text, user: dumps.append(text.decode()))
assert lib.trovex_set_script(b"dump\nclick cell 2 0\nkey Enter\n", keep_output, None) == 0
assert lib.trovex_FindAP_Accounts(inst, session, b"PythonHost", 0) == 0, lib.trovex_last_error()
assert lib.trovex_finish_script() == 0, lib.trovex_last_error()
lines = dict(line.split("=", 1) for line in "".join(dumps).splitlines() if "=" in line)
row2 = lines["row2"].split("\t")
assert lines["caption"].endswith(" - Sage Accpac General Ledger Accounts"), lines["caption"]
assert results(inst) == [row2[0].encode(), row2[1].encode(), b""], (results(inst), row2)
assert lib.trovex_put_Result3(inst, "größer".encode()) == 0 and lib.trovex_get_Result3(inst).decode() == "größer"

# Text beyond ASCII is typed whole, as from a keyboard.
dumps.clear()
typed = "Zürich élan € 😀"
assert lib.trovex_set_script(('click txtSearch\ntype "%s"\ndump\nclick pbxCancel\n' % typed).encode(), keep_output, None) == 0
assert lib.trovex_FindAP_Accounts(inst, session, b"PythonHost", 0) == 0, lib.trovex_last_error()
assert lib.trovex_finish_script() == 0, lib.trovex_last_error()
assert ("txtSearch=" + typed) in "".join(dumps).splitlines(), dumps

# Boxes go to the sink, answered without a window: a filter the view cannot read. The cancel keeps the results.
boxes, before = [], results(inst)
keep_sink = SINK(lambda title, text, user: boxes.append((title.decode(), text.decode())))
lib.trovex_set_message_sink(keep_sink, None)
lib.trovex_set_script(b"click pbxCancel\n", keep_output, None)
assert lib.trovex_FindAP_Documents(inst, session, b"PythonHost", 0, b"1200 OR", 0) == 0
assert lib.trovex_finish_script() == 0, lib.trovex_last_error()
assert len(boxes) == 1 and boxes[0][0] == "Sage Accpac Finder Error", boxes
assert "\r\n\nIn Procedure: clsFinder.FillFinderGrid." in boxes[0][1], boxes
assert results(inst) == before

# Bad arguments: -1 and a reason, never a crash.
args = (S * 1)(b"1")
assert lib.trovex_FindAP_Accounts(None, session, b"x", 0) == -1 and b"instance" in lib.trovex_last_error()
assert lib.trovex_FindAP_Accounts(inst, None, b"x", 0) == -1
assert lib.trovex_call(inst, session, b"x", 0, b"FindAP_Nothing", args, 1) == -1
assert b"unknown method" in lib.trovex_last_error()
assert lib.trovex_call(inst, session, b"x", 0, b"FindAP_Accounts", args, 1) == -1
assert lib.trovex_set_script(b"dump\nfly\n", keep_output, None) == -1
assert lib.trovex_last_error().startswith(b"line 2:"), lib.trovex_last_error()
assert not lib.trovex_open_company(b"/nonexistent/company.trovex") and lib.trovex_last_error()
assert lib.trovex_get_Result1(None) is None
lib.trovex_destroy(inst)
lib.trovex_release_session(session)

# In the sanitizer build the interpreter drops its own blocks unfreed when it
# ends, which would drown the library's: leaks are looked for here instead,
# while the interpreter still holds everything of its own.
leak_check = getattr(ctypes.CDLL(None), "__lsan_do_recoverable_leak_check", None)
assert leak_check is None or leak_check() == 0, "the library leaked (report above)"
print("all passed")
