#include "modes/bus/WindowList.h"

#include <nlohmann/json.hpp>

namespace pad {
namespace {

using nlohmann::json;

// The text of the member, or empty when it is missing or no text.
std::string Text(const json& object, const char* name) {
    const auto member = object.find(name);
    return member != object.end() && member->is_string() ? member->get<std::string>()
                                                         : std::string();
}

} // namespace

std::string WriteWindowList(const WindowList& list) {
    json windows = json::array();
    for (const WindowInfo& window : list.windows) {
        json item{{"app", window.appId},
                  {"instance", window.instance},
                  {"title", window.title},
                  {"executable", window.executable}};
        if (window.pid)
            item["pid"] = *window.pid;
        windows.push_back(std::move(item));
    }
    const json object{{"desktop", list.status.desktop},
                      {"follows", list.status.follows},
                      {"hint", list.status.hint},
                      {"failure", list.failure},
                      {"windows", std::move(windows)}};
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n';
}

std::optional<WindowList> ReadWindowList(std::string_view output) {
    const json object = json::parse(output, nullptr, false);
    if (!object.is_object())
        return std::nullopt;
    const auto desktop = object.find("desktop");
    const auto follows = object.find("follows");
    const auto windows = object.find("windows");
    if (desktop == object.end() || !desktop->is_string() || follows == object.end() ||
        !follows->is_boolean() || windows == object.end() || !windows->is_array())
        return std::nullopt;
    WindowList list{{Text(object, "desktop"), follows->get<bool>(), Text(object, "hint")},
                    {},
                    Text(object, "failure")};
    for (const json& item : *windows) {
        if (!item.is_object())
            continue;
        WindowInfo window{Text(item, "app"), Text(item, "instance"), Text(item, "title")};
        window.executable = Text(item, "executable");
        if (const auto pid = item.find("pid"); pid != item.end() && pid->is_number_integer())
            if (const auto value = pid->get<std::int64_t>(); value > 0)
                window.pid = value;
        list.windows.push_back(std::move(window));
    }
    return list;
}

} // namespace pad
