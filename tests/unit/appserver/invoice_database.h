#pragma once

#include <filesystem>
#include <string>

namespace servertest {

// The fixed test rows of db/ (see db/demo_data.h) plus three invoices that make the order and
// the whole-day rules visible:
//   0001  9 1000 client "3" dest 0001 issued 2025-01-10 exit 2025-01-11 A
//   0001 10 1002 client "2" dest 0003 issued 2025-01-20 no exit        C
//   0002  8 2003 client "1" dest 0003 issued 2025-02-01 exit 2025-02-03 K, shipping canceled
//                                    at 2025-02-10 14:30:00 (a time of day in a date column;
//                                    on Firebird, whose DATE holds none, at 2025-02-10)
// So branch 0001 from 2025-01-01 to 2025-02-28 lists, by invoice number then entry number as
// text: 9 (1000), 1 (1001), 10 (1002), 2 (1002), 3 (1003), 7 (1004).
void FillInvoiceDatabase(const std::string& connection);

// A fresh database file with those rows, removed with the object: SQLite, or an embedded
// Firebird database for a name ending in ".fdb".
class LocalInvoiceDatabase {
public:
    explicit LocalInvoiceDatabase(const std::string& file = "notas.sqlite");
    ~LocalInvoiceDatabase();
    LocalInvoiceDatabase(const LocalInvoiceDatabase&) = delete;
    LocalInvoiceDatabase& operator=(const LocalInvoiceDatabase&) = delete;

    std::string Path() const { return (folder_ / file_).string(); }

private:
    std::filesystem::path folder_;
    std::string file_;
};
using SqliteInvoiceDatabase = LocalInvoiceDatabase;

}  // namespace servertest
