#include "server_options.h"

#include <boost/asio/ip/address.hpp>

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace appserver {
namespace {

long long ParseNumber(const std::string& option, const std::string& text, long long min,
                      long long max) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
        throw std::invalid_argument(option + ": valor inválido '" + text + "' (use de " +
                                    std::to_string(min) + " a " + std::to_string(max) + ").");
    }
    return value;
}

// The addresses of a comma-separated list, each written as the server will see it.
std::set<std::string> ParseAddresses(const std::string& option, const std::string& text) {
    std::set<std::string> addresses;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        boost::system::error_code error;
        const auto address = boost::asio::ip::make_address(item, error);
        if (error)
            throw std::invalid_argument(option + ": endereço IP inválido '" + item + "'.");
        addresses.insert(address.to_string());
        start = comma + 1;
    }
    return addresses;
}

// Splits "--name=value" and "--name value"; the value is taken only by options that have one.
class OptionReader {
public:
    explicit OptionReader(const std::vector<std::string>& args) : args_(args) {}

    bool Next() {
        if (index_ >= args_.size())
            return false;
        const std::string& arg = args_[index_++];
        const auto equals = arg.find('=');
        name_ = arg.substr(0, equals);
        inlineValue_ =
            equals == std::string::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
        return true;
    }

    const std::string& Name() const { return name_; }

    std::string Value() {
        if (inlineValue_)
            return *inlineValue_;
        if (index_ >= args_.size())
            throw std::invalid_argument(name_ + ": falta o valor.");
        return args_[index_++];
    }

private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    std::string name_;
    std::optional<std::string> inlineValue_;
};

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args) {
    ServerOptions options;
    OptionReader reader(args);
    while (reader.Next()) {
        const std::string& name = reader.Name();
        if (name == "--help" || name == "-h")
            return std::nullopt;
        if (name == "--db") {
            options.database = reader.Value();
        } else if (name == "--listen") {
            options.listenHost = reader.Value();
        } else if (name == "--port") {
            options.port = static_cast<int>(ParseNumber(name, reader.Value(), 0, 65535));
        } else if (name == "--threads") {
            options.threads = static_cast<int>(ParseNumber(name, reader.Value(), 1, 256));
        } else if (name == "--max-body") {
            options.maxBody =
                static_cast<std::size_t>(ParseNumber(name, reader.Value(), 1024, 1LL << 30));
        } else if (name == "--timeout") {
            options.timeoutSeconds = static_cast<int>(ParseNumber(name, reader.Value(), 1, 3600));
        } else if (name == "--request-timeout") {
            options.requestTimeoutSeconds =
                static_cast<int>(ParseNumber(name, reader.Value(), 1, 3600));
        } else if (name == "--keep-alive") {
            options.keepAliveSeconds = static_cast<int>(ParseNumber(name, reader.Value(), 1, 300));
        } else if (name == "--max-connections") {
            options.maxConnections = static_cast<int>(ParseNumber(name, reader.Value(), 1, 100000));
        } else if (name == "--max-client-connections") {
            options.maxClientConnections =
                static_cast<int>(ParseNumber(name, reader.Value(), 1, 100000));
        } else if (name == "--sign-in-idle") {
            options.signInIdleMinutes =
                static_cast<int>(ParseNumber(name, reader.Value(), 1, 24 * 60));
        } else if (name == "--connection-idle") {
            options.connectionIdleSeconds =
                static_cast<int>(ParseNumber(name, reader.Value(), 1, 24 * 60 * 60));
        } else if (name == "--trusted-proxy") {
            options.trustedProxies.merge(ParseAddresses(name, reader.Value()));
        } else if (name == "--report-db") {
            options.reportDatabase = reader.Value();
        } else if (name == "--report-lag") {
            options.reportLagSeconds = static_cast<int>(ParseNumber(name, reader.Value(), 1, 3600));
        } else if (name == "--drain") {
            options.drainSeconds = static_cast<int>(ParseNumber(name, reader.Value(), 0, 300));
        } else if (name == "--session-key") {
            options.sessionKeyFile = reader.Value();
        } else if (name == "--tls-cert") {
            options.tlsCert = reader.Value();
        } else if (name == "--tls-key") {
            options.tlsKey = reader.Value();
        } else if (name == "--insecure") {
            options.insecure = true;
        } else {
            throw std::invalid_argument("opção desconhecida '" + name + "' (veja --help).");
        }
    }
    if (options.database.empty()) {
        throw std::invalid_argument(
            "--db é obrigatório (arquivo SQLite, conexão PostgreSQL ou banco Firebird).");
    }
    if (options.listenHost.empty())
        throw std::invalid_argument("--listen: endereço vazio.");
    if (options.tlsCert.empty() != options.tlsKey.empty())
        throw std::invalid_argument("--tls-cert e --tls-key vêm juntos.");
    return options;
}

