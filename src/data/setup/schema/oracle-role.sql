-- The role for the program's users (Oracle).
--
-- The program only reads and writes rows of its five tables. The owner of the tables (the
-- schema oracle.sql was run in, TARNWICK below) runs this once, with the CREATE ROLE
-- privilege:
--     sqlplus tarnwick@//host/service @oracle-role.sql
-- An administrator then makes each person a user with no privilege of their own but to
-- connect through the role, so they can make no table, view or other object anywhere:
--     CREATE USER ann IDENTIFIED BY "...";
--     GRANT tarnwick_users TO ann;
--     ALTER USER ann DEFAULT ROLE tarnwick_users;
-- The program names its tables without a schema. Either the tables get public synonyms
-- (needs CREATE PUBLIC SYNONYM, once):
--     CREATE PUBLIC SYNONYM places_root FOR tarnwick.places_root;   (and the other four)
-- or each user's sessions look in the owner's schema (needs CREATE ANY TRIGGER):
--     CREATE OR REPLACE TRIGGER ann.tarnwick_schema AFTER LOGON ON ann.SCHEMA
--     BEGIN EXECUTE IMMEDIATE 'ALTER SESSION SET CURRENT_SCHEMA = TARNWICK'; END;
--     /
-- Not tested here: no Oracle server is at hand for the tests.

CREATE ROLE tarnwick_users NOT IDENTIFIED;

-- Only what a session needs to start; no CREATE TABLE, no RESOURCE, no ANY privilege.
GRANT CREATE SESSION TO tarnwick_users;

-- Oracle grants object privileges one object at a time.
GRANT SELECT, INSERT, UPDATE, DELETE ON places_root TO tarnwick_users;
GRANT SELECT, INSERT, UPDATE, DELETE ON places_leaves TO tarnwick_users;
GRANT SELECT, INSERT, UPDATE, DELETE ON places_branch_leaves TO tarnwick_users;
GRANT SELECT, INSERT, UPDATE, DELETE ON places_district TO tarnwick_users;
GRANT SELECT, INSERT, UPDATE, DELETE ON cm_city TO tarnwick_users;
