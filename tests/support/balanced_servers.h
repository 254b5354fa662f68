#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/net/http_call_client.h"
#include "support/balancer_process.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/test_folder.h"

namespace servertest {

// Application servers that share a sign-in key behind a real HAProxy, all on loopback, and
// clients that call through it as the host does (its HTTP client, with its one retry of a call
// nobody answered). Stopped, and their folder removed, when the object goes.
class BalancedServers {
public:
    // The balancer's connections to the servers leave from here; the clients' from 127.0.0.1.
    static constexpr const char* kBalancerSource = "127.0.0.3";

    // `count` servers, each with `options` besides the key, the balancer as trusted proxy and
    // a drain of three seconds.
    BalancedServers(int count, const std::vector<std::string>& options)
        : folder_(testsupport::PrivateTestFolder("exp036-scale")) {
        std::filesystem::create_directories(folder_);
        const auto key = folder_ / "chave";
        std::ofstream(key) << std::string(64, '5') << "\n";
        std::filesystem::permissions(
            key, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        std::vector<int> ports;
        for (int i = 0; i < count; ++i) {
            std::vector<std::string> all = options;
            all.insert(all.end(), {"--session-key", key.string(), "--trusted-proxy",
                                   kBalancerSource, "--drain", "3"});
            servers.push_back(std::make_unique<ServerProcess>(all));
            ports.push_back(servers.back()->Port());
        }
        balancer.emplace(ports, kBalancerSource, folder_);
    }
    ~BalancedServers() {
        balancer.reset();
        servers.clear();
        std::filesystem::remove_all(folder_);
    }
    BalancedServers(const BalancedServers&) = delete;
    BalancedServers& operator=(const BalancedServers&) = delete;

    // A client as the host's, signed in as `login` (password SharedUseDatabase::Password): over
    // plain HTTP on loopback, which the person accepts here.
    std::unique_ptr<hostfw::HttpCallClient> NewClient(const std::string& login) const {
        return std::make_unique<hostfw::HttpCallClient>(
            "127.0.0.1", balancer->Port(), hostfw::NetTimeouts{}, hostfw::kDefaultReplySizeLimit,
            "", true, std::vector<std::pair<std::string, int>>{}, [login] {
                return std::optional<hostfw::Credentials>(
                    {login, testsupport::SharedUseDatabase::Password(login)});
            });
    }

    // A GetNota of branch 0001 for 2025 answered without an error; else false and why.
    static bool Answered(hostfw::HttpCallClient& client, std::string& failure) {
        using hostfw::Variant;
        hostfw::CallRequest request;
        request.args = {{Variant(std::string("0001")), false},
                        {Variant(hostfw::EncodeDate(2025, 1, 1)), false},
                        {Variant(hostfw::EncodeDate(2025, 12, 31)), false}};
        for (const char* byRef : {"", "T", "", "T", "", "A"})
            request.args.push_back({Variant(std::string(byRef)), true});
        try {
            const hostfw::CallReply reply =
                client.Call("exp03600.rdmRelConsLanc", "GetNota", request);
            if (reply.result.IsError()) {
                failure = reply.result.ErrorMessage();
                return false;
            }
            return true;
        } catch (const std::exception& error) {
            failure = error.what();
            return false;
        }
    }

    std::vector<std::unique_ptr<ServerProcess>> servers;
    std::optional<BalancerProcess> balancer;

private:
    std::filesystem::path folder_;
};

}  // namespace servertest
