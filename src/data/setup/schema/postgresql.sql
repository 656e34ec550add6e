-- Tarnwick server database layout (PostgreSQL).
--
-- An administrator runs this once on an empty database, for example:
--     psql -d tarnwick -f postgresql.sql
-- followed by root.sql (and optionally cities.sql / sample.sql).
-- The program never creates or alters a server database, it only reads
-- and writes rows in the tables below.
--
-- The program inserts into places_root and places_district positionally,
-- so the column order of those two tables must not change.

CREATE TABLE places_root (
    BRANCH_ID integer PRIMARY KEY,
    BRANCH_NAME varchar(50),
    PARENT_ID integer,
    BRANCH_FLAG char(1),
    BRANCH_RANK integer
);

-- Column names ADDRESS and TELEPHONE are swapped relative to their content
-- (ADDRESS holds the phone text, TELEPHONE the street), existing data files
-- depend on this, so it stays.
CREATE TABLE places_leaves (
    LEAF_ID integer PRIMARY KEY,
    LEAF_NAME varchar(250) NOT NULL,
    ADDRESS varchar(100),
    TELEPHONE varchar(400),
    CITY integer,
    DISTRICT integer,
    MORE_DATA varchar(250),
    WEB_LINK varchar(101) NULL
);

CREATE TABLE places_branch_leaves (
    BRANCH_ID integer NOT NULL,
    LEAF_ID integer NOT NULL,
    PRIMARY KEY (BRANCH_ID, LEAF_ID)
);

CREATE TABLE places_district (
    DISTRICT_ID integer PRIMARY KEY,
    DISTRICT_NAME varchar(20),
    city_id integer
);

CREATE TABLE cm_city (
    CODE integer PRIMARY KEY,
    ENAME varchar(50)
);

CREATE INDEX idx_places_root_parent ON places_root (PARENT_ID);

CREATE INDEX idx_branch_leaves_leaf ON places_branch_leaves (LEAF_ID);

CREATE INDEX idx_places_leaves_city ON places_leaves (CITY);

CREATE INDEX idx_places_leaves_district ON places_leaves (DISTRICT);

CREATE INDEX idx_places_district_city ON places_district (city_id);
