-- The database "refresh" of the refresh tests: each test makes, alters and drops a schema
-- of its own here, so that the shop database the other tests read stays as it is.
SELECT 1;
