-- Starter list of cities for the cm_city reference table.
-- One INSERT per row because Oracle has no multi-row VALUES.
INSERT INTO cm_city (CODE, ENAME) VALUES (1, 'Cairo');
INSERT INTO cm_city (CODE, ENAME) VALUES (2, 'Alexandria');
INSERT INTO cm_city (CODE, ENAME) VALUES (3, 'Giza');
INSERT INTO cm_city (CODE, ENAME) VALUES (4, 'Amman');
INSERT INTO cm_city (CODE, ENAME) VALUES (5, 'Beirut');
INSERT INTO cm_city (CODE, ENAME) VALUES (6, 'Damascus');
INSERT INTO cm_city (CODE, ENAME) VALUES (7, 'Aleppo');
INSERT INTO cm_city (CODE, ENAME) VALUES (8, 'Baghdad');
INSERT INTO cm_city (CODE, ENAME) VALUES (9, 'Riyadh');
INSERT INTO cm_city (CODE, ENAME) VALUES (10, 'Jeddah');
INSERT INTO cm_city (CODE, ENAME) VALUES (11, 'Kuwait City');
INSERT INTO cm_city (CODE, ENAME) VALUES (12, 'Doha');
INSERT INTO cm_city (CODE, ENAME) VALUES (13, 'Dubai');
INSERT INTO cm_city (CODE, ENAME) VALUES (14, 'Abu Dhabi');
INSERT INTO cm_city (CODE, ENAME) VALUES (15, 'Muscat');
INSERT INTO cm_city (CODE, ENAME) VALUES (16, 'Manama');
INSERT INTO cm_city (CODE, ENAME) VALUES (17, 'Tunis');
INSERT INTO cm_city (CODE, ENAME) VALUES (18, 'Algiers');
INSERT INTO cm_city (CODE, ENAME) VALUES (19, 'Casablanca');
INSERT INTO cm_city (CODE, ENAME) VALUES (20, 'Rabat');
