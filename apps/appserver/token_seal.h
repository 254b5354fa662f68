#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace appserver {

// The key the servers behind one balancer share, which seals a sign-in's password into the
// token the person carries (AES-256-GCM), so that any of them can open the person's own database
// connections for a token another one gave. The database keeps the token's digest only: neither
// a copy of the database nor a token alone gives the password away.
class TokenSeal {
public:
    // The key of a file holding 64 hexadecimal digits (`openssl rand -hex 32`). Raises
    // std::invalid_argument, in Portuguese, for a file that cannot be read, holds anything else
    // or can be read by every user of the machine.
    static TokenSeal FromFile(const std::filesystem::path& file);
    // A key of this process alone: its tokens hold on this server only, until it stops.
    static TokenSeal Random();

    // The password, sealed to the token's random part `id`.
    std::string Seal(const std::string& id, const std::string& password) const;
    // The password of Seal's result, or nullopt for text sealed with another key or to another id,
    // or altered.
    std::optional<std::string> Open(const std::string& id, const std::string& sealed) const;

private:
    explicit TokenSeal(const std::array<unsigned char, 32>& key) : key_(key) {}

    std::array<unsigned char, 32> key_;
};

// The hexadecimal SHA-256 of a token: what the shared table of sign-ins keeps of it.
std::string TokenDigest(const std::string& token);

}  // namespace appserver
