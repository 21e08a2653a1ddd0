#!/usr/bin/python3
"""Importing into a calendar on a CalDAV server, against an independent client.

Starts Radicale on 127.0.0.1 (a free port, a temporary storage folder, one user) and
times, on the same server in the same run:
  1. feriant import of every region of Schweiz for FIRST to LAST into an empty collection;
  2. python3-caldav saving the same events (feriant list --format ics) one by one into
     another empty collection;
  3. the floor of any client: the same events PUT one by one, each with If-None-Match,
     over one kept-alive connection by a client that does nothing else (http.client);
  4. feriant import of every region of Schweiz for 1984 to 2049 into a collection that
     already holds exactly those events, which changes nothing;
  5. one calendar-query REPORT of that collection (events with ETags and data, parsed by
     python3-caldav), the least any client must do to know what is there.
Goals: (2) / (1) >= 3, and (4) / (5) <= 1.5.

The collection of (4) is filled by one PUT of the whole calendar to the collection's URL,
a Radicale extension: Radicale checks every new resource's UID against all others in the
collection, so each PUT of a new event costs time in proportion to the collection and
saving all 5296 events one by one takes hours, whoever sends them. For the same reason
(1) to (3) use a shorter range of years, by default 2020 to 2024 (400 events).

Run: bench/caldav_bench.py build/apps/feriant/feriant [FIRST LAST]
With TMPDIR on a tmpfs (/dev/shm) the server's storage is in memory and fsync costs
nothing; the figures then show the clients and the server's work, not the disk.
"""
import base64
import http.client
import os
import socket
import subprocess
import sys
import tempfile
import time

import caldav

USER = "bench"
PASSWORD = "bench-password"
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


def selection(first, last):
    return ["--country", "CH", "--all-regions", "--from", first, "--to", last]


def main(feriant, first="2020", last="2024"):
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
        principal.make_calendar(name="Floor", cal_id="floor")
        full = principal.make_calendar(name="Full", cal_id="full")
        env = dict(os.environ, FERIANT_CALDAV_PASSWORD=PASSWORD, HOME=folder)
        authorization = "Basic " + base64.b64encode(
            ("%s:%s" % (USER, PASSWORD)).encode()).decode()

        def listing(years):
            return subprocess.run([feriant, "list", *years, "--format", "ics"], env=env,
                                  capture_output=True, check=True).stdout.decode()

        def run_feriant(years, collection):
            url = "http://%s@127.0.0.1:%d/%s/%s/" % (USER, port, USER, collection)
            done = subprocess.run([feriant, "import", *years, "--calendar", url], env=env,
                                  capture_output=True, text=True)
            if done.returncode != 0:
                sys.exit(done.stderr)
            return done.stdout.strip()

        text = listing(selection(first, last)).replace("\r\n", "\n")
        events = ["BEGIN:VEVENT\n" + block.split("END:VEVENT\n")[0] + "END:VEVENT\n"
                  for block in text.split("BEGIN:VEVENT\n")[1:]]
        bodies = [("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//bench//EN\n" + event +
                   "END:VCALENDAR\n").replace("\n", "\r\n") for event in events]

        import_time, said = timed(lambda: run_feriant(selection(first, last), "feriant"))

        def save_one_by_one():
            for body in bodies:
                theirs.save_event(body)

        client_time, _ = timed(save_one_by_one)

        def put_one_by_one():
            connection = http.client.HTTPConnection("127.0.0.1", port)
            for body in bodies:
                uid = next(line[4:] for line in body.split("\r\n") if line.startswith("UID:"))
                connection.request("PUT", "/%s/floor/%s.ics" % (USER, uid), body.encode(),
                                   {"Authorization": authorization, "If-None-Match": "*",
                                    "Content-Type": "text/calendar; charset=utf-8"})
                answer = connection.getresponse()
                answer.read()
                if answer.status != 201:
                    sys.exit("the floor's PUT was answered %d" % answer.status)

        floor_time, _ = timed(put_one_by_one)

        whole = listing(selection("1984", "2049")).encode()
        filling = http.client.HTTPConnection("127.0.0.1", port)
        filling.request("PUT", "/%s/full/" % USER, whole,
                        {"Authorization": authorization,
                         "Content-Type": "text/calendar; charset=utf-8"})
        answer = filling.getresponse()
        answer.read()
        if answer.status not in (200, 201):
            sys.exit("filling the collection was answered %d" % answer.status)
        again_time, said_again = min(
            timed(lambda: run_feriant(selection("1984", "2049"), "full")) for _ in range(3))
        query_time = min(timed(lambda: client.report(str(full.url), QUERY, 1))[0]
                         for _ in range(3))

        print("%s to %s, %d events:" % (first, last, len(events)))
        print("  feriant import:            %7.2f s  (%s)" % (import_time, said))
        print("  python3-caldav one by one: %7.2f s  -> %.2fx (goal >= 3x)" %
              (client_time, client_time / import_time))
        print("  bare PUTs one by one:      %7.2f s  -> feriant at %.2fx of this floor" %
              (floor_time, import_time / floor_time))
        print("1984 to 2049, %d events:" % whole.count(b"BEGIN:VEVENT"))
        print("  feriant re-import:         %7.2f s  (%s)" % (again_time, said_again))
        print("  one calendar-query REPORT: %7.2f s  -> re-import %.2fx of it (goal <= 1.5x)" %
              (query_time, again_time / query_time))
    finally:
        server.terminate()
        server.wait()
        subprocess.run(["rm", "-rf", folder])


if __name__ == "__main__":
    main(*(sys.argv[1:] or ["build/apps/feriant/feriant"]))
