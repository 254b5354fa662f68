#include "host/wire/internal/reply_reader.h"

#include <utility>

namespace hostfw::wire {
namespace {

// nlohmann's event interface: containers are built as document nodes on a stack, except the
// lists inside the result's "rows", whose cells go straight into plain rows.
class ReplySax {
public:
    explicit ReplySax(ReadReply& reply) : reply_(reply) {}

    bool null() { return Value(nullptr, Json(nullptr)); }
    bool boolean(bool value) { return Value(value, Json(value)); }
    bool number_integer(std::int64_t value) { return Value(value, Json(value)); }
    bool number_unsigned(std::uint64_t value) { return Value(value, Json(value)); }
    bool number_float(double value, const std::string& /*text*/) {
        return Value(value, Json(value));
    }
    bool string(std::string& value) {
        if (rowDepth_ == 2) {
            rows().back().emplace_back(value);
            return true;
        }
        return rowDepth_ == 0 && Add(Json(value));
    }
    bool binary(Json::binary_t& /*value*/) { return false; }

    bool start_object(std::size_t /*size*/) { return rowDepth_ == 0 && Open(Json::object()); }
    bool key(std::string& name) {
        key_ = name;
        return true;
    }
    bool end_object() { return Close(); }

    bool start_array(std::size_t /*size*/) {
        if (rowDepth_ == 1) {
            rowDepth_ = 2;
            // Rows are as wide as the one before: one allocation per row, not one per growth.
            const std::size_t width = rows().empty() ? 0 : rows().back().size();
            rows().emplace_back().reserve(width);
            return true;
        }
        if (rowDepth_ == 2)
            return false;  // a list inside a cell
        if (AtResultRows()) {
            rowDepth_ = 1;
            reply_.rows.emplace();
            return Add(Json::array());  // the empty list the document keeps in their place
        }
        return Open(Json::array());
    }
    bool end_array() {
        if (rowDepth_ > 0) {
            --rowDepth_;
            return true;
        }
        return Close();
    }

    bool parse_error(std::size_t /*position*/, const std::string& /*token*/,
                     const nlohmann::detail::exception& /*failure*/) {
        return false;
    }

private:
    RawRows& rows() { return *reply_.rows; }

    template <class Plain>
    bool Value(Plain plain, Json json) {
        if (rowDepth_ == 2) {
            rows().back().emplace_back(plain);
            return true;
        }
        return rowDepth_ == 0 && Add(std::move(json));
    }

    // The "rows" member of the top-level object's "result" object.
    bool AtResultRows() const {
        return stack_.size() == 2 && key_ == "rows" && stack_[1]->is_object() && resultOpened_;
    }

    Json* Add(Json value) {
        if (stack_.empty()) {
            reply_.message = std::move(value);
            return &reply_.message;
        }
        Json& container = *stack_.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        Json& member = container[key_];
        member = std::move(value);
        return &member;
    }

    bool Open(Json container) {
        const bool isResult = stack_.size() == 1 && stack_[0]->is_object() && key_ == "result";
        Json* opened = Add(std::move(container));
        stack_.push_back(opened);
        if (stack_.size() == 2)
            resultOpened_ = isResult;
        return true;
    }

    bool Close() {
        stack_.pop_back();
        return true;
    }

    ReadReply& reply_;
    std::vector<Json*> stack_;
    std::string key_;
    int rowDepth_ = 0;  // 1 inside the rows' list, 2 inside a row
    bool resultOpened_ = false;
};

}  // namespace

std::optional<ReadReply> ReadReplyInOnePass(std::string_view body) {
    ReadReply reply;
    ReplySax sax(reply);
    if (!Json::sax_parse(body, &sax))
        return std::nullopt;
    return reply;
}

Json RawCellToJson(RawCell cell) {
    return std::visit([](auto& value) { return Json(std::move(value)); }, cell);
}

}  // namespace hostfw::wire
