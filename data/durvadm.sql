-- The club database as it is delivered with the program.
--
-- This is the schema of the old delivered file: the start-up upgrade adds the
-- fields and tables that came later (settings.Converter, settings.Sort, the
-- port devices, pigeons.Nr, backup.Nr, fanciers.KXT/KYT, settings.PrizeEvery
-- and Nominated, the tables combine, badges and races, and those of the club
-- result), so a fresh file goes through the same upgrade as a club's old one.
--
-- Booleans are INTEGER 0/1 (any non-zero reads as true). They are NOT NULL
-- with a default, as yes/no fields always were, so "delete = false" and
-- "actief = true" never miss a row that a writer did not fill in.
-- Declared text sizes document the intended widths; the engine does not cut.

CREATE TABLE settings (
    com      INTEGER,
    protocol INTEGER,
    Clubid   VARCHAR(10),
    Club     VARCHAR(40)
);

-- COM1, Omnexa, blank club: what an empty table would mean as well.
INSERT INTO settings (com, protocol, Clubid, Club) VALUES (0, 0, ' ', ' ');

CREATE TABLE fanciers (
    id        INTEGER PRIMARY KEY AUTOINCREMENT,
    Licence   VARCHAR(8),
    Name      VARCHAR(40),
    sort      VARCHAR(40),
    Adress    VARCHAR(50),
    zip       VARCHAR(10),
    city      VARCHAR(30),
    district  VARCHAR(30),
    telephone VARCHAR(20),
    fax       VARCHAR(20),
    email     VARCHAR(60),
    -- A member created from a clock or from the club data window is a member
    -- too; defaulting to inactive would hide them from the fancier window.
    Actief    INTEGER NOT NULL DEFAULT 1,
    KXX       REAL,
    KYY       REAL
);

CREATE INDEX fanciers_licence ON fanciers (Licence);
CREATE INDEX fanciers_sort ON fanciers (sort);

