-- The audit table of audit_table.sql in Firebird's SQL: a long text is a BLOB SUB_TYPE TEXT and a
-- default comes before NOT NULL. Firebird 3 knows no time zones: MOMENTO is the clock of the
-- server (or of the program, on an embedded file) in its local time; keep that zone at UTC.
CREATE TABLE AUDITORIA (
    MOMENTO       TIMESTAMP    DEFAULT CURRENT_TIMESTAMP NOT NULL,
    PESSOA        VARCHAR(63)  NOT NULL,
    ORIGEM        VARCHAR(255) NOT NULL,
    EVENTO        VARCHAR(20)  NOT NULL,
    OBJETO        VARCHAR(255),
    PARAMETROS    BLOB SUB_TYPE TEXT,
    LINHAS        INTEGER,
    DURACAO_MS    INTEGER,
    SAIDA         BLOB SUB_TYPE TEXT,
    RESULTADO     BLOB SUB_TYPE TEXT NOT NULL
);
