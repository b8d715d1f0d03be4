#include "settings/PresetsArchive.hpp"

#include "foundation/KeyedArchive.hpp"

namespace spinewise {
namespace {

template <class T>
const T& field(const ArchivedObject& object, std::string_view key, std::string_view type, std::size_t index) {
    const auto where = "preset " + std::to_string(index) + ": \"" + std::string(key) + "\"";
    const auto found = object.fields.find(key);
    if (found == object.fields.end()) throw KeyedArchiveError(where + " is missing");
    const auto* value = std::get_if<T>(&found->second);
    if (!value) throw KeyedArchiveError(where + " is not a " + std::string(type));
    return *value;
}

}  // namespace

std::string archivePresets(const std::vector<std::shared_ptr<Preset>>& presets) {
    std::vector<ArchivedObject> objects;
    objects.reserve(presets.size());
    for (const auto& preset : presets) {
        objects.push_back({
            .classes = {std::string(kPresetClassName), "NSObject"},
            .fields = {{std::string(PresetKey::title), preset->title()},
                       {std::string(PresetKey::eyeLevelInPercent), preset->eyeLevelInPercent()}},
        });
    }
    return encodeKeyedArchive(objects);
}

std::vector<std::shared_ptr<Preset>> unarchivePresets(std::string_view bytes) {
    std::vector<std::shared_ptr<Preset>> presets;
    const auto objects = decodeKeyedArchive(bytes);
    for (std::size_t index = 0; index < objects.size(); ++index) {
        const auto& object = objects[index];
        if (object.classes.front() != kPresetClassName)
            throw KeyedArchiveError("element " + std::to_string(index) + " is a " + object.classes.front() +
                                    ", not a " + std::string(kPresetClassName));
        presets.push_back(std::make_shared<Preset>(field<std::string>(object, PresetKey::title, "string", index),
                                                   field<double>(object, PresetKey::eyeLevelInPercent, "number", index)));
    }
    return presets;
}

}  // namespace spinewise
