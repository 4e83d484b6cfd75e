#!/usr/bin/python3
"""Kill at any moment: tarvo-cli is killed (SIGKILL) at random moments while it measures, saves
the result list, records and saves a program, exports and writes its settings. After every kill
each file the program writes is either absent, or the complete old, or the complete new content
(never half), and a restart shows every result line that was acknowledged (printed after its
command) before the kill.

    kill_test.py TARVO_CLI WORK [KILLS] [SEED]
"""
import os
import random
import shutil
import re
import signal
import subprocess
import sys
import time

RESULT_LINE = re.compile(r"^ {0,2}\d{1,4} \S")


def block(i):
    """One round of work; its result lines differ from every other round's."""
    x = i % 97
    return (f"point {x} 0\npoint {x + 10} 0\npoint {x + 5} 5\nkey F2\nprint results\n"
            f"feature V Welle 10 0.1 -0.1\nselect 0\nclick SpeedButton16\n"
            f"input Teil{i}\ninput Pruefer\ninput C{i}\nclick SpeedButton19\n"
            f"answer ok\nclick SpeedButton11\npoint 0 0\npoint 4 0\npoint 2 2\nkey F2\n"
            f"answer ok\nfile p{i % 5}\nclick SpeedButton12\n"
            f"file pts{i % 3}\nmenu Speichern\n"
            f"system {i % 2} 0\nmenu Systemeinstellungen\nprint results\n")


def acknowledged(output):
    """The result lines of the last complete "print results" block."""
    lines = output.split("\n")
    last = []
    i = 0
    while i < len(lines):
        m = re.match(r"^--- results \((\d+)\)$", lines[i])
        if m:
            n = int(m.group(1))
            if i + n < len(lines) - 1 or (i + n < len(lines) and output.endswith("\n")):
                last = lines[i + 1:i + 1 + n]
            i += n
        i += 1
    return last


def check_text_file(path, line_ok):
    data = open(path, "rb").read()
    if data and not data.endswith(b"\r\n"):
        return f"{path}: does not end with a line end ({len(data)} bytes)"
    for line in data.decode("cp1252").split("\r\n")[:-1]:
        if not line_ok(line):
            return f"{path}: bad line {line!r}"
    return None


def check_files(work):
    problems = []
    speicher = os.path.join(work, "speicher.dat")
    if os.path.exists(speicher):
        p = check_text_file(speicher, lambda l: bool(RESULT_LINE.match(l)))
        if p:
            problems.append(p)
    prg = os.path.join(work, "prg")
    if os.path.isdir(prg):
        for name in os.listdir(prg):
            p = check_text_file(os.path.join(prg, name), lambda l: bool(l.strip()))
            if p:
                problems.append(p)
            text = open(os.path.join(prg, name), "rb").read().decode("cp1252")
            if "GETPOINT:" not in text or "Kreis:" not in text:
                problems.append(f"{name}: not a whole program: {text!r}")
    ini = os.path.join(work, "TARVO.INI")
    if os.path.exists(ini):
        p = check_text_file(ini, lambda l: l == "" or l.startswith("[") or "=" in l)
        if p:
            problems.append(p)
    for folder in (work, os.path.join(work, "ascii")):
        if not os.path.isdir(folder):
            continue
        for name in os.listdir(folder):
            full = os.path.join(folder, name)
            if name.upper().endswith((".NPA", ".TRF", ".PNT")) and os.path.getsize(full) > 0:
                p = check_text_file(full, lambda l: True)
                if p:
                    problems.append(p)
    return problems


def main():
    cli, work = sys.argv[1], sys.argv[2]
    kills = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 4711)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    script = os.path.join(work, "..", "kill.tarvo")
    with open(script, "w") as f:
        f.write("wait 500\n" + "".join(block(i) for i in range(400)))
    restart = os.path.join(work, "..", "restart.tarvo")
    with open(restart, "w") as f:
        f.write("wait 200\nprint results\n")
    done = 0
    ended_alone = 0
    checked = 0
    start = time.monotonic()
    while done < kills:
        p = subprocess.Popen([cli, "--dir", work, script], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        time.sleep(rng.uniform(0.002, 0.25))
        p.send_signal(signal.SIGKILL)
        out, _ = p.communicate()
        if p.returncode != -signal.SIGKILL:
            ended_alone += 1
        done += 1
        output = out.decode("utf-8", "replace")
        problems = check_files(work)
        seen = subprocess.run([cli, "--dir", work, restart], capture_output=True, timeout=60)
        after = seen.stdout.decode("utf-8", "replace").split("\n")
        for line in acknowledged(output):
            checked += 1
            if line not in after:
                problems.append(f"acknowledged line lost: {line!r}")
        if problems:
            print(f"kill {done}:", *problems, sep="\n  ")
            return 1
        # Now and then a fresh start, so the first writes are killed too.
        if rng.random() < 0.1:
            for name in ("speicher.dat", "TARVO.INI"):
                if os.path.exists(os.path.join(work, name)):
                    os.remove(os.path.join(work, name))
    leftovers = [n for n in os.listdir(work) if ".tmp" in n]
    if leftovers:
        print("temporary files left behind:", leftovers)
        return 1
    print(f"{done} kills in {time.monotonic() - start:.1f} s: every file whole, {checked} acknowledged lines kept"
          f" ({ended_alone} runs ended before their kill)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
