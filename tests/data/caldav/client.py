#!/usr/bin/python3
"""An independent CalDAV client for the tests and the benchmark (python3-caldav).

The user and password come from CALDAV_USER and CALDAV_PASSWORD, an authority file from
CALDAV_CACERT, never from the command line.

  client.py make URL ID NAME           make the calendar ID under the user's home
  client.py add CALENDAR UID SUMMARY YYYYMMDD
  client.py etags CALENDAR             one "path etag" line per resource, by path
  client.py events CALENDAR            one "YYYYMMDD SUMMARY" line per event, sorted
  client.py rename CALENDAR SUMMARY NEW   gives the event called SUMMARY a new summary
  client.py save CALENDAR FILE.ics     saves each VEVENT of the file one by one
"""
import os
import sys

import caldav
from caldav.elements import dav


def client(url):
    options = {}
    if os.environ.get("CALDAV_CACERT"):
        options["ssl_verify_cert"] = os.environ["CALDAV_CACERT"]
    return caldav.DAVClient(url=url, username=os.environ["CALDAV_USER"],
                            password=os.environ["CALDAV_PASSWORD"], **options)


def calendar(url):
    return client(url).calendar(url=url)


def event_text(uid, summary, day):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tests//client//EN\r\n"
            "BEGIN:VEVENT\r\nUID:%s\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:%s\r\n"
            "SUMMARY:%s\r\nCATEGORIES:Holiday\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
            % (uid, day, summary))


def main(command, url, *rest):
    if command == "make":
        client(url).principal().make_calendar(name=rest[1], cal_id=rest[0])
    elif command == "add":
        calendar(url).save_event(event_text(*rest))
    elif command == "etags":
        found = calendar(url)._query_properties([dav.GetEtag()], depth=1)
        props = found.expand_simple_props([dav.GetEtag()])
        for path in sorted(props):
            etag = props[path].get(dav.GetEtag.tag)
            if etag and not path.endswith("/"):
                print(path, etag)
    elif command == "events":
        lines = []
        for event in calendar(url).events():
            component = event.vobject_instance.vevent
            lines.append("%s %s" % (component.dtstart.value.strftime("%Y%m%d"),
                                    component.summary.value))
        print("\n".join(sorted(lines)))
    elif command == "rename":
        for event in calendar(url).events():
            component = event.vobject_instance.vevent
            if component.summary.value == rest[0]:
                component.summary.value = rest[1]
                event.save()
                return
        sys.exit("no event called " + rest[0])
    elif command == "save":
        target = calendar(url)
        text = open(rest[0], encoding="utf-8").read().replace("\r\n", "\n")
        head, _, body = text.partition("BEGIN:VEVENT\n")
        for block in ("BEGIN:VEVENT\n" + body).split("BEGIN:VEVENT\n")[1:]:
            event = "BEGIN:VEVENT\n" + block.split("END:VEVENT\n")[0] + "END:VEVENT\n"
            target.save_event("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//tests//client//EN\n" +
                              event + "END:VCALENDAR\n")
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main(*sys.argv[1:])
