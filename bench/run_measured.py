#!/usr/bin/env python3
"""Runs a command and prints 'seconds cpu_seconds max_rss_kib exit_code' for it and its
children (the Wine process of a Windows program included)."""
import resource, subprocess, sys, time
start = time.monotonic()
code = subprocess.call(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wall = time.monotonic() - start
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.3f} {u.ru_utime + u.ru_stime:.3f} {u.ru_maxrss} {code}")
