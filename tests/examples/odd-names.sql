-- Names that code cannot take as they are, for the example's template sets: a table named
-- with a space, one named with an SQL keyword, columns named with keywords of C++, Python
-- and SQL, a name that starts with a digit. SQLite and PostgreSQL both accept it.

CREATE TABLE "Order Details" (
    "id"      integer     NOT NULL PRIMARY KEY,
    "class"   varchar(20) NOT NULL,
    "default" integer     DEFAULT 0,
    "None"    text,
    "2fa"     boolean     NOT NULL DEFAULT FALSE
);

CREATE TABLE "select" (
    "id"               integer     NOT NULL PRIMARY KEY,
    "Order Details id" integer     NOT NULL REFERENCES "Order Details" ("id"),
    "from"             varchar(10)
);
