-- Shared use of a PostgreSQL database by the people of the branch offices. Run by
-- "exp036-admin setup" in one transaction, by the owner of the tables (or a superuser) with the
-- right to create roles; running it again changes nothing. The tables themselves come from
-- schema.sql (exp036-demodb or the company's own load), the audit table from the framework.
--
-- Who may read what, decided by the database for every query whoever runs it:
--   exp036_pessoas   every person (a login role with a SCRAM password) is a member: reads
--                    branches and clients, and invoices and shipping entries under row-level
--                    security: a person bound to a branch reads only that branch's rows, a
--                    person not bound reads every branch; adds audit rows in its own name.
--   exp036_servidor  the application server's own login: adds audit rows for anyone (the
--                    calls it serves, the sign-ins it refused).

DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'exp036_pessoas') THEN
        CREATE ROLE exp036_pessoas NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'exp036_servidor') THEN
        CREATE ROLE exp036_servidor NOLOGIN;
    END IF;
END
$$;

-- The people: each row is a login role of the same name.
CREATE TABLE IF NOT EXISTS USUARIO (
    LOGIN         VARCHAR(63) NOT NULL PRIMARY KEY,
    NOME          VARCHAR(60) NOT NULL,
    CDFILIAL      VARCHAR(8)  NOT NULL REFERENCES FILIAL (CDFILIAL),  -- home branch
    VINCULADO     BOOLEAN     NOT NULL DEFAULT FALSE,  -- bound to the home branch
    ATIVO         BOOLEAN     NOT NULL DEFAULT TRUE
);

-- The schema of the shared tables must be reachable (PostgreSQL 15 no longer lets everyone use a
-- schema other than public).
DO $$
BEGIN
    EXECUTE format('GRANT USAGE ON SCHEMA %I TO exp036_pessoas, exp036_servidor',
                   current_schema());
END
$$;

-- Nothing beyond what is granted here.
REVOKE ALL ON FILIAL, CLIENTE, NOTAFISCAL, EXPEDICAO, USUARIO, AUDITORIA FROM PUBLIC;
GRANT SELECT ON FILIAL, CLIENTE, NOTAFISCAL, EXPEDICAO, USUARIO TO exp036_pessoas;
-- The moment is the database's own: a person names the rest of the row, never the time.
GRANT INSERT (PESSOA, ORIGEM, EVENTO, OBJETO, PARAMETROS, LINHAS, DURACAO_MS, SAIDA, RESULTADO)
    ON AUDITORIA TO exp036_pessoas, exp036_servidor;
GRANT SELECT ON USUARIO TO exp036_servidor;

-- The sign-ins of the application servers, so that one made on any server is valid on all: the
-- SHA-256 of the token (never the token), the person, and the moment (seconds since 1970) at
-- which it ends unless used again. Only the servers' own login reads or writes it.
CREATE TABLE IF NOT EXISTS SESSAO_ENTRADA (
    RESUMO   VARCHAR(64) NOT NULL PRIMARY KEY,
    LOGIN    VARCHAR(63) NOT NULL,
    TERMINO  BIGINT      NOT NULL,
    OCIOSO   INTEGER     NOT NULL
);
CREATE INDEX IF NOT EXISTS SESSAO_ENTRADA_LOGIN ON SESSAO_ENTRADA (LOGIN);
REVOKE ALL ON SESSAO_ENTRADA FROM PUBLIC;
GRANT SELECT, INSERT, UPDATE, DELETE ON SESSAO_ENTRADA TO exp036_servidor;

ALTER TABLE USUARIO ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS usuario_proprio ON USUARIO;
CREATE POLICY usuario_proprio ON USUARIO FOR SELECT TO exp036_pessoas
    USING (LOGIN = current_user);
DROP POLICY IF EXISTS usuario_servidor ON USUARIO;
CREATE POLICY usuario_servidor ON USUARIO FOR SELECT TO exp036_servidor USING (true);