CREATE TABLE pigeons (
    Fancier  INTEGER,
    country  VARCHAR(3),
    Year     VARCHAR(4),
    band     VARCHAR(10),
    sex      VARCHAR(1),
    color    VARCHAR(10),
    elcode   VARCHAR(10),
    volring  VARCHAR(24),
    Security VARCHAR(2),
    "delete" INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX pigeons_fancier ON pigeons (Fancier);

-- Same columns in the same order as pigeons: rows are copied with
-- INSERT INTO backup SELECT * FROM pigeons.
CREATE TABLE backup (
    Fancier  INTEGER,
    country  VARCHAR(3),
    Year     VARCHAR(4),
    band     VARCHAR(10),
    sex      VARCHAR(1),
    color    VARCHAR(10),
    elcode   VARCHAR(10),
    volring  VARCHAR(24),
    Security VARCHAR(2),
    "delete" INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE elcodes (
    id      INTEGER,
    elcode  VARCHAR(10),
    Id_duif INTEGER
);

CREATE INDEX elcodes_elcode ON elcodes (elcode);

CREATE TABLE duiven (
    id           INTEGER,
    land         VARCHAR(3),
    jaar         INTEGER,
    ringnummer   VARCHAR(7),
    ringcompleet VARCHAR(12),
    sex          INTEGER,
    Kleur        INTEGER,
    Naam         VARCHAR(25),
    opmerking    VARCHAR(50)
);

CREATE INDEX duiven_band ON duiven (jaar, ringnummer);

-- Display texts loaded into the clocks: "default" is the clock's base
-- language, "other" the language loaded into the clocks (here Dutch),
-- "spaans" the Spanish set. Clock displays are 16 characters wide.
CREATE TABLE language (
    id        INTEGER PRIMARY KEY,
    "default" VARCHAR(16),
    other     VARCHAR(16),
    spaans    VARCHAR(16)
);

INSERT INTO language (id, "default", other, spaans) VALUES
    (1,  'RACE',             'WEDVLUCHT',        'CARRERA'),
    (2,  'TRAINING',         'TRAINING',         'ENTRENAMIENTO'),
    (3,  'BASKETING',        'INKORVEN',         'ENCESTE'),
    (4,  'CLOCK READY',      'KLOK GEREED',      'RELOJ LISTO'),
    (5,  'SET TIME',         'TIJD INSTELLEN',   'AJUSTAR HORA'),
    (6,  'DATE',             'DATUM',            'FECHA'),
    (7,  'TIME',             'TIJD',             'HORA'),
    (8,  'PIGEONS',          'DUIVEN',           'PALOMAS'),
    (9,  'ARRIVED',          'AANGEKOMEN',       'LLEGADA'),
    (10, 'NOT ARRIVED',      'NIET AANGEKOMEN',  'NO LLEGADA'),
    (11, 'FANCIER',          'LIEFHEBBER',       'COLOMBOFILO'),
    (12, 'LICENCE',          'LICENTIE',         'LICENCIA'),
    (13, 'CLUB',             'VERENIGING',       'CLUB'),
    (14, 'RELEASE',          'LOSSING',          'SUELTA'),
    (15, 'FLIGHT',           'VLUCHT',           'VUELO'),
    (16, 'START RACE',       'START WEDVLUCHT',  'INICIO CARRERA'),
    (17, 'END RACE',         'EINDE WEDVLUCHT',  'FIN CARRERA'),
    (18, 'PRINT',            'AFDRUKKEN',        'IMPRIMIR'),
    (19, 'MENU',             'MENU',             'MENU'),
    (20, 'YES',              'JA',               'SI'),
    (21, 'NO',               'NEE',              'NO'),
    (22, 'OK',               'OK',               'OK'),
    (23, 'CANCEL',           'ANNULEREN',        'CANCELAR'),
    (24, 'WAIT',             'WACHTEN',          'ESPERE'),
    (25, 'BATTERY LOW',      'BATTERIJ LEEG',    'BATERIA BAJA'),
    (26, 'ANTENNA',          'ANTENNE',          'ANTENA'),
    (27, 'NO ANTENNA',       'GEEN ANTENNE',     'SIN ANTENA'),
    (28, 'BAND',             'RING',             'ANILLA'),
    (29, 'CHIP BAND',        'CHIPRING',         'ANILLA CHIP'),
    (30, 'UNKNOWN PIGEON',   'ONBEKENDE DUIF',   'PALOMA DESCON.'),
    (31, 'MEMORY FULL',      'GEHEUGEN VOL',     'MEMORIA LLENA'),
    (32, 'CLOCK STOPPED',    'KLOK GESTOPT',     'RELOJ PARADO'),
    (33, 'CLOCK RUNNING',    'KLOK LOOPT',       'RELOJ EN MARCHA'),
    (34, 'SEND DATA',        'GEGEVENS ZENDEN',  'ENVIAR DATOS'),
    (35, 'RECEIVE DATA',     'GEGEVENS LEZEN',   'RECIBIR DATOS'),
    (36, 'ERROR',            'FOUT',             'ERROR'),
    (37, 'BADGE',            'KENTEKEN',         'DISTINTIVO'),
    (38, 'COMBINE',          'COMBINATIE',       'COMBINADO'),
    (39, 'COCK',             'DOFFER',           'MACHO'),
    (40, 'HEN',              'DUIVIN',           'HEMBRA'),
    (41, 'SPEED',            'SNELHEID',         'VELOCIDAD'),
    (42, 'DISTANCE',         'AFSTAND',          'DISTANCIA'),
    (43, 'LANGUAGE',         'TAAL',             'IDIOMA'),
    (44, 'GOOD FLIGHT',      'GOEDE VLUCHT',     'BUEN VUELO');

-- This program's own captions and messages, looked up by number. "other"
-- holds a club's translation and wins when it is not blank.
CREATE TABLE PcLanguage (
    id        INTEGER PRIMARY KEY,
    "default" VARCHAR(100),
    other     VARCHAR(100)
);

INSERT INTO PcLanguage (id, "default", other) VALUES
    (1,  'Fancier', ''),
    (2,  'Linking', ''),
    (3,  'Print-Manager', ''),
    (4,  'Pc-Soft', ''),
    (5,  'Settings', ''),
    (6,  'Exit', ''),
    (7,  'ID', ''),
    (8,  'Licence', ''),
    (9,  'Name', ''),
    (10, 'Adress', ''),
    (11, 'Zip', ''),
    (12, 'District', ''),
    (13, 'Telephone', ''),
    (14, 'Fax', ''),
    (15, 'E-Mail', ''),
    (16, 'City', ''),
    (17, 'No fancier holds this licence', ''),
    (18, 'Search', ''),
    (19, 'New', ''),
    (20, 'Save', ''),
    (21, 'Delete', ''),
    (22, 'This licence belongs to another fancier', ''),
    (23, 'Fancier data', ''),
    (24, 'A licence has 8 characters: digits and - only', ''),
    (25, 'No fancier whose name starts with', ''),
    (26, 'was found', ''),
    (27, 'Cancel', ''),
    (28, 'Update Zefira', ''),
    (29, 'Sending text', ''),
    (30, 'Select', ''),
    (31, 'Search by licence', ''),
    (32, 'Search by name', ''),
    (33, 'Search by record number', ''),
    (34, 'Enter your search - query below', ''),
    (35, 'Co.', ''),
    (36, 'Ye.', ''),
    (37, 'Fed. band', ''),
    (38, 'Sx.', ''),
    (39, 'El. band', ''),
    (40, 'Del', ''),
    (41, 'BE', ''),
    (42, 'Linking federation-bands to electronic-bands', ''),
    (43, 'Record #', ''),
    (44, 'Single-band', ''),
    (45, 'Multiple-bands', ''),
    (46, 'Generate Bands', ''),
    (47, 'Update Database', ''),
    (48, 'Update Clock', ''),
    (49, 'Read Clock', ''),
    (50, 'Printout', ''),
    (51, 'From :', ''),
    (52, 'To :', ''),
    (53, 'Waiting for the clock ...', ''),
    (54, 'Clock busy, status:', ''),
    (55, 'The clock refuses the data: it is not ready for this fancier or still holds a race', ''),
    (56, 'Choose a fancier first', ''),
    (57, 'No fancier', ''),
    (58, 'Row #', ''),
    (59, 'The club antenna does not answer: check the converter, the cable and the port', ''),
    (60, 'Print the pigeon list', ''),
    (61, 'Printout', ''),
    (62, 'Enter the federation band first', ''),
    (63, 'This pigeon already has an electronic band. Read a new one', ''),
    (64, 'Stop the running job', ''),
    (65, ': already linked to a pigeon in this list', ''),
    (66, 'Pigeon Data', ''),
    (67, 'Color', ''),
    (68, 'F', ''),
    (69, 'Delete this fancier and all the fancier''s pigeons', ''),
    (70, 'The clock refuses: this fancier''s data cannot be read from it', ''),
    (71, 'The pigeons of this fancier in the database will be replaced by those of the clock. Continue', ''),
    (72, 'Pigeons present', ''),
    (73, 'Badge Data', ''),
    (74, 'Combine', ''),
    (75, 'Previous', ''),
    (76, 'Next', ''),
    (77, 'Search', ''),
    (78, 'Add Combine', ''),
    (79, 'Add Fancier', ''),
    (80, 'Delete Combine', ''),
    (81, 'Members', ''),
    (82, 'Pigeons with an electronic band', ''),
    (83, 'A combine has at most three fanciers', ''),
    (84, 'The clock does not answer. Check the cable and put the clock in transfer mode', ''),
    (85, 'This fancier has no pigeons to send', ''),
    (86, 'Races', ''),
    (87, 'Release point', ''),
    (88, 'Abbreviation', ''),
    (89, 'Clock', ''),
    (90, 'Save', ''),
    (91, 'Print', ''),
    (92, 'All', ''),
    (93, 'Race', ''),
    (94, 'Overview', ''),
    (95, 'Training', ''),
    (96, 'Not arrived', ''),
    (97, 'Enter the fancier''s name first', ''),
    (98, 'The club database reports an error', ''),
    (99, 'Import pigeons', ''),
    (100, 'Hold pigeon in Antenna', ''),
    (101, 'Flight', ''),
    (102, 'no answer: is the clock switched on and in its cradle, and is the right port chosen in Settings?', ''),
    (103, 'garbled answer: check the cable', ''),
    (104, '%1 cannot be opened: the device is missing. Plug it in, or choose the right device in Settings', ''),
    (105, '%1 cannot be opened: another program is using it. Close that program and try again', ''),
    (106, '%1 cannot be opened: your user may not use it. Add the user to the dialout group and log in again', ''),
    (107, 'the answer is too long', ''),
    (108, 'the clock refuses the request: is the clock model in Settings the one on the line?', ''),
    (109, '%1 of %2', ''),
    (110, 'Clock updated: %1, %2 pigeons, %3 s', ''),
    (111, 'Clock read: %1, %2 pigeons stored, %3 s', ''),
    (112, 'Race data read: %1, %2 flights, %3 pigeons, %4 s', ''),
    (113, 'Texts loaded into the clock: %1 texts, %2 s', ''),
    (114, 'Chip bands read: %1, %2 s', ''),
    (115, '%1 stopped by Cancel after %2: %3', ''),
    (116, '%1 stopped: %2', ''),
    (117, 'nothing was stored', ''),
    (118, 'what was done up to then is kept', ''),
    (119, '%1 pigeons', ''),
    (120, 'Hold the pigeon of row %1 to the antenna', ''),
    (121, 'Multiple-bands stopped at row %1. Press Multiple-bands to go on from the next empty row', ''),
    (122, 'Latitude', ''),
    (123, 'Longitude', ''),
    (124, 'Latitude not understood: use N or S, e.g. N 51°05''23.45" or 51 05 23.45 N, or degrees as 51.089847', ''),
    (125, 'Longitude not understood: use E or W, e.g. E 4°25''12.34" or W 1 30 00, or degrees as 4.420094', ''),
    (130, 'Print preview', ''),
    (131, 'Save as PDF', ''),
    (132, 'Page %1 of %2', ''),
    (133, 'No.', ''),
    (134, 'Date', ''),
    (135, 'Time', ''),
    (136, 'Arrivals', ''),
    (137, 'Order', ''),
    (138, 'Kind', ''),
    (140, 'Close without storing the changes', ''),
    (160, 'Club result', ''),
    (161, 'No club result for race %1 on %2', ''),
    (162, 'The clock''s licence %1 is not a club fancier', ''),
    (163, 'No loft coordinates', ''),
    (164, 'No release time for this race day', ''),
    (165, 'No coordinates for the release point', ''),
    (166, 'Arrival before the release', ''),
    (167, '%1 entries of %2 stored in the club result of %3', ''),
    (168, 'Add to club result', ''),
    (169, 'No race %1 in the races table', ''),
    (170, 'The date %1 is not a day written as DD-MM-YY', ''),
    (171, 'Race day', ''),
    (172, 'Release point', ''),
    (173, 'Release time (hh:mm:ss)', ''),
    (174, 'Clock set at basketing', ''),
    (175, 'Deviation at the check in seconds (slow: negative, blank: none)', ''),
    (176, 'Checked at', ''),
    (177, 'Release time not understood: use hh:mm:ss, e.g. 07:30:00', ''),
    (178, 'Deviation not understood: whole seconds, slow as negative, e.g. -12', ''),
    (179, 'Choose the flight first', ''),
    (180, '%1 fanciers, %2 pigeons, %3 prizes', ''),
    (181, 'Band', ''),
    (182, 'Prize', ''),
    (183, 'Distance (m)', ''),
    (184, 'Velocity (m/min)', ''),
    (185, 'Release time', ''),
    (186, 'Arrival', ''),
    (187, 'One prize in', ''),
    (188, 'Nominated pigeons', ''),
    (189, 'One prize in: a whole number of 1 to 99, or blank for one in four', ''),
    (190, 'Release...', ''),
    (191, 'Release date (DD-MM-YY)', ''),
    (200, 'A read-out is running. Stop it and close the window', '');
