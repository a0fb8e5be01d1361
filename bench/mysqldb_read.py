#!/usr/bin/env python3
# The typed peer of bench/open_table as a whole process: connects with MySQLdb, reads SELECT * FROM
# the benchmark table with fetchall, touches every field and exits. Prints a line in open_table's
# form ("mysqldb rows=<n> seconds=<wall time of read and walk> maxrss_kb=<peak>").
#
#   mysqldb_read.py DATABASE     environment: KESTREL_BENCH_HOST, _USER, _PASSWORD
import os
import resource
import sys
import time

import MySQLdb


def main():
    database = sys.argv[1] if len(sys.argv) > 1 else "kt_bench_open_table"
    conn = MySQLdb.connect(host=os.environ.get("KESTREL_BENCH_HOST") or "127.0.0.1",
                           user=os.environ.get("KESTREL_BENCH_USER") or "root",
                           passwd=os.environ.get("KESTREL_BENCH_PASSWORD") or "kestrel",
                           db=database, port=3306)
    start = time.monotonic()
    cursor = conn.cursor()
    cursor.execute("SELECT * FROM t")
    rows = cursor.fetchall()
    fields = 0
    for row in rows:
        for value in row:
            if value is not None:
                fields += 1
    seconds = time.monotonic() - start
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    print(f"mysqldb rows={len(rows)} seconds={seconds:.3f} maxrss_kb={peak} fields={fields}")
    conn.close()


if __name__ == "__main__":
    main()