-- A row of a branch is visible to an active person who is either not bound or bound to that
-- branch. Both subqueries are uncorrelated, so they run once per query, not once per row.
ALTER TABLE NOTAFISCAL ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS filial_da_pessoa ON NOTAFISCAL;
CREATE POLICY filial_da_pessoa ON NOTAFISCAL FOR SELECT TO exp036_pessoas USING (
    EXISTS (SELECT 1 FROM USUARIO u
            WHERE u.LOGIN = current_user AND u.ATIVO AND NOT u.VINCULADO)
    OR CDFILIAL IN (SELECT u.CDFILIAL FROM USUARIO u
                    WHERE u.LOGIN = current_user AND u.ATIVO AND u.VINCULADO));

ALTER TABLE EXPEDICAO ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS filial_da_pessoa ON EXPEDICAO;
CREATE POLICY filial_da_pessoa ON EXPEDICAO FOR SELECT TO exp036_pessoas USING (
    EXISTS (SELECT 1 FROM USUARIO u
            WHERE u.LOGIN = current_user AND u.ATIVO AND NOT u.VINCULADO)
    OR CDFILIAL IN (SELECT u.CDFILIAL FROM USUARIO u
                    WHERE u.LOGIN = current_user AND u.ATIVO AND u.VINCULADO));

-- A person adds rows in its own name only; the server in anyone's.
ALTER TABLE AUDITORIA ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS auditoria_propria ON AUDITORIA;
CREATE POLICY auditoria_propria ON AUDITORIA FOR INSERT TO exp036_pessoas
    WITH CHECK (PESSOA = current_user AND current_user = session_user);
DROP POLICY IF EXISTS auditoria_servidor ON AUDITORIA;
CREATE POLICY auditoria_servidor ON AUDITORIA FOR INSERT TO exp036_servidor WITH CHECK (true);

-- What a person adds to the audit is what the host writes, nothing else: its sign-ins and report
-- runs, from a machine's name, with the outcomes the host gives them, each text within its
-- bounds, and at most 60 rows a minute and 2,000 a day. A person's rows can neither pass for the
-- server's (calls, refused sign-ins of the server) nor fill the disk.
DO $$
BEGIN
    -- Bounds for everyone's rows, the server's included (the framework cuts its texts to them).
    -- NOT VALID: rows written before are kept as they are.
    IF NOT EXISTS (SELECT 1 FROM pg_constraint WHERE conname = 'auditoria_tamanhos'
                   AND conrelid = 'auditoria'::regclass) THEN
        ALTER TABLE AUDITORIA ADD CONSTRAINT auditoria_tamanhos CHECK (
            char_length(PARAMETROS) <= 8000 AND char_length(SAIDA) <= 4500
            AND char_length(RESULTADO) <= 2000) NOT VALID;
    END IF;
END
$$;
CREATE INDEX IF NOT EXISTS AUDITORIA_PESSOA_MOMENTO ON AUDITORIA (PESSOA, MOMENTO);

-- How many rows the person signed in has added to the audit of that schema since a moment; a
-- person reads no audit row, so the count is taken with the owner's rights, and only of the one
-- who asks.
CREATE OR REPLACE FUNCTION exp036_auditoria_recentes(esquema text, desde timestamp)
    RETURNS bigint LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog AS $$
DECLARE
    quantos bigint;
BEGIN
    EXECUTE format('SELECT count(*) FROM %I.auditoria WHERE pessoa = $1 AND momento > $2',
                   esquema)
        INTO quantos USING session_user, desde;
    RETURN quantos;
END
$$;
REVOKE ALL ON FUNCTION exp036_auditoria_recentes(text, timestamp) FROM PUBLIC;
GRANT EXECUTE ON FUNCTION exp036_auditoria_recentes(text, timestamp) TO exp036_pessoas;

CREATE OR REPLACE FUNCTION exp036_auditoria_da_pessoa() RETURNS trigger
    LANGUAGE plpgsql SET search_path = pg_catalog AS $$
