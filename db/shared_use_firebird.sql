-- Shared use of a Firebird database by the people of the branch offices. Run by
-- "exp036-admin setup" on a server, by SYSDBA or the owner of the tables; running it again
-- changes nothing. Before it runs, setup has moved the rows of NOTAFISCAL, EXPEDICAO and
-- CONSULTA_SALVA into the base tables NOTAFISCAL_BASE, EXPEDICAO_BASE and CONSULTA_SALVA_BASE:
-- Firebird has no row policies, so the names the module's statements read are views that keep
-- to a person's rows, and nobody but the owner reads the base tables.
--
-- A person is a Firebird user (SRP) with a row of USUARIO of the same name: reads branches and
-- clients, and invoices and shipping entries through the views: a person bound to a branch
-- reads only that branch's rows, one not bound every branch. The application server's own user
-- reads USUARIO and adds audit rows. SYSDBA and the owner of the base tables read everything.

-- The people: each row is a Firebird user of the same name, as Firebird keeps it (in capitals).
-- Firebird 3 has no IF NOT EXISTS.
SET TERM ^;
EXECUTE BLOCK AS
BEGIN
    IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'USUARIO')) THEN
        EXECUTE STATEMENT 'CREATE TABLE USUARIO (
            LOGIN      VARCHAR(63) NOT NULL PRIMARY KEY,
            NOME       VARCHAR(60) NOT NULL,
            CDFILIAL   VARCHAR(8)  NOT NULL REFERENCES FILIAL (CDFILIAL),
            VINCULADO  BOOLEAN     DEFAULT FALSE NOT NULL,
            ATIVO      BOOLEAN     DEFAULT TRUE NOT NULL)';
    -- The application servers' sign-ins, so that one made on any server is valid on all: the
    -- SHA-256 of the token, the person, and the moment (seconds since 1970) at which it ends
    -- unless used again. Only the servers' own user is granted it.
    IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'SESSAO_ENTRADA')) THEN
        EXECUTE STATEMENT 'CREATE TABLE SESSAO_ENTRADA (
            RESUMO     VARCHAR(64) NOT NULL PRIMARY KEY,
            LOGIN      VARCHAR(63) NOT NULL,
            TERMINO    BIGINT      NOT NULL,
            OCIOSO     INTEGER     NOT NULL)';
    IF (NOT EXISTS (SELECT 1 FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'SESSAO_ENTRADA_LOGIN')) THEN
        EXECUTE STATEMENT 'CREATE INDEX SESSAO_ENTRADA_LOGIN ON SESSAO_ENTRADA (LOGIN)';
    IF (NOT EXISTS (SELECT 1 FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'AUDITORIA_PESSOA_MOMENTO'))
    THEN
        EXECUTE STATEMENT 'CREATE INDEX AUDITORIA_PESSOA_MOMENTO ON AUDITORIA (PESSOA, MOMENTO)';
END^
SET TERM ;^

-- The person's own row, the only one of USUARIO a person reads.
CREATE OR ALTER VIEW PESSOA_ATUAL AS
    SELECT LOGIN, NOME, CDFILIAL, VINCULADO, ATIVO FROM USUARIO WHERE LOGIN = CURRENT_USER;

-- The branches whose invoices and shipping entries whoever is connected reads: every branch for
-- SYSDBA, the owner of the base tables and an active person who is not bound; the home branch
-- for a bound active person; none for anyone else.
CREATE OR ALTER VIEW FILIAL_VISIVEL AS
    SELECT f.CDFILIAL FROM FILIAL f
    WHERE CURRENT_USER = 'SYSDBA'
       OR CURRENT_USER = (SELECT r.RDB$OWNER_NAME FROM RDB$RELATIONS r
                          WHERE r.RDB$RELATION_NAME = 'NOTAFISCAL_BASE')
       OR EXISTS (SELECT 1 FROM USUARIO u
                  WHERE u.LOGIN = CURRENT_USER AND u.ATIVO AND NOT u.VINCULADO)
       OR f.CDFILIAL IN (SELECT u.CDFILIAL FROM USUARIO u
                         WHERE u.LOGIN = CURRENT_USER AND u.ATIVO AND u.VINCULADO);

