#!/usr/bin/env python3
"""Compares the schema of two databases through their catalogs: the same tables (views
aside), and for each the same columns with their declared types, nullability and defaults,
the same primary key, unique columns and foreign keys. Prints every difference; exits 1 when
there is one.

    compare-schemas.py sqlite ORIGINAL.db COPY.db
    compare-schemas.py postgres PORT ORIGINAL_DB COPY_DB

PostgreSQL is reached on 127.0.0.1 as the user and password of PGUSER and PGPASSWORD. The
columns' order is not compared: a template writes the primary key's columns first.
"""

import argparse
import sqlite3
import subprocess
import sys


def sqlite_schema(path):
    db = sqlite3.connect(f"file:{path}?mode=ro", uri=True)
    schema = {}
    tables = [r[0] for r in db.execute(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'")]
    for table in tables:
        info = db.execute("SELECT name, type, \"notnull\", dflt_value, pk "
                          "FROM pragma_table_info(?)", (table,)).fetchall()
        columns = {}
        for name, declared, notnull, default, _ in info:
            columns[name] = {"type": declared, "not null": bool(notnull), "default": default}
        key = [name for name, *_, pk in sorted(info, key=lambda r: r[4]) if pk > 0]
        # A parent key left out of a foreign key is the parent's primary key.
        foreign = {}
        for ident, _, parent, source, target in db.execute(
                "SELECT id, seq, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?) "
                "ORDER BY id, seq", (table,)):
            foreign.setdefault(ident, [parent, [], []])
            foreign[ident][1].append(source)
            foreign[ident][2].append(target)
        keys = []
        for parent, sources, targets in foreign.values():
            if all(t is None for t in targets):
                parent_info = db.execute("SELECT name, pk FROM pragma_table_info(?) "
                                         "WHERE pk > 0 ORDER BY pk", (parent,)).fetchall()
                targets = [name for name, _ in parent_info]
            keys.append((parent, tuple(sources), tuple(targets)))
        unique = []
        for index, origin in db.execute("SELECT name, origin FROM pragma_index_list(?)",
                                        (table,)):
            if origin == "u":
                unique.append(tuple(r[0] for r in db.execute(
                    "SELECT name FROM pragma_index_info(?) ORDER BY seqno", (index,))))
        schema[table] = {"columns": columns, "primary key": key,
                         "foreign keys": sorted(keys), "unique": sorted(unique)}
    return schema


def psql(port, database, query):
    result = subprocess.run(
        ["psql", "-X", "-q", "-At", "-F", "\t", "-h", "127.0.0.1", "-p", port, "-d", database,
         "-v", "ON_ERROR_STOP=1", "-c", query],
        check=True, capture_output=True, text=True)
    return [line.split("\t") for line in result.stdout.splitlines()]


def postgres_schema(port, database):
    user_tables = ("c.relkind = 'r' AND n.nspname NOT IN ('pg_catalog', 'information_schema') "
                   "AND n.nspname NOT LIKE 'pg_toast%'")
    schema = {}
    for nsp, table in psql(port, database, "SELECT n.nspname, c.relname FROM pg_class c "
                                           "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE "
                                           + user_tables):
        schema[f"{nsp}.{table}"] = {"columns": {}, "primary key": [], "foreign keys": [],
                                    "unique": []}
    for nsp, table, name, declared, notnull, default, identity in psql(
            port, database,
            "SELECT n.nspname, c.relname, a.attname, format_type(a.atttypid, a.atttypmod), "
            "a.attnotnull, coalesce(pg_get_expr(d.adbin, d.adrelid), '<none>'), a.attidentity "
            "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace "
            "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
            "WHERE a.attnum > 0 AND NOT a.attisdropped AND " + user_tables):
        schema[f"{nsp}.{table}"]["columns"][name] = {
            "type": declared, "not null": notnull == "t", "default": default,
            "identity": identity}
    # Key columns in key order, referenced tables by name.
    for nsp, table, kind, columns, parent, targets in psql(
            port, database,
            "SELECT n.nspname, c.relname, k.contype, "
            "(SELECT string_agg(a.attname, ',' ORDER BY u.i) FROM unnest(k.conkey) "
            "WITH ORDINALITY u(n, i) JOIN pg_attribute a ON a.attrelid = k.conrelid "
            "AND a.attnum = u.n), "
            "coalesce(pn.nspname || '.' || p.relname, ''), "
            "coalesce((SELECT string_agg(a.attname, ',' ORDER BY u.i) FROM unnest(k.confkey) "
            "WITH ORDINALITY u(n, i) JOIN pg_attribute a ON a.attrelid = k.confrelid "
            "AND a.attnum = u.n), '') "
            "FROM pg_constraint k JOIN pg_class c ON c.oid = k.conrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace "
            "LEFT JOIN pg_class p ON p.oid = k.confrelid "
            "LEFT JOIN pg_namespace pn ON pn.oid = p.relnamespace "
            "WHERE k.contype IN ('p', 'f', 'u') AND " + user_tables):
        entry = schema[f"{nsp}.{table}"]
        if kind == "p":
            entry["primary key"] = columns.split(",")
        elif kind == "f":
            entry["foreign keys"].append((parent, tuple(columns.split(",")),
                                          tuple(targets.split(","))))
        else:
            entry["unique"].append(tuple(columns.split(",")))
    for entry in schema.values():
        entry["foreign keys"].sort()
        entry["unique"].sort()
    return schema


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kind", choices=["sqlite", "postgres"])
    parser.add_argument("where", nargs="+")
    args = parser.parse_args()
    if args.kind == "sqlite":
        original, copy = (sqlite_schema(path) for path in args.where)
    else:
        port, *databases = args.where
        original, copy = (postgres_schema(port, db) for db in databases)
    differences = []
    if not original:
        differences.append("the original has no tables")
    for table in sorted(set(original) | set(copy)):
        if table not in copy:
            differences.append(f"{table}: missing from the copy")
        elif table not in original:
            differences.append(f"{table}: not in the original")
        else:
            differences += [f"{table}: {what} differ:\n  original {original[table][what]}\n"
                            f"  copy     {copy[table][what]}"
                            for what in original[table]
                            if original[table][what] != copy[table][what]]
    for difference in differences:
        print(difference)
    print(f"{len(original)} tables compared, {len(differences)} differences")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