DECLARE
    bem_formado boolean;
    no_minuto bigint;
    no_dia bigint;
BEGIN
    -- The server's login, the owner and the administrators write as they see fit.
    IF pg_has_role(current_user, 'exp036_servidor', 'MEMBER')
       OR NOT pg_has_role(current_user, 'exp036_pessoas', 'MEMBER') THEN
        RETURN NEW;
    END IF;
    bem_formado := NEW.ORIGEM ~ '^[A-Za-z0-9._-]{1,255}$' AND CASE NEW.EVENTO
        WHEN 'entrada' THEN NEW.OBJETO = 'exp036-host' AND NEW.RESULTADO = 'ok'
            AND coalesce(NEW.PARAMETROS, '') = '' AND NEW.LINHAS IS NULL
            AND NEW.DURACAO_MS IS NULL AND coalesce(NEW.SAIDA, '') = ''
        WHEN 'entrada-recusada' THEN NEW.OBJETO = 'exp036-host'
            AND NEW.RESULTADO = 'Usuário ou senha incorretos.'
            AND NEW.PARAMETROS ~ '^tentativa [0-9]{1,3}$' AND NEW.LINHAS IS NULL
            AND NEW.DURACAO_MS IS NULL AND coalesce(NEW.SAIDA, '') = ''
        WHEN 'relatorio' THEN coalesce(NEW.OBJETO, '') <> ''
            AND (NEW.RESULTADO IN ('ok', 'cancelado', 'cancelado pelo usuário',
                                   'recusado pelo formulário')
                 OR NEW.RESULTADO LIKE 'falha: %')
            AND coalesce(NEW.LINHAS, 0) >= 0 AND coalesce(NEW.DURACAO_MS, 0) >= 0
        ELSE false
    END;
    IF NOT coalesce(bem_formado, false) THEN
        RAISE EXCEPTION 'A auditoria recusou o registro: não é um registro que o exp036-host '
            'escreva (evento %, origem %).', left(NEW.EVENTO, 20), left(NEW.ORIGEM, 64);
    END IF;
    EXECUTE format('SELECT %1$I.exp036_auditoria_recentes(%2$L, localtimestamp - interval ''1 minute''), '
                   '%1$I.exp036_auditoria_recentes(%2$L, localtimestamp - interval ''1 day'')',
                   TG_TABLE_SCHEMA, TG_TABLE_SCHEMA)
        INTO no_minuto, no_dia;
    IF no_minuto >= 60 OR no_dia >= 2000 THEN
        RAISE EXCEPTION 'A auditoria recusou o registro: % já fez registros demais '
            '(60 por minuto, 2000 por dia).', current_user;
    END IF;
    RETURN NEW;
END
$$;
DROP TRIGGER IF EXISTS auditoria_da_pessoa ON AUDITORIA;
CREATE TRIGGER auditoria_da_pessoa BEFORE INSERT ON AUDITORIA
    FOR EACH ROW EXECUTE FUNCTION exp036_auditoria_da_pessoa();

-- No one changes or removes an audit row, the table's owner included.
CREATE OR REPLACE FUNCTION exp036_auditoria_imutavel() RETURNS trigger
    LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'A auditoria só aceita novos registros.';
END
$$;
DROP TRIGGER IF EXISTS auditoria_imutavel ON AUDITORIA;
CREATE TRIGGER auditoria_imutavel BEFORE UPDATE OR DELETE ON AUDITORIA
    FOR EACH ROW EXECUTE FUNCTION exp036_auditoria_imutavel();
DROP TRIGGER IF EXISTS auditoria_sem_truncate ON AUDITORIA;
CREATE TRIGGER auditoria_sem_truncate BEFORE TRUNCATE ON AUDITORIA
    FOR EACH STATEMENT EXECUTE FUNCTION exp036_auditoria_imutavel();

