-- Two tables whose names differ only in letter case, which the column set counts as one.
CREATE TABLE "Users" (
    id integer NOT NULL PRIMARY KEY
);

CREATE TABLE users (
    id   integer NOT NULL PRIMARY KEY,
    name text
);
