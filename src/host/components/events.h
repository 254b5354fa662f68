#pragma once

#include <functional>
#include <string>
#include <variant>

namespace hostfw {

class TObject;
class TField;
class TParams;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// The event signatures of the toolkit; a stored definition binds a handler by name, and
// binding checks that the handler has the event's signature.
using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TBeforePesqEvent = std::function<void(TObject* sender, bool& flag)>;
using TFieldGetTextEvent = std::function<void(TField* sender, std::string& text, bool displayText)>;
using TQueryParamsEvent = std::function<void(TParams& params, bool& flag)>;

using EventHandler = std::variant<TNotifyEvent, TKeyPressEvent, TCloseEvent, TBeforePesqEvent,
                                  TFieldGetTextEvent, TQueryParamsEvent>;

}  // namespace hostfw
