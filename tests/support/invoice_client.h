#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/data/client_dataset.h"
#include "host/net/net_connection.h"
#include "host/net/net_context.h"

namespace servertest {

// The nine GetNota arguments; the last six are the variables passed by reference, so after a
// call they hold what the server left in them.
struct GetNotaArgs {
    std::string branch = "0001";
    hostfw::TDateTime first = hostfw::EncodeDate(2025, 1, 1);
    hostfw::TDateTime last = hostfw::EncodeDate(2025, 2, 28);
    std::string clientList;
    std::string clientFlag = "T";
    std::string destinationList;
    std::string destinationFlag = "T";
    std::string statuses;
    std::string reportKind = "A";
};

// Asks for invoices the way the report form does: a connection to exp03600.rdmRelConsLanc,
// a late-bound GetNota with three arguments by value and six by reference, CheckResultServ on
// the reply, and the packet loaded whole into a client dataset with the six string fields. The
// connection is owned under a context of the client's own, whose session and call waiter a
// test sets.
class InvoiceClient {
public:
    InvoiceClient(const std::string& host, int port);
    ~InvoiceClient();

    hostfw::NetContext& Context() { return context_; }
    hostfw::TNetConnection& Connection() { return *connection_; }
    hostfw::TClientDataSet& Invoices() { return *invoices_; }

    // Raises what the connection or CheckResultServ raises.
    void Load(GetNotaArgs& args);
    // load(), then the NRLANCTONF of every row in order.
    std::vector<std::string> Entries(GetNotaArgs& args);
    // The current rows, each as its six texts.
    std::vector<std::vector<std::string>> Rows() const;

private:
    hostfw::NetContext context_;
    hostfw::TContextOwner owner_{context_};
    std::unique_ptr<hostfw::TNetConnection> connection_;
    std::unique_ptr<hostfw::TClientDataSet> invoices_;
};

}  // namespace servertest
