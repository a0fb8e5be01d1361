SELECT o.id, c.name, p.title, o.quantity, p.price * o.quantity AS amount, o.ordered_at
FROM orders o, customers c, products p
WHERE c.id = o.customer_id AND p.code = o.product_code
ORDER BY o.ordered_at
