-- Declared types as real SQLite databases write them: every spelling is kept as written,
-- sizes only where the declaration gives them. Loaded by the schema tests.
CREATE TABLE artists (
    ArtistId  INTEGER PRIMARY KEY AUTOINCREMENT,
    Name      NVARCHAR(120) NOT NULL UNIQUE,
    Code      CHAR(5) DEFAULT 'xx',
    Bio       TEXT,
    Born      DATETIME DEFAULT CURRENT_TIMESTAMP,
    Age       INT DEFAULT 0,
    Price     DECIMAL(10,2),
    Ratio     NUMERIC,
    Whole     DECIMAL(7),
    Note      VARCHAR,
    Pic       BLOB,
    Plain,
    Big       UNSIGNED BIG INT,
    Tag       varchar (20),
    Ratio2    double precision
);
CREATE UNIQUE INDEX artists_code ON artists (Code);
CREATE INDEX artists_tag ON artists (Tag);
CREATE UNIQUE INDEX artists_pair ON artists (Age, Note);
CREATE UNIQUE INDEX artists_partial ON artists (Bio) WHERE Bio IS NOT NULL;

-- A table with a dot in its name and one with a space.
CREATE TABLE "my.table" (id integer PRIMARY KEY, "my.col" text NOT NULL DEFAULT '');
CREATE TABLE "with space" (id INTEGER NOT NULL, name varchar(10), PRIMARY KEY (id));

-- Keys that are not rowid aliases: two columns, a key declared INT, a table without rowid.
CREATE TABLE pairs (a integer, b integer, PRIMARY KEY (a, b));
CREATE TABLE codes (code INT PRIMARY KEY, label text);
CREATE TABLE tags (tag INTEGER PRIMARY KEY, label text) WITHOUT ROWID;

-- A view with expression columns, whose types SQLite cannot tell.
CREATE VIEW artist_names AS
    SELECT ArtistId, Name, upper(Name) AS Shout, Age + 1 AS NextAge FROM artists;

INSERT INTO artists (Name) VALUES ('Someone');
ANALYZE;
