#pragma once

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/data/engine.h"
#include "host/ui/row_source.h"

namespace host {

// An answer a script gives in advance to the next dialog of its kind, and the line that
// gave it. No value means the user cancels the dialog.
template <class T>
struct ScriptAnswer {
    int line = 0;
    std::optional<T> value;
    // Keys no row has are left out with a notice instead of failing the run (pick available).
    bool leaveOutMissing = false;
};

// pick: the keys to mark (none: confirm with nothing marked).
using ListAnswer = ScriptAnswer<std::vector<std::string>>;
// choose: the key of the row to choose.
using RowAnswer = ScriptAnswer<std::string>;
// answer: the text to type into a prompt.
using TextAnswer = ScriptAnswer<std::string>;
// login: the user and password to type into the sign-in dialog.
using LoginAnswer = ScriptAnswer<hostfw::Credentials>;
// wait cancel: the wait for a call to the application server given up (it has no other answer).
using WaitAnswer = ScriptAnswer<std::monostate>;

// Answers wait in the order the script gave them; each dialog takes the oldest.
template <class T>
class AnswerQueue {
public:
    void Push(ScriptAnswer<T> answer) { answers_.push_back(std::move(answer)); }
    std::optional<ScriptAnswer<T>> Pop() {
        if (answers_.empty())
            return std::nullopt;
        ScriptAnswer<T> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }
    const std::deque<ScriptAnswer<T>>& Waiting() const { return answers_; }

private:
    std::deque<ScriptAnswer<T>> answers_;
};

// The rows whose key is one of `keys`, in row order; blanks around keys do not count.
// Raises ScriptError naming a key that no row of the dialog titled `title` has, unless
// `missing` is given: such keys are added to it instead.
std::vector<size_t> RowsOfKeys(const hostfw::RowSource& rows, const std::vector<std::string>& keys,
                               const std::string& title,
                               std::vector<std::string>* missing = nullptr);
size_t RowOfKey(const hostfw::RowSource& rows, const std::string& key, const std::string& title);

}  // namespace host
