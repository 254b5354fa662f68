-- Saved choices of the report forms ("Consultas salvas") and each person's last query, in the
-- shared database. A choice is what the person did in the form, as the host's own text (JSON).
-- Written in the SQL that SQLite and PostgreSQL both accept (Firebird:
-- saved_choices_table_firebird.sql).
CREATE TABLE IF NOT EXISTS CONSULTA_SALVA (
    PESSOA        VARCHAR(63)  NOT NULL,  -- whose: the signed-in person, or the system login
    FILIAL        VARCHAR(10)  NOT NULL,  -- the person's branch: who a shared choice is for
    RELATORIO     VARCHAR(32)  NOT NULL,  -- the report code of the form
    NOME          VARCHAR(120) NOT NULL,  -- the name the person gave; '' for the last query
    COMPARTILHADA INTEGER      NOT NULL DEFAULT 0,  -- 1: the people of the same branch see it
    ESCOLHAS      TEXT         NOT NULL,
    MOMENTO       TIMESTAMP    NOT NULL DEFAULT CURRENT_TIMESTAMP,
    PRIMARY KEY (PESSOA, RELATORIO, NOME)
);
