-- A small shop: the example database of Fendril. Written in the SQL that SQLite and
-- PostgreSQL both accept, so that one script builds the same schema in either:
--     sqlite3 build/example/shop.db < examples/shop/shop.sql
--     psql -d shop -f examples/shop/shop.sql -f examples/shop/shop-postgresql.sql
-- It shows what a mapping learns of each column besides its type: NOT NULL columns,
-- defaults of several kinds (a constant, a text, a time of insertion), unique columns, and
-- keys the database numbers (an integer primary key is SQLite's rowid; in PostgreSQL
-- shop-postgresql.sql makes them identity columns and adds comments).

CREATE TABLE categories (
    id          integer      NOT NULL PRIMARY KEY,
    name        varchar(60)  NOT NULL,
    parent_id   integer      REFERENCES categories (id),
    description text
);

CREATE TABLE products (
    id          integer       NOT NULL PRIMARY KEY,
    category_id integer       NOT NULL REFERENCES categories (id),
    sku         varchar(20)   NOT NULL UNIQUE,
    name        varchar(120)  NOT NULL,
    price       numeric(10,2) NOT NULL,
    active      boolean       NOT NULL DEFAULT TRUE,
    description text
);

CREATE TABLE customers (
    id          integer      NOT NULL PRIMARY KEY,
    name        varchar(100) NOT NULL,
    email       varchar(254) NOT NULL UNIQUE,
    birth_date  date,
    created_at  timestamp    NOT NULL DEFAULT CURRENT_TIMESTAMP,
    newsletter  boolean      NOT NULL DEFAULT FALSE
);

CREATE TABLE addresses (
    id          integer      NOT NULL PRIMARY KEY,
    customer_id integer      NOT NULL REFERENCES customers (id),
    street      varchar(120) NOT NULL,
    city        varchar(80)  NOT NULL,
    postal_code varchar(12)  NOT NULL,
    country     varchar(2)   NOT NULL
);

-- Two foreign keys to the same table: where an order is billed and where it is shipped.
CREATE TABLE orders (
    id                  integer       NOT NULL PRIMARY KEY,
    customer_id         integer       NOT NULL REFERENCES customers (id),
    billing_address_id  integer       NOT NULL REFERENCES addresses (id),
    shipping_address_id integer       REFERENCES addresses (id),
    ordered_at          timestamp     NOT NULL,
    delivery_date       date,
    total               numeric(10,2) NOT NULL,
    notes               text
);

-- A compound primary key.
CREATE TABLE order_lines (
    order_id    integer       NOT NULL REFERENCES orders (id),
    line_no     integer       NOT NULL,
    product_id  integer       NOT NULL REFERENCES products (id),
    quantity    integer       NOT NULL DEFAULT 1,
    unit_price  numeric(10,2) NOT NULL,
    PRIMARY KEY (order_id, line_no)
);

-- A compound foreign key: a return refers to one line of an order.
CREATE TABLE returns (
    id          integer      NOT NULL PRIMARY KEY,
    order_id    integer      NOT NULL,
    line_no     integer      NOT NULL,
    returned_at timestamp    NOT NULL,
    reason      text,
    FOREIGN KEY (order_id, line_no) REFERENCES order_lines (order_id, line_no)
);

CREATE TABLE payments (
    id          integer       NOT NULL PRIMARY KEY,
    order_id    integer       NOT NULL REFERENCES orders (id),
    paid_at     timestamp     NOT NULL,
    amount      numeric(10,2) NOT NULL,
    method      varchar(20)   NOT NULL DEFAULT 'card',
    confirmed   boolean       NOT NULL DEFAULT FALSE
);

CREATE VIEW order_totals AS
    SELECT o.id AS order_id, o.customer_id, SUM(l.quantity * l.unit_price) AS lines_total
    FROM orders o JOIN order_lines l ON l.order_id = o.id
    GROUP BY o.id, o.customer_id;

INSERT INTO categories VALUES (1, 'Books', NULL, 'Printed and electronic books');
INSERT INTO categories VALUES (2, 'Novels', 1, NULL);
INSERT INTO products VALUES (1, 2, 'BK-0001', 'The Long Walk', 12.50, TRUE, NULL);
INSERT INTO products VALUES (2, 2, 'BK-0002', 'Winter Harbour', 9.90, TRUE, 'Paperback');
INSERT INTO customers VALUES (1, 'Ana Lima', 'ana@example.com', '1990-04-12',
                              '2026-01-05 10:00:00', TRUE);
INSERT INTO addresses VALUES (1, 1, 'Rua das Flores 10', 'Porto', '4000-001', 'PT');
INSERT INTO addresses VALUES (2, 1, 'Avenida Central 5', 'Braga', '4700-002', 'PT');
INSERT INTO orders VALUES (1, 1, 1, 2, '2026-01-06 09:30:00', '2026-01-09', 34.90, NULL);
INSERT INTO order_lines VALUES (1, 1, 1, 2, 12.50);
INSERT INTO order_lines VALUES (1, 2, 2, 1, 9.90);
INSERT INTO returns VALUES (1, 1, 2, '2026-01-15 16:00:00', 'Damaged cover');
INSERT INTO payments VALUES (1, 1, '2026-01-06 09:31:00', 34.90, 'card', TRUE);
