-- Tarnwick local database layout (SQLite).
-- The program inserts into places_root and places_district positionally,
-- so the column order of those two tables must not change.

CREATE TABLE places_root (
    BRANCH_ID INTEGER PRIMARY KEY,
    BRANCH_NAME VARCHAR(50),
    PARENT_ID INTEGER,
    BRANCH_FLAG CHAR(1),
    BRANCH_RANK INTEGER
);

-- Column names ADDRESS and TELEPHONE are swapped relative to their content
-- (ADDRESS holds the phone text, TELEPHONE the street), existing data files
-- depend on this, so it stays.
CREATE TABLE places_leaves (
    LEAF_ID INTEGER PRIMARY KEY,
    LEAF_NAME VARCHAR(250) NOT NULL,
    ADDRESS VARCHAR(100),
    TELEPHONE VARCHAR(400),
    CITY INTEGER,
    DISTRICT INTEGER,
    MORE_DATA VARCHAR(250),
    WEB_LINK VARCHAR(101) NULL
);

CREATE TABLE places_branch_leaves (
    BRANCH_ID INTEGER NOT NULL,
    LEAF_ID INTEGER NOT NULL,
    PRIMARY KEY (BRANCH_ID, LEAF_ID)
);

CREATE TABLE places_district (
    DISTRICT_ID INTEGER PRIMARY KEY,
    DISTRICT_NAME VARCHAR(20),
    city_id INTEGER
);

CREATE TABLE cm_city (
    CODE INTEGER PRIMARY KEY,
    ENAME VARCHAR(50)
);

CREATE INDEX idx_places_root_parent ON places_root (PARENT_ID);

CREATE INDEX idx_branch_leaves_leaf ON places_branch_leaves (LEAF_ID);

CREATE INDEX idx_places_leaves_city ON places_leaves (CITY);

CREATE INDEX idx_places_leaves_district ON places_leaves (DISTRICT);

CREATE INDEX idx_places_district_city ON places_district (city_id);