-- Saved choices: a person keeps, renames, shares and removes only their own, under their home
-- branch, and reads their own and those the people of that branch share. Updates and deletes
-- pass consulta_propria alone (consulta_compartilhada is for reading), so a colleague's shared
-- row is out of their reach; a change names the row again, never its owner or its choices.
REVOKE ALL ON CONSULTA_SALVA FROM PUBLIC;
GRANT SELECT, INSERT, DELETE ON CONSULTA_SALVA TO exp036_pessoas;
GRANT UPDATE (NOME, COMPARTILHADA, FILIAL) ON CONSULTA_SALVA TO exp036_pessoas;
ALTER TABLE CONSULTA_SALVA ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS consulta_propria ON CONSULTA_SALVA;
CREATE POLICY consulta_propria ON CONSULTA_SALVA FOR ALL TO exp036_pessoas
    USING (PESSOA = current_user)
    WITH CHECK (PESSOA = current_user AND FILIAL = (SELECT u.CDFILIAL FROM USUARIO u
                                                     WHERE u.LOGIN = current_user));
DROP POLICY IF EXISTS consulta_compartilhada ON CONSULTA_SALVA;
CREATE POLICY consulta_compartilhada ON CONSULTA_SALVA FOR SELECT TO exp036_pessoas
    USING (COMPARTILHADA = 1 AND FILIAL = (SELECT u.CDFILIAL FROM USUARIO u
                                           WHERE u.LOGIN = current_user));

-- Roles are created and changed by name, which a statement cannot take as a parameter: these
-- functions take the name and the already encrypted password as values and quote them.
CREATE OR REPLACE FUNCTION exp036_criar_login(nome_login text, senha_cifrada text)
    RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = nome_login) THEN
        EXECUTE format('ALTER ROLE %I LOGIN PASSWORD %L', nome_login, senha_cifrada);
    ELSE
        EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L', nome_login, senha_cifrada);
    END IF;
    EXECUTE format('GRANT exp036_pessoas TO %I', nome_login);
END
$$;

CREATE OR REPLACE FUNCTION exp036_desativar_login(nome_login text)
    RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    EXECUTE format('ALTER ROLE %I NOLOGIN', nome_login);
    PERFORM pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = nome_login;
END
$$;
REVOKE ALL ON FUNCTION exp036_criar_login(text, text), exp036_desativar_login(text) FROM PUBLIC;

-- Functions whose effect reaches past the read-only transaction a report runs in: dblink and its
-- kind open connections of their own, to which no transaction of the report's extends; adminpack
-- writes the server's files; large objects outlive a rollback. Nobody but their owner runs them
-- (revoked from PUBLIC, which every role is in). Run setup again after installing an extension.
-- Revoking what this login does not own changes nothing: exp036-admin names what stays open.
CREATE OR REPLACE FUNCTION exp036_funcoes_externas() RETURNS SETOF regprocedure
    LANGUAGE sql STABLE SET search_path = pg_catalog AS $$
    SELECT p.oid::regprocedure FROM pg_proc p
    JOIN pg_depend d ON d.classid = 'pg_proc'::regclass AND d.objid = p.oid AND d.deptype = 'e'
    JOIN pg_extension e ON e.oid = d.refobjid
    WHERE e.extname IN ('dblink', 'postgres_fdw', 'adminpack', 'file_fdw', 'lo', 'pg_background',
                        'http', 'pg_net')
    UNION
    SELECT p.oid::regprocedure FROM pg_proc p
    WHERE p.pronamespace = 'pg_catalog'::regnamespace
        AND p.proname IN ('lo_creat', 'lo_create', 'lo_from_bytea', 'lo_import', 'lo_export',
                          'lo_open', 'lowrite', 'lo_put', 'lo_truncate', 'lo_truncate64',
                          'lo_unlink')
$$;
DO $$
DECLARE
    funcao regprocedure;
BEGIN
    FOR funcao IN SELECT exp036_funcoes_externas() LOOP
        EXECUTE format('REVOKE EXECUTE ON FUNCTION %s FROM PUBLIC', funcao);
    END LOOP;
END
$$;
