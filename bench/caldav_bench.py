#!/usr/bin/python3
"""Importing into a calendar on a CalDAV server, against an independent client.

Starts Radicale on 127.0.0.1 (a free port, a temporary storage folder, one user) and
times, on the same server in the same run:
  1. feriant import of every region of Schweiz for 1984 to 2049 into an empty collection;
  2. python3-caldav saving the same events (feriant list --format ics) one by one into
     another empty collection;
  3. feriant import of the same selection again, which changes nothing;
  4. one calendar-query REPORT of that collection (events with ETags and data), the
     least any client must do to know what is there.
Goals: (2) / (1) >= 3, and (3) / (4) <= 1.5.

Run: bench/caldav_bench.py build/apps/feriant/feriant [FIRST LAST]
(FIRST and LAST, the years, for a shorter try.)

Measured on the 2-core build machine under heavy load (Radicale 3.1.8, 2020-2024, 400
events): feriant 59.1 s, python3-caldav 49.5 s (0.8x); re-import 0.31 s against 0.14 s
for the query (2.1x). Neither goal is met on Radicale: it takes one storage lock per
write and its cost per PUT grows with the collection, so parallel requests only queue
there, and with few events feriant's own start (about 0.1 s) outweighs the query. The
full range (5296 events) was stopped after 17 minutes with 1809 saved.
"""
import os
import socket
import subprocess
import sys
import tempfile
import time

import caldav

USER = "bench"
PASSWORD = "bench-password"
SELECTION = ["--country", "CH", "--all-regions", "--from", "1984", "--to", "2049"]
QUERY = ('<?xml version="1.0" encoding="utf-8"?>'
         '<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">'
         '<D:prop><D:getetag/><C:calendar-data/></D:prop>'
         '<C:filter><C:comp-filter name="VCALENDAR"><C:comp-filter name="VEVENT"/>'
         '</C:comp-filter></C:filter></C:calendar-query>')


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(port):
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), 0.1).close()
            return
        except OSError:
            time.sleep(0.05)
    sys.exit("radicale did not start")


def timed(action):
    start = time.perf_counter()
    result = action()
    return time.perf_counter() - start, result


def main(feriant, first="1984", last="2049"):
    SELECTION[4] = first
    SELECTION[6] = last
    folder = tempfile.mkdtemp(prefix="feriant-caldav-bench-")
    with open(os.path.join(folder, "users"), "w") as users:
        users.write("%s:%s\n" % (USER, PASSWORD))
    port = free_port()
    server = subprocess.Popen(
        ["/usr/bin/python3", "-m", "radicale", "--server-hosts", "127.0.0.1:%d" % port,
         "--storage-filesystem-folder", os.path.join(folder, "storage"),
         "--auth-type", "htpasswd", "--auth-htpasswd-filename", os.path.join(folder, "users"),
         "--auth-htpasswd-encryption", "plain", "--rights-type", "owner_only",
         "--logging-level", "error"])
    try:
        wait_for(port)
        base = "http://127.0.0.1:%d/" % port
        client = caldav.DAVClient(url=base, username=USER, password=PASSWORD)
        principal = client.principal()
        ours = principal.make_calendar(name="Feriant", cal_id="feriant")
        theirs = principal.make_calendar(name="Client", cal_id="client")
        url = "http://%s@127.0.0.1:%d/%s/feriant/" % (USER, port, USER)
        env = dict(os.environ, FERIANT_CALDAV_PASSWORD=PASSWORD, HOME=folder)

        listing = subprocess.run([feriant, "list", *SELECTION, "--format", "ics"], env=env,
                                 capture_output=True, check=True, text=True).stdout
        text = listing.replace("\r\n", "\n")
        events = ["BEGIN:VEVENT\n" + block.split("END:VEVENT\n")[0] + "END:VEVENT\n"
                  for block in text.split("BEGIN:VEVENT\n")[1:]]

        def run_feriant():
            done = subprocess.run([feriant, "import", *SELECTION, "--calendar", url], env=env,
                                  capture_output=True, text=True)
            if done.returncode != 0:
                sys.exit(done.stderr)
            return done.stdout.strip()

        import_time, said = timed(run_feriant)

        def save_one_by_one():
            for event in events:
                theirs.save_event("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//bench//EN\n" + event +
                                  "END:VCALENDAR\n")

        client_time, _ = timed(save_one_by_one)
        again_time, said_again = timed(run_feriant)
        query_time = min(timed(lambda: client.report(str(ours.url), QUERY, 1))[0]
                         for _ in range(3))

        print("events: %d" % len(events))
        print("feriant import:            %7.2f s  (%s)" % (import_time, said))
        print("python3-caldav one by one: %7.2f s  -> %.1fx (goal >= 3x)" %
              (client_time, client_time / import_time))
        print("feriant re-import:         %7.2f s  (%s)" % (again_time, said_again))
        print("one calendar-query REPORT: %7.2f s  -> re-import %.2fx of it (goal <= 1.5x)" %
              (query_time, again_time / query_time))
    finally:
        server.terminate()
        server.wait()
        subprocess.run(["rm", "-rf", folder])


if __name__ == "__main__":
    main(*(sys.argv[1:] or ["build/apps/feriant/feriant"]))
