// The application server under abuse, with its default options: a colleague's small GetNota calls
// (about ten invoices, one every 100 ms) while one address keeps 2,500 connections trickling in a
// byte at a time, reopening what the server closes, and another address sends six heavy calls
// at once, again and again (the whole date range, with a list of every client, some 700 KB).
// Prints the colleague's median and 99th-percentile latency on the idle server first, then
// those of an office of fifty workstations behind one address (the default limits are chosen
// for it), then the colleague's under the abuse. Usage: abuse_bench DEMO.sqlite [SECONDS]
//
// Everything runs on loopback: each side leaves from a loopback address of its own, so the server
// tells them apart as it would an office, an attacker and a heavy user. The run is bounded: the
// abuse lasts SECONDS (60 by default), the heavy calls then finish within the server's limit.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "day_ranges.h"
#include "host/data/engine.h"
#include "support/raw_http.h"
#include "support/server_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using servertest::RawConnection;

constexpr const char* kBranch = "0001";
constexpr const char* kGetNotaPath = "/exp03600.rdmRelConsLanc/GetNota";
constexpr const char* kColleague = "127.0.5.1";
constexpr const char* kTrickler = "127.0.3.1";
constexpr const char* kHeavyUser = "127.0.4.1";
constexpr const char* kOffice = "127.0.6.1";
constexpr int kOfficeWorkstations = 50;
constexpr int kTricklingConnections = 2500;
constexpr int kHeavyCallers = 6;
constexpr auto kTick = std::chrono::milliseconds(100);
// Connections the trickler opens again per tick, once the server has closed them: a steady
// pressure, bounded so the client side does not take the machine.
constexpr int kReopenedPerTick = 100;
// Automation dates of 1900-01-01 and 9999-12-31: every invoice.
constexpr double kFirstDay = 2;
constexpr double kLastDay = 2958465;

struct Latencies {
    std::vector<double> ms;
    long long errors = 0;

    double Percentile(double fraction) const {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1))];
    }
};

// A workstation's calls from its address on a kept-alive connection, `gap` apart, until `until`.
Latencies Workstation(const servertest::ServerProcess& server, const std::string& request,
                      const char* from, Clock::time_point until,
                      const std::function<Clock::duration()>& gap) {
    Latencies result;
    std::unique_ptr<RawConnection> connection;
    while (Clock::now() < until) {
        const auto sent = Clock::now();
        try {
            if (!connection)
                connection = std::make_unique<RawConnection>(server.Host(), server.Port(), from);
            const auto reply = connection->Send(request) ? connection->ReadReply() : std::nullopt;
            if (!reply || reply->status != 200) {
                ++result.errors;
                connection.reset();
            } else {
                result.ms.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
            }
        } catch (const std::exception&) {
            ++result.errors;
            connection.reset();
        }
        std::this_thread::sleep_until(sent + gap());
    }
    return result;
}

// The colleague calls once a tick.
Latencies Colleague(const servertest::ServerProcess& server, const std::string& request,
                    Clock::time_point until) {
    return Workstation(server, request, kColleague, until, [] { return kTick; });
}

// An office behind one NAT address: fifty workstations, each calling every one to three
// seconds, for as long as `length`.
Latencies Office(const servertest::ServerProcess& server, const std::string& request,
                 std::chrono::seconds length) {
    const auto until = Clock::now() + length;
    std::vector<Latencies> each(kOfficeWorkstations);
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < each.size(); ++w) {
        threads.emplace_back([&, w] {
            std::mt19937 random(static_cast<std::uint32_t>(w));
            std::uniform_int_distribution<int> milliseconds(1000, 3000);
            each[w] = Workstation(server, request, kOffice, until,
                                  [&] { return std::chrono::milliseconds(milliseconds(random)); });
        });
    }
    Latencies all;
    for (std::size_t w = 0; w < each.size(); ++w) {
        threads[w].join();
        all.ms.insert(all.ms.end(), each[w].ms.begin(), each[w].ms.end());
        all.errors += each[w].errors;
    }
    return all;
}

