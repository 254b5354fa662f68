#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/raw_http.h"
#include "support/server_process.h"

namespace servertest {

// Calls to a server that asks for a sign-in, as a client sends them: raw HTTP, protocol 2.
class SignedInCalls {
protected:
    static constexpr const char* kGetNota = "/exp03600.rdmRelConsLanc/GetNota";
    // 01/01/2025 to 31/12/2025 as automation dates: every invoice of the test data.
    static constexpr double kFirstDay = 45658;
    static constexpr double kLastDay = 46022;

    HttpReply Send(const std::string& method, const std::string& path, const std::string& body,
                   const std::string& headers = "") {
        RawConnection connection(server->Host(), server->Port());
        connection.Send(HttpRequest(method, path, body, false, headers));
        return connection.ReadReply().value_or(HttpReply{});
    }

    HttpReply SignIn(const std::string& login, const std::string& password) {
        return Send("POST", "/sign-in",
                    R"({"version":2,"user":")" + login + R"(","password":")" + password + "\"}");
    }

    // The token of a sign-in that must be accepted.
    std::string TokenOf(const std::string& login, const std::string& password) {
        const HttpReply reply = SignIn(login, password);
        EXPECT_EQ(reply.status, 200) << reply.body;
        const auto start = reply.body.find(R"("token":")");
        if (start == std::string::npos)
            return std::string();
        const auto end = reply.body.find('"', start + 9);
        return reply.body.substr(start + 9, end - start - 9);
    }

    HttpReply GetNota(const std::string& token, const std::string& branch) {
        return Send("POST", kGetNota, GetNotaBody(branch, kFirstDay, kLastDay),
                    "Authorization: Bearer " + token + "\r\n");
    }

    static long long RowsIn(const HttpReply& reply) {
        long long rows = 0;
        for (std::size_t at = reply.body.find("[\"N\""); at != std::string::npos;
             at = reply.body.find("[\"N\"", at + 1))
            ++rows;
        return rows;
    }

    std::optional<ServerProcess> server;
};

}  // namespace servertest
