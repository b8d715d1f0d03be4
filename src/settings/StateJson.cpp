#include "settings/JsonObjectReader.hpp"
#include "settings/State.hpp"

#include <nlohmann/json.hpp>

namespace spinewise {
namespace {

nlohmann::json toJson(const Color& color) {
    return {{"red", color.red}, {"green", color.green}, {"blue", color.blue}, {"alpha", color.alpha}};
}

Color colorFromJson(const nlohmann::json& json) {
    const JsonObjectReader reader(json, "notificationColor");
    return {reader.number("red"), reader.number("green"), reader.number("blue"), reader.number("alpha")};
}

std::vector<Posture> historyFromJson(const nlohmann::json& json) {
    std::vector<Posture> history;
    history.reserve(json.size());
    for (const auto& element : json) {
        try {
            history.push_back(postureFromJson(element));
        } catch (const PostureDecodingError& error) {
            throw PostureDecodingError("history element " + std::to_string(history.size()) + ": " + error.what());
        }
    }
    return history;
}

}  // namespace

nlohmann::json toJson(const State& state) {
    auto history = nlohmann::json::array();
    for (const auto& posture : state.history) history.push_back(toJson(posture));

    nlohmann::json json{
        {"scheduleInterval", state.scheduleInterval},
        {"correctPostureTime", state.correctPostureTime},
        {"poorPostureTime", state.poorPostureTime},
        {"unknownPostureTime", state.unknownPostureTime},
        {"eyeLevelInPercent", state.eyeLevelInPercent},
        {"notificationColor", toJson(state.notificationColor)},
        {"notificationTransparency", state.notificationTransparency},
        {"playNotificationSound", state.playNotificationSound},
        {"notificationSoundFilename", state.notificationSoundFilename},
        {"showStatusBarItem", state.showStatusBarItem},
        {"showPreferencesWindowOnStartUp", state.showPreferencesWindowOnStartUp},
        {"launchAtLogin", state.launchAtLogin},
        {"history", std::move(history)},
    };
    if (state.selectedVideoDeviceUID) json["selectedVideoDeviceUID"] = *state.selectedVideoDeviceUID;
    if (state.keyCombo) json["keyCombo"] = toJson(*state.keyCombo);
    return json;
}

State stateFromJson(const nlohmann::json& json) {
    const JsonObjectReader reader(json, "");
    State state;
    state.scheduleInterval = reader.number("scheduleInterval");
    state.correctPostureTime = reader.number("correctPostureTime");
    state.poorPostureTime = reader.number("poorPostureTime");
    state.unknownPostureTime = reader.number("unknownPostureTime");
    state.eyeLevelInPercent = reader.number("eyeLevelInPercent");
    state.notificationColor = colorFromJson(reader.object("notificationColor"));
    state.notificationTransparency = reader.number("notificationTransparency");
    state.playNotificationSound = reader.boolean("playNotificationSound");
    state.notificationSoundFilename = reader.string("notificationSoundFilename");
    state.selectedVideoDeviceUID = reader.optionalString("selectedVideoDeviceUID");
    if (const auto* keyCombo = reader.optionalMember("keyCombo")) state.keyCombo = keyShortcutFromJson(*keyCombo);
    state.showStatusBarItem = reader.boolean("showStatusBarItem");
    state.showPreferencesWindowOnStartUp = reader.boolean("showPreferencesWindowOnStartUp");
    state.launchAtLogin = reader.boolean("launchAtLogin");
    state.history = historyFromJson(reader.array("history"));
    return state;
}

}  // namespace spinewise
