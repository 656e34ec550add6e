-- Tarnwick server database layout (Oracle).
--
-- An administrator runs this once in an empty schema, for example:
--     sqlplus tarnwick@//host/service @oracle.sql
-- followed by root.sql (and optionally cities.sql / sample.sql).
-- The program never creates or alters a server database, it only reads
-- and writes rows in the tables below.
--
-- The program inserts into places_root and places_district positionally,
-- so the column order of those two tables must not change.

CREATE TABLE places_root (
    BRANCH_ID NUMBER(5) PRIMARY KEY,
    BRANCH_NAME VARCHAR2(50 CHAR),
    PARENT_ID NUMBER(5),
    BRANCH_FLAG CHAR(1),
    BRANCH_RANK NUMBER(5)
);

-- Column names ADDRESS and TELEPHONE are swapped relative to their content
-- (ADDRESS holds the phone text, TELEPHONE the street), existing data files
-- depend on this, so it stays.
CREATE TABLE places_leaves (
    LEAF_ID NUMBER(5) PRIMARY KEY,
    LEAF_NAME VARCHAR2(250 CHAR) NOT NULL,
    ADDRESS VARCHAR2(100 CHAR),
    TELEPHONE VARCHAR2(400 CHAR),
    CITY NUMBER(10),
    DISTRICT NUMBER(5),
    MORE_DATA VARCHAR2(250 CHAR),
    WEB_LINK VARCHAR2(101 CHAR) NULL
);

CREATE TABLE places_branch_leaves (
    BRANCH_ID NUMBER(5) NOT NULL,
    LEAF_ID NUMBER(5) NOT NULL,
    PRIMARY KEY (BRANCH_ID, LEAF_ID)
);

CREATE TABLE places_district (
    DISTRICT_ID NUMBER(5) PRIMARY KEY,
    DISTRICT_NAME VARCHAR2(20 CHAR),
    city_id NUMBER(10)
);

CREATE TABLE cm_city (
    CODE NUMBER(10) PRIMARY KEY,
    ENAME VARCHAR2(50 CHAR)
);

CREATE INDEX idx_places_root_parent ON places_root (PARENT_ID);

CREATE INDEX idx_branch_leaves_leaf ON places_branch_leaves (LEAF_ID);

CREATE INDEX idx_places_leaves_city ON places_leaves (CITY);

CREATE INDEX idx_places_leaves_district ON places_leaves (DISTRICT);

CREATE INDEX idx_places_district_city ON places_district (city_id);
