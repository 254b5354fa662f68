-- Shared database of the branch offices: what the report EXP036 and the application
-- server read. Written in the SQL that SQLite, PostgreSQL and Firebird all accept.
-- Dates are DATE columns; SQLite keeps them as 'yyyy-mm-dd' text. The secondary indexes are
-- in schema_indexes.sql.

CREATE TABLE FILIAL (
    CDFILIAL      VARCHAR(8)  NOT NULL PRIMARY KEY,  -- branch code, width 4, zero-filled
    NMFILIAL      VARCHAR(30) NOT NULL
);

CREATE TABLE CLIENTE (
    CDCLIENTE     VARCHAR(21) NOT NULL PRIMARY KEY,
    IDTPIJURCLIE  CHAR(1)     NOT NULL CHECK (IDTPIJURCLIE IN ('F', 'J')),  -- person or entity
    NRINSJURCLIE  VARCHAR(20) NOT NULL,  -- CPF or CNPJ, digits only
    NMFANTCLIE    VARCHAR(50) NOT NULL,
    CDATIVCLI     VARCHAR(4),            -- activity
    CDSEGMER      VARCHAR(4)             -- market segment
);

-- One row per invoice entry of a branch.
CREATE TABLE NOTAFISCAL (
    CDFILIAL      VARCHAR(8)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    NRLANCTONF    VARCHAR(10) NOT NULL,  -- entry number, unique in the whole database
    NRNOTAFISC    VARCHAR(20) NOT NULL,  -- invoice number
    CDCLIENTE     VARCHAR(21) NOT NULL REFERENCES CLIENTE (CDCLIENTE),
    CDFILIDEST    VARCHAR(8)  NOT NULL REFERENCES FILIAL (CDFILIAL),  -- destination branch
    DTEMISSAO     DATE        NOT NULL,  -- issue date
    DTENTRSAID    DATE,                  -- exit date
    IDSTATUSNF    CHAR(1)     NOT NULL CHECK (IDSTATUSNF IN ('P', 'E', 'A', 'C', 'K')),
    VRTOTALNF     NUMERIC(15, 2) NOT NULL,
    PRIMARY KEY (CDFILIAL, NRLANCTONF),
    UNIQUE (NRLANCTONF)
);

-- The shipping of an invoice; a cancelled shipping ("K") has its cancellation date.
CREATE TABLE EXPEDICAO (
    CDFILIAL      VARCHAR(8)  NOT NULL,
    NRLANCTONF    VARCHAR(10) NOT NULL,
    DTEXPEDICAO   DATE        NOT NULL,
    DTCANCEXPED   DATE,
    PRIMARY KEY (CDFILIAL, NRLANCTONF),
    FOREIGN KEY (CDFILIAL, NRLANCTONF) REFERENCES NOTAFISCAL (CDFILIAL, NRLANCTONF)
);