// 2,500 connections from one address, each sent one more byte of a request every tick; what the
// server closes (its request time ran out, or it turned the connection away) is opened again.
class Trickle {
public:
    Trickle(const servertest::ServerProcess& server, const std::string& request)
        : thread_([this, &server, request] { Run(server, request); }) {}
    ~Trickle() {
        stop_ = true;
        thread_.join();
    }
    long long Reopened() const { return reopened_; }

private:
    void Run(const servertest::ServerProcess& server, const std::string& request) {
        std::vector<std::unique_ptr<RawConnection>> connections(kTricklingConnections);
        std::vector<std::size_t> sent(kTricklingConnections, 0);
        while (!stop_) {
            const auto tick = Clock::now();
            int reopened = 0;
            for (std::size_t i = 0; i < connections.size(); ++i) {
                auto& connection = connections[i];
                if (connection && (connection->ClosedByServer() || connection->ReplyArriving()))
                    connection.reset();
                if (!connection) {
                    if (reopened == kReopenedPerTick)
                        continue;
                    try {
                        connection = std::make_unique<RawConnection>(server.Host(), server.Port(),
                                                                     kTrickler);
                        sent[i] = 0;
                        ++reopened;
                        ++reopened_;
                    } catch (const std::exception&) {
                        continue;
                    }
                }
                // Never the last byte: the request never completes.
                if (sent[i] + 1 < request.size() && connection->Send(request.substr(sent[i], 1)))
                    ++sent[i];
            }
            std::this_thread::sleep_until(tick + kTick);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<long long> reopened_{0};
    std::thread thread_;
};

// Six heavy calls from one address at once, each sent again as soon as it is answered.
class HeavyCalls {
public:
    HeavyCalls(const servertest::ServerProcess& server, const std::string& request) {
        for (int i = 0; i < kHeavyCallers; ++i) {
            threads_.emplace_back([this, &server, request] {
                while (!stop_) {
                    try {
                        RawConnection connection(server.Host(), server.Port(), kHeavyUser);
                        const auto reply =
                            connection.Send(request) ? connection.ReadReply() : std::nullopt;
                        ++(reply && reply->status == 200 ? answered_ : failed_);
                    } catch (const std::exception&) {
                        ++failed_;
                    }
                }
            });
        }
    }
    // Waits for the calls under way: the server's call time limit bounds them.
    ~HeavyCalls() {
        stop_ = true;
        for (std::thread& thread : threads_)
            thread.join();
    }
    long long Answered() const { return answered_; }
    long long Failed() const { return failed_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<long long> answered_{0};
    std::atomic<long long> failed_{0};
    std::vector<std::thread> threads_;
};

void Print(const char* name, const Latencies& latencies) {
    std::cout << name << ": " << latencies.ms.size() << " calls, p50 " << latencies.Percentile(0.5)
              << " ms, p99 " << latencies.Percentile(0.99) << " ms, max "
              << latencies.Percentile(1.0) << " ms, errors " << latencies.errors << "\n";
}

// Every client of the database as a selection list: ",C1,C2,...,".
std::string EveryClient(hostfw::Engine& engine) {
    const auto cursor = engine.Query("SELECT CDCLIENTE FROM CLIENTE ORDER BY CDCLIENTE", {});
    std::string list = ",";
    while (cursor->Next())
        list += cursor->Value(0).AsString() + ",";
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: abuse_bench DEMO.sqlite [SECONDS]\n";
        return 2;
    }
    const auto seconds = std::chrono::seconds(argc == 3 ? std::stoi(argv[2]) : 60);
    try {
        const auto engine = hostfw::OpenDatabase(argv[1]);
        const auto range = benchsupport::DayRangesHolding({10}, kBranch, *engine).front();
        const std::string small = servertest::HttpRequest(
            "POST", kGetNotaPath,
            servertest::GetNotaBody(kBranch, range.first.value, range.last.value));
        const std::string clients = EveryClient(*engine);
        const std::string heavy = servertest::HttpRequest(
            "POST", kGetNotaPath, servertest::GetNotaBody(kBranch, kFirstDay, kLastDay, clients));
        const servertest::ServerProcess server({"--db", argv[1]});
        std::cout << std::fixed << std::setprecision(1)
                  << "server: default options; the colleague's call lists " << range.rows
                  << " invoices; the heavy call " << heavy.size() / 1024 << " KB\n";

        Print("idle server, 10 s",
              Colleague(server, small, Clock::now() + std::chrono::seconds(10)));
        Print("an office of 50 workstations behind one address, 30 s",
              Office(server, small, std::chrono::seconds(30)));

        Latencies underAbuse;
        long long reopened = 0, heavyAnswered = 0, heavyFailed = 0;
        {
            Trickle trickle(server, small);
            HeavyCalls heavyCalls(server, heavy);
            // The trickle's first 2,500 connections open at 100 a tick: measured once they have.
            std::this_thread::sleep_for(kTick * (kTricklingConnections / kReopenedPerTick));
            underAbuse = Colleague(server, small, Clock::now() + seconds);
            reopened = trickle.Reopened();
            std::cout << "abuse over; waiting for the heavy calls under way\n";
            heavyAnswered = heavyCalls.Answered();
            heavyFailed = heavyCalls.Failed();
        }
        Print(("under abuse, " + std::to_string(seconds.count()) + " s").c_str(), underAbuse);
        std::cout << "trickling connections opened: " << reopened << "; heavy calls answered "
                  << heavyAnswered << ", failed " << heavyFailed << "\n";
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
