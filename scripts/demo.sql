-- A small demo database to try Kestrel on.
DROP DATABASE IF EXISTS lindora;
CREATE DATABASE lindora CHARACTER SET utf8mb4;
USE lindora;

CREATE TABLE customers (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  name VARCHAR(60) NOT NULL,
  city VARCHAR(40),
  joined DATE,
  credit DECIMAL(10,2) DEFAULT 0.00
);
INSERT INTO customers (name, city, joined, credit) VALUES
  ('Ana Horvat', 'Zagreb', '2019-03-14', 1200.50),
  ('Marko Kovač', 'Split', '2020-07-01', 0.00),
  ('Ivana Babić', 'Rijeka', '2021-11-23', 310.75),
  ('Tomislav Novak', 'Osijek', NULL, NULL),
  ('Petra Jurić', 'Zadar', '2023-02-05', 89.90);

CREATE TABLE products (
  code CHAR(6) NOT NULL PRIMARY KEY,
  title VARCHAR(80) NOT NULL,
  price DECIMAL(8,2) NOT NULL,
  stock INT UNSIGNED NOT NULL DEFAULT 0
);
INSERT INTO products VALUES
  ('KS-001', 'Notebook, squared', 2.40, 120),
  ('KS-002', 'Fountain pen', 18.00, 14),
  ('KS-003', 'Desk lamp', 34.99, 6),
  ('KS-004', 'Paper clips (100)', 1.10, 300);

CREATE TABLE orders (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  customer_id INT NOT NULL,
  product_code CHAR(6) NOT NULL,
  quantity INT NOT NULL,
  ordered_at DATETIME NOT NULL,
  KEY by_customer (customer_id)
);
INSERT INTO orders (customer_id, product_code, quantity, ordered_at) VALUES
  (1, 'KS-002', 1, '2024-01-10 09:15:00'),
  (1, 'KS-001', 5, '2024-01-10 09:15:00'),
  (3, 'KS-003', 1, '2024-03-02 17:40:12'),
  (5, 'KS-004', 2, '2024-05-19 11:05:30');

-- A table without a key, holding two equal rows: an edit or delete in the grid touches one.
CREATE TABLE visits (
  day DATE,
  note VARCHAR(40)
);
INSERT INTO visits VALUES
  ('2024-01-10', 'delivery'),
  ('2024-01-10', 'delivery'),
  ('2024-02-01', NULL);
