-- A second schema beside the shop's: a table of the same name as one in public, and a
-- foreign key that crosses from this schema into public.
CREATE SCHEMA archive;

CREATE TABLE archive.orders (
    id          integer     NOT NULL PRIMARY KEY,
    customer_id integer     NOT NULL REFERENCES public.customers (id),
    closed_on   date        NOT NULL,
    label       varchar(40)
);

CREATE TABLE archive.orderxlines (
    id    integer NOT NULL PRIMARY KEY,
    note  text
);

CREATE SEQUENCE archive.label_seq;
CREATE INDEX orders_closed_idx ON archive.orders (closed_on);
