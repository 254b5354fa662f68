-- Indexes of the shared database, created once the tables hold their rows: building an index
-- from rows already stored is much faster than keeping it up to date row by row.

CREATE INDEX CLIENTE_NRINSJURCLIE ON CLIENTE (NRINSJURCLIE);
CREATE INDEX NOTAFISCAL_EMISSAO ON NOTAFISCAL (CDFILIAL, DTEMISSAO);
CREATE INDEX EXPEDICAO_CANCELAMENTO ON EXPEDICAO (CDFILIAL, DTCANCEXPED);
