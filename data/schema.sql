-- The database of the program, SQLite flavour.
-- Text compares without regard to the letter case of Latin letters (NOCASE),
-- as the program's look-ups and logins expect. drq holds the slip date as
-- text "yyyy-MM-dd HH:mm:ss", so comparing dates is comparing text. Row keys
-- only grow (AUTOINCREMENT), even after deletes, so "order by iid" is the
-- order in which rows were added.

-- Sales slips, one row per slip.
CREATE TABLE app_djb (
    iid INTEGER PRIMARY KEY AUTOINCREMENT,
    djh TEXT COLLATE NOCASE,
    khxm TEXT COLLATE NOCASE,
    pyzjh TEXT COLLATE NOCASE,
    lxdh TEXT COLLATE NOCASE,
    khdz TEXT COLLATE NOCASE,
    bz TEXT COLLATE NOCASE,
    spmc1 TEXT COLLATE NOCASE,
    spmc2 TEXT COLLATE NOCASE,
    spmc3 TEXT COLLATE NOCASE,
    spmc4 TEXT COLLATE NOCASE,
    spmc5 TEXT COLLATE NOCASE,
    spmc6 TEXT COLLATE NOCASE,
    dj1 REAL,
    dj2 REAL,
    dj3 REAL,
    dj4 REAL,
    dj5 REAL,
    dj6 REAL,
    sl1 REAL,
    sl2 REAL,
    sl3 REAL,
    sl4 REAL,
    sl5 REAL,
    sl6 REAL,
    je1 REAL,
    je2 REAL,
    je3 REAL,
    je4 REAL,
    je5 REAL,
    je6 REAL,
    zje REAL,
    kpy TEXT COLLATE NOCASE,
    xsy TEXT COLLATE NOCASE,
    ys TEXT COLLATE NOCASE,
    fkfs TEXT COLLATE NOCASE,
    drq DATETIME,
    xlh1 TEXT COLLATE NOCASE,
    xlh2 TEXT COLLATE NOCASE,
    xlh3 TEXT COLLATE NOCASE,
    xlh4 TEXT COLLATE NOCASE,
    sfzf TEXT COLLATE NOCASE DEFAULT ''
);

-- The print buffer: the one row the slip template reads. Its number
-- columns also hold empty text, for amounts that print as blanks.
CREATE TABLE app_djbdy (
    djh TEXT COLLATE NOCASE,
    khxm TEXT COLLATE NOCASE,
    pyzjh TEXT COLLATE NOCASE,
    lxdh TEXT COLLATE NOCASE,
    khdz TEXT COLLATE NOCASE,
    bz TEXT COLLATE NOCASE,
    spmc1 TEXT COLLATE NOCASE,
    spmc2 TEXT COLLATE NOCASE,
    spmc3 TEXT COLLATE NOCASE,
    spmc4 TEXT COLLATE NOCASE,
    spmc5 TEXT COLLATE NOCASE,
    spmc6 TEXT COLLATE NOCASE,
    sl1 REAL,
    sl2 REAL,
    sl3 REAL,
    sl4 REAL,
    sl5 REAL,
    sl6 REAL,
    dj1 REAL,
    dj2 REAL,
    dj3 REAL,
    dj4 REAL,
    dj5 REAL,
    dj6 REAL,
    je1 REAL,
    je2 REAL,
    je3 REAL,
    je4 REAL,
    je5 REAL,
    je6 REAL,
    zje REAL,
    kpy TEXT COLLATE NOCASE,
    xsy TEXT COLLATE NOCASE,
    ysh TEXT COLLATE NOCASE,
    ysb TEXT COLLATE NOCASE,
    fkfssk TEXT COLLATE NOCASE,
    fkfsxj TEXT COLLATE NOCASE,
    drq TEXT COLLATE NOCASE,
    xlh1 TEXT COLLATE NOCASE,
    xlh2 TEXT COLLATE NOCASE,
    xlh3 TEXT COLLATE NOCASE,
    xlh4 TEXT COLLATE NOCASE,
    zjedx TEXT COLLATE NOCASE
);

-- Customers.
CREATE TABLE app_khxxb (
    iid INTEGER PRIMARY KEY AUTOINCREMENT,
    khxm TEXT COLLATE NOCASE,
    pyzjh TEXT COLLATE NOCASE,
    lxdh TEXT COLLATE NOCASE,
    khdz TEXT COLLATE NOCASE,
    bz TEXT COLLATE NOCASE
);

-- Products.
CREATE TABLE app_spxxb (
    iid INTEGER PRIMARY KEY AUTOINCREMENT,
    spmc TEXT COLLATE NOCASE,
    pyzjh TEXT COLLATE NOCASE,
    dj REAL
);

-- Employees, who are also the operators; py is the employee number.
CREATE TABLE zgxxb (
    iid INTEGER PRIMARY KEY AUTOINCREMENT,
    zgxm TEXT COLLATE NOCASE,
    py TEXT COLLATE NOCASE,
    bz TEXT COLLATE NOCASE,
    mm TEXT COLLATE NOCASE
);

-- What the searches and look-ups filter on.
CREATE INDEX app_djb_djh ON app_djb (djh);
CREATE INDEX app_djb_khxm ON app_djb (khxm);
CREATE INDEX app_djb_pyzjh ON app_djb (pyzjh);
CREATE INDEX app_djb_drq ON app_djb (drq);
CREATE INDEX app_khxxb_khxm ON app_khxxb (khxm);
CREATE INDEX app_khxxb_pyzjh ON app_khxxb (pyzjh);
CREATE INDEX app_spxxb_spmc ON app_spxxb (spmc);
CREATE INDEX app_spxxb_pyzjh ON app_spxxb (pyzjh);
CREATE INDEX zgxxb_py ON zgxxb (py);
CREATE INDEX zgxxb_bz ON zgxxb (bz);