-- A join, not "IN (SELECT ...)": Firebird 3 runs such a subquery again for every row, where the
-- join reads the few visible branches once and the rows of each through the key.
CREATE OR ALTER VIEW NOTAFISCAL AS
    SELECT n.CDFILIAL, n.NRLANCTONF, n.NRNOTAFISC, n.CDCLIENTE, n.CDFILIDEST, n.DTEMISSAO,
           n.DTENTRSAID, n.IDSTATUSNF, n.VRTOTALNF
    FROM FILIAL_VISIVEL v JOIN NOTAFISCAL_BASE n ON n.CDFILIAL = v.CDFILIAL;

CREATE OR ALTER VIEW EXPEDICAO AS
    SELECT e.CDFILIAL, e.NRLANCTONF, e.DTEXPEDICAO, e.DTCANCEXPED
    FROM FILIAL_VISIVEL v JOIN EXPEDICAO_BASE e ON e.CDFILIAL = v.CDFILIAL;

-- Saved choices: a person reads their own and those the people of the home branch share, and
-- keeps, renames, shares and removes only their own, under the home branch. The view has
-- triggers, so Firebird writes nothing through it by itself: the triggers check and write.
CREATE OR ALTER VIEW CONSULTA_SALVA AS
    SELECT c.PESSOA, c.FILIAL, c.RELATORIO, c.NOME, c.COMPARTILHADA, c.ESCOLHAS, c.MOMENTO
    FROM CONSULTA_SALVA_BASE c
    WHERE c.PESSOA = CURRENT_USER
       OR (c.COMPARTILHADA = 1 AND c.FILIAL = (SELECT u.CDFILIAL FROM USUARIO u
                                               WHERE u.LOGIN = CURRENT_USER))
       OR CURRENT_USER = 'SYSDBA'
       OR CURRENT_USER = (SELECT r.RDB$OWNER_NAME FROM RDB$RELATIONS r
                          WHERE r.RDB$RELATION_NAME = 'CONSULTA_SALVA_BASE');

CREATE OR ALTER EXCEPTION EXP036_RECUSA 'Recusado pelo banco de dados.';

SET TERM ^;

-- True when whoever is connected is a person of USUARIO, whom the rules below bind.
CREATE OR ALTER FUNCTION EXP036_E_PESSOA RETURNS BOOLEAN AS
BEGIN
    RETURN EXISTS (SELECT 1 FROM USUARIO WHERE LOGIN = CURRENT_USER);
END^

-- True when the text is a machine's name: letters, digits, ".", "_" and "-". Read a character at
-- a time: Firebird 3's SIMILAR TO backtracks on a bounded repetition, and a text that almost
-- matches "[...]{1,255}" held the server for minutes.
CREATE OR ALTER FUNCTION EXP036_NOME_DE_MAQUINA (TEXTO VARCHAR(255)) RETURNS BOOLEAN AS
    DECLARE i INTEGER = 1;
BEGIN
    IF (TEXTO IS NULL OR CHAR_LENGTH(TEXTO) = 0) THEN
        RETURN FALSE;
    WHILE (i <= CHAR_LENGTH(TEXTO)) DO
    BEGIN
        IF (POSITION(SUBSTRING(TEXTO FROM i FOR 1) IN
            'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-') = 0) THEN
            RETURN FALSE;
        i = i + 1;
    END
    RETURN TRUE;
END^

CREATE OR ALTER TRIGGER CONSULTA_SALVA_INCLUI FOR CONSULTA_SALVA BEFORE INSERT AS
BEGIN
    IF (EXP036_E_PESSOA() AND (NEW.PESSOA IS DISTINCT FROM CURRENT_USER OR
        NEW.FILIAL IS DISTINCT FROM (SELECT CDFILIAL FROM USUARIO WHERE LOGIN = CURRENT_USER)))
    THEN
        EXCEPTION EXP036_RECUSA 'Uma consulta salva é de quem a salva, na sua filial.';
    INSERT INTO CONSULTA_SALVA_BASE (PESSOA, FILIAL, RELATORIO, NOME, COMPARTILHADA, ESCOLHAS,
                                     MOMENTO)
        VALUES (NEW.PESSOA, NEW.FILIAL, NEW.RELATORIO, NEW.NOME, COALESCE(NEW.COMPARTILHADA, 0),
                NEW.ESCOLHAS, COALESCE(NEW.MOMENTO, CURRENT_TIMESTAMP));
