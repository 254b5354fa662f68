#include "host/data/row_store.h"

#include <algorithm>
#include <cstring>

namespace hostfw {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr int kOffsetBits = 32;
constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;

// Cell layout: one kind byte, then a length-prefixed text or the eight bytes of a number.
void AppendBytes(std::vector<char>& out, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void AppendLength(std::vector<char>& out, std::size_t length) {
    while (length >= 0x80) {
        out.push_back(static_cast<char>((length & 0x7F) | 0x80));
        length >>= 7;
    }
    out.push_back(static_cast<char>(length));
}

std::size_t ReadLength(const char*& at) {
    std::size_t length = 0;
    int shift = 0;
    while (true) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return length;
        shift += 7;
    }
}

template <class T>
T ReadNumber(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

}  // namespace

struct RowStore::Block {
    explicit Block(std::size_t size) : data(new char[size]), capacity(size) {}
    std::unique_ptr<char[]> data;
    std::size_t capacity;
    std::size_t used = 0;
};

RowStore::RowStore() = default;
RowStore::~RowStore() = default;
RowStore::RowStore(RowStore&&) noexcept = default;
RowStore& RowStore::operator=(RowStore&&) noexcept = default;

void RowStore::Clear() {
    blocks_.clear();
    rowStarts_.clear();
    rowStarts_.shrink_to_fit();
}

void RowStore::Encode(const Variant& value) {
    const auto kind = value.kind();
    scratch_.push_back(static_cast<char>(kind));
    switch (kind) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            break;
        case Variant::Kind::String: {
            const std::string text = value.AsString();
            AppendLength(scratch_, text.size());
            AppendBytes(scratch_, text.data(), text.size());
            break;
        }
        case Variant::Kind::Integer: {
            const std::int64_t number = value.AsInteger();
            AppendBytes(scratch_, &number, sizeof number);
            break;
        }
        case Variant::Kind::Boolean:
            scratch_.push_back(value.AsBoolean() ? 1 : 0);
            break;
        case Variant::Kind::Float:
        case Variant::Kind::Date: {
            const double number =
                kind == Variant::Kind::Date ? value.AsDate().value : value.AsFloat();
            AppendBytes(scratch_, &number, sizeof number);
            break;
        }
    }
}

void RowStore::CommitRow() {
    if (blocks_.empty() || blocks_.back()->capacity - blocks_.back()->used < scratch_.size()) {
        blocks_.push_back(std::make_unique<Block>(std::max(kBlockSize, scratch_.size())));
    }
    Block& block = *blocks_.back();
    std::copy(scratch_.begin(), scratch_.end(), block.data.get() + block.used);
    rowStarts_.push_back((static_cast<std::uint64_t>(blocks_.size() - 1) << kOffsetBits) |
                         block.used);
    block.used += scratch_.size();
}

// A row ends where the next one starts, or at the end of what its block holds.
std::size_t RowStore::RowEnd(std::size_t row) const {
    const std::uint64_t start = rowStarts_[row];
    if (row + 1 < rowStarts_.size() &&
        (rowStarts_[row + 1] >> kOffsetBits) == (start >> kOffsetBits))
        return rowStarts_[row + 1] & kOffsetMask;
    return blocks_[start >> kOffsetBits]->used;
}

Variant RowStore::Value(std::size_t row, std::size_t column) const {
    const std::uint64_t start = rowStarts_.at(row);
    const Block& block = *blocks_[start >> kOffsetBits];
    const char* at = block.data.get() + (start & kOffsetMask);
    const char* const end = block.data.get() + RowEnd(row);
    for (std::size_t c = 0; at < end; ++c) {
        const auto kind = static_cast<Variant::Kind>(*at++);
        switch (kind) {
            case Variant::Kind::Empty:
                if (c == column)
                    return Variant();
                break;
            case Variant::Kind::Null:
                if (c == column)
                    return Variant::Null();
                break;
            case Variant::Kind::String: {
                const std::size_t length = ReadLength(at);
                if (c == column)
                    return Variant(std::string(at, length));
                at += length;
                break;
            }
            case Variant::Kind::Integer: {
                const auto number = ReadNumber<std::int64_t>(at);
                if (c == column)
                    return Variant(number);
                break;
            }
            case Variant::Kind::Boolean: {
                const bool flag = *at++ != 0;
                if (c == column)
                    return Variant(flag);
                break;
            }
            case Variant::Kind::Float:
            case Variant::Kind::Date: {
                const auto number = ReadNumber<double>(at);
                if (c == column)
                    return kind == Variant::Kind::Date ? Variant(TDateTime{number})
                                                       : Variant(number);
                break;
            }
        }
    }
    return Variant::Null();
}

}  // namespace hostfw
