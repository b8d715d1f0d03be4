#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace spinewise {

/// Thrown when stored JSON does not have the expected shape.
class JsonDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Reads the members of one JSON object with strict types: a required member
/// that is missing or of another JSON type throws JsonDecodingError, whose
/// description names the member by its path (for example "keyCombo.keyCode").
class JsonObjectReader {
public:
    /// `path` names the object in error descriptions; empty for the top level.
    JsonObjectReader(const nlohmann::json& json, std::string path);

    /// Any JSON number, with or without a fraction.
    double number(std::string_view key) const;
    /// A JSON number with a whole value that fits an int.
    int integer(std::string_view key) const;
    /// JSON true or false only.
    bool boolean(std::string_view key) const;
    std::string string(std::string_view key) const;
    const nlohmann::json& object(std::string_view key) const;
    const nlohmann::json& array(std::string_view key) const;
    /// The member, or nullptr when it is missing or null.
    const nlohmann::json* optionalMember(std::string_view key) const;
    /// A string, or nothing when the member is missing or null.
    std::optional<std::string> optionalString(std::string_view key) const;

private:
    std::string pathOf(std::string_view key) const;
    const nlohmann::json& required(std::string_view key) const;
    [[noreturn]] void fail(std::string_view key, std::string_view expectation) const;

    const nlohmann::json& json_;
    std::string path_;
};

}  // namespace spinewise
