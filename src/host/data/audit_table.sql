-- The audit: every sign-in, application-server call and report run, one row each, in the shared
-- database. Rows are only ever added: rebuilding the demo data keeps them, and on PostgreSQL the
-- shared-use setup (exp036-admin setup) lets people add rows in their own name and nothing else.
-- Written in the SQL that SQLite and PostgreSQL both accept (Firebird: audit_table_firebird.sql).
CREATE TABLE IF NOT EXISTS AUDITORIA (
    MOMENTO       TIMESTAMP    NOT NULL DEFAULT CURRENT_TIMESTAMP,  -- the database's clock, UTC
    PESSOA        VARCHAR(63)  NOT NULL,  -- the signed-in person, or the system login
    ORIGEM        VARCHAR(255) NOT NULL,  -- the client's address, or the host's name
    EVENTO        VARCHAR(20)  NOT NULL,  -- entrada, entrada-recusada, chamada, relatorio
    OBJETO        VARCHAR(255),           -- the method called, the report and its variant
    PARAMETROS    TEXT,                   -- arguments or report parameters, NAME=value a line
    LINHAS        INTEGER,
    DURACAO_MS    INTEGER,
    SAIDA         TEXT,                   -- the output kind and file of a report run
    RESULTADO     TEXT         NOT NULL   -- "ok", or what failed
);
