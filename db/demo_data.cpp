#include "db/demo_data.h"

#include <cstdio>

#include "db/demo_names.h"
#include "db/demo_random.h"
#include "db/demo_writer.h"
#include "db/tax_id.h"
#include "host/core/date_time.h"

namespace demodb {
namespace {

constexpr int kClientCount = 300;
constexpr long long kProgressEvery = 100'000;

// Separate streams, so the clients are the same whatever the number of invoices.
constexpr std::uint64_t kClientStream = 0x636c69656e746573ULL;
constexpr std::uint64_t kInvoiceStream = 0x6e6f746173666973ULL;

std::string BranchCode(std::uint64_t index) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04d", static_cast<int>(index + 1));
    return buffer;
}

std::string RandomDigits(DemoRandom& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i)
        digits += static_cast<char>('0' + random.Below(10));
    return digits;
}

std::string RandomCpf(DemoRandom& random) {
    std::string base;
    // Nine equal digits give a number that passes the check digits yet is no real CPF.
    do {
        base = RandomDigits(random, 9);
    } while (base.find_first_not_of(base[0]) == std::string::npos);
    return CpfFromBase(base);
}

std::string RandomCnpj(DemoRandom& random) {
    const std::string establishment = random.Percent(80) ? "0001" : "000" + RandomDigits(random, 1);
    return CnpjFromBase(RandomDigits(random, 8) + establishment);
}

Client RandomClient(DemoRandom& random, int number) {
    static constexpr std::array<const char*, 5> kActivities = {"COM", "IND", "SERV", "AGRO",
                                                               "TRAN"};
    static constexpr std::array<const char*, 6> kSegments = {"VARJ", "ATAC", "FARM",
                                                             "AUTO", "ALIM", "CONS"};
    Client client;
    client.code = std::to_string(number);
    const auto fixedName = FixedClientName(number);
    client.kind = fixedName || random.Percent(40) ? 'J' : 'F';
    client.taxId = client.kind == 'J' ? RandomCnpj(random) : RandomCpf(random);
    client.name = fixedName ? std::string(*fixedName) : ClientName(random, client.kind);
    client.activity = kActivities[random.Below(kActivities.size())];
    if (!random.Percent(10))
        client.segment = kSegments[random.Below(kSegments.size())];
    return client;
}

char RandomStatus(DemoRandom& random) {
    const auto roll = random.Below(100);
    if (roll < 10)
        return 'P';
    if (roll < 55)
        return 'E';
    if (roll < 75)
        return 'A';
    if (roll < 85)
        return 'C';
    return 'K';
}

// Days as the automation date counts them, written yyyy-mm-dd.
std::string IsoDay(double day) {
    return hostfw::DateToIso(hostfw::TDateTime{day});
}

class InvoiceGenerator {
public:
    explicit InvoiceGenerator(std::uint64_t seed) : random_(seed ^ kInvoiceStream) {}

    Invoice Make(long long index) {
        static constexpr const char* kFirstStatuses = "PEACK";
        Invoice invoice;
        const auto branch = random_.Below(BranchNames().size());
        invoice.branch = BranchCode(branch);
        invoice.entry = std::to_string(index + 1);
        invoice.number = std::to_string(++lastNumber_[branch]);
        invoice.client = std::to_string(random_.Between(1, kClientCount));
        invoice.destination = BranchCode(random_.Below(BranchNames().size()));
        const double issued = firstDay_ + static_cast<double>(random_.Below(dayCount_));
        invoice.issued = IsoDay(issued);
        invoice.status = index < 5 ? kFirstStatuses[index] : RandomStatus(random_);
        invoice.cents = random_.Between(1'000, 2'500'000);
        if (invoice.status != 'P' || random_.Percent(50)) {
            const double exited = issued + static_cast<double>(random_.Between(1, 10));
            invoice.exited = IsoDay(exited);
            if (invoice.status == 'K') {
                invoice.shippingCanceled =
                    IsoDay(exited + static_cast<double>(random_.Between(1, 5)));
            }
        }
        return invoice;
    }

private:
    DemoRandom random_;
    std::array<long long, 12> lastNumber_{};
    const double firstDay_ = hostfw::DaysFromCivil({2025, 1, 1});
    const std::uint64_t dayCount_ =
        static_cast<std::uint64_t>(hostfw::DaysFromCivil({2026, 12, 31}) - firstDay_) + 1;
};

}  // namespace

void FillDemoData(hostfw::Engine& engine, const DemoOptions& options) {
    DemoWriter writer(engine);
    for (size_t i = 0; i < BranchNames().size(); ++i) {
        writer.Write(Branch{BranchCode(i), std::string(BranchNames()[i])});
    }
    DemoRandom clientRandom(options.seed ^ kClientStream);
    for (int number = 1; number <= kClientCount; ++number) {
        writer.Write(RandomClient(clientRandom, number));
    }
    InvoiceGenerator invoices(options.seed);
    for (long long index = 0; index < options.invoices; ++index) {
        writer.Write(invoices.Make(index));
        if ((index + 1) % kProgressEvery == 0 && options.progress)
            options.progress(index + 1);
    }
}

}  // namespace demodb
