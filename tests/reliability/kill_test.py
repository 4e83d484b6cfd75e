#!/usr/bin/python3
"""Kill at any moment: tarvo-cli is killed (SIGKILL) at random moments while it measures, saves
the result list, records and saves a program, exports and writes its settings. After every kill
each file the program writes is either absent, or the complete old, or the complete new content
(never half), and a restart shows every result line that was acknowledged (printed after its
command) before the kill.

Most kills are aimed into a file write: the program runs with TARVO_WRITE_PAUSE_MS, which makes
each atomic write pause half-way through its bytes and again before its rename, and the harness
kills while a temporary file of the writer is there. A kill counts as one inside a write when the
writer's temporary file is left behind by it; at least half of them must be.

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
TEMP_FILE = re.compile(r"^\..+\.tmp\d+$")
WRITE_PAUSE_MS = 12


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
            if TEMP_FILE.match(name):
                continue  # the writer's own, removed at the next start
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


def temp_files(work):
    """The writer's temporary files in the folders the program writes."""
    found = set()
    for folder in (work, os.path.join(work, "prg"), os.path.join(work, "ascii")):
        if os.path.isdir(folder):
            found.update(os.path.join(folder, n) for n in os.listdir(folder) if TEMP_FILE.match(n))
    return found


def kill_in_a_write(p, work, rng):
    """Waits a moment, then for a write to begin, and kills inside its pauses."""
    time.sleep(rng.uniform(0.002, 0.06))
    before = temp_files(work)
    # Not for long: while an export waits for a free file name nothing is written.
    deadline = time.monotonic() + 0.25
    while time.monotonic() < deadline and p.poll() is None:
        if temp_files(work) - before:
            time.sleep(rng.uniform(0, 0.75 * WRITE_PAUSE_MS / 1000))
            break
        time.sleep(0.001)
    p.send_signal(signal.SIGKILL)


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
    in_write = 0
    written = {}
    checked = 0
    start = time.monotonic()
    env = dict(os.environ, TARVO_WRITE_PAUSE_MS=str(WRITE_PAUSE_MS))
    output_file = os.path.join(work, "..", "output.txt")
    while done < kills:
        before = temp_files(work)
        # The output goes to a file: a pipe that nobody reads could stall the program.
        with open(output_file, "wb") as out:
            p = subprocess.Popen([cli, "--dir", work, script], stdout=out, stderr=subprocess.DEVNULL, env=env)
            if done % 8 != 7:  # and now and then at any moment, as before
                kill_in_a_write(p, work, rng)
            else:
                time.sleep(rng.uniform(0.002, 0.25))
                p.send_signal(signal.SIGKILL)
            p.wait()
        if p.returncode != -signal.SIGKILL:
            ended_alone += 1
        elif temp_files(work) - before:
            in_write += 1
            for t in temp_files(work) - before:
                target = re.sub(r"\.tmp\d+$", "", os.path.basename(t))[1:]
                kind = target if target in ("speicher.dat", "TARVO.INI", "temp.lst", "mrk_var.txt") \
                    else "*" + os.path.splitext(target)[1].upper()
                written[kind] = written.get(kind, 0) + 1
        done += 1
        with open(output_file, "rb") as f:
            output = f.read().decode("utf-8", "replace")
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
    # The restart after the last kill has removed what that kill left behind.
    leftovers = sorted(temp_files(work))
    if leftovers:
        print("temporary files left behind:", leftovers)
        return 1
    files = ", ".join(f"{k} {v}" for k, v in sorted(written.items(), key=lambda kv: -kv[1]))
    print(f"{done} kills in {time.monotonic() - start:.1f} s, {in_write} of them inside a file write ({files}):"
          f" every file whole, {checked} acknowledged lines kept ({ended_alone} runs ended before their kill)")
    if in_write * 2 < done:
        print("fewer than half of the kills landed inside a file write")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
