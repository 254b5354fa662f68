#include "token_seal.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "hex_text.h"

namespace appserver {
namespace {

constexpr std::size_t kNonceSize = 12;
constexpr std::size_t kTagSize = 16;

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext NewContext() {
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context)
        throw std::runtime_error("sem memória para cifrar a entrada.");
    return context;
}

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

TokenSeal TokenSeal::FromFile(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0)
        throw std::invalid_argument("--session-key: não foi possível ler " + file.string() + ".");
    if ((status.st_mode & S_IROTH) != 0) {
        throw std::invalid_argument("--session-key: " + file.string() +
                                    " pode ser lido por qualquer usuário da máquina; deixe-o só "
                                    "para o servidor (chmod 640 ou 600).");
    }
    std::ifstream in(file);
    std::string text;
    in >> text;
    const auto bytes = FromHex(text);
    if (!in.good() && !in.eof())
        throw std::invalid_argument("--session-key: não foi possível ler " + file.string() + ".");
    if (!bytes || bytes->size() != 32) {
        throw std::invalid_argument("--session-key: " + file.string() +
                                    " deve conter 64 dígitos hexadecimais (openssl rand -hex 32).");
    }
    std::array<unsigned char, 32> key{};
    std::copy(bytes->begin(), bytes->end(), key.begin());
    return TokenSeal(key);
}

TokenSeal TokenSeal::Random() {
    std::array<unsigned char, 32> key{};
    if (RAND_bytes(key.data(), static_cast<int>(key.size())) != 1)
        throw std::runtime_error("o sistema não forneceu bytes aleatórios para a chave de sessão.");
    return TokenSeal(key);
}

std::string TokenSeal::Seal(const std::string& id, const std::string& password) const {
    std::array<unsigned char, kNonceSize> nonce{};
    if (RAND_bytes(nonce.data(), static_cast<int>(nonce.size())) != 1)
        throw std::runtime_error("o sistema não forneceu bytes aleatórios para a sessão.");
    const CipherContext context = NewContext();
    std::vector<unsigned char> sealed(password.size() + kTagSize);
    int length = 0;
    int finalLength = 0;
    if (EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, key_.data(), nonce.data()) !=
            1 ||
        EVP_EncryptUpdate(context.get(), nullptr, &length, Bytes(id),
                          static_cast<int>(id.size())) != 1 ||
        EVP_EncryptUpdate(context.get(), sealed.data(), &length, Bytes(password),
                          static_cast<int>(password.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), sealed.data() + length, &finalLength) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, kTagSize,
                            sealed.data() + password.size()) != 1)
        throw std::runtime_error("não foi possível cifrar a entrada.");
    return Hex(nonce.data(), nonce.size()) + Hex(sealed.data(), sealed.size());
}

std::optional<std::string> TokenSeal::Open(const std::string& id, const std::string& sealed) const {
    const auto bytes = FromHex(sealed);
    if (!bytes || bytes->size() < kNonceSize + kTagSize)
        return std::nullopt;
    const std::size_t textSize = bytes->size() - kNonceSize - kTagSize;
    std::vector<unsigned char> tag(bytes->end() - kTagSize, bytes->end());
    std::string password(textSize, '\0');
    const CipherContext context = NewContext();
    int length = 0;
    int finalLength = 0;
    auto* out = reinterpret_cast<unsigned char*>(password.data());
    if (EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, key_.data(), bytes->data()) !=
            1 ||
        EVP_DecryptUpdate(context.get(), nullptr, &length, Bytes(id),
                          static_cast<int>(id.size())) != 1 ||
        EVP_DecryptUpdate(context.get(), out, &length, bytes->data() + kNonceSize,
                          static_cast<int>(textSize)) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, tag.data()) != 1 ||
        EVP_DecryptFinal_ex(context.get(), out + length, &finalLength) != 1)
        return std::nullopt;
    return password;
}

std::string TokenDigest(const std::string& token) {
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    if (EVP_Digest(token.data(), token.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("não foi possível calcular o resumo da entrada.");
    return Hex(digest.data(), size);
}

}  // namespace appserver
