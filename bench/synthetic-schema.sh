#!/usr/bin/env bash
# Prints the SQL of the benchmarks' synthetic schema: N tables t00001 .. tN of 15 columns
# each (an integer key, two foreign keys to the two tables before it, the first tables
# referring to themselves, a date and eleven varchar(40) columns), for SQLite and PostgreSQL.
#   bench/synthetic-schema.sh N
set -euo pipefail
awk -v n="${1:?number of tables}" 'BEGIN {
  for (i = 1; i <= n; i++) {
    a = (i > 1) ? i - 1 : 1; b = (i > 2) ? i - 2 : 1;
    printf "CREATE TABLE t%05d (id integer NOT NULL PRIMARY KEY, ", i;
    printf "ref_a integer REFERENCES t%05d (id), ref_b integer REFERENCES t%05d (id), ", a, b;
    printf "created date, ";
    for (c = 1; c <= 11; c++) printf "c%02d varchar(40)%s", c, (c < 11 ? ", " : "");
    printf ");\n";
  }
}'
