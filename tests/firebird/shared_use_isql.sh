#!/usr/bin/env bash
# Usage: with_firebird.sh shared_use_isql.sh DEMODB ADMIN
#
# The branch rule holds for whoever runs the query, Firebird's own isql-fb included: on the test
# rows (branch 0001 has 4 invoices, 0002 has 2, 0003 has 1), set up for shared use, a person
# bound to 0001 and one bound to 0002 each count only their own branch's invoices, neither reads
# a base table, and the audit refuses SYSDBA's UPDATE and DELETE.
set -euo pipefail

demodb=$1
admin=$2
database=$EXP036_FB_URL
work=$(mktemp -d /tmp/exp036-fb-isql.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "shared_use_isql: $*" >&2
    exit 1
}

"$demodb" "$database" --test-data --force >"$work/demodb.log" 2>&1 ||
    { cat "$work/demodb.log" >&2; fail "exp036-demodb falhou"; }
"$admin" --db "$database" setup >"$work/admin.log" 2>&1 ||
    { cat "$work/admin.log" >&2; fail "setup falhou"; }
for person in "maria 0001" "joao 0002"; do
    read -r login branch <<<"$person"
    printf 'senha-%s\n' "$login" |
        "$admin" --db "$database" user add "$login" --name "Pessoa $login" --branch "$branch" \
            --bound --password-stdin >>"$work/admin.log" 2>&1 ||
        { cat "$work/admin.log" >&2; fail "user add $login falhou"; }
done

# Runs SQL in isql-fb as LOGIN (PASSWORD) and prints what it says, errors included.
as_user() {
    ISC_USER=$1 ISC_PASSWORD=$2 isql-fb -q "$database" <<<"$3" 2>&1 || true
}

count_sql="SELECT 'N' || CDFILIAL || '=' || COUNT(*) FROM NOTAFISCAL GROUP BY CDFILIAL;
SELECT 'D0002=' || COUNT(*) FROM NOTAFISCAL WHERE CDFILIAL = '0002';
SELECT 'E=' || COUNT(*) FROM EXPEDICAO WHERE CDFILIAL <> '0001';"

maria=$(as_user maria senha-maria "$count_sql")
grep -q "N0001=4" <<<"$maria" || fail "maria não leu as notas de 0001: $maria"
grep -q "D0002=0" <<<"$maria" || fail "maria leu notas de 0002: $maria"
grep -q "N0002" <<<"$maria" && fail "maria viu a filial 0002: $maria"
grep -q "E=0" <<<"$maria" || fail "maria leu expedições de outra filial: $maria"

joao=$(as_user joao senha-joao "$count_sql")
grep -q "N0002=2" <<<"$joao" || fail "joao não leu as notas de 0002: $joao"
grep -q "N0001" <<<"$joao" && fail "joao viu a filial 0001: $joao"

base=$(as_user maria senha-maria "SELECT COUNT(*) FROM NOTAFISCAL_BASE;")
grep -q "no permission for SELECT access to TABLE NOTAFISCAL_BASE" <<<"$base" ||
    fail "maria leu a tabela de base: $base"
wrong=$(as_user maria errada "SELECT 1 FROM RDB\$DATABASE;")
grep -q "password" <<<"$wrong" || fail "uma senha errada entrou: $wrong"

# The owner may add a row, never change or remove one.
audit=$(isql-fb -q "$database" 2>&1 <<'SQL' || true
INSERT INTO AUDITORIA (PESSOA, ORIGEM, EVENTO, OBJETO, RESULTADO)
    VALUES ('SYSDBA', 'teste', 'relatorio', 'EXP036-1', 'ok');
COMMIT;
UPDATE AUDITORIA SET RESULTADO = 'outro';
DELETE FROM AUDITORIA;
COMMIT;
SELECT 'R=' || COUNT(*) || RESULTADO FROM AUDITORIA GROUP BY RESULTADO;
SQL
)
[[ $(grep -c "A auditoria só aceita novos registros" <<<"$audit") -eq 2 ]] ||
    fail "a auditoria não recusou UPDATE e DELETE do dono: $audit"
grep -q "R=1ok" <<<"$audit" || fail "a linha da auditoria mudou: $audit"
echo "ok"
