-- Indexes of the shared database, created once the tables hold their rows: building an index
-- from rows already stored is much faster than keeping it up to date row by row.

-- The client picker reads every client in this order: with its columns in the index, the walk
-- reads the index alone, in order, instead of one table page per client.
CREATE INDEX CLIENTE_NRINSJURCLIE ON CLIENTE (NRINSJURCLIE, CDCLIENTE, IDTPIJURCLIE, NMFANTCLIE);
CREATE INDEX NOTAFISCAL_EMISSAO ON NOTAFISCAL (CDFILIAL, DTEMISSAO);
CREATE INDEX EXPEDICAO_CANCELAMENTO ON EXPEDICAO (CDFILIAL, DTCANCEXPED);