END^

CREATE OR ALTER TRIGGER CONSULTA_SALVA_ALTERA FOR CONSULTA_SALVA BEFORE UPDATE AS
BEGIN
    IF (EXP036_E_PESSOA() AND (OLD.PESSOA IS DISTINCT FROM CURRENT_USER OR
        NEW.PESSOA IS DISTINCT FROM OLD.PESSOA OR
        NEW.FILIAL IS DISTINCT FROM (SELECT CDFILIAL FROM USUARIO WHERE LOGIN = CURRENT_USER)))
    THEN
        EXCEPTION EXP036_RECUSA 'Só quem salvou uma consulta a altera.';
    UPDATE CONSULTA_SALVA_BASE SET PESSOA = NEW.PESSOA, FILIAL = NEW.FILIAL,
        RELATORIO = NEW.RELATORIO, NOME = NEW.NOME, COMPARTILHADA = NEW.COMPARTILHADA,
        ESCOLHAS = NEW.ESCOLHAS, MOMENTO = NEW.MOMENTO
    WHERE PESSOA = OLD.PESSOA AND RELATORIO = OLD.RELATORIO AND NOME = OLD.NOME;
END^

CREATE OR ALTER TRIGGER CONSULTA_SALVA_EXCLUI FOR CONSULTA_SALVA BEFORE DELETE AS
BEGIN
    IF (EXP036_E_PESSOA() AND OLD.PESSOA IS DISTINCT FROM CURRENT_USER) THEN
        EXCEPTION EXP036_RECUSA 'Só quem salvou uma consulta a exclui.';
    DELETE FROM CONSULTA_SALVA_BASE
    WHERE PESSOA = OLD.PESSOA AND RELATORIO = OLD.RELATORIO AND NOME = OLD.NOME;
END^

-- What a person adds to the audit is what the host writes, nothing else: its sign-ins and report
-- runs, in their own name, from a machine's name, with the outcomes the host gives them, at the
-- database's own moment, and at most 60 rows a minute and 2,000 a day. Every row, the server's
-- included, keeps its texts within their bounds (the framework cuts its own texts to them).
CREATE OR ALTER TRIGGER AUDITORIA_DA_PESSOA FOR AUDITORIA BEFORE INSERT AS
    DECLARE bem_formado BOOLEAN;
    DECLARE no_minuto INTEGER;
    DECLARE no_dia INTEGER;
BEGIN
    IF (CHAR_LENGTH(NEW.PARAMETROS) > 8000 OR CHAR_LENGTH(NEW.SAIDA) > 4500 OR
        CHAR_LENGTH(NEW.RESULTADO) > 2000) THEN
        EXCEPTION EXP036_RECUSA 'A auditoria recusou o registro: um texto passa do limite '
            || '(parâmetros 8000, saída 4500, resultado 2000 caracteres).';
    IF (NOT EXP036_E_PESSOA()) THEN
        EXIT;
    NEW.MOMENTO = CURRENT_TIMESTAMP;
    bem_formado = NEW.PESSOA = CURRENT_USER
        AND EXP036_NOME_DE_MAQUINA(NEW.ORIGEM)
        AND CASE NEW.EVENTO
            WHEN 'entrada' THEN NEW.OBJETO = 'exp036-host' AND NEW.RESULTADO = 'ok'
                AND COALESCE(NEW.PARAMETROS, '') = '' AND NEW.LINHAS IS NULL
                AND NEW.DURACAO_MS IS NULL AND COALESCE(NEW.SAIDA, '') = ''
            WHEN 'entrada-recusada' THEN NEW.OBJETO = 'exp036-host'
                AND NEW.RESULTADO = 'Usuário ou senha incorretos.'
                AND CHAR_LENGTH(NEW.PARAMETROS) <= 13
                AND NEW.PARAMETROS SIMILAR TO 'tentativa [0-9][0-9]?[0-9]?' AND NEW.LINHAS IS NULL
                AND NEW.DURACAO_MS IS NULL AND COALESCE(NEW.SAIDA, '') = ''
            WHEN 'relatorio' THEN COALESCE(NEW.OBJETO, '') <> ''
                AND (NEW.RESULTADO IN ('ok', 'cancelado', 'cancelado pelo usuário',
                                       'recusado pelo formulário')
                     OR NEW.RESULTADO STARTING WITH 'falha: ')
                AND COALESCE(NEW.LINHAS, 0) >= 0 AND COALESCE(NEW.DURACAO_MS, 0) >= 0
            ELSE FALSE
        END;
    IF (NOT COALESCE(bem_formado, FALSE)) THEN
        EXCEPTION EXP036_RECUSA 'A auditoria recusou o registro: não é um registro que o '
            || 'exp036-host escreva (evento ' || COALESCE(LEFT(NEW.EVENTO, 20), '')
            || ', origem ' || COALESCE(LEFT(NEW.ORIGEM, 64), '') || ').';
    SELECT COUNT(*) FROM AUDITORIA
        WHERE PESSOA = CURRENT_USER AND MOMENTO > DATEADD(-1 MINUTE TO CURRENT_TIMESTAMP)
        INTO no_minuto;
    SELECT COUNT(*) FROM AUDITORIA
        WHERE PESSOA = CURRENT_USER AND MOMENTO > DATEADD(-1 DAY TO CURRENT_TIMESTAMP)
        INTO no_dia;
    IF (no_minuto >= 60 OR no_dia >= 2000) THEN
        EXCEPTION EXP036_RECUSA 'A auditoria recusou o registro: ' || CURRENT_USER
            || ' já fez registros demais (60 por minuto, 2000 por dia).';