std::string UsageText() {
    return R"(Uso: exp036-appserver --db BANCO [opções]

Servidor de aplicação do relatório EXP036: oferece o objeto exp03600.rdmRelConsLanc
(método GetNota) por HTTP/1.1 com corpo JSON; o protocolo está em docs/protocol.md.

  --db BANCO          arquivo SQLite existente, conexão PostgreSQL ou banco
                      Firebird (veja Bancos de dados, abaixo)
  --listen ENDEREÇO   endereço de escuta (padrão 127.0.0.1)
  --port PORTA        porta (padrão 8080; 0 escolhe uma porta livre)
                      a linha "listening on ENDEREÇO:PORTA" sai na saída padrão
  --threads N         chamadas atendidas ao mesmo tempo (padrão 4); cada uma tem a
                      sua conexão com o banco; as demais esperam, em filas por
                      pessoa (ou por endereço, sem entrada) que se revezam, e
                      ninguém ocupa mais da metade delas
  --max-body BYTES    tamanho máximo do corpo de um pedido (padrão 1048576)
  --timeout SEGUNDOS  limite de duração de uma chamada, interrompida no banco, e
                      do envio da resposta (padrão 30)
  --request-timeout SEGUNDOS
                      prazo para receber um pedido inteiro, cabeçalhos e corpo,
                      desde o primeiro byte (padrão 10)
  --keep-alive SEGUNDOS
                      fecha uma conexão ociosa depois desse tempo (padrão 5)
  --max-connections N conexões abertas ao mesmo tempo (padrão 4096); as demais
                      esperam para ser aceitas
  --max-client-connections N
                      conexões abertas ao mesmo tempo a partir de um mesmo
                      endereço (padrão 128, um escritório atrás de um NAT); a
                      seguinte recebe logo um erro 503 com Retry-After, fora da
                      conta das conexões abertas
  --sign-in-idle MINUTOS
                      num banco PostgreSQL preparado para uso compartilhado
                      (exp036-admin setup), cada chamada exige entrada (protocolo 2):
                      a entrada termina depois desse tempo sem uso (padrão 15)
  --connection-idle SEGUNDOS
                      com entrada, fecha uma conexão da pessoa com o banco que fique
                      esse tempo sem chamada (padrão 300); a próxima chamada abre
                      outra
  --trusted-proxy ENDEREÇO[,ENDEREÇO...]
                      balanceadores (HAProxy com send-proxy-v2) cujas conexões
                      começam com o cabeçalho do protocolo PROXY versão 2: o
                      endereço do cliente que ele nomeia vale para o limite por
                      endereço, a espera das entradas recusadas e a auditoria;
                      uma conexão deles sem o cabeçalho é fechada
  --report-db CONEXÃO
                      um standby PostgreSQL (replicação em fluxo) do banco de --db,
                      com o mesmo login do servidor: as chamadas de quem entrou leem
                      nele enquanto ele estiver em dia (--report-lag); o que falhar
                      nele roda de novo no primário
  --report-lag SEGUNDOS
                      atraso máximo do standby, medido pelo momento da última
                      transação reproduzida nele (padrão 30); além dele, as
                      leituras vão ao primário
  --drain SEGUNDOS    depois de SIGTERM, GET /health responde 503 "drenando"
                      durante esse tempo antes de o servidor parar, para o
                      balanceador deixar de mandar chamadas (padrão 0)
  --session-key ARQUIVO
                      chave que os servidores atrás de um balanceador compartilham
                      (64 dígitos hexadecimais: openssl rand -hex 32; o arquivo só
                      para o servidor): uma entrada feita num deles vale em todos;
                      sem ela, a entrada vale só neste servidor, até ele parar
  --tls-cert ARQUIVO  certificado do servidor (PEM, com a cadeia); com --tls-key o
                      servidor só aceita conexões TLS (https://)
  --tls-key ARQUIVO   chave privada do certificado (PEM)
  --insecure          aceita escutar além do loopback sem TLS e sem entrada
                      (qualquer um na rede lê todas as filiais)
  --help              mostra este texto

Uma linha por chamada na saída de erros; SIGTERM ou SIGINT encerram o servidor.
)";
}

}  // namespace appserver
