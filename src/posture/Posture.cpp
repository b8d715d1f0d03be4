#include "posture/Posture.hpp"

#include "foundation/DecimalText.hpp"

#include <nlohmann/json.hpp>

#include <array>

namespace spinewise {
namespace {

constexpr std::array kStateNames{
    std::pair{Posture::State::correct, std::string_view("correct")},
    std::pair{Posture::State::poor, std::string_view("poor")},
    std::pair{Posture::State::unknown, std::string_view("unknown")},
};

}  // namespace

std::string_view toString(Posture::State state) {
    for (const auto& [value, name] : kStateNames)
        if (value == state) return name;
    return "unknown";
}

std::string Posture::description(TimeInterval now) const {
    return std::string(toString(state)) + " duration: " + decimalText(now - start);
}

nlohmann::json toJson(const Posture& posture) {
    return {{"state", toString(posture.state)}, {"start", posture.start}};
}

Posture postureFromJson(const nlohmann::json& json) {
    if (!json.is_object()) throw PostureDecodingError("posture: expected an object");
    const auto state = json.find("state");
    if (state == json.end()) throw PostureDecodingError("posture: missing key \"state\"");
    const auto start = json.find("start");
    if (start == json.end()) throw PostureDecodingError("posture: missing key \"start\"");
    if (!start->is_number()) throw PostureDecodingError("posture: \"start\" is not a number");
    if (state->is_string()) {
        const auto& text = state->get_ref<const std::string&>();
        for (const auto& [value, name] : kStateNames)
            if (name == text) return Posture{value, start->get<double>(), std::nullopt};
    }
    throw PostureDecodingError("posture: \"state\" is not one of correct, poor, unknown");
}

}  // namespace spinewise