END^

-- No one changes or removes an audit row, the table's owner included.
CREATE OR ALTER TRIGGER AUDITORIA_IMUTAVEL FOR AUDITORIA BEFORE UPDATE OR DELETE AS
BEGIN
    EXCEPTION EXP036_RECUSA 'A auditoria só aceita novos registros.';
END^

-- Users are named in GRANT and ALTER USER, which take no parameter: these procedures take the
-- name as a value and quote it. The password never reaches SQL: exp036-admin creates the user
-- through the services API.
CREATE OR ALTER PROCEDURE EXP036_CONCEDER_PESSOA (NOME_LOGIN VARCHAR(63)) AS
    DECLARE usuario VARCHAR(80);
BEGIN
    usuario = '"' || REPLACE(NOME_LOGIN, '"', '""') || '"';
    EXECUTE STATEMENT 'GRANT SELECT ON FILIAL TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT SELECT ON CLIENTE TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT SELECT ON NOTAFISCAL TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT SELECT ON EXPEDICAO TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT SELECT ON PESSOA_ATUAL TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT SELECT, INSERT, UPDATE, DELETE ON CONSULTA_SALVA TO USER ' || usuario;
    EXECUTE STATEMENT 'GRANT INSERT ON AUDITORIA TO USER ' || usuario;
END^

CREATE OR ALTER PROCEDURE EXP036_DESATIVAR_LOGIN (NOME_LOGIN VARCHAR(63)) AS
BEGIN
    EXECUTE STATEMENT 'ALTER USER "' || REPLACE(NOME_LOGIN, '"', '""') || '" INACTIVE';
    DELETE FROM MON$ATTACHMENTS
        WHERE MON$USER = :NOME_LOGIN AND MON$ATTACHMENT_ID <> CURRENT_CONNECTION;
END^

SET TERM ;^

-- Nothing beyond what is granted here and, per person, by EXP036_CONCEDER_PESSOA. Triggers and
-- functions act with their own rights, not their callers'.
GRANT USAGE ON EXCEPTION EXP036_RECUSA TO PUBLIC;
GRANT EXECUTE ON FUNCTION EXP036_E_PESSOA TO PUBLIC;
GRANT EXECUTE ON FUNCTION EXP036_NOME_DE_MAQUINA TO PUBLIC;
GRANT SELECT ON USUARIO TO FUNCTION EXP036_E_PESSOA;
GRANT SELECT ON USUARIO TO TRIGGER CONSULTA_SALVA_INCLUI;
GRANT SELECT ON USUARIO TO TRIGGER CONSULTA_SALVA_ALTERA;
GRANT INSERT ON CONSULTA_SALVA_BASE TO TRIGGER CONSULTA_SALVA_INCLUI;
GRANT UPDATE ON CONSULTA_SALVA_BASE TO TRIGGER CONSULTA_SALVA_ALTERA;
GRANT DELETE ON CONSULTA_SALVA_BASE TO TRIGGER CONSULTA_SALVA_EXCLUI;
