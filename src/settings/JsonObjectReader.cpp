#include "settings/JsonObjectReader.hpp"

#include <cmath>
#include <limits>

namespace spinewise {

JsonObjectReader::JsonObjectReader(const nlohmann::json& json, std::string path)
    : json_(json), path_(std::move(path)) {
    if (!json_.is_object())
        throw JsonDecodingError((path_.empty() ? std::string("the top level") : "\"" + path_ + "\"") +
                                " is not a JSON object");
}

double JsonObjectReader::number(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_number()) fail(key, "a number");
    return value.get<double>();
}

int JsonObjectReader::integer(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_number()) fail(key, "a whole number");
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
            number > std::numeric_limits<int>::max())
            fail(key, "a whole number");
        return static_cast<int>(number);
    }
    if (value.is_number_unsigned()) {
        if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
            fail(key, "a whole number");
        return static_cast<int>(value.get<std::uint64_t>());
    }
    const auto number = value.get<std::int64_t>();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        fail(key, "a whole number");
    return static_cast<int>(number);
}

bool JsonObjectReader::boolean(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_boolean()) fail(key, "true or false");
    return value.get<bool>();
}

std::string JsonObjectReader::string(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_string()) fail(key, "a string");
    return value.get<std::string>();
}

const nlohmann::json& JsonObjectReader::object(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_object()) fail(key, "an object");
    return value;
}

const nlohmann::json& JsonObjectReader::array(std::string_view key) const {
    const auto& value = required(key);
    if (!value.is_array()) fail(key, "an array");
    return value;
}

const nlohmann::json* JsonObjectReader::optionalMember(std::string_view key) const {
    const auto member = json_.find(key);
    if (member == json_.end() || member->is_null()) return nullptr;
    return &*member;
}

std::optional<std::string> JsonObjectReader::optionalString(std::string_view key) const {
    if (!optionalMember(key)) return std::nullopt;
    return string(key);
}

std::string JsonObjectReader::pathOf(std::string_view key) const {
    return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
}

const nlohmann::json& JsonObjectReader::required(std::string_view key) const {
    const auto member = json_.find(key);
    if (member == json_.end()) throw JsonDecodingError("missing key \"" + pathOf(key) + "\"");
    return *member;
}

void JsonObjectReader::fail(std::string_view key, std::string_view expectation) const {
    throw JsonDecodingError("\"" + pathOf(key) + "\" is not " + std::string(expectation));
}

}  // namespace spinewise
