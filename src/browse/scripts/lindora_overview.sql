SELECT name, city, joined, credit
FROM customers
WHERE credit > 0
ORDER BY credit DESC
