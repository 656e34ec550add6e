-- The root of the category tree, every other category descends from it.
-- It is the only row whose PARENT_ID is NULL.
INSERT INTO places_root (BRANCH_ID, BRANCH_NAME, PARENT_ID, BRANCH_FLAG, BRANCH_RANK) VALUES (0, 'Main Categories', NULL, 'N', 1);
