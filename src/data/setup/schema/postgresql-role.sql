-- The role for the program's users (PostgreSQL).
--
-- The program only reads and writes rows of its five tables. An administrator runs this
-- after postgresql.sql, as the owner of the tables, in the program's database:
--     psql -d tarnwick -f postgresql-role.sql
-- and then gives each person a login in the role, with the password kept in their own
-- ~/.pgpass rather than in the program's settings:
--     CREATE ROLE ann LOGIN PASSWORD '...' IN ROLE tarnwick_users;
-- The role may not make, change or drop tables, make schemas or temporary tables, or
-- reach any other table; it is no superuser and makes no databases or roles.
-- Running it again is harmless.

DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'tarnwick_users') THEN
        CREATE ROLE tarnwick_users NOLOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION; END IF; END
$$;

-- Before PostgreSQL 15 every role could make tables in the public schema.
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO tarnwick_users;

DO $$
BEGIN
    EXECUTE format('REVOKE TEMPORARY ON DATABASE %I FROM PUBLIC', current_database()); END
$$;

GRANT SELECT, INSERT, UPDATE, DELETE
    ON places_root, places_leaves, places_branch_leaves, places_district, cm_city
    TO tarnwick_users;
